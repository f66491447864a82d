// Writes the object file that objdb_bench reads, for timing other readers on
// it: make_object_file PATH [OBJECTS [SLOTS_PER_OBJECT]].
#include <cstdio>   // std::fprintf, std::printf
#include <cstdlib>  // std::atoi, EXIT_SUCCESS, EXIT_FAILURE

#include "objdb_fixture.h"  // WriteObjectFile, kMillionSlots

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s PATH [OBJECTS [SLOTS_PER_OBJECT]]\n", argv[0]);
    return EXIT_FAILURE;
  }
  objdb_bench::ObjectFileShape shape = objdb_bench::kMillionSlots;
  if (argc > 2) shape.objects = std::atoi(argv[2]);
  if (argc > 3) shape.slots_per_object = std::atoi(argv[3]);
  if (shape.objects < 0 || shape.slots_per_object < 0) {
    std::fprintf(stderr, "%s: counts must not be negative\n", argv[0]);
    return EXIT_FAILURE;
  }
  if (!objdb_bench::WriteObjectFile(argv[1], shape)) {
    std::fprintf(stderr, "%s: cannot write an object file at %s\n", argv[0], argv[1]);
    return EXIT_FAILURE;
  }
  std::printf("%s: %d objects of %d slots\n", argv[1], shape.objects, shape.slots_per_object);
  return EXIT_SUCCESS;
}
