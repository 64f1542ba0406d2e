// The main window over MainWindowLogic: a QMainWindow with the File, Edit
// and Help menus, the ranked main groups (a sortable table) and the chosen
// group's stems on the two sides of a splitter, the distance with Find Now,
// Update and Exit below them, and a status bar with what the last command
// did and the open list's numbers.
//
// The window is resizable; it keeps its geometry and the splitter's state
// between runs. The title, the status bar, the captions and the menu
// commands' states are redrawn after every command, like the lists.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QSplitter>
#include <map>

#include "ui/logic/main_window_logic.h"
#include "ui/qt/logic_binder.h"

namespace tarvo::ui::qt {

class ListSummaryBar;

// The platform's usual key for a menu command, where there is one.
enum class StandardShortcut { kNone, kOpen, kSave, kSaveAs, kQuit, kPreferences };

class MainWindowView : public QMainWindow {
  Q_OBJECT

 public:
  MainWindowView(MainWindowLogic& logic, PlatformHost& host, QWidget* parent = nullptr);

  // Initialises the logic, shows the window and returns once it has closed,
  // with the logic's result.
  Answer RunUntilClosed();
  // Initialises the logic and shows the window without waiting, for tests
  // and screenshots.
  void ShowModeless();
  // Redraws every bound widget from its model.
  void SyncFromModels() { binder_.Sync(); }

  // The menu item of a command.
  QAction* MenuAction(Command command) const { return actions_.at(command); }

 signals:
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus(PlatformHost& host);
  QWidget* BuildGroupsPane();
  QWidget* BuildWordsPane();
  QLayout* BuildCommandRow();
  void BuildStatusBar();
  QAction* AddCommand(QMenu* menu, const QString& text, Command command, StandardShortcut shortcut,
                      std::function<void()> run);
  void RestoreWindowState();
  void SaveWindowState() const;

  MainWindowLogic& logic_;
  LogicBinder binder_;
  QSplitter* splitter_ = nullptr;
  std::map<Command, QAction*> actions_;
};

// The keys of a standard menu command: the platform's own, or the usual
// ones where the platform has none (Ctrl+Q, Ctrl+Shift+S, Ctrl+,).
QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut);

}  // namespace tarvo::ui::qt
