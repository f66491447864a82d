// odbdiff export IN.odb: writes the JSON form of an object file to standard
// output.
#include <string>  // std::string for the text on its way out

#include "commands.h"          // RunCommand
#include "failure.h"           // kSame
#include "input_checks.h"      // CheckObjectFileInput
#include "json_form_write.h"   // JsonFormWriter
#include "object_file_read.h"  // ObjectFileReader
#include "standard_output.h"   // WriteStandardOutput

namespace odbdiff {
namespace {

// Text gathered before it is written out: few, large writes.
constexpr std::size_t kWriteSize = 1 << 16;

}  // namespace

int RunCommand(const ExportRequest& request) {
  CheckObjectFileInput(request.object_file);
  ObjectFileReader reader(request.object_file);
  JsonFormWriter writer(request.object_file);
  std::string text;
  CStrList& names = reader.object_names();
  for (int position = 0; position < names.GetLength(); ++position) {
    writer.Write(reader.ReadObject(names.GetTextAt(position)), text);
    if (text.size() >= kWriteSize) {
      WriteStandardOutput(text);
      text.clear();
    }
  }
  writer.Finish(text);
  WriteStandardOutput(text);
  return kSame;
}

}  // namespace odbdiff
