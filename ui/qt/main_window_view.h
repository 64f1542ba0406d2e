// The main window: its menu and controls over MainWindowLogic.
//
// The title, the status line and the menu commands' enabled states are
// redrawn after every command, like the controls.
#pragma once

#include <QAction>
#include <map>
#include <QMenuBar>

#include "ui/logic/main_window_logic.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class MainWindowView : public DialogView {
  Q_OBJECT

 public:
  MainWindowView(MainWindowLogic& logic, PlatformHost& host);

  // The menu item with the given command id.
  QAction* MenuAction(Command command) const { return actions_.at(command); }
  QMenuBar* menu_bar() const { return menu_bar_; }

 private:
  void BuildMenu(MainWindowLogic& logic, PlatformHost& host);

  QMenuBar* menu_bar_;
  std::map<Command, QAction*> actions_;
};

// The keys of a standard menu command: the platform's own, or the usual
// ones where the platform has none (Ctrl+Q, Ctrl+Shift+S, Ctrl+,).
QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut);

}  // namespace tarvo::ui::qt
