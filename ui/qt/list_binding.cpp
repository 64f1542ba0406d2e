#include "ui/qt/list_binding.h"

#include <QItemSelectionModel>

namespace tarvo::ui::qt {

ListBoxAdapter::ListBoxAdapter(ListModel& model, std::function<DisplayEncoding()> encoding, QObject* parent)
    : QAbstractListModel(parent), model_(model), encoding_(std::move(encoding)) {}

int ListBoxAdapter::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : model_.RowCount(); }

QVariant ListBoxAdapter::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= model_.RowCount()) return {};
  return QString::fromStdString(DisplayText(model_.RowText(index.row()), encoding_()));
}

bool ListBoxAdapter::SyncRows() {
  if (rows_revision_ == model_.rows_revision()) return false;
  beginResetModel();
  rows_revision_ = model_.rows_revision();
  endResetModel();
  return true;
}

ListBinding::ListBinding(QListView* view, ListModel& model, std::function<DisplayEncoding()> encoding)
    : QObject(view), view_(view), model_(model), adapter_(new ListBoxAdapter(model, std::move(encoding), this)) {
  view_->setModel(adapter_);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ListBinding::ViewSelectionChanged);
  connect(view_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!index.isValid() || !double_click_) return;
    if (!model_.multiple_selection()) model_.SetCurrentRow(index.row());
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
    const QModelIndex row = adapter_->index(model_.CurrentRow());
    view_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
    return;
  }
  for (const QItemSelectionRange& range : deselected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_.SetSelected(row, false);
  }
  for (const QItemSelectionRange& range : selected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_.SetSelected(row, true);
  }
  selection_revision_ = model_.selection_revision();
}

void ListBinding::Sync() {
  syncing_ = true;
  const bool reset = adapter_->SyncRows();
  if (reset || selection_revision_ != model_.selection_revision()) {
    // Rebuild the view's selection from runs of selected rows.
    QItemSelection selection;
    const int count = model_.RowCount();
    for (int row = 0; row < count;) {
      if (!model_.IsSelected(row)) {
        ++row;
        continue;
      }
      int last = row;
      while (last + 1 < count && model_.IsSelected(last + 1)) ++last;
      selection.select(adapter_->index(row), adapter_->index(last));
      row = last + 1;
    }
    view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!model_.multiple_selection() && model_.CurrentRow() >= 0) {
      view_->selectionModel()->setCurrentIndex(adapter_->index(model_.CurrentRow()), QItemSelectionModel::NoUpdate);
    }
    selection_revision_ = model_.selection_revision();
  }
  syncing_ = false;
}

}  // namespace tarvo::ui::qt
