// The host's object-database library (zozavi), as the diff module calls it.
//
// A database is one file holding named objects; an object holds named slots,
// and a slot's value is a text, a number (double) with optional units, or a
// list of texts. Results are int, nonzero meaning yes or success; a null or
// invalid argument gives a failure result, never a crash.
//
// Pinned behaviour, so that outputs are predictable:
//   - GetObjects returns objects in creation order; GetSlots and LoadAllSlots
//     return an object's slots in creation order; SetValue on an existing slot
//     replaces its value in place (the slot keeps its position).
//   - The text form of a value: a text as stored; a number as the shortest
//     decimal that reads back as the same double (std::to_chars without a
//     format), then, when it has units, one blank and the units ("12.5 kg");
//     a list as its items joined with "\n". Empty units mean no units.
//   - Open(1) opens read-only and never writes the file. Open(0) opens
//     read-write and creates the file (empty, durably) when it is absent.
//     Writes between Open(0) and Close(1) become durable together at
//     Close(1); Close(0) discards them.
//   - A file that is not an object file, or of an unknown version, is refused
//     by Open, Create and Delete and never modified.
#ifndef DIFF_HOST_OBJECT_DATABASE_H_
#define DIFF_HOST_OBJECT_DATABASE_H_

#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint32_t
#include <string>   // std::string holding the last failure of a handle

#include "diff/host/list_library.h"  // CStrList, which receives names and values

#define ZOZAVI_API __attribute__((visibility("default")))

// Slot type enumeration; the module passes only VX_SLOT_ANY (0).
enum VX_SLOT_TYPE { VX_SLOT_ANY = 0, VX_SLOT_TEXT = 1, VX_SLOT_NUMBER = 2, VX_SLOT_LIST = 3 };

// Class allocator: handles are made with `new (char{0}) CvxODB(...)`, which
// yields null instead of throwing when memory runs out, and are released
// through the virtual destructor, which returns the memory here.
class ZOZAVI_API CvxBaseMem {
 public:
  static void* operator new(std::size_t size, char flags) noexcept;
  static void* operator new(std::size_t size);
  static void operator delete(void* memory) noexcept;
  static void operator delete(void* memory, char flags) noexcept;
};

class ZOZAVI_API CvxBase : public CvxBaseMem {};

// One fetched slot value.
class ZOZAVI_API CvxSlot : public CvxBaseMem {
 public:
  // `name` may be null (the module builds it as (null, VX_SLOT_ANY)).
  CvxSlot(const char* name = nullptr, VX_SLOT_TYPE type = VX_SLOT_ANY);
  CvxSlot(const CvxSlot&) = delete;
  CvxSlot& operator=(const CvxSlot&) = delete;
  virtual ~CvxSlot();

  int IsText() const;
  const char* Text() const;  // the text; "" when the value is no text
  int IsNumber() const;
  double Number() const;  // the number; 0 when the value is no number
  int HasUnits() const;
  const char* Units() const;  // the units; "" when there are none
  int IsList() const;
  // Fills `items` (emptied first) with the list's items in order. Returns 1,
  // or 0 when the value is no list or `items` is null.
  int GetListItems(CStrList* items) const;
  // Length in bytes of the value's text form; 0 when the slot holds nothing.
  std::uint32_t GetValueBufferLength() const;

  struct Value;  // the library's representation

 private:
  friend class CvxODB;
  Value* value_;
};

struct ObjectDatabase;  // the open database behind a handle

class ZOZAVI_API CvxODB : public CvxBase {
 public:
  // Names the database at path `name`; opening is a separate step. `flag` is
  // 1 when the handle prepares a difference database and 0 otherwise; it is
  // recorded and changes nothing else.
  CvxODB(std::uint32_t user_instance, const char* name, int flag);
  CvxODB(const CvxODB&) = delete;
  CvxODB& operator=(const CvxODB&) = delete;

  // Virtual operations, in this order.
  virtual ~CvxODB();  // closes without saving, then frees
  // Makes the database anew and empty (durably) and leaves it open for
  // writing. Refuses (0) when the path holds a file that is not an object
  // file.
  virtual int Create();
  // Nonzero when an object file is at the path.
  virtual int Exists();
  // Removes the file with its journal files. Closes the handle first. Refuses
  // (0, file untouched) when the path holds no object file.
  virtual int Delete();
  // Checks the file's integrity: level 0 a quick check, otherwise a full one.
  // Nonzero when the file is an object file and passes.
  virtual int Validate(int level);
  // Nonzero when the handle is open on an object file.
  virtual int IsValid();
  virtual std::uint32_t UserInstance();
  // Replaces the user instance. Returns 1.
  virtual int initValues(std::uint32_t user_instance);
  // Nonzero when the handle is open for writing.
  virtual int CanWrite();
  virtual int IsOpen();

  // Open(1) read-only, Open(0) read-write (creating the file when absent).
  // Returns 1, or 0 when the file cannot be opened or is not an object file.
  // Opening an open handle returns 1 and changes nothing.
  int Open(int mode);
  // Close(1) saves the writes since Open; Close(0) discards them. Returns 1,
  // or 0 when the handle was not open or saving failed (the writes are then
  // lost and the file keeps its earlier content).
  int Close(int flag);

  const char* DB() const;  // the name given to the constructor

  // Why the last call on this handle failed: one line of valid UTF-8, such
  // as `damaged: object "P-101", slot "flow": kind 4 is unknown`, `damaged:
  // no table "slots"`, `not an object file` or `the file shrank or changed
  // while it was read`, without the file's name (the caller knows it); bytes
  // of names that are not printable are escaped (\n, \xNN). A file that is
  // damaged gives a text beginning with "damaged: ". "" when the last call
  // succeeded, or answered 0 for a missing object or slot without anything
  // being wrong with the file, or answered Exists with 0 for a path that
  // holds no object file. Every call but DB and LastError sets it. Valid until
  // the next call on the handle. docs/object-file-format.md lists what is
  // refused.
  const char* LastError() const;

  // Appends every object name, in creation order.
  int GetObjects(CStrList* names);
  int ObjectExists(const char* object);
  // Creates an empty object; nonzero when it exists afterwards. `reserved`
  // must be null. Object names cannot be empty.
  int CreateObject(const char* object, void* reserved);
  // Appends the object's slot names in creation order. `options` must be 0.
  int GetSlots(const char* object, CStrList* slot_names, int options);
  // Appends the object's slot names to `slot_names` and, at the same
  // positions, the text forms of their values to `values`. The options must
  // be 0. Returns 0 and appends nothing when the object does not exist.
  int LoadAllSlots(const char* object, CStrList* slot_names, CStrList* values, int options,
                   int flags);
  // Fetches one slot's value into `slot`. Returns 0 (and leaves `slot`
  // holding nothing) when the object or slot does not exist.
  int GetValue(const char* object, const char* slot_name, CvxSlot& slot, int options);

  // Setters. The object must exist; the slot is created at the end of the
  // object's slots, or replaced in place when it exists.
  int SetValue(const char* object, const char* slot_name, const char* text, int options,
               int flags);
  // A number, with `units` (null or "" for none).
  int SetNumberValue(const char* object, const char* slot_name, double number,
                     const char* units);
  // A list of the texts of `items`, in order.
  int SetListValue(const char* object, const char* slot_name, CStrList* items);

 private:
  ObjectDatabase* database_;  // null while closed
  char* name_;
  std::uint32_t user_instance_;
  int flag_;
  std::string last_error_;  // what LastError answers
};

#endif  // DIFF_HOST_OBJECT_DATABASE_H_
