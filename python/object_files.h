// odbdiff.read and odbdiff.write: object files to and from dicts of objects,
// each a dict of slot names to values (python_values.h).
#ifndef ODBDIFF_PYTHON_OBJECT_FILES_H_
#define ODBDIFF_PYTHON_OBJECT_FILES_H_

#include <pybind11/pybind11.h>

#include <string>  // std::string

namespace odbdiff::python {

namespace py = pybind11;

// The objects of the file at `path` in the file's order, each with its
// slots in order. Throws Failure as odbdiff export does.
py::dict ReadObjectFile(const std::string& path);

// Writes `objects` (a mapping of object names to mappings of slot names to
// values) as the object file at `path`, whole or not at all, with the rules
// of odbdiff import: an existing file there must be an object file, and no
// input of the comparison running in this process may be replaced. Throws
// Failure naming the path; raises TypeError or ValueError for what no object
// file can hold.
void WriteObjectFile(const std::string& path, py::handle objects);

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_OBJECT_FILES_H_
