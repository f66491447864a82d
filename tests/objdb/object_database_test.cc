// Objects and slots through CvxODB: order, replacement, names, arguments,
// and the file-level operations Create, Delete, Exists and Validate.
#include <gmock/gmock.h>  // ElementsAre, IsEmpty
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <memory>  // std::unique_ptr
#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "objdb_test_support.h"         // ScratchDir, ReadBytes, WriteBytes, Texts, Fill

namespace {

using objdb_test::Fill;
using objdb_test::ReadBytes;
using objdb_test::Texts;
using objdb_test::WriteBytes;
using testing::ElementsAre;
using testing::IsEmpty;

class ObjectDatabaseTest : public testing::Test {
 protected:
  objdb_test::ScratchDir dir_;
  std::string path_ = dir_.File("objects.odb");
  CvxODB db_{7, path_.c_str(), 0};
};

TEST_F(ObjectDatabaseTest, OpenForWritingCreatesAnEmptyObjectFile) {
  EXPECT_EQ(db_.Exists(), 0);
  ASSERT_EQ(db_.Open(0), 1);
  EXPECT_EQ(db_.IsOpen(), 1);
  EXPECT_EQ(db_.IsValid(), 1);
  EXPECT_EQ(db_.CanWrite(), 1);
  EXPECT_EQ(db_.Exists(), 1);  // made durably before any write
  EXPECT_EQ(db_.Close(0), 1);
  EXPECT_EQ(db_.IsOpen(), 0);
  EXPECT_EQ(db_.Close(0), 0);  // nothing left to close

  ASSERT_EQ(db_.Open(1), 1);
  EXPECT_EQ(db_.CanWrite(), 0);
  CStrList objects;
  EXPECT_EQ(db_.GetObjects(&objects), 1);
  EXPECT_THAT(Texts(objects), IsEmpty());
}

TEST_F(ObjectDatabaseTest, ReadOnlyOpenOfAMissingFileFailsAndCreatesNothing) {
  EXPECT_EQ(db_.Open(1), 0);
  EXPECT_THAT(dir_.Entries(), IsEmpty());
}

TEST_F(ObjectDatabaseTest, OpeningAnOpenHandleKeepsItsMode) {
  ASSERT_EQ(db_.Open(0), 1);
  EXPECT_EQ(db_.Open(1), 1);
  EXPECT_EQ(db_.CanWrite(), 1);
  EXPECT_EQ(db_.Open(2), 1);  // already open: the mode is not even looked at
  db_.Close(0);
  EXPECT_EQ(db_.Open(2), 0);
  EXPECT_EQ(db_.Open(-1), 0);
}

TEST_F(ObjectDatabaseTest, ObjectsComeBackInCreationOrderOnce) {
  ASSERT_EQ(db_.Open(0), 1);
  for (const char* name : {"zeta", "alpha", "Alpha", "mid"}) EXPECT_EQ(db_.CreateObject(name, nullptr), 1);
  EXPECT_EQ(db_.CreateObject("alpha", nullptr), 1);  // exists afterwards: success, no duplicate
  EXPECT_EQ(db_.ObjectExists("Alpha"), 1);
  EXPECT_EQ(db_.ObjectExists("ALPHA"), 0);  // names compare byte for byte
  CStrList objects;
  objects.Append("kept");  // results are appended
  ASSERT_EQ(db_.GetObjects(&objects), 1);
  EXPECT_THAT(Texts(objects), ElementsAre("kept", "zeta", "alpha", "Alpha", "mid"));
}

TEST_F(ObjectDatabaseTest, SlotsKeepCreationOrderAndAreReplacedInPlace) {
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("part", nullptr), 1);
  ASSERT_EQ(db_.SetValue("part", "b", "first", 0, 0), 1);
  ASSERT_EQ(db_.SetNumberValue("part", "a", 2, "m"), 1);
  ASSERT_EQ(db_.SetValue("part", "c", "third", 0, 0), 1);
  ASSERT_EQ(db_.SetNumberValue("part", "b", 12.5, "kg"), 1);  // text becomes number, same place
  CStrList items;
  Fill(items, {"x", "y"});
  ASSERT_EQ(db_.SetListValue("part", "a", &items), 1);

