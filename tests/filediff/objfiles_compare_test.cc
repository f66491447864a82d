// The object-file comparison: progress lines, results, and the records left
// in the three difference databases.
#include "diff/filediff/objfiles_compare.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::exists
#include <fstream>     // std::ifstream
#include <iterator>    // std::istreambuf_iterator
#include <string>      // std::string

#include "diff/filediff/comparison_context.h"  // diff_context_*
#include "tests/support/object_files.h"        // write_object_file, dump_database
#include "tests/support/temp_dir.h"            // TempDir

namespace diff::testing {
namespace {

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The number that the first entry of a one-sided list carries.
long first_entry_number(const std::string& combined_db, const char* list_object) {
  CvxODB database(0, combined_db.c_str(), 0);
  database.Open(1);
  CStrList names;
  database.GetSlots(list_object, &names, 0);
  const long number = names.GetLength() > 0 ? std::stol(names.GetTextAt(0)) : -1;
  database.Close(0);
  return number;
}

class ObjfilesCompareTest : public ::testing::Test {
 protected:
  ~ObjfilesCompareTest() override { diff_context_terminate(); }

  // Runs a comparison and keeps what it printed.
  int compare() {
    ::testing::internal::CaptureStdout();
    const int result = compare_object_files(a_.c_str(), b_.c_str(), a_diff_.c_str(),
                                            b_diff_.c_str(), combined_.c_str(), 0);
    printed_ = ::testing::internal::GetCapturedStdout();
    return result;
  }

  std::string header() const {
    return "\nComparing Object Files A: " + a_ + " and B: " + b_ + "\n";
  }

