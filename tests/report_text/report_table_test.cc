#include "diff/report_text/report_table.h"

#include <gtest/gtest.h>  // TEST_P, EXPECT_EQ

#include <cstdio>   // open_memstream, std::fclose
#include <cstdlib>  // std::free
#include <string>   // std::string

namespace diff::report_text {
namespace {

struct CutCase {
  const char* name;
  std::string field;
  std::string kept;  // what the 25-byte slot column keeps of the field (24 bytes at most)
};

std::string A(std::size_t count) { return std::string(count, 'a'); }

// The slot column of the row written for `slot`.
std::string SlotColumn(const std::string& slot) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* file = open_memstream(&buffer, &size);
  write_table_row(file, {"o", slot, "", "", ""});
  std::fclose(file);
  const std::string row(buffer, size);
  std::free(buffer);
  EXPECT_EQ(row.size(), 131u);  // 130 bytes and the newline, whatever the cut
  return row.substr(35, 25);
}

class CellCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CellCutTest, KeepsWholeCharactersOfUtf8AndBytesOfOtherTexts) {
  const CutCase& cut = GetParam();
  EXPECT_EQ(SlotColumn(cut.field), cut.kept + std::string(25 - cut.kept.size(), ' '));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellCutTest,
    ::testing::Values(
        CutCase{"AsciiCutByBytes", A(30), A(24)},
        CutCase{"TwoByteCharacterThatFits", A(22) + "\xC3\xA9" + "b", A(22) + "\xC3\xA9"},
        CutCase{"TwoByteCharacterSplit", A(23) + "\xC3\xA9", A(23)},
        CutCase{"ThreeByteCharacterSplit", A(22) + "\xE2\x82\xAC", A(22)},
        CutCase{"FourByteCharacterSplit", A(21) + "\xF0\x9F\x98\x80", A(21)},
        CutCase{"FourByteCharacterThatFits", A(20) + "\xF0\x9F\x98\x80" + "b",
                A(20) + "\xF0\x9F\x98\x80"},
        // Not valid UTF-8 as a whole: cut by bytes, even where a sequence splits.
        CutCase{"InvalidByteLater", A(23) + "\xC3\xA9" + "\xFF", A(23) + "\xC3"},
        CutCase{"Overlong", A(23) + "\xC3\xA9\xC0\xAF", A(23) + "\xC3"},
        CutCase{"Surrogate", A(23) + "\xC3\xA9\xED\xA0\x80", A(23) + "\xC3"},
        CutCase{"AboveU10FFFF", A(23) + "\xC3\xA9\xF4\x90\x80\x80", A(23) + "\xC3"},
        CutCase{"TruncatedSequenceAtEnd", A(23) + "\xC3\xA9\xE2\x82", A(23) + "\xC3"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace diff::report_text