  CStrList names;
  CStrList values;
  ASSERT_EQ(db_.LoadAllSlots("part", &names, &values, 0, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("b", "a", "c"));
  EXPECT_THAT(Texts(values), ElementsAre("12.5 kg", "x\ny", "third"));
  CStrList slot_names;
  ASSERT_EQ(db_.GetSlots("part", &slot_names, 0), 1);
  EXPECT_THAT(Texts(slot_names), ElementsAre("b", "a", "c"));
}

TEST_F(ObjectDatabaseTest, WritesThatHopBetweenObjectsKeepEachObjectsOrder) {
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("one", nullptr), 1);
  ASSERT_EQ(db_.CreateObject("two", nullptr), 1);
  ASSERT_EQ(db_.SetValue("one", "a", "1a", 0, 0), 1);
  ASSERT_EQ(db_.SetValue("two", "x", "2x", 0, 0), 1);
  ASSERT_EQ(db_.SetValue("one", "b", "1b", 0, 0), 1);
  ASSERT_EQ(db_.SetValue("one", "a", "1a'", 0, 0), 1);  // replaced in place
  ASSERT_EQ(db_.SetValue("one", "c", "1c", 0, 0), 1);   // still after b
  ASSERT_EQ(db_.ObjectExists("two"), 1);
  ASSERT_EQ(db_.SetValue("two", "y", "2y", 0, 0), 1);
  ASSERT_EQ(db_.Close(1), 1);

  // A later writer appends after the slots already in the file.
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.SetValue("one", "d", "1d", 0, 0), 1);
  ASSERT_EQ(db_.CreateObject("one", nullptr), 1);  // there already
  ASSERT_EQ(db_.SetValue("one", "e", "1e", 0, 0), 1);
  CStrList names;
  CStrList values;
  ASSERT_EQ(db_.LoadAllSlots("one", &names, &values, 0, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("a", "b", "c", "d", "e"));
  EXPECT_THAT(Texts(values), ElementsAre("1a'", "1b", "1c", "1d", "1e"));
  CStrList two_names;
  ASSERT_EQ(db_.GetSlots("two", &two_names, 0), 1);
  EXPECT_THAT(Texts(two_names), ElementsAre("x", "y"));
}

