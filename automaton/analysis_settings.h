// The settings of an analysis, with their defaults and their bounds.
#pragma once

#include <cstdint>

namespace tarvo {

struct AnalysisSettings {
  std::uint32_t min_words = 15;      // a main group needs more stems than this
  std::uint32_t min_suffixes = 5;    // ... and more suffixes than this
  float word_weight = 1.0f;          // factor of ln(word count)
  float suffix_weight = 1.0f;        // factor of ln(suffix count)
  std::uint32_t groups_shown = 15;   // length of the ranked list
  std::uint32_t buffer_size = 10000; // the word tree's growth step at the next Open
  bool read_as_characters = false;   // code UTF-8 characters, not bytes, at the next Open
};

// Bounds that the Settings dialog and the command line enforce.
inline constexpr long kMaxSettingValue = 2147483647;
inline constexpr long kMinBufferSize = 10;
inline constexpr float kMinSuffixWeight = 1.0f;
inline constexpr float kMaxSuffixWeight = 100.0f;

// ln(suffix count) x suffix weight + ln(word count) x word weight, in double
// precision with the weights widened from float.
double GroupScore(std::uint32_t word_count, std::uint32_t suffix_count, float word_weight,
                  float suffix_weight);

}  // namespace tarvo
