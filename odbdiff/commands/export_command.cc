// odbdiff export IN.odb [-o FILE] [--sorted]: writes the JSON form of an object file to
// standard output or to a file. The whole form is made before any of it is
// written, so that a file that cannot be read to its end leaves no partial
// document behind.
#include <fcntl.h>   // open, O_WRONLY, O_CREAT, O_TRUNC, O_CLOEXEC
#include <unistd.h>  // write, close

#include <algorithm>  // std::sort, for --sorted
#include <cerrno>     // errno, EINTR
#include <cstring>    // std::strcmp, byte-wise order of names
#include <string>     // std::string for the text on its way out
#include <vector>     // std::vector, the order of the objects

#include "commands/commands.h"        // RunCommand
#include "inputs/local_inputs.h"      // LocalInputs, standard input and pipes
#include "inputs/object_file_read.h"  // ObjectFileReader
#include "json/json_form_write.h"     // JsonFormWriter
#include "outputs/staged_output.h"    // StagedOutput
#include "outputs/standard_output.h"  // WriteStandardOutput
#include "platform/failure.h"         // Failure, SystemErrorText, kSame
#include "request/input_checks.h"     // the checks of inputs and outputs

namespace odbdiff {
namespace {

// The object names in the file's order, or in byte-wise order when `sorted`.
std::vector<const char*> ObjectOrder(CStrList& names, bool sorted) {
  std::vector<const char*> order;
  order.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int position = 0; position < names.GetLength(); ++position) {
    order.push_back(names.GetTextAt(position));
  }
  if (sorted) {
    std::sort(order.begin(), order.end(),
              [](const char* x, const char* y) { return std::strcmp(x, y) < 0; });
  }
  return order;
}

// The JSON form of the object file at `path`; messages name `shown`.
std::string JsonFormOf(const std::string& path, const std::string& shown, bool sorted) {
  ObjectFileReader reader(path);
  JsonFormWriter writer(shown);
  std::string text;
  for (const char* name : ObjectOrder(reader.object_names(), sorted)) {
    Object object = reader.ReadObject(name);
    if (sorted) {
      std::sort(object.slots.begin(), object.slots.end(),
                [](const Slot& x, const Slot& y) { return x.name < y.name; });
    }
    writer.Write(object, text);
  }
  writer.Finish(text);
  return text;
}

// Writes all of `text` to the file at `path`; `shown` names it in messages.
void WriteWholeFile(const std::string& path, const std::string& shown, std::string_view text) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw Failure(shown, "cannot be written: " + SystemErrorText(errno));
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : 0;
      close(fd);  // the write failed already; the file is not kept
      throw Failure(shown, "write failed" + (error != 0 ? ": " + SystemErrorText(error) : ""));
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  if (close(fd) != 0) throw Failure(shown, "write failed: " + SystemErrorText(errno));
}

}  // namespace

int RunCommand(const ExportRequest& request) {
  LocalInputs inputs;
  const std::string object_file = inputs.Local(request.object_file);
  CheckObjectFileInput(object_file);
  if (request.output) {
    CheckWritableOutput(*request.output);
    CheckOutputsApart(inputs.all(), {*request.output});
  } else {
    CheckStandardOutputApart(inputs.all());
  }
  const std::string text = JsonFormOf(object_file, request.object_file, request.sorted);
  if (!request.output) {
    WriteStandardOutput(text);
    return kSame;
  }
  StagedOutput output(*request.output);
  WriteWholeFile(output.writing_path(), output.path(), text);
  output.Commit();
  return kSame;
}

}  // namespace odbdiff
