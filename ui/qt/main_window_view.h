// The main window over MainWindowLogic: a QMainWindow with the File, Edit
// and Help menus, the ranked main groups (a sortable table) and the chosen
// group's stems on the two sides of a splitter, the distance with Find Now,
// Update and Exit below them, and a status bar with what the last command
// did and the open list's numbers.
//
// The window is resizable; it keeps its geometry and the splitter's state
// between runs, and so the analysis settings and the distance. File > Open
// Recent lists the lists opened last; a word list dropped on the window is
// opened as Open does, asking about unsaved words first. The title, the status bar, the captions and the menu
// commands' states are redrawn after every command, like the lists.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QSplitter>
#include <map>
#include <memory>
#include <string>

#include "ui/logic/main_window_logic.h"
#include "ui/qt/logic_binder.h"

namespace tarvo::ui::qt {

class ListSummaryBar;
class RecentFilesMenu;

// The platform's usual key for a menu command, where there is one.
enum class StandardShortcut { kNone, kOpen, kSave, kSaveAs, kQuit, kPreferences, kHelp };

class MainWindowView : public QMainWindow {
  Q_OBJECT

 public:
  MainWindowView(MainWindowLogic& logic, PlatformHost& host, QWidget* parent = nullptr);
  ~MainWindowView() override;

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
  RecentFilesMenu* recent_files() const { return recent_files_; }

 signals:
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus(PlatformHost& host);
  QWidget* BuildGroupsPane();
  QWidget* BuildWordsPane();
  QLayout* BuildCommandRow();
  void BuildStatusBar();
  QAction* AddCommand(QMenu* menu, const QString& text, Command command, StandardShortcut shortcut,
                      std::function<void()> run);
  // Opens a list chosen in Open Recent or dropped on the window; a recent
  // file that is gone is reported and leaves the menu.
  void OpenListAt(const QString& path);
  void RestoreWindowState();
  void SaveWindowState() const;

  MainWindowLogic& logic_;
  LogicBinder binder_;
  PlatformHost& host_;
  QSplitter* splitter_ = nullptr;
  RecentFilesMenu* recent_files_ = nullptr;
  std::unique_ptr<ListSummaryBar> summary_;
  std::string listed_path_;  // the path last put into Open Recent
  std::map<Command, QAction*> actions_;
};

// The keys of a standard menu command: the platform's own, or the usual
// ones where the platform has none (Ctrl+Q, Ctrl+Shift+S, Ctrl+,).
QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut);

}  // namespace tarvo::ui::qt
