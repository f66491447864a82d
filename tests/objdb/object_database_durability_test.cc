// What reaches the file and when: saving and discarding, read-only opens that
// leave the file byte for byte as it was, a writer killed halfway (in an
// ordinary and in a scratch folder), and files that are not object files,
// which no operation may touch.
#include <gmock/gmock.h>  // ElementsAre
#include <gtest/gtest.h>  // TEST_F, TEST_P, EXPECT_*
#include <signal.h>       // raise, SIGKILL
#include <stdlib.h>       // setenv, unsetenv: the scratch folder
#include <sys/stat.h>     // chmod
#include <sys/wait.h>     // waitpid, WIFSIGNALED
#include <unistd.h>       // fork

#include <functional>  // std::function for the foreign-file makers
#include <string>      // std::string
#include <vector>      // std::vector

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "objdb_test_support.h"         // ScratchDir, ReadBytes, WriteBytes, RunSql, Texts

namespace {

using objdb_test::ReadBytes;
using objdb_test::RunSql;
using objdb_test::Texts;
using objdb_test::WriteBytes;
using testing::ElementsAre;

std::vector<std::string> ObjectsIn(const std::string& path) {
  CvxODB db(0, path.c_str(), 0);
  CStrList objects;
  if (db.Open(1) == 0 || db.GetObjects(&objects) == 0) return {"<unreadable>"};
  return Texts(objects);
}

// Each test runs in an ordinary folder and in a scratch folder, whose files
// are not synced: to the processes that use them they behave alike.
class ObjectDatabaseDurabilityTest : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    // Named by another spelling: the folder is recognised by its inode.
    if (GetParam()) {
      ASSERT_EQ(setenv("ZOZAVI_SCRATCH_FOLDER", dir_.File(".").c_str(), 1), 0);
    }
    ASSERT_EQ(db_.Create(), 1);
    db_.CreateObject("saved", nullptr);
    db_.SetValue("saved", "s", "v", 0, 0);
    ASSERT_EQ(db_.Close(1), 1);
  }
  void TearDown() override { unsetenv("ZOZAVI_SCRATCH_FOLDER"); }

  objdb_test::ScratchDir dir_;
  std::string path_ = dir_.File("objects.odb");
  CvxODB db_{0, path_.c_str(), 0};
};

TEST_P(ObjectDatabaseDurabilityTest, CloseWithOneSavesAndWithZeroDiscards) {
  ASSERT_EQ(db_.Open(0), 1);
  db_.CreateObject("discarded", nullptr);
  db_.SetValue("saved", "s", "changed", 0, 0);
  ASSERT_EQ(db_.Close(0), 1);
  EXPECT_THAT(ObjectsIn(path_), ElementsAre("saved"));

  ASSERT_EQ(db_.Open(0), 1);
  db_.CreateObject("kept", nullptr);
  ASSERT_EQ(db_.Close(1), 1);
  EXPECT_THAT(ObjectsIn(path_), ElementsAre("saved", "kept"));
  ASSERT_EQ(db_.Open(1), 1);
  CvxSlot slot;
  ASSERT_EQ(db_.GetValue("saved", "s", slot, 0), 1);
  EXPECT_STREQ(slot.Text(), "v");
}

TEST_P(ObjectDatabaseDurabilityTest, HandleDestroyedWhileOpenDiscards) {
  {
    CvxODB writer(0, path_.c_str(), 0);
    ASSERT_EQ(writer.Open(0), 1);
    ASSERT_EQ(writer.CreateObject("lost", nullptr), 1);
  }
  EXPECT_THAT(ObjectsIn(path_), ElementsAre("saved"));
}

TEST_P(ObjectDatabaseDurabilityTest, ReadOnlyOpenLeavesTheFileByteForByte) {
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  const std::string before = ReadBytes(path_);
  const std::vector<std::string> entries = dir_.Entries();

  ASSERT_EQ(db_.Open(1), 1);
  CStrList names;
  CStrList values;
  CvxSlot slot;
  EXPECT_EQ(db_.GetObjects(&names), 1);
  EXPECT_EQ(db_.LoadAllSlots("saved", &names, &values, 0, 0), 1);
  EXPECT_EQ(db_.GetValue("saved", "s", slot, 0), 1);
  EXPECT_EQ(db_.Validate(1), 1);
  // Root ignores the file mode, so the refusal comes from the handle itself.
  EXPECT_EQ(db_.SetValue("saved", "s", "overwritten", 0, 0), 0);
  EXPECT_EQ(db_.CreateObject("new", nullptr), 0);
  EXPECT_EQ(db_.Close(1), 1);

  EXPECT_EQ(ReadBytes(path_), before);
  EXPECT_EQ(dir_.Entries(), entries);  // no journal left behind
}

