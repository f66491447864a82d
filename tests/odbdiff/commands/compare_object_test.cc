// odbdiff compare-object: one object's slots through diff_list2 into the
// module's two-sided table.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::exists
#include <string>      // std::string

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // ReadFile
#include "runner/sample_pair.h"      // kSampleA, kSampleB

namespace odbdiff_test {
namespace {

// The table's three header lines and the empty line after them.
constexpr char kTableHeader[] =
    "             A                                                  B\n"
    "            ---                                                ---\n"
    "    Slots           Values                          Slots           Values\n"
    "\n";

class OdbdiffCompareObjectTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kSampleA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kSampleB));
  }
};

TEST_F(OdbdiffCompareObjectTest, WritesMatchedSlotsSideBySideAndTheRestAlone) {
  const RunResult result = Run({"compare-object", "a.odb", "b.odb", "pump", "--table", "t.txt"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("t.txt")),
            std::string(kTableHeader) +
                "        flow                       12.5 m3/h        flow                       12.6 m3/h\n"
                "        seal                             lip                                            \n");
}

TEST_F(OdbdiffCompareObjectTest, SameObjectExitsZero) {
  const RunResult result = Run({"compare-object", "a.odb", "b.odb", "valve", "--table", "t.txt"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(ReadFile(Path("t.txt")),
            std::string(kTableHeader) +
                "        size                           50 mm        size                           50 mm\n"
                "       state                            open       state                            open\n");
}

TEST_F(OdbdiffCompareObjectTest, ObjectOnOneSideOnlyDiffers) {
  const RunResult result = Run({"compare-object", "a.odb", "b.odb", "motor", "--table", "t.txt"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(ReadFile(Path("t.txt")),
            std::string(kTableHeader) +
                "                                                   power                          7.5 kW\n");
}

TEST_F(OdbdiffCompareObjectTest, ObjectInNeitherFileIsTrouble) {
  const RunResult result =
      Run({"compare-object", "a.odb", "b.odb", "boiler", "--table", "t.txt"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "odbdiff: object boiler is in neither a.odb nor b.odb\n");
  EXPECT_FALSE(std::filesystem::exists(Path("t.txt")));
}

}  // namespace
}  // namespace odbdiff_test
