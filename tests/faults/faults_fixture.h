// What the fault tests share: files large enough for a fault to strike in the
// middle of the work, and the one-line message every failure must give.
#ifndef DIFF_TESTS_FAULTS_FAULTS_FIXTURE_H_
#define DIFF_TESTS_FAULTS_FAULTS_FIXTURE_H_

#include <gtest/gtest.h>  // ::testing::AssertionResult

#include <algorithm>  // std::count
#include <string>     // std::string, std::to_string

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture

namespace odbdiff_test {

// The JSON form of `objects` objects of `slots` text slots each; `tag` is in
// every value, so that files of different tags differ in every slot.
inline std::string ManyObjects(int objects, int slots, const std::string& tag) {
  std::string json = "{";
  for (int object = 0; object < objects; ++object) {
    json += (object == 0 ? "\"object-" : ",\"object-") + std::to_string(object) + "\":{";
    for (int slot = 0; slot < slots; ++slot) {
      json += (slot == 0 ? "\"slot-" : ",\"slot-") + std::to_string(slot) + "\":\"" + tag +
              " value " + std::to_string(object * slots + slot) + "\"";
    }
    json += "}";
  }
  return json + "}";
}

// `err` is one line, "odbdiff: " and a cause that names `file`.
inline ::testing::AssertionResult IsOneLineNaming(const std::string& err,
                                                  const std::string& file) {
  if (err.starts_with("odbdiff: ") && err.ends_with("\n") &&
      std::count(err.begin(), err.end(), '\n') == 1 && err.find(file) != std::string::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "not one line naming " << file << ": " << err;
}

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_FAULTS_FAULTS_FIXTURE_H_
