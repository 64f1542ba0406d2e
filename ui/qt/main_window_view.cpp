#include "ui/qt/main_window_view.h"

#include <QLayout>
#include <QMenu>

#include "ui/resource_ids.h"

namespace tarvo::ui::qt {

QList<QKeySequence> ShortcutKeys(StandardShortcut shortcut) {
  struct Keys {
    QKeySequence::StandardKey standard;
    const char* fallback;
  };
  auto keys_of = [](StandardShortcut which) -> Keys {
    switch (which) {
      case StandardShortcut::kOpen: return {QKeySequence::Open, "Ctrl+O"};
      case StandardShortcut::kSave: return {QKeySequence::Save, "Ctrl+S"};
      case StandardShortcut::kSaveAs: return {QKeySequence::SaveAs, "Ctrl+Shift+S"};
      case StandardShortcut::kQuit: return {QKeySequence::Quit, "Ctrl+Q"};
      case StandardShortcut::kPreferences: return {QKeySequence::Preferences, "Ctrl+,"};
      case StandardShortcut::kNone: break;
    }
    return {QKeySequence::UnknownKey, nullptr};
  };
  const Keys keys = keys_of(shortcut);
  if (keys.fallback == nullptr) return {};
  QList<QKeySequence> platform = QKeySequence::keyBindings(keys.standard);
  return platform.isEmpty() ? QList<QKeySequence>{QKeySequence(QString::fromLatin1(keys.fallback))} : platform;
}

MainWindowView::MainWindowView(MainWindowLogic& logic, PlatformHost& host)
    : DialogView(logic, MainDialogTemplate()), menu_bar_(new QMenuBar(this)) {
  setAttribute(Qt::WA_QuitOnClose);
  layout()->setMenuBar(menu_bar_);
  BuildMenu(logic, host);

  auto encoding = [&logic] { return logic.display_encoding(); };
  BindList(kMainGroupsList, logic.main_groups(), encoding, [&logic] { logic.OnMainGroupsDoubleClick(); });
  BindList(kWordsList, logic.words(), encoding);
  BindEdit(kDistanceEdit, logic.distance_edit());
  BindButton(kFindNowButton, [&logic] { logic.OnFindNow(); }, [&logic] { return logic.CanFindNow(); });
  BindButton(kUpdateButton, [&logic] { logic.OnUpdate(); }, [&logic] { return logic.CanUpdate(); });
  BindButton(kExitButton, [&logic] { logic.OnExit(); });
  PressOnEnter(kDistanceEdit, kFindNowButton);
  // Status texts name files, whose bytes are shown as UTF-8 where they are.
  BindStatic(kStatusText, logic.status(), [] { return DisplayEncoding::kUtf8; });
  AddSync([this, &logic] {
    setWindowTitle(QString::fromLocal8Bit(logic.Title().c_str()));
    for (const auto& [command, action] : actions_) action->setEnabled(logic.IsCommandEnabled(command));
  });
}

void MainWindowView::BuildMenu(MainWindowLogic& logic, PlatformHost& host) {
  const std::map<Command, std::function<void()>> commands{
      {Command::kOpen, [&logic] { logic.OnOpen(); }},
      {Command::kSave, [&logic] { logic.OnSave(); }},
      {Command::kSaveAs, [&logic] { logic.OnSaveAs(); }},
      {Command::kExit, [&logic] { logic.OnExit(); }},
      {Command::kSettings, [&logic] { logic.OnSettings(); }},
      {Command::kAbout, [&host] { host.ShowAbout(); }},
  };
  for (const MenuTemplate& menu_template : MainMenuTemplate()) {
    QMenu* menu = menu_bar_->addMenu(QString::fromUtf8(menu_template.text));
    for (const MenuItemTemplate& item : menu_template.items) {
      if (item.text == nullptr) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      action->setShortcuts(ShortcutKeys(item.shortcut));
      const std::function<void()> command = commands.at(item.command);
      connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
      actions_.emplace(item.command, action);
    }
  }
}

}  // namespace tarvo::ui::qt
