#include "engine_checks.h"

#include <algorithm>
#include <iterator>

#include "lexicon/label_row.h"

namespace tarvo::test {
namespace {

bool IsSeparator(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\0';
}

std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string StateText(std::uint32_t s) { return "state " + std::to_string(s) + ": "; }

std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> result;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(result, result.end()));
  return result;
}

// The length of the well-formed UTF-8 character at text[pos], or 0 when
// none starts there (the table of well-formed byte sequences of RFC 3629).
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  auto byte = [&](std::size_t k, unsigned low, unsigned high) {
    if (pos + k >= text.size()) return false;
    const unsigned char c = static_cast<unsigned char>(text[pos + k]);
    return c >= low && c <= high;
  };
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return byte(1, 0x80, 0xbf) ? 2 : 0;
  if (lead >= 0xe0 && lead <= 0xef) {
    const unsigned low = lead == 0xe0 ? 0xa0 : 0x80;
    const unsigned high = lead == 0xed ? 0x9f : 0xbf;
    return byte(1, low, high) && byte(2, 0x80, 0xbf) ? 3 : 0;
  }
  if (lead >= 0xf0 && lead <= 0xf4) {
    const unsigned low = lead == 0xf0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xf4 ? 0x8f : 0xbf;
    return byte(1, low, high) && byte(2, 0x80, 0xbf) && byte(3, 0x80, 0xbf) ? 4 : 0;
  }
  return 0;
}

}  // namespace

Split ReferenceSplit(std::string_view text) {
  Split split;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(static_cast<unsigned char>(text[i]))) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(static_cast<unsigned char>(text[i]))) ++i;
    if (i - start > 255) ++split.long_tokens;
    else if (i > start) split.words.emplace_back(text.substr(start, i - start));
  }
  return split;
}

bool SymbolBoundaries(std::string_view word, bool characters, std::vector<std::size_t>& boundaries) {
  boundaries.clear();
  std::size_t pos = 0;
  while (pos < word.size()) {
    boundaries.push_back(pos);
    const std::size_t length = characters ? CharacterLength(word, pos) : 1;
    if (length == 0) return false;
    pos += length;
  }
  boundaries.push_back(word.size());
  return true;
}

AcceptanceModel::AcceptanceModel(std::set<std::string> coded_characters)
    : characters_(true), coded_(std::move(coded_characters)) {}

bool AcceptanceModel::Insert(const std::string& word) {
  std::vector<std::size_t> at;
  bool ok = SymbolBoundaries(word, characters_, at);
  for (std::size_t k = 0; ok && characters_ && k + 1 < at.size(); ++k) {
    ok = coded_.count(word.substr(at[k], at[k + 1] - at[k])) != 0;
  }
  // The first prefix not stored yet hangs below the longest stored one,
  // which gains a new next symbol there; every longer prefix is new.
  const std::size_t symbols = at.size() - 1;
  std::size_t k = 0;
  while (ok && k < symbols && next_symbols_.count(word.substr(0, at[k + 1])) != 0) ++k;
  if (ok && k < symbols && next_symbols_[word.substr(0, at[k])].size() == kMaxSlotCount - 1) ok = false;
  if (!ok) {
    ++refused_;
    return false;
  }
  for (std::size_t j = 0; j < symbols; ++j) {
    next_symbols_[word.substr(0, at[j])].insert(word.substr(at[j], at[j + 1] - at[j]));
  }
  next_symbols_[word];
  accepted_.push_back(word);
  return true;
}

SuffixModel::SuffixModel(const std::vector<std::string>& words, bool characters)
    : words_(words.begin(), words.end()) {
  std::vector<std::size_t> at;
  for (const std::string& word : words_) {
    SymbolBoundaries(word, characters, at);
    for (std::size_t k : at) endings_[word.substr(0, k)].insert(word.substr(k));
  }
}

std::uint32_t StateOfPrefix(const SuffixAutomaton& automaton, const std::string& text) {
  std::uint32_t state = automaton.start_state();
  std::string codes;
  if (!automaton.coding().Encode(text, codes)) return 0;
  for (unsigned char code : codes) {
    const std::uint8_t* label = automaton.LabelRow(state);
    std::uint32_t next = 0;
    for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
      if (label[slot] == code) next = automaton.TargetRow(state)[slot];
    }
    if (next == 0) return 0;
    state = next;
  }
  return state;
}