TEST_P(ObjectDatabaseDurabilityTest, WriterKilledBeforeSavingLeavesEarlierContent) {
  // Enough data to overflow the page cache, so pages reach the file before
  // the kill and the journal has to restore them.
  const std::string big(64 * 1024, 'x');
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CvxODB writer(0, path_.c_str(), 0);
    writer.Open(0);
    writer.SetValue("saved", "s", "half-written", 0, 0);
    writer.CreateObject("unsaved", nullptr);
    for (int i = 0; i < 1500; ++i) writer.SetValue("unsaved", std::to_string(i).c_str(), big.c_str(), 0, 0);
    raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  // Reading would need the journal played back, which writes the file: only
  // a read-write open does that. The read-only open says so and leaves the
  // file and its journal as they were.
  const std::string file_before = ReadBytes(path_);
  const std::string journal_before = ReadBytes(path_ + "-journal");
  ASSERT_FALSE(journal_before.empty());
  // SQLite gives a journal that it does not sync a record count of -1
  // (bytes 8 to 11 of its header): in a scratch folder, and only there.
  EXPECT_EQ(journal_before.substr(8, 4) == std::string(4, '\xff'), GetParam());
  EXPECT_EQ(db_.Open(1), 0);
  EXPECT_STREQ(db_.LastError(),
               "holds an interrupted write (hot journal objects.odb-journal) that a read-write "
               "open rolls back");
  EXPECT_EQ(ReadBytes(path_), file_before);
  EXPECT_EQ(ReadBytes(path_ + "-journal"), journal_before);
  ASSERT_EQ(db_.Open(0), 1);
  EXPECT_STREQ(db_.LastError(), "");
  CStrList objects;
  ASSERT_EQ(db_.GetObjects(&objects), 1);
  EXPECT_THAT(Texts(objects), ElementsAre("saved"));
  CvxSlot slot;
  ASSERT_EQ(db_.GetValue("saved", "s", slot, 0), 1);
  EXPECT_STREQ(slot.Text(), "v");
  EXPECT_EQ(db_.Validate(1), 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, ObjectDatabaseDurabilityTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Scratch" : "Ordinary");
                         });

// Files that are not object files, each made by one function.
struct ForeignFile {
  const char* label;
  std::function<void(const std::string& path)> make;
  const char* refusal;  // LastError after Open
};

class ObjectDatabaseForeignFileTest : public testing::TestWithParam<ForeignFile> {};

TEST_P(ObjectDatabaseForeignFileTest, IsRefusedAndLeftUntouched) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("not-objects");
  GetParam().make(path);
  const std::string before = ReadBytes(path);
  const std::vector<std::string> entries = dir.Entries();

  CvxODB db(0, path.c_str(), 0);
  EXPECT_EQ(db.Exists(), 0);
  EXPECT_STREQ(db.LastError(), "");  // an answer, not a failure
  EXPECT_EQ(db.Open(1), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(db.Open(0), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(db.Create(), 0);
  EXPECT_EQ(db.IsOpen(), 0);
  EXPECT_EQ(db.Validate(0), 0);
  EXPECT_EQ(db.Delete(), 0);

  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(dir.Entries(), entries);
}

// A real object file, then changed with SQLite directly.
std::function<void(const std::string&)> ObjectFileAfter(const char* sql) {
  return [sql](const std::string& path) {
    CvxODB db(0, path.c_str(), 0);
    ASSERT_EQ(db.Create(), 1);
    db.CreateObject("o", nullptr);
    ASSERT_EQ(db.Close(1), 1);
    RunSql(path, sql);
  };
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ObjectDatabaseForeignFileTest,
    testing::Values(
        ForeignFile{"TextFile", [](const std::string& p) { WriteBytes(p, "notes\nmore notes\n"); },
                    "not an object file"},
        ForeignFile{"EmptyFile", [](const std::string& p) { WriteBytes(p, ""); },
                    "not an object file"},
        ForeignFile{"OtherSqliteApplication",
                    [](const std::string& p) {
                      RunSql(p, "CREATE TABLE t (x); INSERT INTO t VALUES (1);");
                    },
                    "not an object file"},
        ForeignFile{"UnknownVersion", ObjectFileAfter("PRAGMA user_version = 99"),
                    "object file format version 99 is not supported"},
        ForeignFile{"OtherApplicationId", ObjectFileAfter("PRAGMA application_id = 5"),
                    "not an object file"},
        ForeignFile{"WriteAheadLogMode", ObjectFileAfter("PRAGMA journal_mode = WAL"),
                    "not an object file"}),
    [](const testing::TestParamInfo<ForeignFile>& info) { return std::string(info.param.label); });

TEST(ObjectDatabaseForeignPathTest, FolderIsNoObjectFile) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("folder");
  ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
  CvxODB db(0, path.c_str(), 0);
  EXPECT_EQ(db.Open(0), 0);
  EXPECT_EQ(db.Create(), 0);
  EXPECT_EQ(db.Delete(), 0);
  EXPECT_THAT(dir.Entries(), ElementsAre("folder"));
}

}  // namespace
