#include "ui/logic/table_export.h"

#include <filesystem>

#include "lexicon/word_file_writer.h"
#include "ui/platform/list_model.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {
namespace {

char SeparatorOf(TableFormat format) { return format == TableFormat::kTsv ? '\t' : ','; }

bool NeedsQuotes(const std::string& cell, char separator) {
  if (cell.empty()) return false;
  if (cell.front() == ' ' || cell.back() == ' ') return true;
  for (const char c : cell) {
    if (c == separator || c == '"' || c == '\n' || c == '\r') return true;
  }
  return false;
}

void AppendCell(std::string& text, const std::string& cell, char separator) {
  if (!NeedsQuotes(cell, separator)) {
    text += cell;
    return;
  }
  text += '"';
  for (const char c : cell) {
    if (c == '"') text += '"';
    text += c;
  }
  text += '"';
}

// One row without its line end.
std::string RowText(const TableRow& row, char separator) {
  if (row.size() == 1 && row.front().empty()) return "\"\"";
  std::string text;
  for (std::size_t column = 0; column < row.size(); ++column) {
    if (column > 0) text += separator;
    AppendCell(text, row[column], separator);
  }
  return text;
}

}  // namespace

std::vector<FileFilter> TableFileFilters() {
  return {{Translate("Export", "CSV files"), {"*.csv"}}, {Translate("Export", "TSV files"), {"*.tsv"}}};
}

TableFormat FormatOfPath(const std::string& path) {
  const std::string extension = std::filesystem::path(path).extension().string();
  return EqualIgnoringCase(extension, ".tsv") || EqualIgnoringCase(extension, ".tab") ? TableFormat::kTsv
                                                                                      : TableFormat::kCsv;
}

std::string TableText(const Table& table, TableFormat format) {
  std::string text;
  for (const TableRow& row : table) {
    text += RowText(row, SeparatorOf(format));
    text += '\n';
  }
  return text;
}

std::error_code ExportTable(const std::string& path, const Table& table) {
  const char separator = SeparatorOf(FormatOfPath(path));
  // Each row is one line for the writer, which adds the line feed.
  WordFileWriter writer;
  if (const std::error_code error = writer.OpenForReplace(path)) return error;
  for (const TableRow& row : table) writer.WriteLine(RowText(row, separator));
  return writer.Commit();
}

}  // namespace tarvo::ui
