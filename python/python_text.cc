#include "python_text.h"  // TextToPython, TextFromPython, PathFromPython

#include <Python.h>

#include <string>  // std::string

namespace odbdiff::python {

py::str TextToPython(std::string_view bytes) {
  PyObject* text =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

std::string TextFromPython(py::handle text, const char* what) {
  std::string bytes;
  if (PyUnicode_Check(text.ptr())) {
    const py::bytes encoded = py::reinterpret_steal<py::bytes>(
        PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogateescape"));
    if (!encoded) throw py::error_already_set();
    bytes = encoded;
  } else if (PyBytes_Check(text.ptr())) {
    bytes = py::reinterpret_borrow<py::bytes>(text);
  } else {
    throw py::type_error(std::string(what) + " must be str or bytes, not " +
                         std::string(py::str(text.get_type().attr("__name__"))));
  }
  if (bytes.find('\0') != std::string::npos) {
    throw py::value_error(std::string(what) + " cannot hold NUL: " + std::string(py::repr(text)));
  }
  return bytes;
}

std::string PathFromPython(py::handle path) {
  const py::object named = py::module_::import("os").attr("fspath")(path);
  return TextFromPython(named, "a path");
}

}  // namespace odbdiff::python
