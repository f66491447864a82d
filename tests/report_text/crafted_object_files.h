// Object files made for the report tests, with texts, numbers and lists.
#ifndef DIFF_TESTS_REPORT_TEXT_CRAFTED_OBJECT_FILES_H_
#define DIFF_TESTS_REPORT_TEXT_CRAFTED_OBJECT_FILES_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/object_database.h"  // CvxODB

namespace diff::testing {

// Writes an object file from scratch: objects and slots in the order given,
// saved when the writer goes.
class ObjectFileWriter {
 public:
  explicit ObjectFileWriter(const std::string& path);
  ObjectFileWriter(const ObjectFileWriter&) = delete;
  ObjectFileWriter& operator=(const ObjectFileWriter&) = delete;
  ~ObjectFileWriter();

  // Starts an object; the slots that follow belong to it.
  ObjectFileWriter& object(const std::string& name);
  ObjectFileWriter& text(const std::string& slot, const std::string& value);
  ObjectFileWriter& number(const std::string& slot, double value, const char* units = nullptr);
  ObjectFileWriter& list(const std::string& slot, const std::vector<std::string>& items);

 private:
  CvxODB database_;
  std::string object_;
};

// The pair behind the crafted reports: identical objects, objects only in A
// (one without slots) and only in B, and differing objects with every kind
// of slot row, values at the value length limit, numbers with and without
// units, a list, trailing blanks, long fields and long object names.
void write_crafted_object_files(const std::string& a_path, const std::string& b_path);

// A pair in which every common object differs and each file has one object
// of its own, without slots.
void write_hollow_object_files(const std::string& a_path, const std::string& b_path);

}  // namespace diff::testing

#endif  // DIFF_TESTS_REPORT_TEXT_CRAFTED_OBJECT_FILES_H_
