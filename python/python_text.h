// Names and values of object files in Python: the library holds bytes
// (any byte but NUL), Python users want str. Bytes are decoded as UTF-8
// with the surrogateescape error handler, so that every byte that is not
// part of valid UTF-8 becomes a lone surrogate U+DC80..U+DCFF and encoding
// with the same handler gives the very bytes back.
#ifndef ODBDIFF_PYTHON_PYTHON_TEXT_H_
#define ODBDIFF_PYTHON_PYTHON_TEXT_H_

#include <pybind11/pybind11.h>

#include <string>       // std::string
#include <string_view>  // std::string_view

namespace odbdiff::python {

namespace py = pybind11;

// The str of `bytes`.
py::str TextToPython(std::string_view bytes);

// The bytes of a str (encoded back with surrogateescape) or of bytes, taken
// as they are. `what` names the argument in the TypeError or ValueError
// raised for anything else, or for text holding NUL.
std::string TextFromPython(py::handle text, const char* what);

// A path given as str, bytes or os.PathLike, in the file system's bytes.
std::string PathFromPython(py::handle path);

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_PYTHON_TEXT_H_
