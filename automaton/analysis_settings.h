// The settings of an analysis, and the score that ranks groups by them.
#pragma once

#include <cstdint>

#include "tarvo/settings.h"

namespace tarvo {

// ln(suffix count) x suffix weight + ln(word count) x word weight, in double
// precision with the weights widened from float.
double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight);

}  // namespace tarvo
