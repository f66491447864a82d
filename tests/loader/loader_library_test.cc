#include "diff/host/loader_library.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <fstream>  // std::ofstream
#include <string>   // std::string
#include <utility>  // std::pair, std::make_pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"        // list2, CStrList, list_length
#include "diff/host/object_database.h"     // CvxODB
#include "tests/support/damaged_object_file.h"  // give_slot_unknown_kind
#include "tests/support/list2_fixtures.h"  // List2Ptr, items_of, Item
#include "tests/support/object_files.h"    // write_object_file, ObjectSpec
#include "tests/support/temp_dir.h"        // TempDir

namespace {

using diff::testing::Item;
using diff::testing::items_of;
using diff::testing::List2Ptr;
using diff::testing::ObjectSpec;

constexpr char kEllipsis[] = "\xE2\x80\xA6";

class LoaderLibraryTest : public ::testing::Test {
 protected:
  // Writes an object file with `objects` and opens it in the loader; it is
  // closed again when the test ends.
  std::string open_object_file(const std::string& name, const std::vector<ObjectSpec>& objects) {
    const std::string path = dir_.file(name);
    diff::testing::write_object_file(path, objects);
    EXPECT_EQ(_vx_ld_31(path.c_str()), 1) << path;
    opened_.push_back(path);
    return path;
  }

  // The value that _vx_ld_10 gives, with its result.
  std::pair<int, std::string> value_of(const std::string& file, const char* object,
                                       const char* slot) {
    std::string buffer(kLoaderValueBufferSize, 'X');
    const int result = _vx_ld_10(file.c_str(), object, slot, buffer.data(), "");
    return {result, buffer.c_str()};
  }

  void TearDown() override {
    for (const std::string& path : opened_) _vx_ld_33(path.c_str());
  }

  diff::testing::TempDir dir_;
  std::vector<std::string> opened_;
};

TEST_F(LoaderLibraryTest, OpensObjectFilesByNameUntilClosed) {
  const std::string path = dir_.file("a.odb");
  diff::testing::write_object_file(path, {{"obj", {}}});
  char buffer[16];
  EXPECT_EQ(_vx_ld_5(path.c_str(), buffer, sizeof buffer), 0);  // not open yet
  EXPECT_EQ(_vx_ld_31(path.c_str()), 1);
  EXPECT_EQ(_vx_ld_31(path.c_str()), 1);  // open already
  EXPECT_EQ(_vx_ld_5(path.c_str(), buffer, sizeof buffer), 5);
  EXPECT_EQ(_vx_ld_33(path.c_str()), 1);
  EXPECT_EQ(_vx_ld_33(path.c_str()), 0);  // closed already
  EXPECT_EQ(_vx_ld_5(path.c_str(), buffer, sizeof buffer), 0);
}

TEST_F(LoaderLibraryTest, RefusesWhatIsNoObjectFile) {
  const std::string text_file = dir_.file("notes.txt");
  std::ofstream(text_file) << "not an object file\n";
  EXPECT_EQ(_vx_ld_31(dir_.file("missing.odb").c_str()), 0);
  EXPECT_EQ(_vx_ld_31(text_file.c_str()), 0);
  EXPECT_EQ(_vx_ld_31(nullptr), 0);
  EXPECT_EQ(_vx_ld_33(text_file.c_str()), 0);
  EXPECT_EQ(_vx_ld_33(nullptr), 0);
}

TEST_F(LoaderLibraryTest, ListsObjectsInFileOrderWithAnyBytesInTheirNames) {
  const std::string file =
      open_object_file("a.odb", {{"zeta", {}}, {"alpha", {}}, {"two\nlines", {}}, {"tab\there", {}}});
  const std::string expected("zeta\0alpha\0two\nlines\0tab\there\0\0", 31);
  std::string buffer(64, 'X');
  EXPECT_EQ(_vx_ld_5(file.c_str(), buffer.data(), 64), 31);
  EXPECT_EQ(buffer.substr(0, 32), expected + "X");
  EXPECT_EQ(list_length(buffer.data()), 4);
}

TEST_F(LoaderLibraryTest, TooSmallBufferGetsAnEmptyListAndTheRoomNeeded) {
  const std::string file = open_object_file("a.odb", {{"first", {}}, {"second", {}}});
  std::string buffer(20, 'X');  // "first\0second\0\0" needs 14 bytes
  EXPECT_EQ(_vx_ld_5(file.c_str(), buffer.data(), 13), 14);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'X');
  buffer[0] = 'X';
  EXPECT_EQ(_vx_ld_5(file.c_str(), buffer.data(), 0), 14);
  EXPECT_EQ(buffer[0], 'X');  // no room even for the empty list
  EXPECT_EQ(_vx_ld_5(file.c_str(), buffer.data(), 14), 14);
  EXPECT_EQ(buffer.substr(0, 15), std::string("first\0second\0\0X", 15));
}

