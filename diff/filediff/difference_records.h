// The writers of the difference databases.
//
// Layout after a comparison:
//   A difference database: one object per object in both files that has a
//     slot only in A or a slot whose values differ; its slots are those, with
//     A's value. The B difference database likewise for B.
//   Combined difference database:
//     "__Objects In A, Not in B__" and "__Objects In B, Not in A__": one slot
//       per one-sided object, named by a running number, valued its name;
//     "__Comon Objects Between Files A and B__": one slot per object in both
//       files, named by the object, valued "";
//     one object per object with a slot difference: "A->" + slot: "ONLY" or
//       A's value, "B->" + slot: "ONLY" or B's value.
//
// Every writer fails with DIFF_ERROR_WRITE, naming the database, the object
// and the slot, when the library refuses an object or a value: records with
// a gap would tell of fewer differences than there are.
#ifndef DIFF_FILEDIFF_DIFFERENCE_RECORDS_H_
#define DIFF_FILEDIFF_DIFFERENCE_RECORDS_H_

#include "diff/host/object_database.h"  // CvxODB

namespace diff {

inline constexpr const char* kObjectsOnlyInA = "__Objects In A, Not in B__";
inline constexpr const char* kObjectsOnlyInB = "__Objects In B, Not in A__";
inline constexpr const char* kCommonObjects = "__Comon Objects Between Files A and B__";

// Entries an object only in A (or B) in the numbered list of its side. The
// numbering runs on across comparisons in one process.
void diff_record_only_in_a(CvxODB& combined_db, const char* object);
void diff_record_only_in_b(CvxODB& combined_db, const char* object);

// Entries an object of both files in the common list.
void diff_record_common(CvxODB& combined_db, const char* object);

// Records a slot present on one side only: its value in the side's database
// and side_tag + "->" + slot = "ONLY" in the combined one. Returns 1, or 0
// (writing nothing after ensuring the objects) when side_tag is neither "A"
// nor "B".
int diff_record_slot_only(CvxODB& side_db, CvxODB& combined_db, const char* object,
                          const char* slot, const char* value, const char* side_tag);

// Records a slot whose values differ in all three databases. Returns 1.
int diff_record_slot_values(CvxODB& a_db, CvxODB& b_db, CvxODB& combined_db, const char* object,
                            const char* slot, const char* a_value, const char* b_value);

}  // namespace diff

#endif  // DIFF_FILEDIFF_DIFFERENCE_RECORDS_H_
