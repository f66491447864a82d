// The object-file comparison: progress lines, results, and the records left
// in the three difference databases.
#include "diff/filediff/objfiles_compare.h"

#include <sys/resource.h>  // getrlimit, setrlimit, RLIMIT_FSIZE

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <csignal>     // std::signal, SIGXFSZ

#include <filesystem>  // exists, create_hard_link, create_symlink
#include <fstream>     // std::ifstream, std::ofstream
#include <iterator>    // std::istreambuf_iterator
#include <string>      // std::string

#include "diff/filediff/comparison_context.h"  // diff_context_*
#include "diff/outcome/call_outcome.h"         // guarded, last_outcome
#include "tests/support/damaged_object_file.h"  // give_slot_unknown_kind
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

  // Runs a comparison as its entry point does and keeps what it printed and
  // its outcome.
  int compare() {
    return compare_as(a_.c_str(), b_.c_str(), a_diff_.c_str(), b_diff_.c_str(),
                      combined_.c_str());
  }
  int compare_as(const char* a, const char* b, const char* a_diff, const char* b_diff,
                 const char* combined) {
    ::testing::internal::CaptureStdout();
    const int result =
        guarded(1, [&] { return compare_object_files(rules_, a, b, a_diff, b_diff, combined, 0); });
    printed_ = ::testing::internal::GetCapturedStdout();
    const char* message = nullptr;
    code_ = last_outcome(&message);
    message_ = message;
    return result;
  }

  std::string header() const {
    return "\nComparing Object Files A: " + a_ + " and B: " + b_ + "\n";
  }

  const ComparisonRules rules_;  // the defaults
  TempDir dir_;
  std::string a_ = dir_.file("a.odb"), b_ = dir_.file("b.odb");
  std::string a_diff_ = dir_.file("a_diff.odb"), b_diff_ = dir_.file("b_diff.odb");
  std::string combined_ = dir_.file("combined.odb");
  std::string printed_;
  int code_ = DIFF_OK;
  std::string message_;
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

