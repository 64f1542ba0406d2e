// The Export command's dialog steps, shared by the main window (the ranked
// groups) and the New words dialog (the possible new words).
#pragma once

#include <optional>
#include <string>

#include "ui/logic/table_export.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

// Asks for a CSV or TSV file name, asks before replacing an existing file,
// and writes the table there (ExportTable). The open word list is never a
// target: choosing it is refused with a message, so that an export cannot
// replace the words. Returns the path written, or nothing when the user
// cancelled or the write failed (after saying why; no file was changed).
std::optional<std::string> ExportWithDialog(PlatformHost& host, const Table& table,
                                            const std::string& word_list_path);

}  // namespace tarvo::ui
