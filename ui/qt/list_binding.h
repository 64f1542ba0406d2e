// Shows a ListModel in a QListView and reports the user's selection and
// double-clicks back to it. Once a single-selection list has a selected
// row, nothing the user does leaves it without one.
//
// The view reads rows straight from the model through a QAbstractListModel
// adapter (no copy of the rows), with uniform row heights, so lists of a
// million rows stay responsive. Sync() brings the view up to date after the
// logic changed the model; it compares the model's revision counters, so an
// unchanged list costs nothing.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>

#include "ui/platform/display_text.h"
#include "ui/platform/list_model.h"

namespace tarvo::ui::qt {

class ListBoxAdapter : public QAbstractListModel {
  Q_OBJECT

 public:
  ListBoxAdapter(ListModel& model, std::function<DisplayEncoding()> encoding, QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // Resets the view's rows when the model's rows changed.
  bool SyncRows();

 private:
  ListModel& model_;
  std::function<DisplayEncoding()> encoding_;
  std::uint64_t rows_revision_ = ~std::uint64_t{0};
};

class ListBinding : public QObject {
  Q_OBJECT

 public:
  ListBinding(QListView* view, ListModel& model, std::function<DisplayEncoding()> encoding);

  // Calls `command` after a double-click on a row (with that row selected).
  void OnDoubleClick(std::function<void()> command) { double_click_ = std::move(command); }
  void Sync();

 private:
  void ViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

  QListView* view_;
  ListModel& model_;
  ListBoxAdapter* adapter_;
  std::function<void()> double_click_;
  std::uint64_t selection_revision_ = ~std::uint64_t{0};
  bool syncing_ = false;
};

}  // namespace tarvo::ui::qt
