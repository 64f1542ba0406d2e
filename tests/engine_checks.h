// Independent checks of the engine, shared by the unit tests and the fuzz
// targets (so they use no test framework): a reference word splitter, a
// set-based model of a word list's stems and endings, a replay of the word
// tree's refusal rule, checks that compare an automaton with the model, and
// a plain loop over the words the reader finds in a file.
//
// Every check returns an empty string when everything holds, or a short
// description of the first disagreement.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/word_reader.h"

namespace tarvo::test {

// Reads every word of a file and hands it to on_word. Returns the error when
// the file cannot be opened or read.
template <typename OnWord>
[[nodiscard]] std::error_code ForEachWordInFile(const std::string& path, WordListStats& stats,
                                                OnWord&& on_word) {
  WordFileReader reader;
  if (const std::error_code error = reader.Open(path)) return error;
  std::string_view word;
  while (reader.Next(word)) {
    ++stats.words;
    on_word(word);
  }
  stats.long_tokens_skipped += reader.long_tokens_skipped();
  return reader.error();
}

// The reference split of a word list's bytes: maximal runs of bytes other
// than space, tab, LF, VT, FF, CR and byte 0; runs over 255 bytes are
// dropped and counted.
struct Split {
  std::vector<std::string> words;
  std::uint64_t long_tokens = 0;
};
Split ReferenceSplit(std::string_view text);

// Where a word's symbols start: every byte offset in byte mode; in
// character mode the start of each UTF-8 character. Both end with the
// word's length. False (character mode) when the word is not valid UTF-8.
bool SymbolBoundaries(std::string_view word, bool characters, std::vector<std::size_t>& boundaries);

// Replays the word tree's rule for refusing words: inserted in order, a word
// is refused when it would give some stored prefix a 127th next symbol, or,
// in character mode, when it holds a character that is not coded.
class AcceptanceModel {
 public:
  // Byte mode.
  AcceptanceModel() = default;
  // Character mode with the given coded characters.
  explicit AcceptanceModel(std::set<std::string> coded_characters);

  // True when the word is stored (also when it was stored already).
  bool Insert(const std::string& word);
  const std::vector<std::string>& accepted() const { return accepted_; }
  std::uint64_t refused() const { return refused_; }

 private:
  bool characters_ = false;
  std::set<std::string> coded_;
  std::map<std::string, std::set<std::string>> next_symbols_;  // of every stored prefix
  std::vector<std::string> accepted_;
  std::uint64_t refused_ = 0;
};

// The set-based model of a word list: every prefix of a listed word (a
// stem; in character mode only those that end between characters) with the
// set of endings that complete it to a listed word.
class SuffixModel {
 public:
  explicit SuffixModel(const std::vector<std::string>& words, bool characters = false);
  const std::set<std::string>& words() const { return words_; }
  const std::map<std::string, std::set<std::string>>& endings_of_stem() const { return endings_; }

 private:
  std::set<std::string> words_;
  std::map<std::string, std::set<std::string>> endings_;
};

// The state reached from the start state by reading `text`, or 0.
std::uint32_t StateOfPrefix(const SuffixAutomaton& automaton, const std::string& text);

// Checks of one built automaton against the model of the words it was built
// from. The suffix sets and stems of every state are computed once.
class EngineCheck {
 public:
  EngineCheck(const SuffixAutomaton& automaton, const SuffixModel& model);

  // Numbering, transitions, suffix counts and word counts, and that every
  // stem of the model reaches a state whose suffixes are its endings and
  // whose stems are exactly the stems reaching it.
  std::string Structure() const;
  // One group against every state: the distance (with and without limits)
  // is the size of the suffix-set difference, the differing suffixes are
  // that difference, generated words are its products with the group's
  // stems and none of them is listed, and the suspicious search and the
  // automatic words agree with the distances for the given distances.
  std::string Group(std::uint32_t main, const std::vector<std::uint32_t>& distances) const;
  // The ranked list obeys the minimums, the list length and the scores.
  std::string Ranking(const AnalysisSettings& settings, const std::vector<std::uint32_t>& ranked) const;

  const std::set<std::string>& SuffixesOf(std::uint32_t state) const { return suffixes_[state]; }

 private:
  const SuffixAutomaton& a_;
  const SuffixModel& model_;
  std::vector<std::vector<std::string>> suffix_lists_;  // per state, as GetSuffixes gives them
  std::vector<std::set<std::string>> suffixes_;          // the same as sets
  std::vector<std::vector<std::string>> stems_;  // per state, as GetWords gives them
};

}  // namespace tarvo::test
