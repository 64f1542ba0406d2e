#include "automaton/open_word_list.h"

#include <chrono>

#include "automaton/suffix_automaton.h"
#include "lexicon/alphabet_order.h"
#include "lexicon/word_tree.h"

namespace tarvo {

double MonotonicSeconds() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, CWordTree& tree,
                        CSuffixAutomaton& automaton) {
  OpenReport report;
  double t0 = MonotonicSeconds();
  SymbolTable order = IdentitySymbolTable();
  const bool order_ok = CAlphabetOrder().Compute(path, order, &report.order_pass) == 0;
  double t1 = MonotonicSeconds();
  tree.Reset();
  tree.Configure(order, buffer_size);
  const bool load_ok = tree.Load(path, &report.load_pass) == 0;
  double t2 = MonotonicSeconds();
  tree.BuildAutomaton(automaton);
  double t3 = MonotonicSeconds();
  report.ok = order_ok && load_ok;
  report.error = report.order_pass.error != 0 ? report.order_pass.error : report.load_pass.error;
  report.order_seconds = t1 - t0;
  report.load_seconds = t2 - t1;
  report.build_seconds = t3 - t2;
  return report;
}

}  // namespace tarvo
