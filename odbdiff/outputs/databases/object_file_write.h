// Writing an object file through the object-database library, so that the
// path holds either its former file or the complete new one.
#ifndef ODBDIFF_OUTPUTS_DATABASES_OBJECT_FILE_WRITE_H_
#define ODBDIFF_OUTPUTS_DATABASES_OBJECT_FILE_WRITE_H_

#include <string>  // std::string

#include "diff/host/object_database.h"  // CvxODB
#include "inputs/object_model.h"        // ObjectSink, SlotValue
#include "platform/scratch_folder.h"    // ScratchFolder, kSideFolderPrefix

namespace odbdiff {

// Builds the new file in a private folder beside the path (beside the file a
// symbolic link there names) and renames it into place at Commit. Without
// Commit (a failure on the way) nothing reaches the path and the private
// folder is removed; a killed run's folder is removed by a later one.
class ObjectFileWriter final : public ObjectSink {
 public:
  // Throws Failure when the new file cannot be made.
  explicit ObjectFileWriter(const std::string& path);

  // Each throws Failure naming the path when the library refuses the write.
  void AddObject(const std::string& name) override;
  void AddSlot(const std::string& object, const std::string& slot,
               const SlotValue& value) override;

  // Saves the new file and puts it at the path, replacing what is there.
  // Throws Failure when that fails; the path then keeps its former file.
  void Commit();

 private:
  std::string path_;
  std::string target_;         // the path with symbolic links followed
  ScratchFolder side_folder_;  // declared before the database: removed after it closes
  std::string side_path_;
  CvxODB database_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_DATABASES_OBJECT_FILE_WRITE_H_
