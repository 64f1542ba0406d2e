#include "ui/qt/item_views.h"

#include <QHeaderView>

#include "ui/qt/copy_rows.h"

namespace tarvo::ui::qt {
namespace {

// Tables this long keep rows one line high: sizing a million rows to their
// wrapped text would take seconds at every change.
constexpr int kMostRowsSizedToText = 2000;

}  // namespace

QListView* NewList(LogicBinder& binder, const ListSource& source, const QString& object_name, QWidget* parent) {
  auto* list = new QListView(parent);
  list->setObjectName(object_name);
  list->setUniformItemSizes(true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionMode(source.model.multiple_selection() ? QAbstractItemView::MultiSelection
                                                           : QAbstractItemView::SingleSelection);
  binder.BindList(list, source.model, source.encoding, source.on_double_click);
  EnableCopy(list);
  return list;
}

QTableView* NewTable(LogicBinder& binder, const ListSource& source, std::vector<TableColumn> columns,
                     int sort_column, int wrapped_column, const QString& object_name, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(object_name);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(true);
  table->setTextElideMode(Qt::ElideRight);
  table->setCornerButtonEnabled(false);
  table->setTabKeyNavigation(false);  // Tab moves on to the next control
  table->verticalHeader()->hide();
  binder.BindList(table, source.model, source.encoding, source.on_double_click, std::move(columns));
  EnableCopy(table);

  QHeaderView* header = table->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(wrapped_column, QHeaderView::Stretch);
  header->setSortIndicator(sort_column, Qt::AscendingOrder);
  table->setSortingEnabled(true);
  const ListModel& model = source.model;
  binder.AddSync([table, &model] {
    const bool short_table = model.RowCount() <= kMostRowsSizedToText;
    table->verticalHeader()->setSectionResizeMode(short_table ? QHeaderView::ResizeToContents
                                                              : QHeaderView::Fixed);
  });
  return table;
}

QLabel* NewCountCaption(LogicBinder& binder, const ListModel& model, std::function<QString(int)> caption,
                        QWidget* parent) {
  auto* label = new QLabel(parent);
  binder.AddSync([label, &model, caption] { label->setText(caption(model.RowCount())); });
  return label;
}

}  // namespace tarvo::ui::qt
