// The differences block of an HTML report byte for byte, and the steps that
// show's text and the page take from one value to another.
#include <gtest/gtest.h>  // TEST, EXPECT_EQ

#include <string>  // std::string
#include <vector>  // std::vector

#include "outputs/html/report_differences.h"  // ReportDifferences
#include "outputs/text/value_changes.h"       // AlignItems, NumberChange

namespace odbdiff {
namespace {

TEST(ReportDifferencesTest, ListsEachDifferenceWithItsValueTexts) {
  ReportDifferences differences;
  differences.ObjectOnlyIn(Side::kB, "new</script>");
  differences.ObjectSame("same");
  differences.ObjectDiffers("pump");
  differences.SlotOnlyIn(Side::kA, "seal", TextValue{"lip"});
  differences.SlotOnlyIn(Side::kB, "caf\xe9", NumberValue{2, "m"});
  differences.SlotValuesDiffer("media", ListValue{{"sand"}}, ListValue{{"sand", "<b>"}});
  differences.ObjectOnlyIn(Side::kA, "old");
  EXPECT_EQ(differences.ScriptBlock(),
            "<script type=\"application/json\" id=\"odbdiff-differences\">\n"
            "{\"files\": [{\"objects\": [[\"only-in-b\", \"new\\u003c/script>\", []], "
            "[\"differs\", \"pump\", [[\"only-in-a\", \"seal\", \"lip\", null], "
            "[\"only-in-b\", {\"bytes\": \"636166e9\"}, null, \"2 m\"], "
            "[\"values-differ\", \"media\", \"sand\", \"sand\\n\\u003cb>\"]]], "
            "[\"only-in-a\", \"old\", []]]}]}\n</script>\n");
  EXPECT_EQ(ReportDifferences().ScriptBlock(),
            "<script type=\"application/json\" id=\"odbdiff-differences\">\n"
            "{\"files\": [{\"objects\": []}]}\n</script>\n");
}

// Steps as "=2 -1 +1": kind and count.
std::string Steps(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  std::string text;
  for (const ChangeStep& step : AlignItems(a, b)) {
    text += (text.empty() ? "" : " ") + std::string(step.kind == ChangeStep::kSame      ? "="
                                                    : step.kind == ChangeStep::kRemoved ? "-"
                                                                                        : "+") +
            std::to_string(step.count);
  }
  return text;
}

TEST(ValueChangesTest, AlignsItemsAndBoundsTheWorkBetweenEqualEnds) {
  EXPECT_EQ(Steps({"a", "b", "c"}, {"a", "x", "c"}), "=1 -1 +1 =1");
  EXPECT_EQ(Steps({"a", "b", "c", "d"}, {"b", "d", "e"}), "-1 =1 -1 =1 +1");
  EXPECT_EQ(Steps({}, {"a"}), "+1");
  // Beyond the bound the part between the equal ends is changed whole.
  std::vector<std::string> many;
  for (int i = 0; i < 1000; ++i) many.push_back(std::to_string(i));
  std::vector<std::string_view> forward(many.begin(), many.end());
  std::vector<std::string_view> backward(many.rbegin(), many.rend());
  forward.insert(forward.begin(), "head");
  backward.insert(backward.begin(), "head");
  EXPECT_EQ(Steps(forward, backward), "=1 -1000 +1000");
  backward.resize(400);  // 1000 x 399 pairs: still beyond
  EXPECT_EQ(Steps(forward, backward), "=1 -1000 +399");
  backward.resize(201);  // 1000 x 200 pairs: compared
  EXPECT_EQ(Steps(forward, backward), "=1 -999 =1 +199");
}

TEST(ValueChangesTest, NumbersOfTheSameUnitsGiveTheirDifference) {
  EXPECT_EQ(NumberChange({120, "m3/h"}, {126, "m3/h"}), "+6 m3/h, +5 %");
  EXPECT_EQ(NumberChange({0.1, ""}, {0.3, ""}), "+0.2, +200 %");
  EXPECT_EQ(NumberChange({0, "V"}, {-3, "V"}), "-3 V");
  EXPECT_EQ(NumberChange({1, "m"}, {2, "km"}), "");
  EXPECT_EQ(NumberChange({1, ""}, {1e308 * 10, ""}), "");
}

}  // namespace
}  // namespace odbdiff
