// odbdiff's status file of a pair of object files, read back through the
// object-database library.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <map>      // std::map
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure
#include "module_binding.h"             // BindDiffModule
#include "status_file_write.h"          // WriteStatusFile
#include "tests/support/object_files.h"  // write_object_file, ObjectSpec
#include "tests/support/temp_dir.h"      // TempDir

namespace odbdiff_test {
namespace {

using diff::testing::ObjectSpec;
using diff::testing::write_object_file;
using odbdiff::BindDiffModule;
using odbdiff::WriteStatusFile;

// Slot name to status text.
using Codes = std::map<std::string, std::string>;
// The objects of a status file in its object order, each with its codes.
using StatusContents = std::vector<std::pair<std::string, Codes>>;

StatusContents ReadStatusFile(const std::string& path) {
  CvxODB database(0, path.c_str(), 0);
  EXPECT_NE(database.Open(1), 0) << path;
  CStrList objects;
  database.GetObjects(&objects);
  StatusContents contents;
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* object = objects.GetTextAt(i);
    CStrList slots;
    CStrList values;
    database.LoadAllSlots(object, &slots, &values, 0, 0);
    Codes codes;
    for (int k = 0; k < slots.GetLength(); ++k) codes[slots.GetTextAt(k)] = values.GetTextAt(k);
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(slots.GetLength())) << "slot twice";
    contents.emplace_back(object, codes);
  }
  return contents;
}

class OdbdiffStatusFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.file(name); }

  bool Write(const std::vector<ObjectSpec>& a, const std::vector<ObjectSpec>& b) {
    write_object_file(Path("a.odb"), a);
    write_object_file(Path("b.odb"), b);
    return WriteStatusFile(BindDiffModule(), Path("a.odb"), Path("b.odb"), Path("status.odb"));
  }

  diff::testing::TempDir folder_;
};

TEST_F(OdbdiffStatusFileTest, EveryObjectInByteWiseOrderWithTheCodeOfEachSlot) {
  const bool differ = Write(
      {{"zeta", {{"x", "1"}}},
       {"mid", {{"same", "v"}, {"diff", "1"}, {"onlyA", "q"}, {"near", "100"}, {"case", "off"}}},
       {"Alpha", {}},
       {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}},
      {{"mid", {{"onlyB", "r"}, {"near", "101"}, {"diff", "2"}, {"same", "v"}, {"case", "OFF"}}},
       {"beta", {{"y", "2"}, {"z", "3"}}},
       {"zeta", {{"x", "1"}}},
       {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}});
  EXPECT_TRUE(differ);
  // Upper case before lower case, and a multi-byte name after both.
  const StatusContents expected{
      {"Alpha", {}},
      {"beta", {{"y", "4"}, {"z", "4"}}},
      // "near" and "case" are equal by the module's rule (within 2 %; zero
      // texts equal ignoring case).
      {"mid",
       {{"case", "1"}, {"diff", "0"}, {"near", "1"}, {"onlyA", "3"}, {"onlyB", "4"},
        {"same", "1"}}},
      {"zeta", {{"x", "1"}}},
      {"\xc3\xa9t\xc3\xa9", {{"t", "1"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, SameFilesGiveOnlyEqualCodesAndDoNotDiffer) {
  const std::vector<ObjectSpec> objects{{"pump", {{"flow", "12"}, {"seal", "lip"}}},
                                        {"empty", {}}};
  EXPECT_FALSE(Write(objects, objects));
  const StatusContents expected{{"empty", {}}, {"pump", {{"flow", "1"}, {"seal", "1"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, AnObjectOnOneSideDiffersEvenWithoutSlots) {
  EXPECT_TRUE(Write({{"pump", {}}}, {{"valve", {{"size", "50"}}}}));
  const StatusContents expected{{"pump", {}}, {"valve", {{"size", "4"}}}};
  EXPECT_EQ(ReadStatusFile(Path("status.odb")), expected);
}

TEST_F(OdbdiffStatusFileTest, AFileThatIsNoObjectFileIsAFailure) {
  write_object_file(Path("a.odb"), {{"pump", {}}});
  EXPECT_THROW(WriteStatusFile(BindDiffModule(), Path("a.odb"), Path("missing.odb"),
                               Path("status.odb")),
               odbdiff::Failure);
}

}  // namespace
}  // namespace odbdiff_test
