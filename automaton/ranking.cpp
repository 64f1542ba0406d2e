// Ranking of the main suffix groups.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/best_scores.h"
#include "automaton/suffix_automaton.h"

namespace tarvo {

double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight) {
  const double suffix_part = std::log(static_cast<double>(suffix_count)) * static_cast<double>(suffix_weight);
  const double word_part = std::log(static_cast<double>(word_count)) * static_cast<double>(word_weight);
  return suffix_part + word_part;
}

std::string FormatGroupScore(double score) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", score);
  return text;
}

std::vector<std::uint32_t> SuffixAutomaton::RankMainGroups(const AnalysisSettings& settings) const {
  // Candidates are states 2 to count - 2. A list longer than the number of
  // candidates can never fill, so it is cut to that length: the outcome is
  // the same, and a huge "groups shown" setting costs no memory.
  const std::uint32_t candidates = count_ > 3 ? count_ - 3 : 0;
  BestScores best(std::min(settings.groups_shown, candidates));
  for (std::uint32_t h = 2; h + 1 < count_; ++h) {
    const std::uint32_t suffixes = suffix_counts_[h];
    const std::uint32_t words = WordCount(h);
    if (suffixes <= settings.min_suffixes || words <= settings.min_words) continue;
    best.Offer(h, GroupScore(words, suffixes, settings.word_weight, settings.suffix_weight));
  }
  return best.TakeRanked();
}

}  // namespace tarvo
