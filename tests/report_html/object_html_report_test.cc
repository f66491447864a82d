#include "diff/report_html/object_report.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstdint>  // std::int64_t
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/diff.h"                              // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/engine/list2_compare.h"              // compare_list2
#include "tests/report_html/html_report_fixture.h"  // HtmlReportFixture, read_file, write_file
#include "tests/support/list2_fixtures.h"           // List2Ptr, make_list2, make_marked_list2

namespace diff {
namespace {

using testing::List2Ptr;
using testing::make_list2;
using testing::make_marked_list2;

constexpr std::int64_t kOneSided = DIFF_STATUS_DIFFERENT;
constexpr std::int64_t kOnBoth = DIFF_STATUS_SAME;
constexpr std::int64_t kDiffers = DIFF_STATUS_DIFFERENT;
constexpr std::int64_t kEqual = DIFF_STATUS_SAME;

class ObjectHtmlReportTest : public testing::HtmlReportFixture {
 protected:
  // Writes the block of object "obj" (titles A and B) into the report file,
  // which the test prepared; the report's result.
  int report_block(const List2Ptr& a_slots, const List2Ptr& a_values, const List2Ptr& b_slots,
                   const List2Ptr& b_values, int show_all = 0) {
    return report_object_html(rules_, "obj", "A", "B", a_slots.get(), a_values.get(),
                              b_slots.get(), b_values.get(), report_path_.c_str(),
                              template_path_.c_str(), show_all, /*nested=*/1);
  }
};

TEST_F(ObjectHtmlReportTest, EmptyListsGiveTheStartAndEndOfTheBlock) {
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_block(none, none, none, none), 1);
  EXPECT_EQ(report(),
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, OneSidedRunsComeBeforeThePairThatFollowsThem) {
  // A = [x only in A, p differing, y only in A], B = [u only in B, p, w only in B].
  EXPECT_EQ(report_block(make_marked_list2({{"x", kOneSided}, {"p", kOnBoth}, {"y", kOneSided}}),
                         make_marked_list2({{"x1", kDiffers}, {"pa", kDiffers}, {"y1", kDiffers}}),
                         make_marked_list2({{"u", kOneSided}, {"p", kOnBoth}, {"w", kOneSided}}),
                         make_marked_list2({{"u1", kDiffers}, {"pb", kDiffers}, {"w1", kDiffers}})),
            1);
  EXPECT_EQ(report(),
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row x=x1 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | u=u1 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row p=pa | p=pb _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row y=y1 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | w=w1 _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, EqualPairsShowOnlyWithShowAllButAlwaysMoveOn) {
  const List2Ptr a_slots = make_marked_list2({{"p", kOnBoth}, {"q", kOnBoth}});
  const List2Ptr a_values = make_marked_list2({{"same", kEqual}, {"qa", kDiffers}});
  const List2Ptr b_slots = make_marked_list2({{"p", kOnBoth}, {"q", kOnBoth}, {"r", kOneSided}});
  const List2Ptr b_values =
      make_marked_list2({{"same", kEqual}, {"qb", kDiffers}, {"rb", kDiffers}});
  EXPECT_EQ(report_block(a_slots, a_values, b_slots, b_values, /*show_all=*/0), 1);
  EXPECT_EQ(report_block(a_slots, a_values, b_slots, b_values, /*show_all=*/1), 1);
  EXPECT_EQ(report(),
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row q=qa | q=qb _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | r=rb _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row p=same | p=same _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row q=qa | q=qb _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | r=rb _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, WritesTheListsThatAKeyedComparisonHandsBack) {
  const List2Ptr a_names = make_list2({"y", "p", "x", "s"});
  const List2Ptr a_values = make_list2({"1", "10", "2", "100"});
  const List2Ptr b_names = make_list2({"w", "s", "p", "u"});
  const List2Ptr b_values = make_list2({"3", "99", "20", "4"});
  list2 sorted[4] = {};
  engine::compare_list2(engine::ValueRule{}, a_names.get(), a_values.get(), b_names.get(),
                        b_values.get(), &sorted[0], &sorted[1], &sorted[2], &sorted[3]);
  const List2Ptr a_slots(sorted[0]), a_sorted(sorted[1]), b_slots(sorted[2]), b_sorted(sorted[3]);
  EXPECT_EQ(report_block(a_slots, a_sorted, b_slots, b_sorted), 1);
  // Sorted: A = p s x y, B = p s u w; s is equal within 2 %.
  EXPECT_EQ(report(),
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row p=10 | p=20 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row x=2 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row y=1 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | u=4 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | w=3 _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, ListsOutsideTheirFormStillEndTheWalk) {
  // An A slot marked neither way pairs; values missing from short lists are
  // empty (a missing A value counts as differing); a B slot marked as paired
  // but left over when A has ended gets a row of its own.
  EXPECT_EQ(report_block(make_marked_list2({{"odd", 7}, {"short", kOnBoth}}),
                         make_marked_list2({{"o", kEqual}}),
                         make_marked_list2({{"p", kOnBoth}, {"q", kOnBoth}, {"left", kOnBoth}}),
                         make_marked_list2({{"pb", kEqual}})),
            1);
  EXPECT_EQ(report(),
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row short= | q= _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | left= _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, NamesTitlesAndValuesAreEscaped) {
  EXPECT_EQ(report_object_html(
                rules_, "<obj & \"co\">", "<A>", "'B'",
                make_marked_list2({{"<s>", kOneSided}}).get(),
                make_marked_list2({{"1 < 2 & 3 > 2", kDiffers}}).get(), make_list2({}).get(),
                make_list2({}).get(), report_path_.c_str(), nullptr, 0, 1),
            1);
  EXPECT_EQ(report(),
            "_OBJ_START_START object &lt;obj &amp; &quot;co&quot;&gt;: &lt;A&gt; | &#39;B&#39; "
            "_OBJ_START_END\n\n"
            "_OBJ_ROW_START row &lt;s&gt;=1 &lt; 2 &amp; 3 &gt; 2 | = _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n");
}

TEST_F(ObjectHtmlReportTest, OutermostReportMakesTheWholeDocument) {
  testing::write_file(report_path_, "old content that goes\n");
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_object_html(rules_, "obj", "A", "B",
                               make_marked_list2({{"x", kOneSided}}).get(),
                               make_list2({"1"}).get(), none.get(), none.get(),
                               report_path_.c_str(), template_path_.c_str(), 0, /*nested=*/0),
            1);
  EXPECT_EQ(report(),
            "<html>\n<!-- _INITIAL_ -->\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row x=1 | = _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "<!-- _FINAL_ -->\n</html>\n");
}

TEST_F(ObjectHtmlReportTest, MissingTemplateLeavesTheReportUntouched) {
  testing::write_file(report_path_, "kept\n");
  const List2Ptr none = make_list2({});
  const std::string missing = dir_.file("missing.html");
  EXPECT_EQ(report_object_html(rules_, "obj", "A", "B", none.get(), none.get(), none.get(),
                               none.get(), report_path_.c_str(), missing.c_str(), 0, 0),
            0);
  EXPECT_EQ(report(), "kept\n");
}

TEST_F(ObjectHtmlReportTest, ReportFileThatCannotBeWrittenGivesZero) {
  const List2Ptr none = make_list2({});
  const std::string unreachable = dir_.file("no_such_folder/report.html");
  for (const int nested : {0, 1}) {
    for (const char* path : {unreachable.c_str(), "/dev/full", static_cast<const char*>(nullptr)}) {
      EXPECT_EQ(report_object_html(rules_, "obj", "A", "B", none.get(), none.get(), none.get(),
                                   none.get(), path, template_path_.c_str(), 0, nested),
                0)
          << (path != nullptr ? path : "null") << " nested " << nested;
    }
  }
}

}  // namespace
}  // namespace diff
