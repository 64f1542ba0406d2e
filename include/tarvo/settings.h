// The settings of an analysis, with their defaults and their bounds.
//
// min_words, min_suffixes, the two weights and groups_shown decide which
// groups are ranked and in what order (see Analysis::RankedGroups);
// buffer_size, read_as_characters and read_backwards decide how a list is
// read, so they take effect when a list is opened.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvo {

struct AnalysisSettings {
  std::uint32_t min_words = 15;      // a main group needs more stems than this
  std::uint32_t min_suffixes = 5;    // ... and more suffixes than this
  float word_weight = 1.0f;          // factor of ln(word count)
  float suffix_weight = 1.0f;        // factor of ln(suffix count)
  std::uint32_t groups_shown = 15;   // length of the ranked list
  std::uint32_t buffer_size = 10000; // the word tree's growth step at the next Open
  bool read_as_characters = false;   // code UTF-8 characters, not bytes, at the next Open
  bool read_backwards = false;       // analyse prefixes: read every word backwards, at the next Open
};

// The bounds of the settings that have them (see RangeOf).
inline constexpr long kMaxSettingValue = 2147483647;
inline constexpr long kMinBufferSize = 10;
inline constexpr float kMinSuffixWeight = 1.0f;
inline constexpr float kMaxSuffixWeight = 100.0f;

// The settings with bounds. The word weight takes any finite number, and
// read_as_characters and read_backwards either value.
enum class BoundedSetting { kMinWords, kMinSuffixes, kSuffixWeight, kGroupsShown, kBufferSize };

// The values a bounded setting takes, both ends included.
struct SettingRange {
  double min;
  double max;
};

SettingRange RangeOf(BoundedSetting setting);

// The range `value` lies outside of, or nothing when `setting` may take it.
// Every front end checks its input with this and only words the message.
std::optional<SettingRange> CheckSetting(BoundedSetting setting, double value);

// The first bounded setting, in the order of BoundedSetting, whose value is
// out of range, and that range; nothing when all are in range.
struct SettingsError {
  BoundedSetting setting;
  SettingRange range;
};
std::optional<SettingsError> CheckSettings(const AnalysisSettings& settings);

}  // namespace tarvo
