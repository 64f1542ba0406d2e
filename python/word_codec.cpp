#include "python/word_codec.h"

#include "tarvo/analysis.h"

namespace py = pybind11;

namespace tarvo::python {

py::object WordCodec::ToPython(std::string_view bytes) const {
  if (raw_) return py::bytes(bytes.data(), bytes.size());
  const auto size = static_cast<Py_ssize_t>(bytes.size());
  PyObject* text = encoding_ == WordEncoding::kUtf8 ? PyUnicode_DecodeUTF8(bytes.data(), size, "surrogateescape")
                                                    : PyUnicode_DecodeLatin1(bytes.data(), size, nullptr);
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(text);
}

py::list WordCodec::ToPython(const std::vector<std::string>& words) const {
  py::list list(words.size());
  for (std::size_t k = 0; k < words.size(); ++k) list[k] = ToPython(words[k]);
  return list;
}

std::string WordCodec::ListWord(py::handle word) const {
  std::string bytes;
  if (py::isinstance<py::bytes>(word)) {
    bytes = word.cast<std::string>();
  } else if (py::isinstance<py::str>(word)) {
    // Latin-1 takes only U+0000 to U+00FF: another character raises
    // UnicodeEncodeError, a ValueError, rather than being changed.
    PyObject* encoded = PyUnicode_AsEncodedString(word.ptr(), name(),
                                                  encoding_ == WordEncoding::kUtf8 ? "surrogateescape" : "strict");
    if (encoded == nullptr) throw py::error_already_set();
    bytes = py::reinterpret_steal<py::bytes>(encoded).cast<std::string>();
  } else {
    throw py::type_error("a word is str or bytes, not " + std::string(py::str(py::type::handle_of(word).attr("__name__"))));
  }
  if (!IsListWord(bytes)) {
    throw py::value_error(std::string(py::repr(word)) +
                          " is not a word: a word is 1 to 255 bytes without white space or NUL");
  }
  return bytes;
}

std::vector<std::string> WordCodec::ListWords(py::handle words) const {
  if (py::isinstance<py::str>(words) || py::isinstance<py::bytes>(words)) {
    throw py::type_error("expected an iterable of words, not a single word");
  }
  std::vector<std::string> list;
  for (py::handle word : py::iter(words)) list.push_back(ListWord(word));
  return list;
}

}  // namespace tarvo::python