// A difference database that names an object file or another difference
// database, under any name, is refused before anything is opened: the
// earlier context and every file stay as they were, and deleting the
// difference databases afterwards never touches an object file.
TEST_F(ObjfilesCompareTest, DifferenceDatabaseNamingAnInputIsRefused) {
  write_object_file(a_, {{"p", {{"x", "1"}}}});
  write_object_file(b_, {{"p", {{"x", "2"}}}});
  EXPECT_EQ(compare(), 1);
  const CvxODB* earlier = context_handle(ContextSlot::kObjectFileA);
  const std::string a_bytes = file_bytes(a_), b_bytes = file_bytes(b_);
  const std::string hard_link = dir_.file("hard.odb"), symlink = dir_.file("sym.odb");
  std::filesystem::create_hard_link(a_, hard_link);
  std::filesystem::create_symlink("b.odb", symlink);
  const std::string alias = (dir_.path() / "." / "a.odb").string();
  const std::string future = dir_.file("new.odb"), future_alias = dir_.file("./new.odb");
  const std::string refused = "; an output may not replace an input";
  const struct {
    const char* a_diff;
    const char* b_diff;
    const char* combined;
    std::string message;
  } cases[] = {
      {a_.c_str(), b_diff_.c_str(), combined_.c_str(),
       a_ + ": the same file as object file A " + a_ + refused},
      {a_diff_.c_str(), b_.c_str(), combined_.c_str(),
       b_ + ": the same file as object file B " + b_ + refused},
      {a_diff_.c_str(), b_diff_.c_str(), a_diff_.c_str(),
       a_diff_ + ": the same file as the A difference database " + a_diff_ + refused},
      {hard_link.c_str(), b_diff_.c_str(), combined_.c_str(),
       hard_link + ": the same file as object file A " + a_ + refused},
      {a_diff_.c_str(), symlink.c_str(), combined_.c_str(),
       symlink + ": the same file as object file B " + b_ + refused},
      {a_diff_.c_str(), b_diff_.c_str(), alias.c_str(),
       alias + ": the same file as object file A " + a_ + refused},
      {a_diff_.c_str(), future.c_str(), future_alias.c_str(),
       future_alias + ": the same file as the B difference database " + future + refused},
      {a_diff_.c_str(), nullptr, combined_.c_str(), "diff_objfiles_ormo: a file name is missing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compare_as(a_.c_str(), b_.c_str(), c.a_diff, c.b_diff, c.combined), 1);
    EXPECT_EQ(code_, DIFF_ERROR_ARGUMENT);
    EXPECT_EQ(message_, c.message);
    EXPECT_EQ(printed_, "");
    EXPECT_EQ(context_handle(ContextSlot::kObjectFileA), earlier);
    EXPECT_FALSE(std::filesystem::exists(future));
  }
  EXPECT_EQ(diff_context_delete_difference_dbs(), 1);
  EXPECT_EQ(file_bytes(a_), a_bytes);
  EXPECT_EQ(file_bytes(b_), b_bytes);
}

// A comparison that cannot read its files or write its records fails with
// the reason, prints nothing of its walk and leaves no difference database
// that would read as "no differences"; the files it reads stay as they were.
TEST_F(ObjfilesCompareTest, ComparisonThatCannotFinishFails) {
  const std::string not_an_object_file = dir_.file("notes.txt");
  std::ofstream(not_an_object_file) << "just text\n";
  const std::string unreachable = dir_.file("no_such_folder/a_diff.odb");
  const struct {
    std::string a;
    std::string b;
    std::string a_diff;
    int code;
    std::string message;
  } cases[] = {
      {dir_.file("missing_a.odb"), dir_.file("missing_b.odb"), a_diff_, DIFF_ERROR_READ,
       dir_.file("missing_a.odb") + ": no such file"},
      {a_, not_an_object_file, a_diff_, DIFF_ERROR_READ,
       not_an_object_file + ": not an object file"},
      {a_, b_, unreachable, DIFF_ERROR_WRITE,
       unreachable + ": cannot be created: No such file or directory"},
  };
  write_object_file(a_, {{"p", {{"x", "1"}}}});
  write_object_file(b_, {{"p", {{"x", "2"}}}});
  for (const auto& c : cases) {
    EXPECT_EQ(compare_as(c.a.c_str(), c.b.c_str(), c.a_diff.c_str(), b_diff_.c_str(),
                         combined_.c_str()),
              1);
    EXPECT_EQ(code_, c.code);
    EXPECT_EQ(message_, c.message);
    EXPECT_EQ(printed_, "");
    EXPECT_FALSE(context_comparison_finished());
    EXPECT_FALSE(std::filesystem::exists(combined_));
  }
  EXPECT_FALSE(std::filesystem::exists(cases[0].a));  // object files are never created
  EXPECT_EQ(file_bytes(not_an_object_file), "just text\n");
}

// A slot that the library cannot read stops the comparison: its records
// would be incomplete.
TEST_F(ObjfilesCompareTest, DamagedSlotFailsTheComparison) {
  write_object_file(a_, {{"p", {{"x", "1"}, {"y", "2"}}}, {"q", {}}});
  write_object_file(b_, {{"p", {{"x", "1"}}}, {"q", {}}});
  give_slot_unknown_kind(a_, "p", "y");
  EXPECT_EQ(compare(), 1);
  EXPECT_EQ(code_, DIFF_ERROR_READ);
  EXPECT_EQ(message_, a_ + ": damaged: object \"p\", slot \"y\": kind 4 is unknown");
  EXPECT_EQ(printed_, header() + "Processing Object p\n");
  EXPECT_FALSE(std::filesystem::exists(combined_));
}

// A disk that fills while the records are written (here: a limit on the size
// of the files the process writes) fails the comparison instead of leaving
// difference databases that list fewer differences than there are.
TEST_F(ObjfilesCompareTest, FullDiskFailsTheComparison) {
  ObjectSpec a{"p", {}}, b{"p", {}};
  for (int i = 0; i < 2000; ++i) {
    a.slots.emplace_back("slot" + std::to_string(i), std::string(100, 'a'));
    b.slots.emplace_back("slot" + std::to_string(i), std::string(100, 'b'));
  }
  write_object_file(a_, {a});
  write_object_file(b_, {b});
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  const sighandler_t previous = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of a signal
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = compare();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(code_, DIFF_ERROR_WRITE);
  EXPECT_EQ(message_.rfind(a_diff_ + ": ", 0), 0u) << message_;
  for (const std::string& database : {a_diff_, b_diff_, combined_}) {
    EXPECT_FALSE(std::filesystem::exists(database)) << database;
  }
}

}  // namespace
}  // namespace diff::testing