TEST_F(LoaderLibraryTest, FileWithoutObjectsGivesTheEmptyList) {
  const std::string file = open_object_file("empty.odb", {});
  char buffer[4] = {'X', 'X', 'X', 'X'};
  EXPECT_EQ(_vx_ld_5(file.c_str(), buffer, 4), 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(_vx_ld_5(file.c_str(), nullptr, 4), 0);
  EXPECT_EQ(_vx_ld_5(nullptr, buffer, 4), 0);
}

TEST_F(LoaderLibraryTest, ValuesComeInTheTextFormOfTheObjectDatabase) {
  const std::string path = dir_.file("values.odb");
  {
    CvxODB database(0, path.c_str(), 0);
    ASSERT_EQ(database.Open(0), 1);
    database.CreateObject("obj", nullptr);
    database.SetValue("obj", "text", "12.50 kg", 0, 0);
    database.SetNumberValue("obj", "mass", 12.5, "kg");
    database.SetNumberValue("obj", "count", 100, nullptr);
    CStrList items;
    items.Append("a");
    items.Append("b c");
    database.SetListValue("obj", "list", &items);
    ASSERT_EQ(database.Close(1), 1);
  }
  ASSERT_EQ(_vx_ld_31(path.c_str()), 1);
  opened_.push_back(path);
  EXPECT_EQ(value_of(path, "obj", "text"), std::make_pair(1, std::string("12.50 kg")));
  EXPECT_EQ(value_of(path, "obj", "mass"), std::make_pair(1, std::string("12.5 kg")));
  EXPECT_EQ(value_of(path, "obj", "count"), std::make_pair(1, std::string("100")));
  EXPECT_EQ(value_of(path, "obj", "list"), std::make_pair(1, std::string("a\nb c")));
}

TEST_F(LoaderLibraryTest, MissingSlotOrBadArgumentsGiveZeroAndTheEmptyText) {
  const std::string file = open_object_file("a.odb", {{"obj", {{"slot", "value"}}}});
  EXPECT_EQ(value_of(file, "obj", "other"), std::make_pair(0, std::string()));
  EXPECT_EQ(value_of(file, "nothing", "slot"), std::make_pair(0, std::string()));
  EXPECT_EQ(value_of(dir_.file("closed.odb"), "obj", "slot"), std::make_pair(0, std::string()));
  EXPECT_EQ(value_of(file, "obj", nullptr), std::make_pair(0, std::string()));
  char buffer[kLoaderValueBufferSize] = "X";
  EXPECT_EQ(_vx_ld_10(file.c_str(), "obj", "slot", buffer, "reserved"), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(_vx_ld_10(file.c_str(), "obj", "slot", buffer, nullptr), 0);
  EXPECT_EQ(_vx_ld_10(file.c_str(), "obj", "slot", nullptr, ""), 0);
  EXPECT_STREQ(lo_last_error(), "");  // a plain "no": nothing is wrong with the file
}

TEST_F(LoaderLibraryTest, FileAtFaultGivesZeroAndTheLibrarysReasonUntilTheNextCall) {
  const std::string path = dir_.file("a.odb");
  diff::testing::write_object_file(path, {{"obj", {{"bad", "value"}, {"good", "value"}}}});
  diff::testing::give_slot_unknown_kind(path, "obj", "bad");
  const char kReason[] = "damaged: object \"obj\", slot \"bad\": kind 4 is unknown";

  EXPECT_EQ(_vx_ld_31(dir_.file("missing.odb").c_str()), 0);
  EXPECT_STREQ(lo_last_error(), "no such file");
  ASSERT_EQ(_vx_ld_31(path.c_str()), 1);
  opened_.push_back(path);
  EXPECT_STREQ(lo_last_error(), "");
  EXPECT_EQ(value_of(path, "obj", "bad"), std::make_pair(0, std::string()));
  EXPECT_STREQ(lo_last_error(), kReason);
  EXPECT_EQ(value_of(path, "obj", "good"), std::make_pair(1, std::string("value")));
  EXPECT_STREQ(lo_last_error(), "");
  list2 names = nullptr;
  list2 texts = nullptr;
  EXPECT_EQ(lo_load_list2_all_sorted(path.c_str(), "obj", &names, &texts), 0);
  EXPECT_STREQ(lo_last_error(), kReason);
  EXPECT_EQ(list2_length(names), 0);
  list2_delete(names);
  list2_delete(texts);
}

TEST_F(LoaderLibraryTest, LongValueIsCutVisiblyAtACharacterBoundary) {
  const std::string fits(6144, 'f');
  const std::string ascii(7000, 'a');
  // A three-byte and a four-byte character over the place where the cut falls.
  const std::string euro = std::string(6140, 'e') + "\xE2\x82\xAC" + std::string(100, 'e');
  const std::string emoji = std::string(6139, 'm') + "\xF0\x9F\x98\x80" + std::string(100, 'm');
  const std::string file = open_object_file(
      "a.odb", {{"obj", {{"fits", fits}, {"ascii", ascii}, {"euro", euro}, {"emoji", emoji}}}});
  EXPECT_EQ(value_of(file, "obj", "fits").second, fits);
  EXPECT_EQ(value_of(file, "obj", "ascii").second, std::string(6141, 'a') + kEllipsis);
  EXPECT_EQ(value_of(file, "obj", "euro").second, std::string(6140, 'e') + kEllipsis);
  EXPECT_EQ(value_of(file, "obj", "emoji").second, std::string(6139, 'm') + kEllipsis);
}

TEST_F(LoaderLibraryTest, SlotsComeSortedByteWiseWithTheirTexts) {
  const std::string file = open_object_file(
      "status.odb",
      {{"obj", {{"b", "1"}, {"a", "0"}, {"\xC3\xA9t\xC3\xA9", "3"}, {"B", "4"}, {"a2", "x"}}}});
  list2 names = nullptr;
  list2 texts = nullptr;
  EXPECT_EQ(lo_load_list2_all_sorted(file.c_str(), "obj", &names, &texts), 1);
  const List2Ptr own_names(names), own_texts(texts);
  EXPECT_EQ(items_of(names), (std::vector<Item>{{"B", 0}, {"a", 0}, {"a2", 0}, {"b", 0},
                                                {"\xC3\xA9t\xC3\xA9", 0}}));
  EXPECT_EQ(items_of(texts),
            (std::vector<Item>{{"4", 0}, {"0", 0}, {"x", 0}, {"1", 0}, {"3", 0}}));
}

TEST_F(LoaderLibraryTest, SlotListsAreNewAndEmptyWhenNothingCanBeLoaded) {
  const std::string file = open_object_file("status.odb", {{"bare", {}}});
  struct Case {
    std::string file;
    const char* object;
    int result;
  };
  for (const Case& c : {Case{file, "bare", 1}, Case{file, "missing", 0},
                        Case{dir_.file("closed.odb"), "bare", 0}, Case{file, nullptr, 0}}) {
    list2 names = nullptr;
    list2 texts = nullptr;
    EXPECT_EQ(lo_load_list2_all_sorted(c.file.c_str(), c.object, &names, &texts), c.result);
    const List2Ptr own_names(names), own_texts(texts);
    ASSERT_NE(names, nullptr);
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(list2_length(names), 0);
    EXPECT_EQ(list2_length(texts), 0);
  }
}

TEST_F(LoaderLibraryTest, NullOutParameterIsLeftAloneAndGivesZero) {
  const std::string file = open_object_file("status.odb", {{"obj", {{"s", "0"}}}});
  list2 names = nullptr;
  EXPECT_EQ(lo_load_list2_all_sorted(file.c_str(), "obj", &names, nullptr), 0);
  const List2Ptr own_names(names);
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(list2_length(names), 0);
  EXPECT_EQ(lo_load_list2_all_sorted(file.c_str(), "obj", nullptr, nullptr), 0);
}

}  // namespace
