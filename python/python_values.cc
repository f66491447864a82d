#include "python_values.h"  // DefineValueTypes, NamedTuple, ValueToPython, ValueFromPython

#include <Python.h>

#include <variant>  // std::visit

#include "python_text.h"  // TextToPython, TextFromPython

namespace odbdiff::python {
namespace {

// Held for the life of the process: the module is never unloaded, and a
// py::object here would be released after the interpreter ended.
PyObject* quantity_type = nullptr;
PyObject* difference_type = nullptr;
PyObject* counts_type = nullptr;

PyObject* MakeType(py::handle namedtuple, const char* name, const char* fields,
                   const char* doc) {
  py::object type = namedtuple(name, fields, py::arg("module") = "odbdiff");
  type.attr("__doc__") = doc;
  return type.release().ptr();
}

struct ValueMaker {
  py::object operator()(const TextValue& value) const { return TextToPython(value.text); }
  py::object operator()(const NumberValue& value) const {
    return NamedTuple(quantity_type, {py::float_(value.number), TextToPython(value.units)});
  }
  py::object operator()(const ListValue& value) const {
    py::list items(value.items.size());
    for (std::size_t i = 0; i < value.items.size(); ++i) items[i] = TextToPython(value.items[i]);
    return items;
  }
};

// An int or float (or what has __float__) as a double.
double NumberFromPython(py::handle number) {
  const double value = PyFloat_AsDouble(number.ptr());
  if (value == -1.0 && PyErr_Occurred() != nullptr) throw py::error_already_set();
  return value;
}

}  // namespace

void DefineValueTypes(py::module_& module) {
  const py::object namedtuple = py::module_::import("collections").attr("namedtuple");
  quantity_type = MakeType(namedtuple, "Quantity", "number units",
                           "A number with its units (\"\" for none).");
  difference_type = MakeType(
      namedtuple, "Difference", "object slot status a b",
      "One difference: an object in one file only (slot None, its slots as a dict in a or b) "
      "or a slot of an object of both files; status \"only-in-a\", \"only-in-b\" or "
      "\"values-differ\".");
  counts_type = MakeType(namedtuple, "Counts",
                         "objects_in_a objects_in_b objects_identical objects_differing "
                         "objects_only_in_a objects_only_in_b slots_only_in_a slots_only_in_b "
                         "slots_values_differ",
                         "The counts of a comparison, as odbdiff compare --stat gives them.");
  module.attr("Quantity") = QuantityType();
  module.attr("Difference") = DifferenceType();
  module.attr("Counts") = CountsType();
}

py::handle QuantityType() { return quantity_type; }
py::handle DifferenceType() { return difference_type; }
py::handle CountsType() { return counts_type; }

py::object NamedTuple(py::handle type, std::initializer_list<py::object> items) {
  // A named tuple adds no field to tuple's layout: tuple's own allocation
  // and items make a complete instance.
  auto* tuple_type = reinterpret_cast<PyTypeObject*>(type.ptr());
  PyObject* tuple = tuple_type->tp_alloc(tuple_type, static_cast<Py_ssize_t>(items.size()));
  if (tuple == nullptr) throw py::error_already_set();
  Py_ssize_t position = 0;
  for (const py::object& item : items) {
    PyTuple_SET_ITEM(tuple, position++, py::object(item).release().ptr());
  }
  return py::reinterpret_steal<py::object>(tuple);
}

py::object ValueToPython(const SlotValue& value) { return std::visit(ValueMaker{}, value); }

py::object SlotNames::At(std::size_t position, const std::string& name) {
  if (position >= names_.size()) names_.resize(position + 1);
  auto& [bytes, text] = names_[position];
  if (!text || bytes != name) {
    bytes = name;
    text = TextToPython(name);
  }
  return text;
}

py::dict SlotsToPython(const std::vector<Slot>& slots, SlotNames& names) {
  py::dict values;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (PyDict_SetItem(values.ptr(), names.At(i, slots[i].name).ptr(),
                       ValueToPython(slots[i].value).ptr()) != 0) {
      throw py::error_already_set();
    }
  }
  return values;
}

py::dict SlotsToPython(const std::vector<Slot>& slots) {
  SlotNames names;
  return SlotsToPython(slots, names);
}

SlotValue ValueFromPython(py::handle value) {
  if (PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr())) {
    return TextValue{TextFromPython(value, "a text value")};
  }
  if (py::isinstance(value, QuantityType())) {
    const py::tuple quantity = py::reinterpret_borrow<py::tuple>(value);
    return NumberValue{NumberFromPython(quantity[0]),
                       TextFromPython(quantity[1], "the units of a Quantity")};
  }
  if (PyLong_Check(value.ptr()) || PyFloat_Check(value.ptr())) {
    return NumberValue{NumberFromPython(value), ""};
  }
  if (PyList_Check(value.ptr())) {
    ListValue list;
    for (py::handle item : value) list.items.push_back(TextFromPython(item, "a list item"));
    return list;
  }
  throw py::type_error("a slot value must be str, Quantity, int, float or a list of str, not " +
                       std::string(py::str(value.get_type().attr("__name__"))));
}

}  // namespace odbdiff::python
