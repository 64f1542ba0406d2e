// The words (stems) of a group.
//
// The automaton has no links back from a state to its predecessors, so the
// stems are traced upward: a list of partial stems starts with one entry at
// the group standing for all of its stems. The states above the group are
// scanned in ascending order (every transition leads to a smaller number, so
// all predecessors of a state come after it). A transition from s into the
// state of a partial stem carries WordCount(s) of that entry's stems: when
// the entry stands for more, that many split off into a new entry at s,
// appended to the list; otherwise this was the entry's last unscanned
// predecessor, and the whole entry moves to s. At the start state every
// entry stands for one stem. The output order is the order of the list:
// entry 0 follows, at every state, the transition into it scanned last, and
// every split is appended at the end.
//
// Rather than compare every transition with every entry, the entries
// waiting at each state are kept in a list per state in ascending entry
// order, which is the order the scan must visit them in. Texts are built
// as symbol codes back to front, and turned into text at the end.
#include <algorithm>

#include "automaton/suffix_automaton.h"

namespace tarvo {

std::vector<std::string> SuffixAutomaton::GetWords(std::uint32_t group) const {
  constexpr std::uint32_t kNone = UINT32_MAX;
  const std::uint32_t word_count = WordCount(group);
  std::vector<std::string> texts(1);
  std::vector<std::uint32_t> stems{word_count};  // stems each entry stands for
  std::vector<std::uint32_t> next_waiting{kNone};  // next entry at the same state
  // First entry waiting at state group + k, for k from 0.
  std::vector<std::uint32_t> first_waiting(count_ - group, kNone);
  first_waiting[0] = 0;
  texts.reserve(word_count);
  stems.reserve(word_count);
  next_waiting.reserve(word_count);

  std::vector<std::uint32_t> arrived;
  for (std::uint32_t s = group + 1; s < count_; ++s) {
    const std::uint8_t* label = LabelRow(s);
    const std::uint32_t* targets = TargetRow(s);
    const unsigned n = SlotCount(label[0]);
    const std::uint32_t carried = targets[0];
    arrived.clear();
    for (unsigned slot = 1; slot < n; ++slot) {
      const std::uint32_t t = targets[slot];
      if (t < group) continue;
      const char c = static_cast<char>(label[slot]);
      std::uint32_t* link = &first_waiting[t - group];
      while (*link != kNone) {
        const std::uint32_t e = *link;
        if (stems[e] > carried) {
          stems[e] -= carried;
          arrived.push_back(static_cast<std::uint32_t>(texts.size()));
          texts.push_back(texts[e] + c);
          stems.push_back(carried);
          next_waiting.push_back(kNone);
          link = &next_waiting[e];
        } else {
          texts[e] += c;
          arrived.push_back(e);
          *link = next_waiting[e];
        }
      }
    }
    if (arrived.empty()) continue;
    std::sort(arrived.begin(), arrived.end());
    for (std::size_t k = 0; k + 1 < arrived.size(); ++k) next_waiting[arrived[k]] = arrived[k + 1];
    next_waiting[arrived.back()] = kNone;
    first_waiting[s - group] = arrived.front();
  }
  for (std::string& text : texts) {
    std::reverse(text.begin(), text.end());
    text = coding_.TextOf(text);
  }
  return texts;
}

}  // namespace tarvo