// Reads that follow one another in name order continue one scan of the
// file; any other order, repeats, objects without slots, names that begin
// with another object's name and writes in between must read the same.
TEST_F(ObjectDatabaseTest, ReadsInAnyOrderGiveEachObjectsSlotsInCreationOrder) {
  ASSERT_EQ(db_.Open(0), 1);
  const std::vector<std::string> objects = {"b", "a", "ab", "a b", "empty", "c"};
  for (const std::string& object : objects) ASSERT_EQ(db_.CreateObject(object.c_str(), nullptr), 1);
  for (const std::string object : {"b", "a", "ab", "a b", "c"}) {
    for (const char* slot : {"z", "m", "a"}) {
      ASSERT_EQ(db_.SetValue(object.c_str(), slot, (object + "." + slot).c_str(), 0, 0), 1);
    }
  }
  ASSERT_EQ(db_.Close(1), 1);

  ASSERT_EQ(db_.Open(1), 1);
  const auto expect_object = [this](const std::string& object) {
    CStrList names;
    CStrList values;
    ASSERT_EQ(db_.LoadAllSlots(object.c_str(), &names, &values, 0, 0), 1) << object;
    if (object == "empty") {
      EXPECT_THAT(Texts(names), IsEmpty());
      return;
    }
    EXPECT_THAT(Texts(names), ElementsAre("z", "m", "a")) << object;
    EXPECT_THAT(Texts(values), ElementsAre(object + ".z", object + ".m", object + ".a")) << object;
  };
  for (const char* object : {"a", "a b", "ab", "b", "c", "empty"}) expect_object(object);
  for (const char* object : {"empty", "c", "b", "b", "a", "ab", "a b", "c"}) expect_object(object);
  CStrList names;
  EXPECT_EQ(db_.GetSlots("a ", &names, 0), 0);  // between "a" and "a b": no such object
  EXPECT_EQ(db_.GetSlots("d", &names, 0), 0);   // after the last
  EXPECT_THAT(Texts(names), IsEmpty());
  expect_object("a");
  db_.Close(0);

  // A write between reads is seen by the next read.
  ASSERT_EQ(db_.Open(0), 1);
  expect_object("a");
  ASSERT_EQ(db_.SetValue("ab", "n", "ab.n", 0, 0), 1);
  ASSERT_EQ(db_.GetSlots("ab", &names, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("z", "m", "a", "n"));
}

// A writer remembers a bounded number of objects it wrote to; objects it has
// forgotten are looked up again, and their new slots still go last.
TEST_F(ObjectDatabaseTest, WritesAcrossMoreObjectsThanRememberedKeepEachObjectsOrder) {
  constexpr int kObjects = 70000;  // more than a writer remembers
  ASSERT_EQ(db_.Open(0), 1);
  for (int number = 0; number < kObjects; ++number) {
    const std::string object = "o" + std::to_string(number);
    ASSERT_EQ(db_.CreateObject(object.c_str(), nullptr), 1);
    ASSERT_EQ(db_.SetValue(object.c_str(), "first", "1", 0, 0), 1);
  }
  for (const char* object : {"o0", "o1", "o69999", "o0"}) {
    ASSERT_EQ(db_.SetValue(object, (std::string("a-") + object).c_str(), "2", 0, 0), 1);
  }
  CStrList names;
  ASSERT_EQ(db_.GetSlots("o0", &names, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("first", "a-o0"));
  CStrList last_names;
  ASSERT_EQ(db_.GetSlots("o69999", &last_names, 0), 1);
  EXPECT_THAT(Texts(last_names), ElementsAre("first", "a-o69999"));
}

TEST_F(ObjectDatabaseTest, DiscardedObjectIsGoneForTheNextWriter) {
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("kept", nullptr), 1);
  ASSERT_EQ(db_.Close(1), 1);
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("discarded", nullptr), 1);
  ASSERT_EQ(db_.SetValue("discarded", "s", "v", 0, 0), 1);
  ASSERT_EQ(db_.Close(0), 1);

  ASSERT_EQ(db_.Open(0), 1);
  EXPECT_EQ(db_.ObjectExists("discarded"), 0);
  EXPECT_EQ(db_.SetValue("discarded", "s", "v", 0, 0), 0);
  ASSERT_EQ(db_.SetValue("kept", "s", "v", 0, 0), 1);
  CStrList names;
  ASSERT_EQ(db_.GetSlots("kept", &names, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("s"));
}

TEST_F(ObjectDatabaseTest, SlotsBelongToTheirObject) {
  ASSERT_EQ(db_.Open(0), 1);
  db_.CreateObject("one", nullptr);
  db_.CreateObject("two", nullptr);
  db_.SetValue("one", "s", "1", 0, 0);
  db_.SetValue("two", "s", "2", 0, 0);
  db_.SetValue("two", "t", "3", 0, 0);
  CStrList names;
  CStrList values;
  ASSERT_EQ(db_.LoadAllSlots("one", &names, &values, 0, 0), 1);
  EXPECT_THAT(Texts(values), ElementsAre("1"));
  CvxSlot slot;
  ASSERT_EQ(db_.GetValue("two", "s", slot, 0), 1);
  EXPECT_STREQ(slot.Text(), "2");
}

TEST_F(ObjectDatabaseTest, MissingObjectsAndSlotsLeaveTheListsAlone) {
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("empty", nullptr), 1);
  CStrList names;
  CStrList values;
  names.Append("n");
  values.Append("v");
  EXPECT_EQ(db_.LoadAllSlots("absent", &names, &values, 0, 0), 0);
  EXPECT_EQ(db_.GetSlots("absent", &names, 0), 0);
  EXPECT_EQ(db_.LoadAllSlots("empty", &names, &values, 0, 0), 1);  // exists, no slots
  EXPECT_EQ(db_.GetSlots("empty", &names, 0), 1);
  EXPECT_THAT(Texts(names), ElementsAre("n"));
  EXPECT_THAT(Texts(values), ElementsAre("v"));

  EXPECT_EQ(db_.SetValue("absent", "s", "v", 0, 0), 0);
  EXPECT_EQ(db_.ObjectExists("absent"), 0);  // a write does not create its object
  CvxSlot slot;
  ASSERT_EQ(db_.SetValue("empty", "s", "v", 0, 0), 1);
  ASSERT_EQ(db_.GetValue("empty", "s", slot, 0), 1);
  EXPECT_EQ(db_.GetValue("empty", "other", slot, 0), 0);
  EXPECT_EQ(slot.IsText(), 0);  // a failed fetch leaves the slot holding nothing
  EXPECT_EQ(slot.GetValueBufferLength(), 0u);
}

