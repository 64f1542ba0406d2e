// Writing a Hunspell dictionary (OUTBASE.aff and OUTBASE.dic) for the words
// of an automaton, so that Hunspell accepts exactly the listed words (and
// the Title and UPPER case forms it always accepts).
//
//   HunspellExportResult result;
//   if (std::error_code error = ExportHunspell(automaton, "out/en", result))
//     Report(error.message());
//
// The .aff file says "SET UTF-8" for a list that is valid UTF-8 (read as
// characters or as bytes) and "SET ISO8859-1" for any other; flags are
// numbers ("FLAG num"). Every character of the list that is not an ASCII
// letter goes into WORDCHARS, so that Hunspell takes each word whole, and
// "BREAK 0" keeps it from accepting two listed words joined by a hyphen.
//
// Each file is replaced the careful way (see lexicon/word_file_writer.h):
// both are written in full before the .aff and then the .dic takes its
// name, and a failure before that leaves both files as they were.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "automaton/hunspell_cover.h"

namespace tarvo {

class SuffixAutomaton;

struct HunspellExportResult {
  bool utf8 = false;            // SET UTF-8, else SET ISO8859-1
  std::uint32_t classes = 0;    // affix classes written to the .aff
  std::uint64_t stems = 0;      // lines of the .dic after its count
  // Listed words that are in the files but that Hunspell will not accept:
  // it takes the dots off the end of a word and tries it with one dot at
  // most, so a word ending in two dots cannot be matched.
  std::vector<std::string> unrepresentable;
};

// Writes `out_base` + ".aff" and `out_base` + ".dic". The automaton's
// endings are written as suffix classes (SFX), or as prefix classes (PFX)
// when the automaton holds its words backwards (prefix mode).
[[nodiscard]] std::error_code ExportHunspell(const SuffixAutomaton& automaton, const std::string& out_base,
                                             HunspellExportResult& result);

}  // namespace tarvo
