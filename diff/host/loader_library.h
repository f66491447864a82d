// The host's loader library (zavo32), as the diff module's HTML reports call it.
//
// The loader reads object files (through the object-database library) that
// it has opened by name. A status file is an object file too: its objects are
// the objects to report, in the file's object order, and each slot's value is
// that slot's status text.
//
// A file must be opened with _vx_ld_31 before the other calls name it; the
// open files are process-wide and stay open until _vx_ld_33 (opening is not
// counted: one close closes the file however often it was opened). While a
// file is open it holds a read snapshot, so writers of it cannot commit. Null
// or invalid arguments give a failure result, never a crash.
#ifndef DIFF_HOST_LOADER_LIBRARY_H_
#define DIFF_HOST_LOADER_LIBRARY_H_

#include "diff/host/list_library.h"  // list2

#define ZAVO32_API __attribute__((visibility("default")))

// Size of the value buffer that _vx_ld_10 fills: at most 6144 bytes of text
// and a NUL.
inline constexpr int kLoaderValueBufferSize = 6145;

extern "C" {

// Opens the object file `file` for reading. Returns 1, or 0 when it cannot be
// opened or is not an object file. Opening an open file again returns 1.
ZAVO32_API int _vx_ld_31(const char* file);

// Closes the file. Returns 1, or 0 when it was not open.
ZAVO32_API int _vx_ld_33(const char* file);

// Fills `buffer` (of `size` bytes) with the names of the file's objects, in
// the file's object order, as a text-list buffer (see list_length).
// Returns the number of bytes the whole list needs, closing NUL included;
// when that is more than `size`, the buffer holds an empty list (when size is
// at least 1) and the caller asks again with enough room. Returns 0 when the
// file is not open, an argument is null, or the names cannot be read
// (lo_last_error tells why). A list that would need more than
// INT_MAX bytes gives INT_MAX and an empty buffer. An object with an empty name
// cannot be stored in an object file, so every name fits a text-list buffer.
ZAVO32_API int _vx_ld_5(const char* file, char* buffer, int size);

// Writes the text form of the slot's value (as the object-database library
// gives it) into `value`, a buffer of kLoaderValueBufferSize bytes. A value
// longer than 6144 bytes is cut, ending in "\u2026" (the three bytes of the
// UTF-8 ellipsis) where it was cut, never inside a UTF-8 character. Returns
// 1, or 0 when the file is not open, holds no such slot, or the value cannot
// be read (lo_last_error tells why); `value` is then the empty text. `options` is reserved: pass ""; anything else (null
// included) is refused the same way.
ZAVO32_API int _vx_ld_10(const char* file, const char* object, const char* slot, char* value,
                         const char* options);

// Sets `*slot_names` and `*slot_texts` to two new lists of equal length,
// owned by the caller (list2_delete): the object's slot names sorted
// byte-wise and, item for item, each slot's value text. Returns 1, or 0 when
// the file is not open, the object does not exist, or its slots cannot be
// read (lo_last_error tells why); both lists are then new and empty. A null out-parameter is left alone (and gives 0; the other still
// gets a new empty list). The data words of both lists are 0.
ZAVO32_API int lo_load_list2_all_sorted(const char* file, const char* object, list2* slot_names,
                                        list2* slot_texts);

// Why the last call of this thread answered 0 (or _vx_ld_5 an empty list)
// because of the file itself: it cannot be opened, is damaged, or changed
// while it was read. The object-database library's reason, without the
// file's name (`object "P", slot "s": kind 4 is unknown`); "" when the call
// succeeded or answered 0 for a file not open, a missing object or slot, or
// a refused argument. Valid until the thread's next loader call.
ZAVO32_API const char* lo_last_error(void);

}  // extern "C"

#endif  // DIFF_HOST_LOADER_LIBRARY_H_
