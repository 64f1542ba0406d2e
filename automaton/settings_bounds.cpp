#include "tarvo/settings.h"

#include <utility>

namespace tarvo {

SettingRange RangeOf(BoundedSetting setting) {
  switch (setting) {
    case BoundedSetting::kMinWords:
    case BoundedSetting::kMinSuffixes:
    case BoundedSetting::kGroupsShown: return {1, kMaxSettingValue};
    case BoundedSetting::kSuffixWeight: return {kMinSuffixWeight, kMaxSuffixWeight};
    case BoundedSetting::kBufferSize: return {kMinBufferSize, kMaxSettingValue};
  }
  return {0, 0};
}

std::optional<SettingRange> CheckSetting(BoundedSetting setting, double value) {
  const SettingRange range = RangeOf(setting);
  if (value >= range.min && value <= range.max) return std::nullopt;
  return range;
}

std::optional<SettingsError> CheckSettings(const AnalysisSettings& settings) {
  const std::pair<BoundedSetting, double> values[] = {
      {BoundedSetting::kMinWords, settings.min_words},
      {BoundedSetting::kMinSuffixes, settings.min_suffixes},
      {BoundedSetting::kSuffixWeight, settings.suffix_weight},
      {BoundedSetting::kGroupsShown, settings.groups_shown},
      {BoundedSetting::kBufferSize, settings.buffer_size},
  };
  for (const auto& [setting, value] : values) {
    if (const std::optional<SettingRange> range = CheckSetting(setting, value)) return SettingsError{setting, *range};
  }
  return std::nullopt;
}

}  // namespace tarvo