TEST_F(ObjectDatabaseTest, NamesAndTextsAreArbitraryBytes) {
  const std::vector<std::string> names = {"line\nbreak", "tab\there", "\xff\xfe", " ", "\x01"};
  ASSERT_EQ(db_.Open(0), 1);
  for (const std::string& name : names) {
    ASSERT_EQ(db_.CreateObject(name.c_str(), nullptr), 1);
    ASSERT_EQ(db_.SetValue(name.c_str(), name.c_str(), ("v" + name).c_str(), 0, 0), 1);
  }
  ASSERT_EQ(db_.SetValue(" ", "", "empty slot name", 0, 0), 1);
  ASSERT_EQ(db_.Close(1), 1);

  ASSERT_EQ(db_.Open(1), 1);
  CStrList objects;
  ASSERT_EQ(db_.GetObjects(&objects), 1);
  EXPECT_EQ(Texts(objects), names);
  for (const std::string& name : names) {
    CStrList slot_names;
    CStrList values;
    ASSERT_EQ(db_.LoadAllSlots(name.c_str(), &slot_names, &values, 0, 0), 1);
    ASSERT_GE(slot_names.GetLength(), 1);
    EXPECT_EQ(Texts(slot_names)[0], name);
    EXPECT_EQ(Texts(values)[0], "v" + name);
  }
  CvxSlot slot;
  ASSERT_EQ(db_.GetValue(" ", "", slot, 0), 1);
  EXPECT_STREQ(slot.Text(), "empty slot name");
}

TEST_F(ObjectDatabaseTest, InvalidArgumentsFailWithoutEffect) {
  CStrList list;
  CvxSlot slot;
  EXPECT_EQ(db_.GetObjects(&list), 0);  // closed
  ASSERT_EQ(db_.Open(0), 1);
  ASSERT_EQ(db_.CreateObject("o", nullptr), 1);
  int reserved = 0;
  EXPECT_EQ(db_.CreateObject("", nullptr), 0);
  EXPECT_EQ(db_.CreateObject(nullptr, nullptr), 0);
  EXPECT_EQ(db_.CreateObject("p", &reserved), 0);
  EXPECT_EQ(db_.ObjectExists(nullptr), 0);
  EXPECT_EQ(db_.GetObjects(nullptr), 0);
  EXPECT_EQ(db_.GetSlots(nullptr, &list, 0), 0);
  EXPECT_EQ(db_.GetSlots("o", nullptr, 0), 0);
  EXPECT_EQ(db_.GetSlots("o", &list, 1), 0);
  EXPECT_EQ(db_.LoadAllSlots("o", &list, nullptr, 0, 0), 0);
  EXPECT_EQ(db_.LoadAllSlots("o", &list, &list, 1, 0), 0);
  EXPECT_EQ(db_.LoadAllSlots("o", &list, &list, 0, 1), 0);
  EXPECT_EQ(db_.GetValue("o", nullptr, slot, 0), 0);
  EXPECT_EQ(db_.SetValue(nullptr, "s", "v", 0, 0), 0);
  EXPECT_EQ(db_.SetValue("o", nullptr, "v", 0, 0), 0);
  EXPECT_EQ(db_.SetValue("o", "s", nullptr, 0, 0), 0);
  EXPECT_EQ(db_.SetValue("o", "s", "v", 1, 0), 0);
  EXPECT_EQ(db_.SetNumberValue("o", nullptr, 1, nullptr), 0);
  EXPECT_EQ(db_.SetListValue("o", "s", nullptr), 0);
  EXPECT_EQ(db_.Close(2), 0);  // an unknown flag closes nothing
  EXPECT_EQ(db_.IsOpen(), 1);
  EXPECT_EQ(db_.ObjectExists("p"), 0);
  EXPECT_EQ(db_.GetSlots("o", &list, 0), 1);
  EXPECT_EQ(list.GetLength(), 0);

  CvxODB nameless(0, nullptr, 0);
  EXPECT_STREQ(nameless.DB(), "");
  EXPECT_EQ(nameless.Open(0), 0);
  EXPECT_EQ(nameless.Create(), 0);
  EXPECT_EQ(nameless.Exists(), 0);
  EXPECT_EQ(nameless.Delete(), 0);
  CvxODB empty_name(0, "", 0);
  EXPECT_EQ(empty_name.Open(0), 0);
}

