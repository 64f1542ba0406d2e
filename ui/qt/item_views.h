// The lists and tables the windows show, set up alike and bound to the
// logic's list models: read-only, rows chosen by the model's selection
// rules, and a caption that says how many rows the list holds.
#pragma once

#include <QLabel>
#include <QListView>
#include <QTableView>
#include <functional>
#include <vector>

#include "ui/platform/list_model.h"
#include "ui/qt/logic_binder.h"

namespace tarvo::ui::qt {

// Where the rows come from and what a double-click (or Enter) on one runs.
struct ListSource {
  ListModel& model;
  std::function<DisplayEncoding()> encoding;
  std::function<void()> on_double_click = {};
};

QListView* NewList(LogicBinder& binder, const ListSource& source, const QString& object_name, QWidget* parent);

// A table sorted by `sort_column` ascending (-1: in the model's order)
// until a header is clicked. `wrapped_column` takes the width the others
// leave; its text wraps where the table is short enough to size rows to
// their text, and is elided otherwise.
QTableView* NewTable(LogicBinder& binder, const ListSource& source, std::vector<TableColumn> columns,
                     int sort_column, int wrapped_column, const QString& object_name, QWidget* parent);

// A label that shows `caption(row count)` after every command.
QLabel* NewCountCaption(LogicBinder& binder, const ListModel& model, std::function<QString(int)> caption,
                        QWidget* parent);

}  // namespace tarvo::ui::qt
