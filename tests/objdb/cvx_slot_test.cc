// Values as CvxSlot presents them and as LoadAllSlots writes them out: the
// text form of numbers and lists, kinds, units and list items.
#include <gmock/gmock.h>  // ElementsAre, IsEmpty
#include <gtest/gtest.h>  // TEST_F, TEST_P, EXPECT_*

#include <charconv>  // std::to_chars, the shortest form to compare with
#include <cmath>   // std::signbit, std::isnan
#include <limits>  // std::numeric_limits
#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "objdb_test_support.h"         // ScratchDir, Texts, Fill

namespace {

using objdb_test::Fill;
using objdb_test::Texts;
using testing::ElementsAre;
using testing::IsEmpty;

class CvxSlotTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(db_.Open(0), 1);
    ASSERT_EQ(db_.CreateObject("o", nullptr), 1);
  }

  // The value's text form as LoadAllSlots gives it.
  std::string TextForm(const char* slot_name) {
    CStrList names;
    CStrList values;
    if (db_.LoadAllSlots("o", &names, &values, 0, 0) == 0) return "<no object>";
    for (int i = 0; i < names.GetLength(); ++i) {
      if (std::string(names.GetTextAt(i)) == slot_name) return values.GetTextAt(i);
    }
    return "<no slot>";
  }

  objdb_test::ScratchDir dir_;
  std::string path_ = dir_.File("values.odb");
  CvxODB db_{0, path_.c_str(), 0};
  CvxSlot slot_;
};

struct NumberCase {
  double number;
  const char* units;
  const char* text_form;
};

class CvxSlotNumberTest : public CvxSlotTest, public testing::WithParamInterface<NumberCase> {};

TEST_P(CvxSlotNumberTest, IsTheShortestRoundTripDecimalThenTheUnits) {
  const NumberCase& c = GetParam();
  ASSERT_EQ(db_.SetNumberValue("o", "n", c.number, c.units), 1);
  ASSERT_EQ(db_.Close(1), 1);  // through the file, not a cache
  ASSERT_EQ(db_.Open(1), 1);
  EXPECT_EQ(TextForm("n"), c.text_form);
  ASSERT_EQ(db_.GetValue("o", "n", slot_, 0), 1);
  EXPECT_EQ(slot_.IsNumber(), 1);
  EXPECT_EQ(slot_.IsText(), 0);
  EXPECT_EQ(slot_.IsList(), 0);
  EXPECT_EQ(slot_.Number(), c.number);
  EXPECT_EQ(std::signbit(slot_.Number()), std::signbit(c.number));
  const bool has_units = c.units != nullptr && c.units[0] != '\0';
  EXPECT_EQ(slot_.HasUnits(), has_units ? 1 : 0);
  EXPECT_STREQ(slot_.Units(), has_units ? c.units : "");
  EXPECT_STREQ(slot_.Text(), "");
  EXPECT_EQ(slot_.GetValueBufferLength(), std::string(c.text_form).size());
}

INSTANTIATE_TEST_SUITE_P(
    TextForms, CvxSlotNumberTest,
    testing::Values(NumberCase{12.5, "kg", "12.5 kg"}, NumberCase{100, nullptr, "100"},
                    NumberCase{100, "", "100"}, NumberCase{1e21, "", "1e+21"},
                    NumberCase{0.001, "m", "0.001 m"}, NumberCase{0.1, nullptr, "0.1"},
                    NumberCase{-0.0, nullptr, "-0"},
                    // Fixed and scientific forms tie at 21 characters; to_chars
                    // then writes the digits of the double's exact value.
                    NumberCase{123456789012345680000.0, nullptr, "123456789012345683968"},
                    NumberCase{1.0 / 3, "s", "0.3333333333333333 s"},
                    NumberCase{-2.5e-300, "\xff\n", "-2.5e-300 \xff\n"},
                    NumberCase{std::numeric_limits<double>::infinity(), nullptr, "inf"}));

// Whole numbers take a shorter path to their text form than other doubles;
// it must give what the double's shortest form gives, on both sides of where
// "1.2e+07" becomes shorter than the digits written out, and past the
// numbers whose every digit counts.
TEST_F(CvxSlotTest, WholeNumbersReadAsTheirShortestRoundTripDecimal) {
  std::vector<double> numbers;
  for (double power = 1; power <= 1e17; power *= 10) {
    for (const double digits : {1.0, 2.0, 9.0, 12.0, 148.0, 1001.0, 123456789.0}) {
      numbers.push_back(digits * power);
      numbers.push_back(-digits * power);
    }
  }
  numbers.insert(numbers.end(), {999999999999999.0, 1e15 - 10, 1e15 + 1, 9007199254740993.0});
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::string slot = "n" + std::to_string(i);
    ASSERT_EQ(db_.SetNumberValue("o", slot.c_str(), numbers[i], nullptr), 1);
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, numbers[i]).ptr;
    EXPECT_EQ(TextForm(slot.c_str()), std::string(text, end)) << slot;
  }
}

