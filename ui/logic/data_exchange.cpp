#include "ui/logic/data_exchange.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "ui/logic/wording.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {
namespace {

// Captions are translated with the dialog's other texts.
std::string CaptionText(const char* caption) { return Translate("SettingsLogic", caption); }

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

enum class ParseOutcome { kOk, kNotANumber, kTooLarge };

// An optional sign and digits, nothing else.
ParseOutcome ParseLong(const std::string& raw, long long* value) {
  const std::string text = Trimmed(raw);
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i == text.size()) return ParseOutcome::kNotANumber;
  long long magnitude = 0;
  bool too_large = false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return ParseOutcome::kNotANumber;
    if (magnitude > (1LL << 40)) too_large = true;
    else magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (too_large) return ParseOutcome::kTooLarge;
  *value = text[0] == '-' ? -magnitude : magnitude;
  return ParseOutcome::kOk;
}

std::optional<double> ParseReal(const std::string& raw) {
  const std::string text = Trimmed(raw);
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value) || errno == ERANGE) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatLong(long value) { return std::to_string(value); }

std::string FormatFloat(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

bool ExchangeLong(PlatformHost& host, const EditModel& edit, const char* caption, BoundedSetting setting,
                  long* value) {
  long long parsed = 0;
  const ParseOutcome outcome = ParseLong(edit.text, &parsed);
  if (outcome == ParseOutcome::kNotANumber) {
    host.ShowMessage(
        Warning(FillIn(Translate("SettingsLogic", "Please enter a whole number for \"%1\"."), {CaptionText(caption)})));
    return false;
  }
  if (outcome == ParseOutcome::kTooLarge || CheckSetting(setting, static_cast<double>(parsed))) {
    const SettingRange range = RangeOf(setting);
    host.ShowMessage(Warning(FillIn(Translate("SettingsLogic", "Please enter a whole number between %1 and %2 for \"%3\"."),
                                    {WithThousandsSeparators(static_cast<long>(range.min)),
                                     WithThousandsSeparators(static_cast<long>(range.max)), CaptionText(caption)})));
    return false;
  }
  *value = static_cast<long>(parsed);
  return true;
}

bool ExchangeFloat(PlatformHost& host, const EditModel& edit, const char* caption, float* value) {
  const std::optional<double> parsed = ParseReal(edit.text);
  if (!parsed || std::fabs(*parsed) > 3.4e38) {
    host.ShowMessage(Warning(FillIn(Translate("SettingsLogic", "Please enter a number for \"%1\"."), {CaptionText(caption)})));
    return false;
  }
  *value = static_cast<float>(*parsed);
  return true;
}

bool ExchangeFloatInRange(PlatformHost& host, const EditModel& edit, const char* caption,
                          BoundedSetting setting, float* value) {
  if (!ExchangeFloat(host, edit, caption, value)) return false;
  if (const std::optional<SettingRange> range = CheckSetting(setting, *value)) {
    host.ShowMessage(Warning(FillIn(Translate("SettingsLogic", "Please enter a number between %1 and %2 for \"%3\"."),
                                    {FormatFloat(static_cast<float>(range->min)),
                                     FormatFloat(static_cast<float>(range->max)), CaptionText(caption)})));
    return false;
  }
  return true;
}

}  // namespace tarvo::ui
