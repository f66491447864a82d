#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstring>  // std::memcmp, std::memcpy, std::memset
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/host/list_library.h"  // list_length, list_pop_first, kListPopTextSize

namespace {

// A text-list buffer holding `texts`, with room to spare after the closing NUL.
std::vector<char> MakeBuffer(const std::vector<std::string>& texts) {
  std::vector<char> buffer;
  for (const std::string& text : texts) {
    buffer.insert(buffer.end(), text.begin(), text.end());
    buffer.push_back('\0');
  }
  buffer.push_back('\0');
  buffer.resize(buffer.size() + 16, '#');
  return buffer;
}

TEST(ListLibraryTextListBufferTest, CountsTheTexts) {
  EXPECT_EQ(list_length(nullptr), 0);
  EXPECT_EQ(list_length(""), 0);
  EXPECT_EQ(list_length(MakeBuffer({"a"}).data()), 1);
  EXPECT_EQ(list_length(MakeBuffer({"one", "two", "three"}).data()), 3);
}

TEST(ListLibraryTextListBufferTest, PopsTextsInOrderAndMovesTheRestToTheFront) {
  std::vector<char> buffer = MakeBuffer({"first", "line\nwith\ttab", "x"});
  char text[kListPopTextSize];

  ASSERT_EQ(list_pop_first(buffer.data(), text), 1);
  EXPECT_STREQ(text, "first");
  EXPECT_EQ(std::memcmp(buffer.data(), "line\nwith\ttab\0x\0\0", 17), 0);
  EXPECT_EQ(list_length(buffer.data()), 2);

  ASSERT_EQ(list_pop_first(buffer.data(), text), 1);
  EXPECT_STREQ(text, "line\nwith\ttab");
  EXPECT_EQ(std::memcmp(buffer.data(), "x\0\0", 3), 0);

  ASSERT_EQ(list_pop_first(buffer.data(), text), 1);
  EXPECT_STREQ(text, "x");
  EXPECT_EQ(buffer[0], '\0');

  std::memcpy(text, "junk", 5);
  EXPECT_EQ(list_pop_first(buffer.data(), text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(buffer[0], '\0');
}

TEST(ListLibraryTextListBufferTest, CutsALongTextTo511Bytes) {
  const std::string long_text(600, 'L');
  std::vector<char> buffer = MakeBuffer({long_text, "next"});
  char text[kListPopTextSize + 8];
  std::memset(text, '#', sizeof text);

  ASSERT_EQ(list_pop_first(buffer.data(), text), 1);
  EXPECT_EQ(std::string(text), std::string(511, 'L'));
  EXPECT_EQ(text[kListPopTextSize], '#');  // nothing written past 512 bytes
  EXPECT_EQ(std::memcmp(buffer.data(), "next\0\0", 6), 0);

  // Exactly 511 bytes fit whole.
  std::vector<char> exact = MakeBuffer({std::string(511, 'E')});
  ASSERT_EQ(list_pop_first(exact.data(), text), 1);
  EXPECT_EQ(std::string(text), std::string(511, 'E'));
  EXPECT_EQ(exact[0], '\0');
}

TEST(ListLibraryTextListBufferTest, RefusesNullArguments) {
  std::vector<char> buffer = MakeBuffer({"kept"});
  char text[kListPopTextSize] = "junk";
  EXPECT_EQ(list_pop_first(nullptr, text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(list_pop_first(buffer.data(), nullptr), 0);
  EXPECT_EQ(std::memcmp(buffer.data(), "kept\0\0", 6), 0);
}

}  // namespace
