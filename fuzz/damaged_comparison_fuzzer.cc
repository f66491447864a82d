// odbdiff compare A B --json FILE --stat over a pair of small object files,
// one of them damaged by the input: each group of three bytes flips the bits
// of one byte of A (or of B, when the input's first byte is odd) after the
// first page, where the tables' B-tree pages are. The comparison is run as
// odbdiff compare runs it, through the module's events into the JSON of
// differences and the counts. Whatever the damage:
//   - a comparison that fails leaves no JSON document at its name;
//   - one that succeeds leaves a whole JSON document;
//   - one that succeeds read every common object's slots, as a reader of the
//     damaged file in the same order does: when that reader is refused, the
//     comparison must have failed too.
// No crash and no sanitizer report.
#include <fcntl.h>   // open, O_WRONLY
#include <unistd.h>  // dup2, close, STDOUT_FILENO

#include <algorithm>   // std::sort
#include <cstddef>     // std::size_t
#include <cstdint>     // std::uint8_t
#include <cstdio>      // std::fprintf
#include <cstdlib>     // std::abort
#include <filesystem>  // std::filesystem::exists, remove
#include <fstream>     // std::ifstream
#include <iterator>    // std::istreambuf_iterator
#include <set>         // std::set of common objects
#include <string>      // std::string

#include <nlohmann/json.hpp>  // nlohmann::json::accept

#include "diff/host/list_library.h"      // CStrList
#include "diff/host/object_database.h"   // CvxODB
#include "module/comparison_context.h"   // ComparisonContext
#include "module/module_binding.h"       // BindDiffModule
#include "module/observed_comparison.h"  // ObservedComparison
#include "outputs/difference_outputs.h"  // AddDifferenceOutputs
#include "outputs/output_list.h"         // OutputList
#include "platform/failure.h"            // odbdiff::Failure
#include "scratch_file.h"                // ScratchPath, WriteScratchFile

