// Slot values in Python: a text is a str, a number a Quantity(number, units)
// (units "" for a number without units), a list a list of str.
#ifndef ODBDIFF_PYTHON_PYTHON_VALUES_H_
#define ODBDIFF_PYTHON_PYTHON_VALUES_H_

#include <pybind11/pybind11.h>

#include <cstddef>           // std::size_t
#include <initializer_list>  // std::initializer_list
#include <string>            // std::string
#include <utility>           // std::pair
#include <vector>            // std::vector

#include "inputs/object_model.h"  // SlotValue, Slot

namespace odbdiff::python {

namespace py = pybind11;

// Makes the module's named tuple types: Quantity(number, units),
// Difference(object, slot, status, a, b) and the Counts of a comparison.
// Called once as the module is imported; the types live as long as the
// process.
void DefineValueTypes(py::module_& module);

// An instance of a named tuple type made by DefineValueTypes, built as a
// tuple of that type, without calling its Python constructor.
py::object NamedTuple(py::handle type, std::initializer_list<py::object> items);

py::handle QuantityType();
py::handle DifferenceType();
py::handle CountsType();

py::object ValueToPython(const SlotValue& value);

// The str of each slot name at each position of the objects converted last:
// objects of one kind have the same slots, so most names are taken from here
// rather than made anew.
class SlotNames {
 public:
  py::object At(std::size_t position, const std::string& name);

 private:
  std::vector<std::pair<std::string, py::object>> names_;
};

// A dict of slot names to values, in the slots' order.
py::dict SlotsToPython(const std::vector<Slot>& slots, SlotNames& names);
py::dict SlotsToPython(const std::vector<Slot>& slots);

// The value of a str or bytes (text), a Quantity, an int or float (a number
// without units) or a list of str or bytes. Raises TypeError for anything
// else.
SlotValue ValueFromPython(py::handle value);

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_PYTHON_VALUES_H_
