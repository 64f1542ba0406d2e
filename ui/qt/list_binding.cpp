#include "ui/qt/list_binding.h"

#include <QItemSelectionModel>
#include <algorithm>
#include <numeric>

namespace tarvo::ui::qt {

ListAdapter::ListAdapter(ListModel& model, std::function<DisplayEncoding()> encoding,
                         std::vector<TableColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), model_(model), encoding_(std::move(encoding)), columns_(std::move(columns)) {
  if (columns_.empty()) columns_.push_back(TableColumn{});
}

int ListAdapter::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : model_.RowCount(); }

int ListAdapter::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString ListAdapter::RowText(int model_row) const {
  return QString::fromStdString(DisplayText(model_.RowText(model_row), encoding_()));
}

QVariant ListAdapter::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= model_.RowCount()) return {};
  const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
  const int row = ModelRow(index.row());
  switch (role) {
    case Qt::DisplayRole: return column.text ? column.text(row) : RowText(row);
    case Qt::ToolTipRole:
      if (!column.tooltip) return {};
      return column.text ? column.text(row) : RowText(row);
    case Qt::TextAlignmentRole:
      if (!column.number) return {};
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant ListAdapter::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return columns_[static_cast<std::size_t>(section)].title;
}

void ListAdapter::sort(int column, Qt::SortOrder order) {
  beginResetModel();
  sort_column_ = column;
  sort_order_ = order;
  Reorder();
  endResetModel();
}

bool ListAdapter::SyncRows() {
  if (rows_revision_ == model_.rows_revision()) return false;
  beginResetModel();
  rows_revision_ = model_.rows_revision();
  Reorder();
  endResetModel();
  return true;
}

int ListAdapter::ModelRow(int view_row) const {
  return model_row_of_.empty() ? view_row : model_row_of_[static_cast<std::size_t>(view_row)];
}

int ListAdapter::ViewRow(int model_row) const {
  return view_row_of_.empty() ? model_row : view_row_of_[static_cast<std::size_t>(model_row)];
}

void ListAdapter::Reorder() {
  model_row_of_.clear();
  view_row_of_.clear();
  if (sort_column_ < 0 || sort_column_ >= columnCount()) return;
  const TableColumn& column = columns_[static_cast<std::size_t>(sort_column_)];
  const int count = model_.RowCount();
  std::vector<int> rows(static_cast<std::size_t>(count));
  std::iota(rows.begin(), rows.end(), 0);
  const bool descending = sort_order_ == Qt::DescendingOrder;
  // Keys are computed once per row, not once per comparison; the sort is
  // stable, so equal rows keep the model's order in either direction.
  auto sort_by = [&](const auto& less) {
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return descending ? less(b, a) : less(a, b); });
  };
  if (column.number) {
    std::vector<double> keys(rows.size());
    for (int row = 0; row < count; ++row) keys[static_cast<std::size_t>(row)] = column.number(row);
    sort_by([&](int a, int b) { return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)]; });
  } else if (column.text) {
    std::vector<QString> keys(rows.size());
    for (int row = 0; row < count; ++row) keys[static_cast<std::size_t>(row)] = column.text(row);
    sort_by([&](int a, int b) { return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)]; });
  } else {
    sort_by([this](int a, int b) { return ListLess(model_.RowText(a), model_.RowText(b)); });
  }
  if (std::is_sorted(rows.begin(), rows.end())) return;  // the model's own order
  view_row_of_.resize(rows.size());
  for (std::size_t view_row = 0; view_row < rows.size(); ++view_row) {
    view_row_of_[static_cast<std::size_t>(rows[view_row])] = static_cast<int>(view_row);
  }
  model_row_of_ = std::move(rows);
}

ListBinding::ListBinding(QAbstractItemView* view, ListModel& model, std::function<DisplayEncoding()> encoding,
                         std::vector<TableColumn> columns)
    : QObject(view),
      view_(view),
      model_(model),
      adapter_(new ListAdapter(model, std::move(encoding), std::move(columns), this)) {
  view_->setModel(adapter_);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ListBinding::ViewSelectionChanged);
  // A click on a header re-sorts the rows: the model's selection is shown
  // again wherever its rows went.
  connect(adapter_, &QAbstractItemModel::modelReset, this, [this] {
    if (syncing_) return;
    ShowModelSelection();
    if (!model_.multiple_selection() && model_.CurrentRow() >= 0) {
      view_->scrollTo(adapter_->index(adapter_->ViewRow(model_.CurrentRow()), 0));
    }
  });
  connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!index.isValid() || !double_click_) return;
    if (!model_.multiple_selection()) model_.SetCurrentRow(adapter_->ModelRow(index.row()));
    double_click_();
  });
  Sync();
}

void ListBinding::ViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  if (syncing_) return;
  if (!model_.multiple_selection() && !view_->selectionModel()->hasSelection() && model_.CurrentRow() >= 0) {
    // A click on the blank part of the list, or a Ctrl+click on the
    // selected row, would leave a single-selection list with no row: the
    // row stays selected.
    syncing_ = true;
    const QModelIndex row = adapter_->index(adapter_->ViewRow(model_.CurrentRow()), 0);
    view_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = false;
    return;
  }
  for (const QItemSelectionRange& range : deselected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_.SetSelected(adapter_->ModelRow(row), false);
  }
  for (const QItemSelectionRange& range : selected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_.SetSelected(adapter_->ModelRow(row), true);
  }
  selection_revision_ = model_.selection_revision();
}

void ListBinding::Sync() {
  syncing_ = true;
  const bool reset = adapter_->SyncRows();
  syncing_ = false;
  if (reset || selection_revision_ != model_.selection_revision()) ShowModelSelection();
}

void ListBinding::ShowModelSelection() {
  syncing_ = true;
  // Runs of selected rows, in the order the view shows them.
  QItemSelection selection;
  const int count = model_.RowCount();
  const int last_column = adapter_->columnCount() - 1;
  auto selected = [this](int view_row) { return model_.IsSelected(adapter_->ModelRow(view_row)); };
  for (int row = 0; row < count;) {
    if (!selected(row)) {
      ++row;
      continue;
    }
    int last = row;
    while (last + 1 < count && selected(last + 1)) ++last;
    selection.select(adapter_->index(row, 0), adapter_->index(last, last_column));
    row = last + 1;
  }
  view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  if (!model_.multiple_selection() && model_.CurrentRow() >= 0) {
    view_->selectionModel()->setCurrentIndex(adapter_->index(adapter_->ViewRow(model_.CurrentRow()), 0),
                                             QItemSelectionModel::NoUpdate);
  }
  selection_revision_ = model_.selection_revision();
  syncing_ = false;
}

}  // namespace tarvo::ui::qt
