// The commands of odbdiff. Each returns its exit status (failure.h) and
// throws Failure when it cannot do its work.
#ifndef ODBDIFF_COMMANDS_COMMANDS_H_
#define ODBDIFF_COMMANDS_COMMANDS_H_

#include "request/command_line.h"  // the requests

namespace odbdiff {

int RunCommand(const ImportRequest& request);         // import_command.cc
int RunCommand(const ExportRequest& request);         // export_command.cc
int RunCommand(const CompareRequest& request);        // compare_command.cc
int RunCommand(const CompareObjectRequest& request);  // compare_object_command.cc
int RunCommand(const CompareProjectRequest& request);  // compare_project_command.cc
int RunCommand(const ShowRequest& request);            // show_command.cc
int RunCommand(const GitDiffRequest& request);         // git_diff_command.cc
int RunCommand(const AssembleProjectRequest& request);  // assemble_project_command.cc
int RunCommand(const PatchRequest& request);            // patch_command.cc
int RunCommand(const MergeRequest& request);            // merge_command.cc
int RunCommand(const GitMergeRequest& request);         // git_merge_command.cc

}  // namespace odbdiff

#endif  // ODBDIFF_COMMANDS_COMMANDS_H_
