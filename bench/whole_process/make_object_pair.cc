// make_object_pair N A.odb B.odb [C.odb]: writes two object files of N
// objects with ten slots each (texts, numbers with and without units, a list)
// for timing whole odbdiff runs. About 2 % of the objects differ, one kind of
// difference each, spread evenly over the files:
//   - objects only in A, and objects only in B;
//   - a slot only in A, and a slot only in B;
//   - a flow beyond the 2 % tolerance.
// As many objects again have a flow that differs within the tolerance, which
// the comparison must find equal. Objects are created in a scattered order,
// so that the comparison's sorting has work to do.
//
// C, when named, is a third revision of A that changes other objects than B
// does (another 2 %: a flow, a slot added, a slot removed, an object removed,
// an object added), so that a merge of B and C on A has no conflict.
#include <charconv>      // std::from_chars
#include <cstdio>        // std::fprintf, std::snprintf, stderr
#include <cstring>       // std::strlen
#include <system_error>  // std::errc

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB

namespace {

// Which objects differ, by their number modulo kCycle.
constexpr long kCycle = 250;
enum Difference : long {
  kOnlyInA = 0,
  kOnlyInB = 1,
  kSlotOnlyInA = 2,
  kSlotOnlyInB = 3,
  kFlowBeyondTolerance = 4,
  kFlowWithinTolerance = 5,  // equal for the comparison
  // C's own changes against A.
  kFlowChangedInC = 6,
  kSlotAddedInC = 7,
  kSlotRemovedInC = 8,
  kObjectRemovedInC = 9,
  kObjectAddedInC = 10,
};

// Prime, and so prime to every N made of twos and fives: i -> i * kStride mod N
// visits every object once.
constexpr long kStride = 7919;

enum class Side { kA, kB, kC };

bool WriteObject(CvxODB& file, Side side, long number) {
  char name[32];
  std::snprintf(name, sizeof name, "equipment-%08ld", number);
  const long kind = number % kCycle;
  if ((kind == kOnlyInA && side == Side::kB) || (kind == kOnlyInB && side != Side::kB) ||
      (kind == kObjectRemovedInC && side == Side::kC) ||
      (kind == kObjectAddedInC && side != Side::kC)) {
    return true;  // not in this file
  }

  double flow = 10 + static_cast<double>(number % 500);
  if (side == Side::kB && kind == kFlowBeyondTolerance) flow *= 1.10;
  if (side == Side::kB && kind == kFlowWithinTolerance) flow *= 1.01;
  if (side == Side::kC && kind == kFlowChangedInC) flow *= 0.8;
  char tag[32];
  std::snprintf(tag, sizeof tag, "P-%07ld", number);
  char tank[32];
  std::snprintf(tank, sizeof tank, "T-%04ld", number % 1000);
  CStrList connected;
  connected.Append(tank);
  connected.Append("V-0001");
  const char* status = number % 3 == 0 ? "standby" : "running";

  bool written = file.CreateObject(name, nullptr) != 0 &&
                 file.SetValue(name, "type", "centrifugal pump", 0, 0) != 0 &&
                 file.SetValue(name, "tag", tag, 0, 0) != 0 &&
                 file.SetNumberValue(name, "flow", flow, "m3/h") != 0 &&
                 file.SetNumberValue(name, "head", 20 + number % 40, "m") != 0 &&
                 file.SetNumberValue(name, "speed", 1480, nullptr) != 0 &&
                 file.SetValue(name, "status", status, 0, 0) != 0 &&
                 file.SetListValue(name, "connected_to", &connected) != 0 &&
                 file.SetValue(name, "manufacturer", "Aquaflow", 0, 0) != 0 &&
                 file.SetNumberValue(name, "power", 5.5 + number % 50, "kW") != 0 &&
                 (side == Side::kC && kind == kSlotRemovedInC
                      ? true
                      : file.SetValue(name, "notes", "installed 2019, serviced every year", 0, 0) != 0);
  if ((kind == kSlotOnlyInA && side != Side::kB) || (kind == kSlotOnlyInB && side == Side::kB)) {
    written = written && file.SetValue(name, "seal_type", "mechanical", 0, 0) != 0;
  }
  if (side == Side::kC && kind == kSlotAddedInC) {
    written = written && file.SetNumberValue(name, "vibration", 2.8, "mm/s") != 0;
  }
  return written;
}

bool WriteFile(const char* path, Side side, long objects) {
  CvxODB file(0, path, 0);
  // Create replaces an earlier object file and leaves the new one open.
  if (file.Create() == 0) return false;
  for (long i = 0; i < objects; ++i) {
    if (!WriteObject(file, side, i * kStride % objects)) return false;
  }
  return file.Close(1) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  long objects = 0;
  if ((argc != 4 && argc != 5) ||
      std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), objects).ec != std::errc() ||
      objects <= 0 || objects % kStride == 0) {
    std::fprintf(stderr,
                 "usage: make_object_pair N A.odb B.odb [C.odb]  (N > 0, no multiple of %ld)\n",
                 kStride);
    return 2;
  }
  if (!WriteFile(argv[2], Side::kA, objects)) {
    std::fprintf(stderr, "make_object_pair: cannot write %s\n", argv[2]);
    return 2;
  }
  if (!WriteFile(argv[3], Side::kB, objects)) {
    std::fprintf(stderr, "make_object_pair: cannot write %s\n", argv[3]);
    return 2;
  }
  if (argc == 5 && !WriteFile(argv[4], Side::kC, objects)) {
    std::fprintf(stderr, "make_object_pair: cannot write %s\n", argv[4]);
    return 2;
  }
  return 0;
}
