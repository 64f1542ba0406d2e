// Tables as spreadsheet files: CSV or TSV text, and the careful write that
// puts such a file in place.
//
//   const Table table = MainGroupsTable(automaton, ranked, settings, true);  // exported_tables.h
//   if (const std::error_code error = ExportTable(chosen_path, table)) ReportFailure(error.message());
//
// Cells are bytes and go out unchanged: words may be UTF-8 or an 8-bit
// code page, and a file that mixed re-encoded text with the list's own
// bytes would no longer match the list. For the same reason no byte-order
// mark is written.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "ui/platform/host.h"

namespace tarvo::ui {

using TableRow = std::vector<std::string>;
using Table = std::vector<TableRow>;

enum class TableFormat { kCsv, kTsv };

// For the save dialog: the two formats, and the extension a name typed
// without one receives.
std::vector<FileFilter> TableFileFilters();
inline constexpr const char* kTableDefaultExtension = "csv";

// TSV for a name ending in .tsv or .tab (any letter case), CSV otherwise.
TableFormat FormatOfPath(const std::string& path);

// The table as text: cells separated by ',' (CSV) or a tab (TSV), every row
// ended by a line feed. A cell is put in double quotes, with its own quotes
// doubled, when it holds the separator, a double quote, a line feed or a
// carriage return, or begins or ends with a space; a row of one empty cell
// is written as "" so that it does not read as a blank line. Spreadsheet
// programs, and RFC 4180 readers, take this back cell for cell.
//
// Line feeds rather than RFC 4180's CR LF: LibreOffice, Excel and the usual
// CSV libraries read either, the word lists and tarvo-cli's output end
// lines the same way, and line-based tools (grep, cut, awk) then see no
// stray carriage return at the end of every last cell.
//
// Cells that begin with '=', '+', '-' or '@' are written as they are, not
// defused against formula injection: that would change the words and the
// labels ("-{} -ed -s") that the file exists to carry.
std::string TableText(const Table& table, TableFormat format);

// Writes the table to `path` in the format its name asks for (FormatOfPath),
// replacing any file there the way Save as replaces a word list
// (WordFileWriter::OpenForReplace): the new content is on the disk before
// it takes the name, symbolic links are followed, and a replaced file keeps
// its owner, group and permissions. Returns the failure, if any
// (EISDIR for a folder, EACCES for a file the user may not write, ENOSPC,
// ...); the old file is then intact and no partial file is left behind.
[[nodiscard]] std::error_code ExportTable(const std::string& path, const Table& table);

}  // namespace tarvo::ui
