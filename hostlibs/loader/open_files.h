// The object files the loader holds open, process-wide, by the name each was
// opened with.
#ifndef HOSTLIBS_LOADER_OPEN_FILES_H_
#define HOSTLIBS_LOADER_OPEN_FILES_H_

#include "diff/host/object_database.h"  // CvxODB

namespace zavo32 {

// Opens the object file `name` read-only, unless it is open already. False
// when `name` is null or the file cannot be opened as an object file.
bool open_file(const char* name);

// Closes the file opened as `name`. False when it was not open.
bool close_file(const char* name);

// The open database of the file opened as `name`; null when `name` is null
// or not open.
CvxODB* find_open_file(const char* name);

}  // namespace zavo32

#endif  // HOSTLIBS_LOADER_OPEN_FILES_H_
