// The settings of an analysis, and the score that ranks groups by them.
#pragma once

#include <cstdint>
#include <string>

#include "tarvo/settings.h"

namespace tarvo {

// ln(suffix count) x suffix weight + ln(word count) x word weight, in double
// precision with the weights widened from float.
double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight);

// A score as the programs print it: fixed, six decimals ("2.484907").
std::string FormatGroupScore(double score);

}  // namespace tarvo
