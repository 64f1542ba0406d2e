// The settings of an analysis, and the score that ranks groups by them.
#pragma once

#include <cstdint>
#include <string>

#include "lexicon/reading_direction.h"
#include "tarvo/settings.h"

namespace tarvo {

// ln(suffix count) x suffix weight + ln(word count) x word weight, in double
// precision with the weights widened from float.
double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight);

// The direction in which the settings read a list's words.
inline ReadingDirection DirectionOf(const AnalysisSettings& settings) {
  return settings.read_backwards ? ReadingDirection::kBackwards : ReadingDirection::kForwards;
}

// A score as text: fixed notation with six decimals and a '.' whatever the
// locale, so that every program and file that shows scores agrees.
std::string FormatGroupScore(double score);

}  // namespace tarvo
