// A hint in grey in the middle of an empty list or table: what fills it,
// such as "Double-click a group to list its stems." An empty white box
// gives a new user nothing to go on. The hint goes once the view has rows.
//
//   ShowPlaceholder(binder, words, [] { return tr("Double-click a group to list its stems."); });
#pragma once

#include <QAbstractItemView>
#include <QString>
#include <functional>

#include "ui/qt/logic_binder.h"

namespace tarvo::ui::qt {

// `text` is asked each time the empty view is painted, and the view is
// painted again after every command of the binder's window, so that the
// hint follows the window's state; an empty text shows nothing.
void ShowPlaceholder(LogicBinder& binder, QAbstractItemView* view, std::function<QString()> text);

// The hint the view shows now: empty while it has rows or has no hint.
QString ShownPlaceholder(const QAbstractItemView* view);

}  // namespace tarvo::ui::qt
