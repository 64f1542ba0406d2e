// Differing suffixes and new words.
#include <algorithm>
#include <array>

#include "automaton/suffix_automaton.h"

namespace tarvo {
namespace {

// One state unpacked for lookups by symbol code.
struct ExpandedState {
  std::array<std::uint32_t, 256> target_of_code;  // 0 where there is no transition
  bool final;
  std::uint32_t highest_code;  // of the transitions; 0 when there are none
};

static_assert(std::tuple_size_v<decltype(ExpandedState::target_of_code)> ==
              std::tuple_size_v<SymbolTable>, "one entry per symbol code");

ExpandedState Expand(const SuffixAutomaton& automaton, std::uint32_t state) {
  const std::uint8_t* label = automaton.LabelRow(state);
  const std::uint32_t* targets = automaton.TargetRow(state);
  const unsigned n = SlotCount(label[0]);
  ExpandedState expanded;
  expanded.target_of_code.fill(0);
  for (unsigned slot = 1; slot < n; ++slot) expanded.target_of_code[label[slot]] = targets[slot];
  expanded.final = IsFinal(label[0]);
  expanded.highest_code = n >= 2 ? label[n - 1] : 0;
  return expanded;
}

// A visitor that keeps every word.
SuffixAutomaton::WordVisitor AppendTo(std::vector<std::string>& words) {
  return [&words](const std::string& word) {
    words.push_back(word);
    return true;
  };
}

}  // namespace

// Appends, each after `prefix`, the suffixes that `having` accepts and
// `lacking` does not: for each symbol code in ascending order, all suffixes
// through a transition only `having` has (in GetSuffixes order), or the
// differing suffixes of the two targets when both have one; the empty suffix
// last. The output grows as needed, so no suffix is ever dropped for lack of
// room.
void SuffixAutomaton::AppendDifferingSuffixes(std::uint32_t lacking, std::uint32_t having,
                                               std::string& prefix,
                                               std::vector<std::string>& output) const {
  const ExpandedState lacking_state = Expand(*this, lacking);
  const ExpandedState having_state = Expand(*this, having);
  const std::uint32_t highest = std::max(lacking_state.highest_code, having_state.highest_code);
  for (std::uint32_t code = 0; code <= highest; ++code) {
    const std::uint32_t x = lacking_state.target_of_code[code];
    const std::uint32_t y = having_state.target_of_code[code];
    if (x == y || y == 0) continue;
    const std::size_t length = prefix.size();
    AppendSymbol(prefix, static_cast<std::uint8_t>(code));
    if (x == 0) CollectSuffixes(y, prefix, output);
    else AppendDifferingSuffixes(x, y, prefix, output);
    prefix.resize(length);
  }
  if (having_state.final && !lacking_state.final) output.push_back(prefix);
}

std::vector<std::string> SuffixAutomaton::GetDifferingSuffixes(std::uint32_t lacking,
                                                                std::uint32_t having) const {
  std::vector<std::string> output;
  std::string prefix;
  AppendDifferingSuffixes(lacking, having, prefix, output);
  ToReadingOrder(output);
  return output;
}

bool SuffixAutomaton::ForEachGeneratedWord(std::uint32_t suspicious, std::uint32_t main,
                                             const WordVisitor& visit) const {
  const std::vector<std::string> suffixes = GetDifferingSuffixes(suspicious, main);
  if (suffixes.empty()) return true;
  std::string word;
  for (const std::string& stem : GetWords(suspicious)) {
    for (const std::string& suffix : suffixes) {
      JoinStemAndAffix(word, stem, suffix, coding_.direction());
      if (!visit(word)) return false;
    }
  }
  return true;
}

std::vector<std::string> SuffixAutomaton::GenerateWords(std::uint32_t suspicious,
                                                         std::uint32_t main) const {
  std::vector<std::string> words;
  ForEachGeneratedWord(suspicious, main, AppendTo(words));
  return words;
}

std::uint64_t SuffixAutomaton::GeneratedWordCount(std::uint32_t suspicious, std::uint32_t main) const {
  // One word per stem and differing suffix; the differing suffixes are the
  // ones the distance from main to suspicious counts.
  return std::uint64_t{WordCount(suspicious)} * ExactDistance(main, suspicious);
}

std::vector<std::uint32_t> SuffixAutomaton::FindSuspiciousGroups(std::uint32_t main,
                                                                  std::uint32_t distance) const {
  const std::uint32_t limit = distance + 1;  // wraps to 0 for the largest distance
  std::vector<std::uint32_t> groups;
  for (std::uint32_t g = 2; g < count_; ++g) {
    if (Distance(main, g, limit) == distance) groups.push_back(g);
  }
  return groups;
}

bool SuffixAutomaton::ForEachAutomaticWord(const std::vector<std::uint32_t>& suspicious, std::uint32_t main,
                                             const WordVisitor& visit) const {
  for (std::uint32_t g : suspicious) {
    if (!ForEachGeneratedWord(g, main, visit)) return false;
  }
  return true;
}

std::vector<std::string> SuffixAutomaton::AutomaticWords(const std::vector<std::uint32_t>& suspicious,
                                                          std::uint32_t main) const {
  std::vector<std::string> words;
  ForEachAutomaticWord(suspicious, main, AppendTo(words));
  return words;
}

}  // namespace tarvo