TEST_F(ObjectDatabaseTest, ReadOnlyHandleRefusesWrites) {
  ASSERT_EQ(db_.Open(0), 1);
  db_.CreateObject("o", nullptr);
  ASSERT_EQ(db_.Close(1), 1);
  ASSERT_EQ(db_.Open(1), 1);
  CStrList items;
  EXPECT_EQ(db_.CreateObject("p", nullptr), 0);
  EXPECT_EQ(db_.SetValue("o", "s", "v", 0, 0), 0);
  EXPECT_EQ(db_.SetNumberValue("o", "s", 1, ""), 0);
  EXPECT_EQ(db_.SetListValue("o", "s", &items), 0);
  EXPECT_EQ(db_.Close(1), 1);  // nothing to save
}

TEST_F(ObjectDatabaseTest, ClassAllocatorMakesAndFreesHandles) {
  CvxODB* handle = new (char{0}) CvxODB(3, path_.c_str(), 1);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->Open(0), 1);
  EXPECT_EQ(handle->CreateObject("o", nullptr), 1);
  delete handle;  // still open: frees through the virtual destructor

  CvxSlot* slot = new (char{0}) CvxSlot(nullptr, VX_SLOT_ANY);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->IsText(), 0);
  delete slot;
}

TEST_F(ObjectDatabaseTest, CreateEmptiesAnObjectFileAndLeavesItOpenForWriting) {
  ASSERT_EQ(db_.Create(), 1);  // also where nothing was
  EXPECT_EQ(db_.CanWrite(), 1);
  db_.CreateObject("old", nullptr);
  ASSERT_EQ(db_.Close(1), 1);

  ASSERT_EQ(db_.Open(1), 1);
  ASSERT_EQ(db_.Create(), 1);  // closes the handle first
  EXPECT_EQ(db_.CanWrite(), 1);
  EXPECT_EQ(db_.ObjectExists("old"), 0);
  ASSERT_EQ(db_.Close(0), 1);
  CvxODB reader(0, path_.c_str(), 0);
  ASSERT_EQ(reader.Open(1), 1);
  CStrList objects;
  ASSERT_EQ(reader.GetObjects(&objects), 1);
  EXPECT_EQ(objects.GetLength(), 0);
}

TEST_F(ObjectDatabaseTest, DeleteRemovesTheFileAndItsJournals) {
  ASSERT_EQ(db_.Create(), 1);
  ASSERT_EQ(db_.Close(1), 1);
  ASSERT_EQ(db_.Open(1), 1);
  for (const char* suffix : {"-journal", "-wal", "-shm"}) WriteBytes(path_ + suffix, "stale");
  EXPECT_EQ(db_.Delete(), 1);
  EXPECT_EQ(db_.IsOpen(), 0);
  EXPECT_THAT(dir_.Entries(), IsEmpty());
  EXPECT_EQ(db_.Exists(), 0);
  EXPECT_EQ(db_.Delete(), 0);  // nothing left to delete
}

TEST_F(ObjectDatabaseTest, ValidateChecksObjectFilesOnly) {
  EXPECT_EQ(db_.Validate(0), 0);
  ASSERT_EQ(db_.Open(0), 1);
  db_.CreateObject("o", nullptr);
  EXPECT_EQ(db_.Validate(0), 1);
  EXPECT_EQ(db_.Validate(1), 1);
  ASSERT_EQ(db_.Close(1), 1);
  EXPECT_EQ(db_.Validate(1), 1);  // closed: checked through a read-only open
  WriteBytes(path_, std::string(8192, 'x'));
  EXPECT_EQ(db_.Validate(0), 0);
}

}  // namespace

