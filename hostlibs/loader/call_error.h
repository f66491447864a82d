// Why the last loader call of a thread failed, when the file was at fault.
#ifndef HOSTLIBS_LOADER_CALL_ERROR_H_
#define HOSTLIBS_LOADER_CALL_ERROR_H_

#include "diff/host/object_database.h"  // CvxODB

namespace zavo32 {

// Forgets the reason of the thread's last call; every exported call starts so.
void clear_call_error();

// Keeps the object-database library's reason for the last call on
// `database`, if it gave one (a plain "no such object" gives none).
void keep_call_error(const CvxODB& database);

}  // namespace zavo32

#endif  // HOSTLIBS_LOADER_CALL_ERROR_H_
