// Choosing the stems and affix classes of a Hunspell dictionary from the
// automaton.
//
// A stem is a prefix of some word; the state it reaches holds every ending
// that completes it, so one dictionary line "stem/CLASS" stands for all the
// words that begin with the stem, where CLASS lists the state's non-empty
// endings. States with the same non-empty endings share one class; a stem
// whose state is not final also carries the flag that keeps the stem alone
// from being a word. The chosen stems never nest, so every word is made by
// exactly one line: either a stem with its class, or a plain line holding
// the word itself.
//
// Which states become classes is a trade: a class costs its affix lines once
// and saves bytes on every stem that uses it. The choice is made by a few
// rounds of a dynamic program over (state, stem length) that charges each
// class its affix cost shared among the stems that used it in the round
// before, keeping the round whose two files come out smallest.
//
// Stems and affixes are kept as symbol code strings in the automaton's own
// reading order; the orientation (affixes at the end of words, or at their
// start for an automaton of reversed words) decides how they are written and
// which of Hunspell's rules apply at which end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

class SuffixAutomaton;

// Where a class's affixes stand in the written words.
enum class AffixKind {
  kSuffix,  // the automaton reads words forwards: its endings are suffixes
  kPrefix,  // the automaton reads words backwards: its endings are prefixes
};

// Hunspell reads at most this many distinct flags with "FLAG num".
inline constexpr std::uint32_t kMaxHunspellFlags = 65000;

struct HunspellCover {
  static constexpr std::uint32_t kNoClass = UINT32_MAX;

  struct Stem {
    std::string codes;                      // symbol codes, automaton order
    std::uint32_t affix_class = kNoClass;   // index into classes; kNoClass: a plain word
    bool needs_affix = false;               // the stem alone is not a word
  };

  // Each class's non-empty affixes as symbol code strings, most used class
  // first (so the most frequent flags are the shortest numbers).
  std::vector<std::vector<std::string>> classes;
  std::vector<Stem> stems;
  // Flag numbers: class i is flag i + 1; the no-stem-alone flag follows them.
  std::uint32_t NeedAffixFlag() const { return static_cast<std::uint32_t>(classes.size()) + 1; }
};

// Chooses the lines for every word of the automaton. Stems never split a
// UTF-8 character when `utf8_bytes` is set (a UTF-8 list read as bytes),
// and no class holds an affix Hunspell would misread ("0", or one holding
// '/'), nor goes on a stem that would end in a backslash when written.
HunspellCover ChooseHunspellCover(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes);

}  // namespace tarvo
