#include "python/setting_keywords.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <variant>

namespace py = pybind11;

namespace tarvo::python {
namespace {

using Member = std::variant<std::uint32_t AnalysisSettings::*, float AnalysisSettings::*, bool AnalysisSettings::*>;

struct Keyword {
  const char* name;
  Member member;
  std::optional<BoundedSetting> bound;
};

// One line per setting.
const Keyword kKeywords[] = {
    {"min_words", &AnalysisSettings::min_words, BoundedSetting::kMinWords},
    {"min_suffixes", &AnalysisSettings::min_suffixes, BoundedSetting::kMinSuffixes},
    {"word_weight", &AnalysisSettings::word_weight, std::nullopt},
    {"suffix_weight", &AnalysisSettings::suffix_weight, BoundedSetting::kSuffixWeight},
    {"groups_shown", &AnalysisSettings::groups_shown, BoundedSetting::kGroupsShown},
    {"buffer_size", &AnalysisSettings::buffer_size, BoundedSetting::kBufferSize},
    {"chars", &AnalysisSettings::read_as_characters, std::nullopt},
    {"prefixes", &AnalysisSettings::read_backwards, std::nullopt},
};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// The number a keyword gives, checked against its range when it has one.
double NumberOf(const Keyword& keyword, py::handle value, bool whole) {
  // bool is an int in Python, but True is no count.
  const bool is_int = py::isinstance<py::int_>(value) && !py::isinstance<py::bool_>(value);
  if (!is_int && (whole || !py::isinstance<py::float_>(value))) {
    throw py::type_error(std::string(keyword.name) + " takes " + (whole ? "an int" : "a number") + ", not " +
                         std::string(py::str(py::type::handle_of(value).attr("__name__"))));
  }
  const double number = value.cast<double>();
  if (!std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max()) {
    throw py::value_error(std::string(keyword.name) + " must be a finite number, not " + Number(number));
  }
  if (keyword.bound) {
    if (const std::optional<SettingRange> range = CheckSetting(*keyword.bound, number)) {
      throw py::value_error(std::string(keyword.name) + " must be " + Number(range->min) + " to " +
                            Number(range->max) + ", not " + Number(number));
    }
  }
  return number;
}

void Assign(const Keyword& keyword, py::handle value, AnalysisSettings& settings) {
  std::visit(
      [&](auto member) {
        using Value = std::remove_reference_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<Value, bool>) {
          if (!py::isinstance<py::bool_>(value)) throw py::type_error(std::string(keyword.name) + " takes a bool");
          settings.*member = value.cast<bool>();
        } else {
          settings.*member = static_cast<Value>(NumberOf(keyword, value, std::is_integral_v<Value>));
        }
      },
      keyword.member);
}

}  // namespace

AnalysisSettings SettingsFromKeywords(const py::kwargs& keywords) {
  AnalysisSettings settings;
  for (const auto& [name, value] : keywords) {
    const std::string key = name.cast<std::string>();
    const auto keyword = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                      [&](const Keyword& k) { return key == k.name; });
    if (keyword == std::end(kKeywords)) throw py::type_error("unexpected keyword argument '" + key + "'");
    Assign(*keyword, value, settings);
  }
  return settings;
}

py::dict KeywordsOf(const AnalysisSettings& settings) {
  py::dict dict;
  for (const Keyword& keyword : kKeywords) {
    std::visit([&](auto member) { dict[keyword.name] = settings.*member; }, keyword.member);
  }
  return dict;
}

}  // namespace tarvo::python
