// Ranking of the main suffix groups.
#include <algorithm>
#include <cmath>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"

namespace tarvo {

double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight) {
  const double suffix_part = std::log(static_cast<double>(suffix_count)) * static_cast<double>(suffix_weight);
  const double word_part = std::log(static_cast<double>(word_count)) * static_cast<double>(word_weight);
  return suffix_part + word_part;
}

std::vector<std::uint32_t> CSuffixAutomaton::RankMainGroups(const AnalysisSettings& settings) const {
  // Candidates are states 2 to count - 2. A list longer than the number of
  // candidates can never fill, so it is cut to that length: the outcome is
  // the same, and a huge "groups shown" setting costs no memory.
  const std::uint32_t candidates = count_ > 3 ? count_ - 3 : 0;
  const std::uint32_t slots = std::min(settings.groups_shown, candidates);
  if (slots == 0) return {};
  std::vector<std::uint32_t> ids(slots, 0);
  // Scores are stored as 32-bit floats and every comparison sets a double
  // score against a stored float: this decides the order of equal scores.
  std::vector<float> stored(slots, 0.0f);
  for (std::uint32_t h = 2; h + 1 < count_; ++h) {
    const std::uint32_t suffixes = suffix_counts_[h];
    const std::uint32_t words = WordCount(h);
    if (suffixes <= settings.min_suffixes || words <= settings.min_words) continue;
    const double score = GroupScore(words, suffixes, settings.word_weight, settings.suffix_weight);
    if (!(score > static_cast<double>(stored[slots - 1]))) continue;
    std::uint32_t p = slots - 1;
    while (p > 0 && !(static_cast<double>(stored[p - 1]) > score)) --p;
    for (std::uint32_t k = slots - 1; k > p; --k) {
      ids[k] = ids[k - 1];
      stored[k] = stored[k - 1];
    }
    ids[p] = h;
    stored[p] = static_cast<float>(score);
  }
  ids.erase(std::find(ids.begin(), ids.end(), 0u), ids.end());
  return ids;
}

}  // namespace tarvo
