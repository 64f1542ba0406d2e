// The open list's numbers for the status bar: its file name, whether its
// symbols are bytes or characters, its words, the automaton's states, the
// main groups, and how long the last Open or Update took. Empty while no
// list is open. Each number is a label of its own in the status bar's
// permanent part.
#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include "ui/logic/main_window_logic.h"

namespace tarvo::ui::qt {

class ListSummaryBar {
  Q_DECLARE_TR_FUNCTIONS(ListSummaryBar)

 public:
  // Adds the labels to `bar`, which owns them.
  explicit ListSummaryBar(QStatusBar* bar);
  void Show(const ListSummary& summary);

 private:
  QLabel* file_name_;
  QLabel* mode_;
  QLabel* words_;
  QLabel* states_;
  QLabel* groups_;
  QLabel* last_step_;
};

}  // namespace tarvo::ui::qt
