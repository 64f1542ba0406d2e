// The suffixes of a group and its label.
#include <string>
#include <vector>

#include "automaton/suffix_automaton.h"

namespace tarvo {

std::vector<std::string> SuffixAutomaton::GetSuffixes(std::uint32_t group) const {
  std::vector<std::string> output;
  output.reserve(SuffixCount(group));
  if (IsFinalState(group)) output.emplace_back();
  const std::uint8_t* label = LabelRow(group);
  const std::uint32_t* targets = TargetRow(group);
  std::string text;
  for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
    text.clear();
    AppendSymbol(text, label[slot]);
    CollectSuffixes(targets[slot], text, output);
  }
  ToReadingOrder(output);
  return output;
}

void SuffixAutomaton::ToReadingOrder(std::vector<std::string>& texts) const {
  if (!coding_.backwards()) return;
  for (std::string& text : texts) coding_.ToReadingOrder(text);
}

void SuffixAutomaton::CollectSuffixes(std::uint32_t state, std::string& text,
                                       std::vector<std::string>& output) const {
  const std::uint8_t* label = LabelRow(state);
  if (state == 1 || IsFinal(label[0])) output.push_back(text);
  if (state == 1) return;
  const std::uint32_t* targets = TargetRow(state);
  const std::size_t length = text.size();
  for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
    AppendSymbol(text, label[slot]);
    CollectSuffixes(targets[slot], text, output);
    text.resize(length);
  }
}

void SuffixAutomaton::GetLabel(std::uint32_t group, std::string& label) const {
  LabelOfAffixes(GetSuffixes(group), label);
}

void SuffixAutomaton::LabelOfAffixes(const std::vector<std::string>& affixes, std::string& label) const {
  label.clear();
  // A suffix follows its hyphen ("-{} -ed -s"); a prefix, held backwards,
  // precedes it ("{}- re- un-").
  const bool prefixes = coding_.backwards();
  for (const std::string& affix : affixes) {
    if (!label.empty()) label += ' ';
    if (!prefixes) label += '-';
    label += affix.empty() ? "{}" : affix;
    if (prefixes) label += '-';
  }
}

}  // namespace tarvo
