// The main window "Suffix analyser": its menu and controls over CAnalyserDlg.
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
  void UpdateTitle(const CAnalyserDlg& logic);

  QMenuBar* menu_bar_;
  QHash<int, QAction*> actions_;
};

}  // namespace tarvo::ui::qt
