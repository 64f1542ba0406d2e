// Choosing the stems and affix classes of a Hunspell dictionary from the
// automaton.
//
// A stem is a prefix of some word; the state it reaches holds every ending
// that completes it, so one dictionary line "stem/CLASS" stands for all the
// words that begin with the stem, where CLASS lists the state's non-empty
// endings. States with the same non-empty endings share one class. A stem
// whose state's class is too rare may instead carry the classes of some of
// its transitions ("stem/A,B": the endings that begin with one symbol each,
// classes that many states share) and leave the other transitions' words to
// stems further down. A stem whose state is not final also carries the flag
// that keeps the stem alone from being a word. Every word is made by exactly
// one line: a stem with one of its classes, or a plain line holding the word.
//
// Which states become classes is a trade: a class costs its affix lines once
// and saves bytes on every stem that uses it. The choice is made in a few
// rounds. Each round decides per state, from the deepest up, whether its
// stems take the state's class, take some of its transitions' classes, or
// leave their words to the states below, by the bytes each way at the
// state's mean stem length, charging each class its affix lines shared
// among the stems that used it in the round before; then it counts the
// stems each class gets. The round whose two files come out smallest is
// written.
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
  struct AffixClass {
    std::uint32_t flag = 0;             // its number in both files
    std::vector<std::string> affixes;   // non-empty, as symbol code strings
  };
  struct Stem {
    std::string codes;                          // symbol codes, automaton order
    std::vector<std::uint32_t> affix_classes;   // indices into classes; none: a plain word
    bool needs_affix = false;                   // the stem alone is not a word
  };

  // Flags are numbered from 1 by how many stems carry them, the most used
  // first, so that the most frequent flags are the shortest numbers.
  std::vector<AffixClass> classes;
  std::uint32_t need_affix_flag = 0;  // the flag of stems that are no word alone
  std::vector<Stem> stems;
};

// Chooses the lines for every word of the automaton. Stems never split a
// UTF-8 character when `utf8_bytes` is set (a UTF-8 list read as bytes),
// and no class holds an affix Hunspell would misread ("0", or one holding
// '/'), nor goes on a stem that would end in a backslash when written.
HunspellCover ChooseHunspellCover(const SuffixAutomaton& automaton, AffixKind kind, bool utf8_bytes);

}  // namespace tarvo
