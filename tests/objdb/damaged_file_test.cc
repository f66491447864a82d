// Object files damaged outside the library are refused with a reason, never
// read as other data: Open refuses a wrong schema, a read refuses a row the
// library never writes, whether it reads for itself or a read-ahead serves
// it, and a file truncated under a read-only handle gives failed reads.
#include <gtest/gtest.h>  // TEST_P, EXPECT_*
#include <unistd.h>       // truncate

#include <cstdio>  // std::snprintf
#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "objdb_test_support.h"         // ScratchDir, ReadBytes, RunSql, Texts

namespace {

using objdb_test::ReadBytes;
using objdb_test::RunSql;
using objdb_test::Texts;

constexpr int kObjects = 200;  // enough reads in name order to start a read-ahead
constexpr int kDamaged = 150;  // the object whose rows are damaged, read ahead

std::string Name(int number) {
  char name[16];
  std::snprintf(name, sizeof name, "obj-%03d", number);
  return name;
}

// kObjects objects, each with a text "t", a number "n" with units and a list
// "l"; `filler` pads the texts so that the file spans many pages.
void WriteSoundFile(const std::string& path, const std::string& filler = "") {
  CvxODB db(0, path.c_str(), 0);
  ASSERT_EQ(db.Create(), 1);
  for (int number = 0; number < kObjects; ++number) {
    const std::string object = Name(number);
    CStrList items;
    objdb_test::Fill(items, {"x", "y"});
    ASSERT_EQ(db.CreateObject(object.c_str(), nullptr), 1);
    ASSERT_EQ(db.SetValue(object.c_str(), "t", (object + filler).c_str(), 0, 0), 1);
    ASSERT_EQ(db.SetNumberValue(object.c_str(), "n", number, "kg"), 1);
    ASSERT_EQ(db.SetListValue(object.c_str(), "l", &items), 1);
  }
  ASSERT_EQ(db.Close(1), 1);
}

// The damage, done with SQLite directly: the CHECK on `kind` is switched off
// so that any kind can be written.
std::string Damage(const char* sql) {
  return std::string("PRAGMA ignore_check_constraints = 1;") + sql;
}

// A slots table made anew as `create` with the rows of the old one.
std::string SlotsRemadeAs(const std::string& create) {
  return create +
         "; INSERT INTO remade SELECT * FROM slots; DROP TABLE slots;"
         " ALTER TABLE remade RENAME TO slots;";
}

constexpr char kSlotColumns[] =
    "object TEXT NOT NULL, name TEXT NOT NULL, seq INTEGER NOT NULL, kind INTEGER NOT NULL,"
    " text TEXT, number, units TEXT, items BLOB";

struct SchemaDamage {
  const char* label;
  std::string sql;
  const char* refusal;
};

class SchemaDamageTest : public testing::TestWithParam<SchemaDamage> {};

TEST_P(SchemaDamageTest, OpenRefusesAndLeavesTheFileAlone) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("damaged.odb");
  WriteSoundFile(path);
  RunSql(path, GetParam().sql.c_str());
  const std::string before = ReadBytes(path);
  CvxODB db(0, path.c_str(), 0);
  EXPECT_EQ(db.Open(1), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(db.Open(0), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(db.Validate(0), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchemaDamageTest,
    testing::Values(
        SchemaDamage{"SlotsDropped", "DROP TABLE slots", "damaged: no table \"slots\""},
        SchemaDamage{"ColumnDropped", "ALTER TABLE slots DROP COLUMN units",
                     "damaged: table \"slots\" has no column \"units\""},
        SchemaDamage{"ColumnRenamed", "ALTER TABLE slots RENAME COLUMN kind TO sort",
                     "damaged: table \"slots\" has no column \"kind\""},
        SchemaDamage{"ColumnAdded", "ALTER TABLE objects ADD COLUMN note TEXT",
                     "damaged: table \"objects\" has a column \"note\" that object files do not "
                     "have"},
        SchemaDamage{"NoPrimaryKey",
                     SlotsRemadeAs(std::string("CREATE TABLE remade (") + kSlotColumns + ")"),
                     "damaged: table \"slots\" lacks its PRIMARY KEY (object, name)"},
        SchemaDamage{"PrimaryKeyIgnoringCase",
                     SlotsRemadeAs(std::string("CREATE TABLE remade (") + kSlotColumns +
                                   ", PRIMARY KEY (object COLLATE NOCASE, name)) WITHOUT ROWID"),
                     "damaged: table \"slots\" lacks its PRIMARY KEY (object, name)"},
        SchemaDamage{"RowidTable",
                     SlotsRemadeAs(std::string("CREATE TABLE remade (") + kSlotColumns +
                                   ", PRIMARY KEY (object, name))"),
                     "damaged: table \"slots\" is not WITHOUT ROWID"},
        SchemaDamage{"ObjectNamesNotUnique",
                     "CREATE TABLE remade (id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
                     " INSERT INTO remade SELECT * FROM objects; DROP TABLE objects;"
                     " ALTER TABLE remade RENAME TO objects;",
                     "damaged: column \"name\" of table \"objects\" is not UNIQUE"},
        SchemaDamage{"SlotsAView",
                     "ALTER TABLE slots RENAME TO old; CREATE VIEW slots AS SELECT * FROM old",
                     "damaged: \"slots\" is a view, not a table"},
        // Slots before the first object and after the last are passed over by
        // every read, so Open looks for them.
        SchemaDamage{"SlotsAfterTheLastObject",
                     "INSERT INTO slots VALUES ('zzz', 's', 1, 1, 'v', NULL, NULL, NULL)",
                     "damaged: object \"zzz\" has slots but is not in table \"objects\""}),
    [](const testing::TestParamInfo<SchemaDamage>& info) { return std::string(info.param.label); });

struct RowDamage {
  const char* label;
  std::string sql;
  const char* slot;     // a slot whose GetValue fails; null when none does
  int first_failing;    // the first object whose LoadAllSlots fails, reading in name order
  const char* refusal;  // LastError of each failing call
};

class RowDamageTest : public testing::TestWithParam<RowDamage> {
 protected:
  void SetUp() override {
    WriteSoundFile(path_);
    RunSql(path_, GetParam().sql.c_str());
  }

  objdb_test::ScratchDir dir_;
  std::string path_ = dir_.File("damaged.odb");
};

TEST_P(RowDamageTest, ReadsOfTheDamagedObjectFail) {
  CvxODB db(0, path_.c_str(), 0);
  ASSERT_EQ(db.Open(1), 1);
  const std::string object = Name(kDamaged);
  CStrList names;
  CStrList values;
  EXPECT_EQ(db.LoadAllSlots(object.c_str(), &names, &values, 0, 0), 0);
  EXPECT_STREQ(db.LastError(), GetParam().refusal);
  EXPECT_EQ(names.GetLength(), 0);
  if (GetParam().slot != nullptr) {
    CvxSlot slot;
    EXPECT_EQ(db.GetValue(object.c_str(), GetParam().slot, slot, 0), 0);
    EXPECT_STREQ(db.LastError(), GetParam().refusal);
    EXPECT_EQ(slot.IsText() + slot.IsNumber() + slot.IsList(), 0);
  }
  // Another object's slots still read.
  CvxSlot slot;
  EXPECT_EQ(db.GetValue(Name(3).c_str(), "t", slot, 0), 1);
  EXPECT_STREQ(db.LastError(), "");
}

// Reads in name order, which a read-ahead serves from the 65th on: the
// failure surfaces on the read that reaches the damage.
TEST_P(RowDamageTest, ReadsInNameOrderFailWhereTheDamageIs) {
  CvxODB db(0, path_.c_str(), 0);
  ASSERT_EQ(db.Open(1), 1);
  int first_failing = -1;
  for (int number = 0; number < kObjects && first_failing < 0; ++number) {
    CStrList names;
    CStrList values;
    if (db.LoadAllSlots(Name(number).c_str(), &names, &values, 0, 0) == 0) {
      first_failing = number;
      EXPECT_STREQ(db.LastError(), GetParam().refusal);
    } else {
      EXPECT_EQ(Texts(names), (std::vector<std::string>{"t", "n", "l"})) << number;
    }
  }
  EXPECT_EQ(first_failing, GetParam().first_failing);
}

// The damage is to Name(kDamaged) = "obj-150".
std::string Where150(const char* set, const char* slot) {
  return Damage((std::string("UPDATE slots SET ") + set + " WHERE object = 'obj-150' AND name = '" +
                 slot + "'")
                    .c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowDamageTest,
    testing::Values(
        RowDamage{"KindZero", Where150("kind = 0", "n"), "n", kDamaged,
                  "damaged: object \"obj-150\", slot \"n\": kind 0 is unknown"},
        RowDamage{"KindFour", Where150("kind = 4", "n"), "n", kDamaged,
                  "damaged: object \"obj-150\", slot \"n\": kind 4 is unknown"},
        RowDamage{"KindText", Where150("kind = 'x'", "n"), "n", kDamaged,
                  "damaged: object \"obj-150\", slot \"n\": kind is a text, not 1, 2 or 3"},
        RowDamage{"TextNull", Where150("text = NULL", "t"), "t", kDamaged,
                  "damaged: object \"obj-150\", slot \"t\": text is NULL, not a text"},
        RowDamage{"TextWithNul", Where150("text = CAST(X'410042' AS TEXT)", "t"), "t", kDamaged,
                  "damaged: object \"obj-150\", slot \"t\": text holds a NUL byte"},
        RowDamage{"NumberText", Where150("number = 'many'", "n"), "n", kDamaged,
                  "damaged: object \"obj-150\", slot \"n\": number is a text, not a number"},
        RowDamage{"UnitsBlob", Where150("units = X'6B67'", "n"), "n", kDamaged,
                  "damaged: object \"obj-150\", slot \"n\": units is a blob, not a text"},
        RowDamage{"ItemsWithoutClosingNul", Where150("items = X'78007A'", "l"), "l", kDamaged,
                  "damaged: object \"obj-150\", slot \"l\": items do not end with the NUL that "
                  "closes the last item"},
        RowDamage{"ItemsText", Where150("items = 'x'", "l"), "l", kDamaged,
                  "damaged: object \"obj-150\", slot \"l\": items is a text, not a blob"},
        RowDamage{"SlotNameBlob", Where150("name = X'7A'", "t"), nullptr, kDamaged,
                  "damaged: object \"obj-150\": a slot's name is a blob, not a text"},
        // Slots of a name between "obj-150" and "obj-151" that no object has:
        // the read that passes them fails, and names its bytes escaped.
        RowDamage{"SlotsOfNoObject",
                  "INSERT INTO slots VALUES (CAST(X'6F626A2D313530C3A909FF' AS TEXT), 's', 1, 1,"
                  " 'v', NULL, NULL, NULL)",
                  nullptr, kDamaged + 1,
                  "damaged: object \"obj-150\xC3\xA9\\t\\xFF\" has slots but is not in table "
                  "\"objects\""}),
    [](const testing::TestParamInfo<RowDamage>& info) { return std::string(info.param.label); });

TEST(DamagedObjectsTest, NullObjectNameFailsTheListOfObjects) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("damaged.odb");
  WriteSoundFile(path);
  // Without NOT NULL, which reading does not rely on.
  RunSql(path,
         "CREATE TABLE remade (id INTEGER PRIMARY KEY, name TEXT UNIQUE);"
         " INSERT INTO remade SELECT * FROM objects; DROP TABLE objects;"
         " ALTER TABLE remade RENAME TO objects; UPDATE objects SET name = NULL WHERE id = 7;");
  CvxODB db(0, path.c_str(), 0);
  ASSERT_EQ(db.Open(1), 1);
  CStrList names;
  EXPECT_EQ(db.GetObjects(&names), 0);
  EXPECT_STREQ(db.LastError(), "damaged: object with id 7: name is NULL, not a text");
  EXPECT_EQ(names.GetLength(), 0);
}

// Checked by queries at first, and once GetObjects listed every object and
// many searches ran, by a search of the sorted listing.
TEST(DamagedObjectsTest, SlotsOfAnObjectNotInTheObjectsTableAreRefusedByName) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("damaged.odb");
  WriteSoundFile(path);
  RunSql(path, "DELETE FROM objects WHERE name = 'obj-020'");
  CvxODB db(0, path.c_str(), 0);
  ASSERT_EQ(db.Open(1), 1);
  const char* refusal = "damaged: object \"obj-020\" has slots but is not in table \"objects\"";
  for (const bool listed : {false, true}) {
    if (listed) {
      CStrList objects;
      ASSERT_EQ(db.GetObjects(&objects), 1);
      for (int search = 0; search < 2000; ++search) {
        ASSERT_EQ(db.ObjectExists(Name(search % kObjects).c_str()), search % kObjects != 20);
      }
    }
    CStrList names;
    CStrList values;
    EXPECT_EQ(db.LoadAllSlots("obj-020", &names, &values, 0, 0), 0) << listed;
    EXPECT_STREQ(db.LastError(), refusal);
    CvxSlot slot;
    EXPECT_EQ(db.GetValue("obj-020", "t", slot, 0), 0);
    EXPECT_STREQ(db.LastError(), refusal);
    EXPECT_EQ(db.ObjectExists("obj-020"), 0);  // the objects table has the last word
    EXPECT_STREQ(db.LastError(), "");
    // Backwards, so that no read-ahead serves the reads: the read of the
    // object before passes over the slots.
    EXPECT_EQ(db.LoadAllSlots("obj-021", &names, &values, 0, 0), 1) << listed;
    EXPECT_EQ(db.LoadAllSlots("obj-019", &names, &values, 0, 0), 0) << listed;
    EXPECT_STREQ(db.LastError(), refusal);
  }
}

// A file truncated while a read-only handle reads it: reads fail with a
// reason instead of killing the process or answering with nothing.
TEST(TruncatedFileTest, ReadsFailOnceTheFileShrank) {
  objdb_test::ScratchDir dir;
  const std::string path = dir.File("objects.odb");
  WriteSoundFile(path, std::string(2000, '.'));  // about 300 pages
  CvxODB db(0, path.c_str(), 0);
  ASSERT_EQ(db.Open(1), 1);
  CStrList objects;
  ASSERT_EQ(db.GetObjects(&objects), 1);
  for (int number = 0; number < 10; ++number) {
    CStrList names;
    CStrList values;
    ASSERT_EQ(db.LoadAllSlots(Name(number).c_str(), &names, &values, 0, 0), 1);
  }
  ASSERT_EQ(truncate(path.c_str(), 8192), 0);
  int failures = 0;
  for (int number = 10; number < kObjects; ++number) {
    CStrList names;
    CStrList values;
    if (db.LoadAllSlots(Name(number).c_str(), &names, &values, 0, 0) == 0) {
      ++failures;
      EXPECT_STREQ(db.LastError(), "the file shrank or changed while it was read") << number;
    } else {
      // Read before the truncation, from SQLite's cache.
      EXPECT_EQ(Texts(values).front(), Name(number) + std::string(2000, '.')) << number;
    }
  }
  EXPECT_GT(failures, 0);
  CvxSlot slot;
  EXPECT_EQ(db.GetValue(Name(kObjects - 1).c_str(), "t", slot, 0), 0);
  EXPECT_STREQ(db.LastError(), "the file shrank or changed while it was read");
}

}  // namespace
