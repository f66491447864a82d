// odbdiff's scratch folders as the object-database library sees them: named
// in ZOZAVI_SCRATCH_FOLDER while held, and no longer once gone, without
// touching a name that another folder put there since.
#include "platform/scratch_folder.h"

#include <gtest/gtest.h>  // TEST, EXPECT_EQ
#include <stdlib.h>       // getenv, setenv, unsetenv

#include <filesystem>  // std::filesystem::temp_directory_path
#include <optional>    // std::optional, a folder ended mid-test
#include <string>      // std::string

namespace odbdiff {
namespace {

constexpr char kVariable[] = "ZOZAVI_SCRATCH_FOLDER";

std::string Named() {
  const char* named = getenv(kVariable);
  return named != nullptr ? named : "<unset>";
}

TEST(ScratchFolderTest, NamedForTheObjectDatabaseLibraryWhileHeld) {
  unsetenv(kVariable);
  for (const bool renamed_meanwhile : {false, true}) {
    std::optional<ScratchFolder> folder;
    folder.emplace(std::filesystem::temp_directory_path(), "odbdiff-test-");
    EXPECT_EQ(Named(), "<unset>");  // only when asked
    folder->HoldScratchDatabases();
    EXPECT_EQ(Named(), folder->path().string());
    if (renamed_meanwhile) setenv(kVariable, "/elsewhere", 1);
    folder.reset();
    EXPECT_EQ(Named(), renamed_meanwhile ? "/elsewhere" : "<unset>");
    unsetenv(kVariable);
  }
}

}  // namespace
}  // namespace odbdiff
