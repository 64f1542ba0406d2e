#include "ui/platform/list_model.h"

#include <algorithm>

namespace tarvo::ui {
namespace {

unsigned char Fold(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(a[i]);
    const unsigned char y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool ListLess(std::string_view a, std::string_view b) {
  const int folded = CompareIgnoringCase(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return CompareIgnoringCase(a, b) == 0;
}

ListModel::ListModel(Order order, Selection selection) : order_(order), selection_(selection) {}

void ListModel::Clear() {
  rows_.clear();
  current_ = kNone;
  selected_count_ = 0;
  RowsChanged();
}

int ListModel::AddRow(std::string text) {
  auto position = rows_.end();
  if (sorted()) {
    position = std::upper_bound(rows_.begin(), rows_.end(), text,
                                [](const std::string& t, const Row& row) { return ListLess(t, row.text); });
  }
  const int index = static_cast<int>(position - rows_.begin());
  rows_.insert(position, Row{std::move(text), false});
  if (current_ != kNone && current_ >= index) ++current_;
  RowsChanged();
  return index;
}

void ListModel::AddRows(std::vector<std::string> texts) {
  if (texts.empty()) return;
  const std::size_t old_size = rows_.size();
  rows_.reserve(old_size + texts.size());
  for (std::string& text : texts) rows_.push_back(Row{std::move(text), false});
  if (sorted()) {
    auto by_text = [](const Row& a, const Row& b) { return ListLess(a.text, b.text); };
    // Stable: equal rows keep the order in which they were added. Rows made
    // in list order (Automatic's) need no sort at all.
    const auto added = rows_.begin() + static_cast<std::ptrdiff_t>(old_size);
    if (!std::is_sorted(added, rows_.end(), by_text)) std::stable_sort(added, rows_.end(), by_text);
    std::inplace_merge(rows_.begin(), added, rows_.end(), by_text);
    if (current_ != kNone) FindCurrent();
  }
  RowsChanged();
}

void ListModel::FindCurrent() {
  current_ = kNone;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) current_ = static_cast<int>(i);
  }
}

int ListModel::FindRow(std::string_view text) const {
  if (sorted()) {
    auto position = std::lower_bound(rows_.begin(), rows_.end(), text, [](const Row& row, std::string_view t) {
      return CompareIgnoringCase(row.text, t) < 0;
    });
    if (position != rows_.end() && EqualIgnoringCase(position->text, text)) {
      return static_cast<int>(position - rows_.begin());
    }
    return kNone;
  }
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (EqualIgnoringCase(rows_[i].text, text)) return static_cast<int>(i);
  }
  return kNone;
}

void ListModel::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  if (rows_[static_cast<std::size_t>(row)].selected) --selected_count_;
  rows_.erase(rows_.begin() + row);
  if (current_ == row) current_ = kNone;
  else if (current_ > row) --current_;
  RowsChanged();
}

void ListModel::DeleteSelectedRows() {
  if (selected_count_ == 0) return;
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.selected; }),
              rows_.end());
  selected_count_ = 0;
  current_ = kNone;
  RowsChanged();
}

void ListModel::SetCurrentRow(int row) {
  if (current_ != kNone) rows_[static_cast<std::size_t>(current_)].selected = false;
  current_ = (row >= 0 && row < RowCount()) ? row : kNone;
  if (current_ != kNone) rows_[static_cast<std::size_t>(current_)].selected = true;
  selected_count_ = current_ == kNone ? 0 : 1;
  ++selection_revision_;
}

bool ListModel::IsSelected(int row) const {
  return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)].selected;
}

void ListModel::SetSelected(int row, bool selected) {
  if (row < 0 || row >= RowCount()) return;
  if (!multiple_selection()) {
    if (selected) SetCurrentRow(row);
    else if (current_ == row) SetCurrentRow(kNone);
    return;
  }
  Row& target = rows_[static_cast<std::size_t>(row)];
  if (target.selected == selected) return;
  target.selected = selected;
  selected_count_ += selected ? 1 : -1;
  ++selection_revision_;
}

void ListModel::SelectRange(int first, int last) {
  if (!multiple_selection()) return;
  const bool select = first <= last;
  const int low = std::max(0, std::min(first, last));
  const int high = std::min(RowCount() - 1, std::max(first, last));
  for (int row = low; row <= high; ++row) SetSelected(row, select);
}

void ListModel::ClearSelection() {
  if (!multiple_selection()) {
    SetCurrentRow(kNone);
    return;
  }
  for (Row& row : rows_) row.selected = false;
  selected_count_ = 0;
  ++selection_revision_;
}

int ListModel::SelectedCount() const { return selected_count_; }

}  // namespace tarvo::ui