  TempDir dir_;
  std::string a_ = dir_.file("a.odb"), b_ = dir_.file("b.odb");
  std::string a_diff_ = dir_.file("a_diff.odb"), b_diff_ = dir_.file("b_diff.odb");
  std::string combined_ = dir_.file("combined.odb");
  std::string printed_;
};

TEST_F(ObjfilesCompareTest, TwoEmptyFilesPrintOnlyTheirNames) {
  write_object_file(a_, {});
  write_object_file(b_, {});
  EXPECT_EQ(compare(), 0);
  EXPECT_EQ(printed_, header());
  EXPECT_EQ(dump_database(combined_), "");
  EXPECT_EQ(dump_database(a_diff_), "");
  EXPECT_EQ(dump_database(b_diff_), "");
}

TEST_F(ObjfilesCompareTest, EqualFilesListOnlyTheCommonObjects) {
  write_object_file(a_, {{"valve", {{"size", "DN50"}}}, {"pump", {{"flow", "10 m3/h"}}}});
  write_object_file(b_, {{"pump", {{"flow", "10.1 m3/h"}}}, {"valve", {{"size", "DN50"}}}});
  EXPECT_EQ(compare(), 0);
  EXPECT_EQ(printed_, header() + "Processing Object pump\nProcessing Object valve\n");
  EXPECT_EQ(dump_database(combined_),
            "__Comon Objects Between Files A and B__\n  pump = \n  valve = \n");
  EXPECT_EQ(dump_database(a_diff_), "");
  EXPECT_EQ(dump_database(b_diff_), "");
}

TEST_F(ObjfilesCompareTest, RecordsEveryKindOfDifference) {
  write_object_file(a_, {{"pump", {{"flow", "10"}, {"model", "P1"}, {"seal", "yes"}}},
                         {"valve", {{"size", "DN50"}}},
                         {"tank", {{"volume", "40"}}}});
  write_object_file(b_, {{"zz", {{"x", "1"}}},
                         {"valve", {{"size", "DN50"}}},
                         {"pump", {{"model", "P1"}, {"flow", "12"}, {"colour", "red"}}}});
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(printed_, header() +
                          "Processing Object pump\nProcessing Object tank\n"
                          "Processing Object valve\nProcessing Object zz\n");

  const long only_a = first_entry_number(combined_, "__Objects In A, Not in B__");
  const long only_b = first_entry_number(combined_, "__Objects In B, Not in A__");
  EXPECT_EQ(dump_database(combined_),
            "__Comon Objects Between Files A and B__\n  pump = \n  valve = \n"
            "pump\n  B->colour = ONLY\n  A->flow = 10\n  B->flow = 12\n  A->seal = ONLY\n"
            "__Objects In A, Not in B__\n  " + std::to_string(only_a) + " = tank\n"
            "__Objects In B, Not in A__\n  " + std::to_string(only_b) + " = zz\n");
  EXPECT_EQ(dump_database(a_diff_), "pump\n  flow = 10\n  seal = yes\n");
  EXPECT_EQ(dump_database(b_diff_), "pump\n  colour = red\n  flow = 12\n");
}

TEST_F(ObjfilesCompareTest, ObjectsOfOneFileOnly) {
  write_object_file(a_, {});
  write_object_file(b_, {{"m", {{"x", "1"}}}, {"k", {}}});
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(printed_, header() + "Processing Object k\nProcessing Object m\n");
  const long first = first_entry_number(combined_, "__Objects In B, Not in A__");
  EXPECT_EQ(dump_database(combined_), "__Objects In B, Not in A__\n  " + std::to_string(first) +
                                          " = k\n  " + std::to_string(first + 1) + " = m\n");

  write_object_file(a_, {{"m", {{"x", "1"}}}});  // B holds one more object, sorting first
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(printed_, header() + "Processing Object k\nProcessing Object m\n");
}

TEST_F(ObjfilesCompareTest, LaterCommonObjectsAreComparedAfterADifference) {
  write_object_file(a_, {{"a", {{"x", "1"}}}, {"b", {{"y", "1"}}}});
  write_object_file(b_, {{"a", {{"x", "5"}}}, {"b", {{"y", "9"}}}});
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(dump_database(a_diff_), "a\n  x = 1\nb\n  y = 1\n");
}

TEST_F(ObjfilesCompareTest, NumberingRunsOnInASecondComparison) {
  write_object_file(a_, {{"gone", {}}});
  write_object_file(b_, {});
  compare();
  const long first = first_entry_number(combined_, "__Objects In A, Not in B__");
  compare();  // without releasing the first context in between
  EXPECT_EQ(first_entry_number(combined_, "__Objects In A, Not in B__"), first + 1);
  EXPECT_EQ(dump_database(combined_),
            "__Objects In A, Not in B__\n  " + std::to_string(first + 1) + " = gone\n");
}

TEST_F(ObjfilesCompareTest, ExistingDifferenceDatabasesAreEmptiedFirst) {
  write_object_file(a_diff_, {{"stale", {{"old", "1"}}}});
  write_object_file(a_, {{"p", {}}});
  write_object_file(b_, {{"p", {}}});
  EXPECT_EQ(compare(), 0);
  EXPECT_EQ(dump_database(a_diff_), "");
}

TEST_F(ObjfilesCompareTest, DeleteRemovesTheDifferenceDatabasesOnly) {
  write_object_file(a_, {{"p", {{"x", "1"}}}});
  write_object_file(b_, {{"p", {{"x", "2"}}}});
  compare();
  const std::string a_bytes = file_bytes(a_), b_bytes = file_bytes(b_);
  EXPECT_EQ(diff_context_delete_difference_dbs(), 1);
  EXPECT_FALSE(std::filesystem::exists(a_diff_));
  EXPECT_FALSE(std::filesystem::exists(b_diff_));
  EXPECT_FALSE(std::filesystem::exists(combined_));
  EXPECT_EQ(file_bytes(a_), a_bytes);
  EXPECT_EQ(file_bytes(b_), b_bytes);
  EXPECT_TRUE(context_is_complete());  // the handles stay until terminated

  EXPECT_EQ(diff_context_terminate(), 1);
  EXPECT_FALSE(context_is_complete());
  EXPECT_EQ(diff_context_terminate(), 1);
  EXPECT_EQ(diff_context_delete_difference_dbs(), 0);  // nothing to delete without a context
}

TEST_F(ObjfilesCompareTest, MissingObjectFileComparesAsEmpty) {
  write_object_file(b_, {{"p", {}}});
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(printed_, header() + "Processing Object p\n");
  EXPECT_FALSE(std::filesystem::exists(a_));  // object files are never created
}

}  // namespace
}  // namespace diff::testing
