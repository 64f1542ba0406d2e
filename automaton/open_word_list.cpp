#include "automaton/open_word_list.h"

#include <chrono>

#include "automaton/suffix_automaton.h"
#include "lexicon/alphabet_order.h"
#include "lexicon/character_order.h"
#include "lexicon/word_tree.h"

namespace tarvo {

double MonotonicSeconds() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

namespace {

// The symbol coding of the file, and whether it could be read. Starts from
// the identity, so that an unreadable file still configures a valid coding.
bool ComputeCoding(const std::string& path, bool read_as_characters, SymbolCoding& coding,
                   OpenReport& report) {
  if (!read_as_characters) {
    SymbolTable order = IdentitySymbolTable();
    const bool ok = CAlphabetOrder().Compute(path, order, &report.order_pass) == 0;
    coding = SymbolCoding(order);
    return ok;
  }
  CharacterOrder order = ComputeCharacterOrder(path);
  report.order_pass = order.stats;
  if (order.outcome == CharacterOrder::Outcome::kUnreadable) return false;
  coding = order.coding;
  report.characters = coding.characters();
  report.byte_mode_reason = ByteModeReason(order);
  return true;
}

}  // namespace

OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, CWordTree& tree,
                        CSuffixAutomaton& automaton, bool read_as_characters) {
  OpenReport report;
  double t0 = MonotonicSeconds();
  SymbolCoding coding;
  const bool order_ok = ComputeCoding(path, read_as_characters, coding, report);
  double t1 = MonotonicSeconds();
  tree.Reset();
  tree.Configure(coding, buffer_size);
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
