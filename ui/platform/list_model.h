// ListModel: the state of one list box, rows as byte strings.
//
// The window logic drives list boxes only through this model, with the
// operations of a classic list box control (reset, add, current selection,
// per-row selection, range selection, exact find, delete). Views render the
// model and report the user's clicks back to it; they never keep rows of
// their own.
//
// A sorted list keeps its rows in ListLess order (letter case ignored,
// then byte order); an added row goes after the rows equal to it. A single-
// selection list has at most one selected row (CurrentRow); a multiple-
// selection list has a flag per row (IsSelected). Selection flags travel with
// their rows when rows are inserted or deleted.
//
// Letter case is folded for ASCII letters only: words are bytes, and no
// code page is assumed for the others.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::ui {

// The one order of sorted list boxes: ASCII letter case ignored, then plain
// byte order as the tie-break.
bool ListLess(std::string_view a, std::string_view b);
// Three-way comparison with ASCII letter case ignored: <0, 0 or >0.
int CompareIgnoringCase(std::string_view a, std::string_view b);
// Equality with ASCII letter case ignored.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

class ListModel {
 public:
  enum class Order { kUnsorted, kSorted };
  enum class Selection { kSingle, kMultiple };
  static constexpr int kNone = -1;

  ListModel(Order order, Selection selection);

  bool sorted() const { return order_ == Order::kSorted; }
  bool multiple_selection() const { return selection_ == Selection::kMultiple; }

  // Rows.
  void Clear();
  // Adds one row (in sorted place for a sorted list); returns its index.
  int AddRow(std::string text);
  // Adds many rows, with the same result as adding them one by one, in
  // O(n log n) for the whole batch.
  void AddRows(std::vector<std::string> texts);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& RowText(int row) const { return rows_[static_cast<std::size_t>(row)].text; }
  // The first row equal to text with letter case ignored, or kNone. A sorted
  // list answers by binary search.
  int FindRow(std::string_view text) const;
  void DeleteRow(int row);
  // Deletes every selected row (of a multiple-selection list).
  void DeleteSelectedRows();

  // Selection.
  int CurrentRow() const { return current_; }  // single selection; kNone when none
  void SetCurrentRow(int row);                     // kNone clears
  bool IsSelected(int row) const;
  void SetSelected(int row, bool selected);
  // Selects rows first..last when first <= last, deselects last..first when
  // first > last (rows outside the list are ignored).
  void SelectRange(int first, int last);
  void ClearSelection();
  int SelectedCount() const;

  // Counters that change whenever the rows, or the selection, change; views
  // compare them to know what to redraw.
  std::uint64_t rows_revision() const { return rows_revision_; }
  std::uint64_t selection_revision() const { return selection_revision_; }

 private:
  struct Row {
    std::string text;
    bool selected = false;
  };
  void RowsChanged() { ++rows_revision_; ++selection_revision_; }
  void FindCurrent();

  Order order_;
  Selection selection_;
  std::vector<Row> rows_;
  int current_ = kNone;
  int selected_count_ = 0;
  std::uint64_t rows_revision_ = 0;
  std::uint64_t selection_revision_ = 0;
};

}  // namespace tarvo::ui
