#include "automaton/open_word_list.h"

#include <chrono>

#include "automaton/build_automaton.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/label_row.h"
#include "lexicon/word_tree.h"

namespace tarvo {

double MonotonicSeconds() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

std::uint32_t DistinctWords(const WordTree& tree, const SuffixAutomaton& automaton) {
  if (tree.IsEmpty()) return IsFinal(tree.LabelRow(0)[0]) ? 1 : 0;
  return automaton.SuffixCount(automaton.start_state());
}

OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, WordTree& tree,
                        SuffixAutomaton& automaton, bool read_as_characters, ReadingDirection direction) {
  OpenReport report;
  const double t0 = MonotonicSeconds();
  static_cast<LoadedWordList&>(report) = LoadWordList(path, buffer_size, read_as_characters, tree, direction);
  const double t1 = MonotonicSeconds();
  report.read_seconds = t1 - t0;
  if (!report.ok()) return report;
  BuildAutomaton(tree, automaton);
  report.build_seconds = MonotonicSeconds() - t1;
  return report;
}

}  // namespace tarvo
