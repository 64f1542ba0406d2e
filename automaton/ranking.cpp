// Ranking of the main suffix groups.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
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
  // Room for any double: up to 309 integer digits, a sign, the point and six decimals.
  char text[std::numeric_limits<double>::max_exponent10 + 10];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, score, std::chars_format::fixed, 6);
  return std::string(text, end.ptr);
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