namespace {

// One of the pair: 40 objects of texts, a number with units and a list;
// `tag` changes some of the values, and each file has an object of its own.
void MakeObjectFile(const std::string& path, const std::string& tag) {
  CvxODB database(0, path.c_str(), 0);
  if (database.Create() == 0) std::abort();
  for (int object = 0; object < 41; ++object) {
    const std::string name =
        object == 40 ? "only-" + tag : "object-" + std::to_string(100 + object);
    database.CreateObject(name.c_str(), nullptr);
    for (int slot = 0; slot < 4; ++slot) {
      const std::string text =
          (object % 5 == 0 ? tag : std::string("same")) + " value " + std::to_string(slot);
      database.SetValue(name.c_str(), ("slot-" + std::to_string(slot)).c_str(), text.c_str(), 0,
                        0);
    }
    database.SetNumberValue(name.c_str(), "flow", 1.5 * object, "m3/h");
    CStrList items;
    items.Append("first");
    items.Append(tag.c_str());
    database.SetListValue(name.c_str(), "items", &items);
  }
  if (database.Close(1) == 0) std::abort();
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The bytes of `file` with the damage of `data` after the first `page` bytes.
std::string Damaged(std::string file, std::size_t page, const std::uint8_t* data,
                    std::size_t size) {
  if (file.size() <= page) return file;
  for (std::size_t at = 1; at + 3 <= size; at += 3) {
    const std::size_t offset = page + (data[at] | (data[at + 1] << 8)) % (file.size() - page);
    file[offset] = static_cast<char>(file[offset] ^ data[at + 2]);
  }
  return file;
}

// The object names of the file at `path`; false when they cannot be listed.
bool ListObjects(CvxODB& database, std::set<std::string>& names) {
  CStrList listed;
  if (database.Open(1) == 0 || database.GetObjects(&listed) == 0) return false;
  for (int i = 0; i < listed.GetLength(); ++i) names.insert(listed.GetTextAt(i));
  return true;
}

// Whether a reader refuses A or B where the comparison reads them: their
// listings, and the slots of the objects in both, in name order.
bool ReaderRefuses(const std::string& a, const std::string& b) {
  CvxODB database_a(0, a.c_str(), 0);
  CvxODB database_b(0, b.c_str(), 0);
  std::set<std::string> names_a;
  std::set<std::string> names_b;
  if (!ListObjects(database_a, names_a) || !ListObjects(database_b, names_b)) return true;
  for (const std::string& name : names_a) {
    if (names_b.count(name) == 0) continue;
    for (CvxODB* database : {&database_a, &database_b}) {
      CStrList slots;
      CStrList values;
      if (database->LoadAllSlots(name.c_str(), &slots, &values, 0, 0) == 0) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The module prints a line for each object compared.
  const int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, STDOUT_FILENO) < 0) std::abort();
  close(null);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string pristine_a = fuzz::ScratchPath("pristine-a.odb");
  static const std::string pristine_b = fuzz::ScratchPath("pristine-b.odb");
  static const bool made = (MakeObjectFile(pristine_a, "a"), MakeObjectFile(pristine_b, "b"), true);
  static const std::string bytes_a = ReadAll(pristine_a);
  static const std::string bytes_b = ReadAll(pristine_b);
  static const std::string a = fuzz::ScratchPath("a.odb");
  static const std::string b = fuzz::ScratchPath("b.odb");
  static const std::string json = fuzz::ScratchPath("differences.json");
  static const std::string a_differences = fuzz::ScratchPath("a-differences.odb");
  static const std::string b_differences = fuzz::ScratchPath("b-differences.odb");
  static const std::string combined = fuzz::ScratchPath("combined-differences.odb");
  (void)made;
  if (size == 0 || bytes_a.size() < 100) return 0;

  const bool damage_b = (data[0] & 1) != 0;
  // The page size, from the file's header: the first page holds the schema.
  const std::size_t page = (static_cast<unsigned char>(bytes_a[16]) << 8) |
                           static_cast<unsigned char>(bytes_a[17]);
  const std::string file_a = damage_b ? bytes_a : Damaged(bytes_a, page, data, size);
  const std::string file_b = damage_b ? Damaged(bytes_b, page, data, size) : bytes_b;
  fuzz::RemoveScratchFile(a);
  fuzz::RemoveScratchFile(b);
  fuzz::WriteScratchFile(a, reinterpret_cast<const std::uint8_t*>(file_a.data()), file_a.size());
  fuzz::WriteScratchFile(b, reinterpret_cast<const std::uint8_t*>(file_b.data()), file_b.size());
  fuzz::RemoveScratchFile(json);

  odbdiff::ComparisonOptions options;
  options.json = json;
  options.stat = true;
  bool failed = false;
  try {
    const odbdiff::DiffModule& module = odbdiff::BindDiffModule();
    odbdiff::OutputList outputs;
    odbdiff::AddDifferenceOutputs(outputs, options, {"compare", a, b, {}});
    outputs.Stage(odbdiff::ComparisonRules{});
    {
      const odbdiff::ComparisonContext context(module, /*keep_difference_dbs=*/false);
      odbdiff::ObservedComparison observed(module, outputs.Differences(), a, b);
      module.diff_objfiles_ormo(a.c_str(), b.c_str(), a_differences.c_str(),
                                b_differences.c_str(), combined.c_str(), 0);
      observed.Finish({});
      outputs.ComparisonDone();
    }
    outputs.Commit();
  } catch (const odbdiff::Failure&) {
    failed = true;
  }

  if (failed) {
    if (std::filesystem::exists(json)) {
      std::fprintf(stderr, "damaged comparison: a failed comparison left %s\n", json.c_str());
      std::abort();
    }
    return 0;
  }
  if (!nlohmann::json::accept(ReadAll(json))) {
    std::fprintf(stderr, "damaged comparison: the JSON of differences is not whole\n");
    std::abort();
  }
  if (ReaderRefuses(a, b)) {
    std::fprintf(stderr, "damaged comparison: succeeded over a file that a reader refuses\n");
    std::abort();
  }
  return 0;
}
