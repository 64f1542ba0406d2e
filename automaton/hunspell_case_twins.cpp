#include "automaton/hunspell_case_twins.h"

#include <algorithm>
#include <locale>

#include "automaton/suffix_automaton.h"
#include "lexicon/utf8.h"

namespace tarvo {
namespace {

// Case mapping of code points: Unicode's where the system has a UTF-8
// locale, ASCII's otherwise.
class CaseMapping {
 public:
  CaseMapping() : locale_(MakeLocale()), ctype_(std::use_facet<std::ctype<wchar_t>>(locale_)) {}
  char32_t Lower(char32_t c) const { return static_cast<char32_t>(ctype_.tolower(static_cast<wchar_t>(c))); }
  char32_t Upper(char32_t c) const { return static_cast<char32_t>(ctype_.toupper(static_cast<wchar_t>(c))); }

 private:
  static std::locale MakeLocale() {
    try {
      return std::locale("C.UTF-8");
    } catch (const std::runtime_error&) {
      return std::locale::classic();
    }
  }
  std::locale locale_;
  const std::ctype<wchar_t>& ctype_;
};

std::u32string Decode(const std::string& text, bool utf8) {
  std::u32string points;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = utf8 ? Utf8SequenceLength(text, pos) : 1;
    if (length == 0) return {};  // not UTF-8: no twin is computed
    points += utf8 ? DecodeUtf8(text, pos, length) : static_cast<unsigned char>(text[pos]);
    pos += length;
  }
  return points;
}

std::string Encode(const std::u32string& points, bool utf8) {
  std::string text;
  for (char32_t point : points) {
    if (utf8) AppendUtf8(text, point);
    else text += static_cast<char>(point);
  }
  return text;
}

// The twin Hunspell adds for a stem that carries flags, or nothing: only a
// stem in capitals (with at least one cased letter) or of mixed case has
// one, its Title case form.
std::u32string TwinOf(const std::u32string& stem, const CaseMapping& mapping) {
  std::size_t capitals = 0;
  std::size_t uncased = 0;
  for (char32_t c : stem) {
    if (mapping.Lower(c) != c) ++capitals;
    else if (mapping.Upper(c) == c) ++uncased;
  }
  const bool first_capital = !stem.empty() && mapping.Lower(stem[0]) != stem[0];
  if (capitals == 0 || (capitals == 1 && first_capital)) return {};  // lower case or Title case
  std::u32string twin = stem;
  for (char32_t& c : twin) c = mapping.Lower(c);
  twin[0] = mapping.Upper(twin[0]);
  return twin == stem ? std::u32string() : twin;
}

// Whether the list holds the word (in reading order; the coding turns it
// the way the automaton holds it).
bool IsListed(const SuffixAutomaton& automaton, const std::string& word) {
  std::string codes;
  if (!automaton.coding().Encode(word, codes)) return false;
  std::uint32_t state = automaton.start_state();
  for (char code : codes) {
    const std::uint8_t* labels = automaton.LabelRow(state);
    const unsigned slots = SlotCount(labels[0]);
    const std::uint8_t* found = std::find(labels + 1, labels + slots, static_cast<std::uint8_t>(code));
    if (found == labels + slots) return false;
    state = automaton.TargetRow(state)[found - labels];
  }
  return automaton.IsFinalState(state);
}

// Codes as the automaton holds them, in reading order.
std::string Written(const SuffixAutomaton& automaton, const std::string& codes) {
  return automaton.coding().TextOf(codes);
}

// Joins a stem and an affix, both written, in `kind`'s order.
std::string Join(AffixKind kind, const std::string& stem, const std::string& affix) {
  return kind == AffixKind::kSuffix ? stem + affix : affix + stem;
}

}  // namespace

void SettleCaseTwins(const SuffixAutomaton& automaton, AffixKind kind, bool utf8, HunspellCover& cover) {
  const CaseMapping mapping;
  std::vector<HunspellCover::Stem> plain;
  for (HunspellCover::Stem& stem : cover.stems) {
    if (stem.affix_classes.empty() && !stem.needs_affix) continue;
    const std::u32string twin = TwinOf(Decode(Written(automaton, stem.codes), utf8), mapping);
    if (twin.empty()) continue;
    const std::string twin_text = Encode(twin, utf8);
    bool hides = false;
    for (std::uint32_t affix_class : stem.affix_classes) {
      for (const std::string& affix : cover.classes[affix_class].affixes) {
        hides = hides || IsListed(automaton, Join(kind, twin_text, Written(automaton, affix)));
      }
    }
    if (!hides) continue;
    for (std::uint32_t affix_class : stem.affix_classes) {
      for (const std::string& affix : cover.classes[affix_class].affixes) {
        plain.push_back({stem.codes + affix, {}, false});  // codes are in the automaton's order
      }
    }
    stem.affix_classes.clear();
  }
  // A stem that is no word and lost its classes has no line left.
  std::erase_if(cover.stems, [](const HunspellCover::Stem& stem) { return stem.affix_classes.empty() && stem.needs_affix; });
  cover.stems.insert(cover.stems.end(), plain.begin(), plain.end());
}

}  // namespace tarvo
