// Words between the engine and Python: the engine's words are bytes, and
// the module hands them out as str, decoded the way the window shows them
// (a list that is valid UTF-8 as UTF-8, any other list as Latin-1), or as
// bytes when the analysis was opened with raw=True.
//
// The conversion is lossless both ways. A UTF-8 list can still show bytes
// that are not whole characters (a suffix group may cut a letter in two);
// they decode as the lone surrogates U+DC80 to U+DCFF, Python's
// "surrogateescape", and encode back to the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pybind11/pybind11.h>

namespace tarvo::python {

enum class WordEncoding { kUtf8, kLatin1 };

class WordCodec {
 public:
  WordCodec(WordEncoding encoding, bool raw) : encoding_(encoding), raw_(raw) {}

  // "utf-8" or "latin-1", as Python's codecs name them.
  const char* name() const { return encoding_ == WordEncoding::kUtf8 ? "utf-8" : "latin-1"; }
  bool raw() const { return raw_; }

  // A byte string of the engine as str, or as bytes when raw.
  pybind11::object ToPython(std::string_view bytes) const;
  pybind11::list ToPython(const std::vector<std::string>& words) const;

  // A word given as bytes (taken as it is) or str (encoded); ValueError
  // unless a word list can hold it whole, TypeError for anything else.
  std::string ListWord(pybind11::handle word) const;
  // Every word of an iterable of words, as ListWord takes them. A single
  // str or bytes is refused rather than read letter by letter.
  std::vector<std::string> ListWords(pybind11::handle words) const;

 private:
  WordEncoding encoding_;
  bool raw_;
};

}  // namespace tarvo::python