EngineCheck::EngineCheck(const SuffixAutomaton& automaton, const SuffixModel& model)
    : a_(automaton),
      model_(model),
      suffix_lists_(automaton.count()),
      suffixes_(automaton.count()),
      stems_(automaton.count()) {
  for (std::uint32_t s = 1; s < a_.count(); ++s) {
    suffix_lists_[s] = a_.GetSuffixes(s);
    suffixes_[s].insert(suffix_lists_[s].begin(), suffix_lists_[s].end());
    stems_[s] = a_.GetWords(s);
  }
}

std::string EngineCheck::Structure() const {
  const std::uint32_t count = a_.count();
  if (count < 2) return "fewer than two states";
  if (a_.start_state() != count - 1) return "the start state is not count - 1";
  if (!a_.IsFinalState(1) || a_.SlotCountOf(1) != 1) return "state 1 is not the accepting leaf";

  std::vector<std::uint64_t> incoming(count, 0);  // word counts carried in
  for (std::uint32_t s = 1; s < count; ++s) {
    const unsigned n = a_.SlotCountOf(s);
    const std::uint8_t* label = a_.LabelRow(s);
    const std::uint32_t* targets = a_.TargetRow(s);
    std::uint64_t suffixes = a_.IsFinalState(s) ? 1 : 0;
    for (unsigned slot = 1; slot < n; ++slot) {
      if (slot > 1 && label[slot] <= label[slot - 1]) return StateText(s) + "codes not ascending";
      if (targets[slot] == 0 || targets[slot] >= s) return StateText(s) + "transition not to a smaller state";
      suffixes += a_.SuffixCount(targets[slot]);
      incoming[targets[slot]] += a_.WordCount(s);
    }
    if (n == 1 && !a_.IsFinalState(s)) return StateText(s) + "a dead end";
    if (a_.SuffixCount(s) != suffixes) return StateText(s) + "suffix count is not the sum over its transitions";
    if (suffix_lists_[s].size() != a_.SuffixCount(s)) return StateText(s) + "GetSuffixes size differs from the suffix count";
    if (suffixes_[s].size() != a_.SuffixCount(s)) return StateText(s) + "a suffix repeats";
    if (stems_[s].size() != a_.WordCount(s)) return StateText(s) + "GetWords size differs from the word count";
    if (std::set<std::string>(stems_[s].begin(), stems_[s].end()).size() != stems_[s].size()) {
      return StateText(s) + "a stem repeats";
    }
    for (const std::string& stem : stems_[s]) {
      if (StateOfPrefix(a_, stem) != s) return StateText(s) + "stem '" + Printable(stem) + "' leads elsewhere";
    }
    std::string label_text;
    a_.GetLabel(s, label_text);
    std::string expected;
    for (const std::string& suffix : suffix_lists_[s]) {
      expected += expected.empty() ? (suffix.empty() ? "-{}" : "-") : " -";
      expected += suffix;
    }
    if (label_text != expected) return StateText(s) + "label does not list the suffixes";
  }
  if (a_.WordCount(count - 1) != 1) return "the start state's word count is not 1";
  for (std::uint32_t s = 1; s + 1 < count; ++s) {
    if (a_.WordCount(s) != incoming[s]) return StateText(s) + "word count is not the sum carried in";
  }

  if (model_.words().empty()) return count == 2 ? "" : "states for an empty list";
  if (a_.SuffixCount(count - 1) != model_.words().size()) return "the start state's suffixes are not the words";
  std::vector<std::set<std::string>> model_stems(count);
  std::uint32_t states_reached = 0;
  for (const auto& [stem, endings] : model_.endings_of_stem()) {
    const std::uint32_t s = StateOfPrefix(a_, stem);
    if (s == 0) return "stem '" + Printable(stem) + "' has no state";
    if (suffixes_[s] != endings) return StateText(s) + "suffixes are not the endings of '" + Printable(stem) + "'";
    if (model_stems[s].empty()) ++states_reached;
    model_stems[s].insert(stem);
  }
  if (states_reached != count - 1) return "a state that no stem reaches";
  for (std::uint32_t s = 1; s < count; ++s) {
    if (std::set<std::string>(stems_[s].begin(), stems_[s].end()) != model_stems[s]) {
      return StateText(s) + "stems are not the stems that reach it";
    }
  }
  return "";
}

