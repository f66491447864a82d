// The Python module odbdiff: read and write object files, compare two of
// them with the diff module (docs/python.md).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>  // std::optional arguments

#include <cmath>     // std::isfinite
#include <memory>    // std::make_unique
#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "comparison_iterator.h"  // ComparisonIterator, RaiseError
#include "object_files.h"         // ReadObjectFile, WriteObjectFile
#include "platform/failure.h"     // Failure, FailureLine, FailureCause
#include "python_text.h"          // PathFromPython, TextFromPython
#include "python_values.h"        // DefineValueTypes
#include "streamed_comparison.h"  // StreamedComparison

namespace odbdiff::python {
namespace {

// odbdiff.Error, kept for the life of the process like the value types.
PyObject* error_type = nullptr;

std::vector<std::string> Patterns(py::handle given, const char* what) {
  if (PyUnicode_Check(given.ptr()) || PyBytes_Check(given.ptr())) {
    throw py::type_error(std::string(what) + " must be a sequence of patterns, not one pattern");
  }
  std::vector<std::string> patterns;
  for (py::handle pattern : given) patterns.push_back(TextFromPython(pattern, what));
  return patterns;
}

// The options of odbdiff compare, checked as its command line checks them.
ComparisonOptions Options(const std::optional<std::string>& value_rule,
                          const std::optional<double>& tolerance, py::handle ignore_objects,
                          py::handle ignore_slots, py::handle rules, py::handle accept) {
  ComparisonOptions options;
  if (value_rule) {
    if (*value_rule != "tolerant" && *value_rule != "numeric" && *value_rule != "exact") {
      throw Failure("value_rule: " + *value_rule + " not in {tolerant,numeric,exact}");
    }
    options.value_rule = value_rule;
  }
  if (tolerance) {
    if (!(std::isfinite(*tolerance) && *tolerance >= 0.0 && *tolerance < 100.0)) {
      throw Failure("tolerance: " + std::string(py::str(py::float_(*tolerance))) +
                    " is not a percentage from 0 to below 100");
    }
    if (value_rule == "exact") throw Failure("tolerance has no effect with value_rule exact");
    options.tolerance_percent = tolerance;
  }
  options.ignore_objects = Patterns(ignore_objects, "ignore_objects");
  options.ignore_slots = Patterns(ignore_slots, "ignore_slots");
  if (!rules.is_none()) options.rules_file = PathFromPython(rules);
  if (!accept.is_none()) options.accept = PathFromPython(accept);
  return options;
}

}  // namespace

void RaiseError(const std::string& line) {
  PyErr_SetString(error_type, line.c_str());
  throw py::error_already_set();
}

}  // namespace odbdiff::python

PYBIND11_MODULE(odbdiff, module) {
  using namespace odbdiff::python;
  module.doc() = "Read, write and compare object files (docs/python.md).";
  error_type = PyErr_NewExceptionWithDoc(
      "odbdiff.Error", "A failure, with the one line odbdiff prints for it.", PyExc_Exception,
      nullptr);
  module.attr("Error") = py::handle(error_type);
  DefineValueTypes(module);
  // A failure in odbdiff's code, raised with odbdiff's own line.
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const odbdiff::Failure& failure) {
      PyErr_SetString(error_type, odbdiff::FailureLine(failure.what()).c_str());
    } catch (const std::bad_alloc&) {
      PyErr_NoMemory();
    }
  });

  module.def(
      "read", [](py::handle path) { return ReadObjectFile(PathFromPython(path)); },
      py::arg("path"),
      "The objects of an object file: a dict of object names to dicts of slot names to values.");
  module.def(
      "write",
      [](py::handle path, py::handle objects) { WriteObjectFile(PathFromPython(path), objects); },
      py::arg("path"), py::arg("objects"),
      "Writes the objects (as read gives them) as an object file, whole or not at all.");

  py::class_<ComparisonIterator>(module, "Comparison",
                                 "The differences of a running comparison, and its counts.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &ComparisonIterator::Next)
      .def("to_records", &ComparisonIterator::Records,
           "The differences not yet taken, as dicts for pandas.DataFrame.")
      .def_property_readonly("counts", &ComparisonIterator::Counts,
                             "The counts of odbdiff compare --stat (waits for the end).")
      .def_property_readonly("differ", &ComparisonIterator::Differ,
                             "True when the files differ (waits for the end).")
      .def("close", &ComparisonIterator::Close, "Stops the comparison.")
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__", [](ComparisonIterator& self, py::args) { self.Close(); });

  module.def(
      "compare",
      [](py::handle a, py::handle b, const std::optional<std::string>& value_rule,
         const std::optional<double>& tolerance, py::handle ignore_objects,
         py::handle ignore_slots, py::handle rules, py::handle accept) {
        const odbdiff::ComparisonOptions options =
            Options(value_rule, tolerance, ignore_objects, ignore_slots, rules, accept);
        return ComparisonIterator(
            std::make_unique<StreamedComparison>(PathFromPython(a), PathFromPython(b), options));
      },
      py::arg("a"), py::arg("b"), py::kw_only(), py::arg("value_rule") = py::none(),
      py::arg("tolerance") = py::none(), py::arg("ignore_objects") = py::tuple(),
      py::arg("ignore_slots") = py::tuple(), py::arg("rules") = py::none(),
      py::arg("accept") = py::none(),
      "Compares object files a and b as odbdiff compare does; iterate the result for the "
      "differences.");
}