TEST_F(CvxSlotTest, NotANumberStaysANumber) {
  ASSERT_EQ(db_.SetNumberValue("o", "n", std::numeric_limits<double>::quiet_NaN(), "V"), 1);
  ASSERT_EQ(db_.GetValue("o", "n", slot_, 0), 1);
  EXPECT_EQ(slot_.IsNumber(), 1);
  EXPECT_TRUE(std::isnan(slot_.Number()));
  EXPECT_EQ(TextForm("n"), "nan V");
}

TEST_F(CvxSlotTest, ListJoinsItsItemsWithNewlines) {
  CStrList items;
  Fill(items, {"a", "two\nlines", "", "\xff"});
  ASSERT_EQ(db_.SetListValue("o", "l", &items), 1);
  EXPECT_EQ(TextForm("l"), "a\ntwo\nlines\n\n\xff");
  ASSERT_EQ(db_.GetValue("o", "l", slot_, 0), 1);
  EXPECT_EQ(slot_.IsList(), 1);
  EXPECT_EQ(slot_.IsText(), 0);
  EXPECT_EQ(slot_.Number(), 0);
  EXPECT_EQ(slot_.GetValueBufferLength(), 14u);
  CStrList fetched;
  fetched.Append("replaced");
  ASSERT_EQ(slot_.GetListItems(&fetched), 1);
  EXPECT_THAT(Texts(fetched), ElementsAre("a", "two\nlines", "", "\xff"));
}

TEST_F(CvxSlotTest, EmptyListAndListOfOneEmptyItemStayApart) {
  CStrList none;
  CStrList one_empty;
  one_empty.Append("");
  ASSERT_EQ(db_.SetListValue("o", "none", &none), 1);
  ASSERT_EQ(db_.SetListValue("o", "one", &one_empty), 1);
  ASSERT_EQ(db_.Close(1), 1);
  ASSERT_EQ(db_.Open(1), 1);
  CStrList fetched;
  ASSERT_EQ(db_.GetValue("o", "none", slot_, 0), 1);
  EXPECT_EQ(slot_.IsList(), 1);
  ASSERT_EQ(slot_.GetListItems(&fetched), 1);
  EXPECT_THAT(Texts(fetched), IsEmpty());
  ASSERT_EQ(db_.GetValue("o", "one", slot_, 0), 1);
  ASSERT_EQ(slot_.GetListItems(&fetched), 1);
  EXPECT_THAT(Texts(fetched), ElementsAre(""));
  EXPECT_EQ(slot_.GetValueBufferLength(), 0u);
  EXPECT_EQ(TextForm("none"), "");
  EXPECT_EQ(TextForm("one"), "");
}

TEST_F(CvxSlotTest, TextIsKeptAsGiven) {
  ASSERT_EQ(db_.SetValue("o", "t", "12.50 kg\n\t\xff", 0, 0), 1);
  ASSERT_EQ(db_.SetValue("o", "e", "", 0, 0), 1);
  ASSERT_EQ(db_.GetValue("o", "t", slot_, 0), 1);
  EXPECT_EQ(slot_.IsText(), 1);
  EXPECT_EQ(slot_.IsNumber(), 0);
  EXPECT_STREQ(slot_.Text(), "12.50 kg\n\t\xff");
  EXPECT_STREQ(slot_.Units(), "");
  EXPECT_EQ(slot_.GetValueBufferLength(), 11u);
  CStrList items;
  items.Append("unchanged");
  EXPECT_EQ(slot_.GetListItems(&items), 0);
  EXPECT_THAT(Texts(items), ElementsAre("unchanged"));
  ASSERT_EQ(db_.GetValue("o", "e", slot_, 0), 1);
  EXPECT_EQ(slot_.IsText(), 1);  // an empty text is still a text
  EXPECT_EQ(TextForm("e"), "");
}

TEST_F(CvxSlotTest, FreshSlotHoldsNothing) {
  CStrList items;
  EXPECT_EQ(slot_.IsText() + slot_.IsNumber() + slot_.IsList() + slot_.HasUnits(), 0);
  EXPECT_STREQ(slot_.Text(), "");
  EXPECT_STREQ(slot_.Units(), "");
  EXPECT_EQ(slot_.Number(), 0);
  EXPECT_EQ(slot_.GetValueBufferLength(), 0u);
  EXPECT_EQ(slot_.GetListItems(&items), 0);
}

TEST_F(CvxSlotTest, TypedSlotFetchesOnlyItsKind) {
  ASSERT_EQ(db_.SetValue("o", "t", "text", 0, 0), 1);
  ASSERT_EQ(db_.SetNumberValue("o", "n", 1, nullptr), 1);
  CvxSlot numbers(nullptr, VX_SLOT_NUMBER);
  EXPECT_EQ(db_.GetValue("o", "n", numbers, 0), 1);
  EXPECT_EQ(db_.GetValue("o", "t", numbers, 0), 0);
  EXPECT_EQ(numbers.IsNumber() + numbers.IsText(), 0);
}

}  // namespace