namespace {

// What a read of one value gave, as the caller sees it.
std::string ValueRead(CvxODB& db, const char* object, const char* slot_name) {
  CvxSlot slot;
  const int found = db.GetValue(object, slot_name, slot, 0);
  CStrList items;
  slot.GetListItems(&items);
  std::string read = std::to_string(found) + " " + db.LastError() + " " +
                     std::to_string(slot.IsText()) + std::to_string(slot.IsNumber()) +
                     std::to_string(slot.IsList()) + " " + slot.Text() + " " +
                     std::to_string(slot.Number()) + " " + slot.Units();
  for (const std::string& item : Texts(items)) read += " [" + item + "]";
  return read;
}

}  // namespace

// A read-only handle reads an object whole once a value of it is read after
// its slots were listed, or with the listing once the caller read values of
// the object listed before; every value, a missing slot and a damaged
// sibling read as they read on their own.
TEST_F(ObjectDatabaseTest, ValuesReadAfterTheirObjectsListingReadAsAlone) {
  ASSERT_EQ(db_.Open(0), 1);
  for (const char* object : {"o", "p", "wide"}) ASSERT_EQ(db_.CreateObject(object, nullptr), 1);
  CStrList items;
  Fill(items, {"x", "", "y"});
  CStrList no_items;
  ASSERT_EQ(db_.SetValue("o", "text", "a text  ", 0, 0), 1);
  ASSERT_EQ(db_.SetNumberValue("o", "flow", 12.5, "m3/h"), 1);
  ASSERT_EQ(db_.SetNumberValue("o", "count", -3, nullptr), 1);
  ASSERT_EQ(db_.SetListValue("o", "list", &items), 1);
  ASSERT_EQ(db_.SetListValue("o", "none", &no_items), 1);
  ASSERT_EQ(db_.SetValue("o", "bad", "soon damaged", 0, 0), 1);
  ASSERT_EQ(db_.SetValue("p", "text", "of p", 0, 0), 1);
  for (int i = 0; i < 300; ++i) {  // more than an object read whole may have
    const std::string slot = "s" + std::to_string(i);
    ASSERT_EQ(db_.SetValue("wide", slot.c_str(), slot.c_str(), 0, 0), 1);
  }
  ASSERT_EQ(db_.Close(1), 1);
  objdb_test::RunSql(path_,
                     "PRAGMA ignore_check_constraints = 1;"
                     " UPDATE slots SET kind = 4 WHERE object = 'o' AND name = 'bad'");

  CvxODB alone(0, path_.c_str(), 0);
  ASSERT_EQ(alone.Open(1), 1);
  ASSERT_EQ(db_.Open(1), 1);
  for (const char* object : {"o", "wide", "p", "o"}) {
    CStrList names;
    ASSERT_EQ(db_.GetSlots(object, &names, 0), 1) << object;
    // The same listing again after another object's slots and values.
    CStrList other_names;
    CStrList other_values;
    ASSERT_EQ(db_.LoadAllSlots("p", &other_names, &other_values, 0, 0), 1);
    CStrList again;
    ASSERT_EQ(db_.GetSlots(object, &again, 0), 1) << object;
    EXPECT_EQ(Texts(again), Texts(names)) << object;
    std::vector<std::string> slots = Texts(names);
    slots.push_back("missing");
    for (const std::string& slot : slots) {
      EXPECT_EQ(ValueRead(db_, object, slot.c_str()), ValueRead(alone, object, slot.c_str()))
          << object << "." << slot;
      // A value of another object between two of this one's.
      EXPECT_EQ(ValueRead(db_, "p", "text"), ValueRead(alone, "p", "text"));
    }
  }
  db_.Close(0);

  // A listing repeated after a write has the written slot.
  ASSERT_EQ(db_.Open(0), 1);
  CStrList names;
  ASSERT_EQ(db_.GetSlots("p", &names, 0), 1);
  ASSERT_EQ(db_.SetValue("p", "added", "v", 0, 0), 1);
  CStrList again;
  ASSERT_EQ(db_.GetSlots("p", &again, 0), 1);
  EXPECT_THAT(Texts(again), ElementsAre("text", "added"));
}
