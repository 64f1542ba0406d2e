// Shows a ListModel in a list or table view and reports the user's
// selection and double-clicks back to it. Once a single-selection list has a
// selected row, nothing the user does leaves it without one.
//
// The view reads rows straight from the model through a QAbstractTableModel
// adapter (no copy of the rows), so lists of a million rows stay responsive.
// A list has one column, the row's text; a table has the columns it is
// given, whose cells the logic computes from the model's row number. A table
// sorts by a click on a column's header: the adapter keeps a permutation of
// the model's rows and never reorders the model, so every command still
// works on model rows whatever the order shown. Sync() brings the view up to
// date after the logic changed the model; it compares the model's revision
// counters, so an unchanged list costs nothing.
#pragma once

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "ui/platform/display_text.h"
#include "ui/platform/list_model.h"

namespace tarvo::ui::qt {

// A column of a table over a ListModel; functions take the model's row.
struct TableColumn {
  QString title;
  // The cell's text; when empty, the row's own text.
  std::function<QString(int row)> text;
  // The value a numeric column sorts by and is right-aligned for; when
  // empty, the column sorts by the row's text in list order.
  std::function<double(int row)> number;
  // Whether the cell's tooltip repeats its full text (for long labels).
  bool tooltip = false;
};

class ListAdapter : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListAdapter(ListModel& model, std::function<DisplayEncoding()> encoding, std::vector<TableColumn> columns,
              QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

  // Resets the view's rows when the model's rows changed.
  bool SyncRows();
  // The model row shown at view row `row`, and back.
  int ModelRow(int view_row) const;
  int ViewRow(int model_row) const;

 private:
  QString RowText(int model_row) const;
  // Rebuilds the permutation for the current sort column and order.
  void Reorder();

  ListModel& model_;
  std::function<DisplayEncoding()> encoding_;
  std::vector<TableColumn> columns_;
  std::uint64_t rows_revision_ = ~std::uint64_t{0};
  int sort_column_ = -1;  // -1: the model's own order
  Qt::SortOrder sort_order_ = Qt::AscendingOrder;
  std::vector<int> model_row_of_;  // empty: the model's own order
  std::vector<int> view_row_of_;
};

class ListBinding : public QObject {
  Q_OBJECT

 public:
  // A list when `columns` is empty, a table otherwise.
  ListBinding(QAbstractItemView* view, ListModel& model, std::function<DisplayEncoding()> encoding,
              std::vector<TableColumn> columns = {});

  // Calls `command` after a double-click on a row (with that row selected).
  void OnDoubleClick(std::function<void()> command) { double_click_ = std::move(command); }
  void Sync();

 private:
  void ViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  // Selects in the view the rows the model has selected.
  void ShowModelSelection();

  QAbstractItemView* view_;
  ListModel& model_;
  ListAdapter* adapter_;
  std::function<void()> double_click_;
  std::uint64_t selection_revision_ = ~std::uint64_t{0};
  bool syncing_ = false;
};

}  // namespace tarvo::ui::qt
