// The Export Hunspell Dictionary command's dialog steps.
#pragma once

#include <optional>
#include <string>

#include "automaton/suffix_automaton.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

// Asks for the dictionary's .dic file (the .aff goes beside it, under the
// same name), refuses a name whose .aff or .dic is the open word list, asks
// before replacing either file, and writes both as a long task of the host.
// Words Hunspell cannot accept are listed in a warning. Returns the status
// line (what was written), or nothing when the user cancelled or the write
// failed (after saying why; no file was changed).
std::optional<std::string> ExportHunspellWithDialog(PlatformHost& host, const SuffixAutomaton& automaton,
                                                    const std::string& word_list_path);

}  // namespace tarvo::ui
