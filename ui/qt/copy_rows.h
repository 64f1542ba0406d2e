// Copying the rows of any list or table view to the clipboard, as text that
// spreadsheets and text editors paste: rows joined by line feeds, the
// columns of a row by tabs.
//
//   EnableCopy(groups_table);  // once, after the view has its model
//
// The text is what the view shows: each cell's display text as its delegate
// draws it, the rows and columns in the order they are shown (a sorted
// table's order, moved columns where they were moved), hidden ones left
// out.
#pragma once

#include <QAbstractItemView>
#include <QString>

namespace tarvo::ui::qt {

// Gives the view the platform's Copy key (QKeySequence::Copy, Ctrl+C),
// which copies the selected rows, and a context menu with "Copy" (the
// selected rows) and "Copy all". The key works whenever the view has the
// focus, ahead of any window shortcut on the same key. Takes over the
// view's context menu.
void EnableCopy(QAbstractItemView* view);

// The text Copy and Copy all put on the clipboard. A row counts as selected
// when any of its shown cells is.
QString SelectedRowsText(const QAbstractItemView& view);
QString AllRowsText(const QAbstractItemView& view);

}  // namespace tarvo::ui::qt
