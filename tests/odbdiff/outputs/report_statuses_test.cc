// The statuses block of an HTML report, byte for byte: which objects it
// lists, the counts, and names that could end the script element or break
// its JSON.
#include <gtest/gtest.h>  // TEST, EXPECT_EQ

#include <string>  // std::string

#include "outputs/html/report_statuses.h"  // ReportStatuses, SlotCodes

namespace odbdiff {
namespace {

constexpr char kOpen[] = "<script type=\"application/json\" id=\"odbdiff-statuses\">\n";
constexpr char kClose[] = "\n</script>\n";

TEST(ReportStatusesTest, ListsTheObjectsWithABlockAndCountsAll) {
  ReportStatuses statuses(/*show_all=*/false);
  statuses.BeginFile();
  statuses.AddObject("motor", false, true, {.only_in_b = 1});
  statuses.AddObject("pump", true, true, {.values_equal = 1, .only_in_a = 1});
  statuses.AddObject("valve", true, true, {.values_equal = 2});  // identical: no block
  statuses.BeginFile();
  statuses.AddObject("bare", true, false, {});  // no slot: no block
  statuses.AddObject("fan", true, true, {.values_differ = 2, .only_in_b = 1});
  EXPECT_EQ(statuses.ScriptBlock(),
            std::string(kOpen) +
                "{\"counts\": {\"objects-in-a\": 4, \"objects-in-b\": 4, \"objects-identical\": 1, "
                "\"objects-differing\": 2, \"objects-only-in-a\": 1, \"objects-only-in-b\": 1, "
                "\"slots-only-in-a\": 1, \"slots-only-in-b\": 1, \"slots-values-differ\": 2}, "
                "\"files\": ["
                "{\"counts\": {\"objects-in-a\": 2, \"objects-in-b\": 3, \"objects-identical\": 1, "
                "\"objects-differing\": 1, \"objects-only-in-a\": 0, \"objects-only-in-b\": 1, "
                "\"slots-only-in-a\": 1, \"slots-only-in-b\": 0, \"slots-values-differ\": 0}, "
                "\"objects\": [[\"only-b\", \"motor\"], [\"differs\", \"pump\"]]}, "
                "{\"counts\": {\"objects-in-a\": 2, \"objects-in-b\": 1, \"objects-identical\": 0, "
                "\"objects-differing\": 1, \"objects-only-in-a\": 1, \"objects-only-in-b\": 0, "
                "\"slots-only-in-a\": 0, \"slots-only-in-b\": 1, \"slots-values-differ\": 2}, "
                "\"objects\": [[\"differs\", \"fan\"]]}]}" +
                kClose);
}

TEST(ReportStatusesTest, EveryBlockIsListedWhenEverySlotIsShown) {
  ReportStatuses statuses(/*show_all=*/true);
  statuses.BeginFile();
  statuses.AddObject("bare", false, true, {});
  statuses.AddObject("valve", true, true, {.values_equal = 2});
  const std::string block = statuses.ScriptBlock();
  EXPECT_EQ(block.substr(block.find("\"objects\"")),
            std::string("\"objects\": [[\"only-b\", \"bare\"], [\"same\", \"valve\"]]}]}") +
                kClose);
}

TEST(ReportStatusesTest, NamesCannotEndTheScriptOrBreakTheJson) {
  const struct {
    std::string name;
    std::string listed;
  } cases[] = {
      {"</script><script>alert(1)</script>",
       R"("\u003c/script>\u003cscript>alert(1)\u003c/script>")"},
      {"<!--<script>", R"("\u003c!--\u003cscript>")"},
      {"say \"hi\" \\ bye", R"("say \"hi\" \\ bye")"},
      {"\x01\x1b[2J\r\n\t", R"("\u0001\u001b[2J\r\n\t")"},
      {"caf\xc3\xa9 \xe2\x80\xa8", "\"caf\xc3\xa9 \xe2\x80\xa8\""},
      {"\xff</script>", R"({"bytes": "ff3c2f7363726970743e"})"},
  };
  for (const auto& [name, listed] : cases) {
    ReportStatuses statuses(/*show_all=*/false);
    statuses.BeginFile();
    statuses.AddObject(name, true, false, {.only_in_a = 1});
    const std::string block = statuses.ScriptBlock();
    EXPECT_EQ(block.substr(block.find("\"objects\"")),
              "\"objects\": [[\"only-a\", " + listed + "]]}]}" + kClose)
        << name;
  }
}

}  // namespace
}  // namespace odbdiff
