// The tables the window exports, built from the engine's objects: the
// ranked main groups, and a list of words such as the possible new words.
// Each starts with a header row; cells hold the bytes the engine holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"
#include "ui/logic/table_export.h"

namespace tarvo::ui {

// One row per group of `ranked` (best first, as RankMainGroups returns
// them): "rank" (from 1), "label", "stems", "suffixes" and "score" (by the
// settings' weights, with tarvo-cli's digits). With `with_stems_list`, a
// last column "stems list" holds every stem of the group in the order the
// stems list shows them, separated by spaces (a stem never holds one).
Table MainGroupsTable(const SuffixAutomaton& automaton, const std::vector<std::uint32_t>& ranked,
                      const AnalysisSettings& settings, bool with_stems_list);

// The column "word" with the words in the order given.
Table WordsTable(const std::vector<std::string>& words);

}  // namespace tarvo::ui
