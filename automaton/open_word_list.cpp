#include "automaton/open_word_list.h"

#include <chrono>

#include "automaton/suffix_automaton.h"
#include "lexicon/word_list_loader.h"
#include "lexicon/word_tree.h"

namespace tarvo {

double MonotonicSeconds() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, CWordTree& tree,
                        CSuffixAutomaton& automaton, bool read_as_characters) {
  OpenReport report;
  const double t0 = MonotonicSeconds();
  LoadedWordList loaded = LoadWordList(path, buffer_size, read_as_characters, tree);
  const double t1 = MonotonicSeconds();
  report.ok = loaded.ok;
  report.characters = loaded.characters;
  report.byte_mode_reason = std::move(loaded.byte_mode_reason);
  report.error = loaded.error;
  report.stats = loaded.stats;
  report.read_seconds = t1 - t0;
  if (!report.ok) return report;
  tree.BuildAutomaton(automaton);
  report.build_seconds = MonotonicSeconds() - t1;
  return report;
}

}  // namespace tarvo
