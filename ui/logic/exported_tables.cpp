#include "ui/logic/exported_tables.h"

#include <algorithm>

#include "ui/platform/list_model.h"

namespace tarvo::ui {
namespace {

std::string StemsList(const SuffixAutomaton& automaton, std::uint32_t group) {
  std::vector<std::string> stems = automaton.GetWords(group);
  std::sort(stems.begin(), stems.end(), ListLess);
  std::string list;
  for (const std::string& stem : stems) {
    if (!list.empty()) list += ' ';
    list += stem;
  }
  return list;
}

}  // namespace

Table MainGroupsTable(const SuffixAutomaton& automaton, const std::vector<std::uint32_t>& ranked,
                      const AnalysisSettings& settings, bool with_stems_list) {
  Table table;
  table.reserve(ranked.size() + 1);
  table.push_back({"rank", "label", "stems", "suffixes", "score"});
  if (with_stems_list) table.back().push_back("stems list");
  for (std::size_t rank = 1; rank <= ranked.size(); ++rank) {
    const std::uint32_t group = ranked[rank - 1];
    const std::uint32_t stems = automaton.WordCount(group);
    const std::uint32_t suffixes = automaton.SuffixCount(group);
    TableRow& row = table.emplace_back();
    row.push_back(std::to_string(rank));
    automaton.GetLabel(group, row.emplace_back());
    row.push_back(std::to_string(stems));
    row.push_back(std::to_string(suffixes));
    row.push_back(FormatGroupScore(GroupScore(stems, suffixes, settings.word_weight, settings.suffix_weight)));
    if (with_stems_list) row.push_back(StemsList(automaton, group));
  }
  return table;
}

Table WordsTable(const std::vector<std::string>& words) {
  Table table;
  table.reserve(words.size() + 1);
  table.push_back({"word"});
  for (const std::string& word : words) table.push_back({word});
  return table;
}

}  // namespace tarvo::ui
