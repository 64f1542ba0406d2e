// The main window: its menu and controls over CAnalyserDlg.
//
// The title, the status line and the menu commands' enabled states are
// redrawn after every command, like the controls.
#pragma once

#include <QAction>
#include <QHash>
#include <QMenuBar>

#include "ui/logic/analyser_dlg.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class MainWindowView : public DialogView {
  Q_OBJECT

 public:
  MainWindowView(CAnalyserDlg& logic, IPlatformHost& host);

  // The menu item with the given command id.
  QAction* MenuAction(int command) const { return actions_.value(command, nullptr); }
  QMenuBar* menu_bar() const { return menu_bar_; }

 private:
  void BuildMenu(CAnalyserDlg& logic, IPlatformHost& host);

  QMenuBar* menu_bar_;
  QHash<int, QAction*> actions_;
};

// The keys of a standard menu command: the platform's own, or the usual
// ones where the platform has none (Ctrl+Q, Ctrl+Shift+S, Ctrl+,).
QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut);

}  // namespace tarvo::ui::qt
