// odbdiff export IN.odb [-o FILE]: writes the JSON form of an object file to
// standard output or to a file. The whole form is made before any of it is
// written, so that a file that cannot be read to its end leaves no partial
// document behind.
#include <fcntl.h>  // open, O_WRONLY, O_CREAT, O_TRUNC, O_CLOEXEC
#include <unistd.h>  // write, close

#include <cerrno>  // errno, EINTR
#include <string>  // std::string for the text on its way out

#include "commands.h"          // RunCommand
#include "failure.h"           // Failure, SystemErrorText, kSame
#include "input_checks.h"      // the checks of inputs and outputs
#include "json_form_write.h"   // JsonFormWriter
#include "object_file_read.h"  // ObjectFileReader
#include "staged_output.h"     // StagedOutput
#include "standard_output.h"   // WriteStandardOutput

namespace odbdiff {
namespace {

std::string JsonFormOf(const std::string& object_file) {
  ObjectFileReader reader(object_file);
  JsonFormWriter writer(object_file);
  std::string text;
  CStrList& names = reader.object_names();
  for (int position = 0; position < names.GetLength(); ++position) {
    writer.Write(reader.ReadObject(names.GetTextAt(position)), text);
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
  CheckObjectFileInput(request.object_file);
  if (request.output) {
    CheckWritableOutput(*request.output);
    CheckOutputsApart({request.object_file}, {*request.output});
  } else {
    CheckStandardOutputApart({request.object_file});
  }
  const std::string text = JsonFormOf(request.object_file);
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
