#include "tests/report_text/crafted_object_files.h"

#include <gtest/gtest.h>  // EXPECT_NE, so that a file that cannot be made fails the test

#include "diff/host/list_library.h"  // CStrList for list values

namespace diff::testing {
namespace {

// Texts whose length sits at either side of the reports' value length limit.
const std::string kJustShortEnough(6143, 'L');
const std::string kTooLong(6144, 'L');

// Object names of 157 characters: one identical in both files, one differing.
constexpr char kLongNameTail[] =
    "0123456789012345678901234567890123456789012345678901234567890123456789"
    "0123456789012345678901234567890123456789012345678901234567890123456789";
const std::string kLongIdenticalName = std::string("Identical_object_") + kLongNameTail;
const std::string kLongDifferingName = std::string("Differing_object_") + kLongNameTail;

}  // namespace

ObjectFileWriter::ObjectFileWriter(const std::string& path) : database_(0, path.c_str(), 0) {
  EXPECT_NE(database_.Create(), 0) << path;
}

ObjectFileWriter::~ObjectFileWriter() { EXPECT_NE(database_.Close(1), 0) << database_.DB(); }

ObjectFileWriter& ObjectFileWriter::object(const std::string& name) {
  object_ = name;
  EXPECT_NE(database_.CreateObject(name.c_str(), nullptr), 0) << name;
  return *this;
}

ObjectFileWriter& ObjectFileWriter::text(const std::string& slot, const std::string& value) {
  EXPECT_NE(database_.SetValue(object_.c_str(), slot.c_str(), value.c_str(), 0, 0), 0) << slot;
  return *this;
}

ObjectFileWriter& ObjectFileWriter::number(const std::string& slot, double value,
                                           const char* units) {
  EXPECT_NE(database_.SetNumberValue(object_.c_str(), slot.c_str(), value, units), 0) << slot;
  return *this;
}

ObjectFileWriter& ObjectFileWriter::list(const std::string& slot,
                                         const std::vector<std::string>& items) {
  CStrList list;
  for (const std::string& item : items) list.Append(item.c_str());
  EXPECT_NE(database_.SetListValue(object_.c_str(), slot.c_str(), &list), 0) << slot;
  return *this;
}


void write_crafted_object_files(const std::string& a_path, const std::string& b_path) {
  {
    ObjectFileWriter a(a_path);
    a.object("Same").text("Name", "Bolt").number("Mass", 12.5, "kg");
    a.object("Gone").text("Color", "red").number("Size", 100).text("Tabbed", "tab\t  ");
    a.object("Empty");
    a.object("Part")
        .text("Name", "Nut   ")
        .number("Mass", 12.5, "kg")
        .number("Count", 100)
        .list("Notes", {"one", "two"})
        .text("Desc", "abcdefghijklmnopqrstuvwxyz0")
        .text("Blank", "   ")
        .text("OnlyA", "alpha")
        .text("Long", kJustShortEnough)
        .text("Huge", kTooLong)
        .text("A_slot_name_that_is_far_too_long", "x");
    a.object("OnlyASlot").text("Kept", "1").text("Extra", "2");
    a.object("OnlyBSlot").text("Kept", "1");
    a.object(kLongIdenticalName).text("V", "same");
    a.object(kLongDifferingName).text("V", "1");
  }
  ObjectFileWriter b(b_path);
  b.object("Same").text("Name", "Bolt").number("Mass", 12.5, "kg");
  b.object("Part")
      .text("OnlyB", "beta")
      .text("Name", "Nut")
      .number("Mass", 12.5, "g")
      .number("Count", 100)
      .list("Notes", {"one", "three"})
      .text("Desc", "abcdefghijklmnopqrstuvwxyz1")
      .text("Blank", "")
      .text("Long", kTooLong)
      .text("Huge", kTooLong)
      .text("A_slot_name_that_is_far_too_long", "x")
      .text("BigB", std::string(6144, 'B'));
  b.object("Fresh").number("Weight", 2.5, "t").text("Big", kTooLong).number("Tiny", 0.001);
  b.object("OnlyASlot").text("Kept", "1");
  b.object("OnlyBSlot").text("Kept", "1").text("Added", "3");
  b.object(kLongIdenticalName).text("V", "same");
  b.object(kLongDifferingName).text("V", "2");
}

void write_hollow_object_files(const std::string& a_path, const std::string& b_path) {
  {
    ObjectFileWriter a(a_path);
    a.object("Empty");
    a.object("X").text("a", "1");
  }
  ObjectFileWriter b(b_path);
  b.object("X").text("a", "2");
  b.object("Hollow");
}

}  // namespace diff::testing
