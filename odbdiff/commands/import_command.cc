// odbdiff import IN.json OUT.odb: builds an object file from its JSON form.
#include <cerrno>   // errno
#include <fstream>  // std::ifstream

#include "commands/commands.h"          // RunCommand
#include "json/json_form_read.h"        // ReadJsonForm
#include "outputs/databases/object_file_write.h"  // ObjectFileWriter
#include "platform/failure.h"           // Failure, SystemErrorText, kSame
#include "request/input_checks.h"       // CheckReadableFile, CheckObjectFileOutput, CheckOutputsApart

namespace odbdiff {

int RunCommand(const ImportRequest& request) {
  CheckReadableFile(request.json_file);
  CheckOutputsApart({request.json_file}, {request.object_file});
  CheckObjectFileOutput(request.object_file);

  std::ifstream input(request.json_file, std::ios::binary);
  if (!input.is_open()) {
    throw Failure(request.json_file, "cannot be read: " + SystemErrorText(errno));
  }
  // The new file reaches its path only once the whole form has been read.
  ObjectFileWriter writer(request.object_file);
  ReadJsonForm(input, request.json_file, writer);
  if (input.bad()) throw Failure(request.json_file, "read error");
  writer.Commit();
  return kSame;
}

}  // namespace odbdiff