std::string EngineCheck::Group(std::uint32_t main, const std::vector<std::uint32_t>& distances) const {
  const std::string where = "group " + std::to_string(main) + ": ";
  const std::set<std::string>& main_suffixes = suffixes_[main];
  if (!model_.words().empty()) {
    for (const std::string& stem : stems_[main]) {
      for (const std::string& suffix : main_suffixes) {
        if (model_.words().count(stem + suffix) == 0) {
          return where + "'" + Printable(stem + suffix) + "' is not listed";
        }
      }
    }
  }
  std::vector<std::uint32_t> distance_to(a_.count(), 0);
  for (std::uint32_t g = 1; g < a_.count(); ++g) {
    const std::string pair = where + "against " + std::to_string(g) + ": ";
    const std::set<std::string> lacking = Minus(main_suffixes, suffixes_[g]);
    const std::uint32_t size = static_cast<std::uint32_t>(lacking.size());
    distance_to[g] = size;
    if (a_.ExactDistance(main, g) != size) return pair + "distance is not the size of the difference";
    for (std::uint32_t limit : {0u, 1u, 2u, size, size + 1}) {
      const std::uint32_t limited = a_.Distance(main, g, limit);
      if (size < limit ? limited != size : (limited < std::min(limit, size) || limited > size)) {
        return pair + "distance with limit " + std::to_string(limit) + " out of range";
      }
    }
    const std::vector<std::string> differing = a_.GetDifferingSuffixes(g, main);
    if (differing.size() != size || std::set<std::string>(differing.begin(), differing.end()) != lacking) {
      return pair + "differing suffixes are not the difference";
    }
    const std::vector<std::string> generated = a_.GenerateWords(g, main);
    if (generated.size() != stems_[g].size() * differing.size()) return pair + "wrong number of new words";
    for (std::size_t k = 0; k < generated.size(); ++k) {
      if (generated[k] != stems_[g][k / differing.size()] + differing[k % differing.size()]) {
        return pair + "new words are not stem x suffix, stem-major";
      }
      if (!model_.words().empty() && model_.words().count(generated[k]) != 0) {
        return pair + "new word '" + Printable(generated[k]) + "' is listed already";
      }
    }
  }
  for (std::uint32_t d : distances) {
    std::vector<std::uint32_t> expected;
    for (std::uint32_t g = 2; g < a_.count(); ++g) {
      if (distance_to[g] == d) expected.push_back(g);
    }
    if (a_.FindSuspiciousGroups(main, d) != expected) {
      return where + "suspicious groups at distance " + std::to_string(d) + " differ";
    }
    std::vector<std::string> automatic;
    for (std::uint32_t g : expected) {
      for (std::string& word : a_.GenerateWords(g, main)) automatic.push_back(std::move(word));
    }
    if (a_.AutomaticWords(expected, main) != automatic) {
      return where + "automatic words at distance " + std::to_string(d) + " differ";
    }
  }
  return "";
}

std::string EngineCheck::Ranking(const AnalysisSettings& settings,
                                 const std::vector<std::uint32_t>& ranked) const {
  auto score = [&](std::uint32_t h) {
    return GroupScore(a_.WordCount(h), a_.SuffixCount(h), settings.word_weight, settings.suffix_weight);
  };
  auto eligible = [&](std::uint32_t h) {
    return h >= 2 && h + 1 < a_.count() && a_.WordCount(h) > settings.min_words &&
           a_.SuffixCount(h) > settings.min_suffixes && score(h) > 0;
  };
  std::uint32_t eligible_count = 0;
  for (std::uint32_t h = 2; h + 1 < a_.count(); ++h) eligible_count += eligible(h) ? 1 : 0;
  const std::size_t expected_size = std::min<std::size_t>(settings.groups_shown, eligible_count);
  if (ranked.size() != expected_size) return "ranked list has the wrong length";
  std::set<std::uint32_t> seen;
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    const std::uint32_t h = ranked[i];
    if (!eligible(h)) return "ranked group " + std::to_string(h) + " is not eligible";
    if (!seen.insert(h).second) return "ranked group " + std::to_string(h) + " repeats";
    if (i > 0 && static_cast<float>(score(ranked[i - 1])) < static_cast<float>(score(h))) {
      return "ranked scores increase at position " + std::to_string(i);
    }
  }
  if (ranked.empty()) return "";
  const float last = static_cast<float>(score(ranked.back()));
  for (std::uint32_t h = 2; h + 1 < a_.count(); ++h) {
    if (eligible(h) && seen.count(h) == 0 && static_cast<float>(score(h)) > last) {
      return "group " + std::to_string(h) + " scores above a ranked group but is left out";
    }
  }
  return "";
}

}  // namespace tarvo::test
