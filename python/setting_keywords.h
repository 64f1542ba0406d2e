// The settings of an analysis as Python keyword arguments: min_words,
// min_suffixes, word_weight, suffix_weight, groups_shown, buffer_size and
// chars (read a UTF-8 list as characters).
#pragma once

#include <pybind11/pybind11.h>

#include "tarvo/settings.h"

namespace tarvo::python {

// The defaults changed by the keywords given. An unknown keyword raises
// TypeError, a value of the wrong type TypeError, a number out of its
// setting's range ValueError naming the range.
AnalysisSettings SettingsFromKeywords(const pybind11::kwargs& keywords);

// Every setting under its keyword.
pybind11::dict KeywordsOf(const AnalysisSettings& settings);

}  // namespace tarvo::python
