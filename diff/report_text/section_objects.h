// Which objects each section of the text reports lists, read from the
// difference databases of the last object-file comparison. A database that
// cannot be read fails with DIFF_ERROR_READ, naming it.
#ifndef DIFF_REPORT_TEXT_SECTION_OBJECTS_H_
#define DIFF_REPORT_TEXT_SECTION_OBJECTS_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "diff/host/list_library.h"            // CStrList
#include "diff/report_text/report_context.h"  // ReportDatabases

namespace diff::report_text {

// Objects only in object file A: the values of the slots of the combined
// difference database's list of them, in order. Empty when that list
// object is absent.
std::vector<std::string> objects_only_in_a(const ReportDatabases& databases);

// The same for the objects only in object file B.
std::vector<std::string> objects_only_in_b(const ReportDatabases& databases);

// Objects in both files that neither the A nor the B difference database
// holds: the slot names of the combined difference database's list of
// common objects, in order, without those. Empty when that list object is
// absent. The names point into `common`, which must outlive them: a large
// comparison has a million of them, too many to copy one by one.
std::vector<const char*> identical_objects(const ReportDatabases& databases, CStrList& common);

// Objects in both files that differ: those of the A difference database,
// then those of the B difference database that the A one does not hold,
// each in its database's order.
std::vector<std::string> differing_objects(const ReportDatabases& databases);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_SECTION_OBJECTS_H_
