#include "ui/qt/main_window_view.h"

#include <QFileInfo>
#include <QLayout>
#include <QMenu>

#include "ui/resource_ids.h"

namespace tarvo::ui::qt {

MainWindowView::MainWindowView(CAnalyserDlg& logic, IPlatformHost& host)
    : DialogView(logic, MainDialogTemplate()), menu_bar_(new QMenuBar(this)) {
  setAttribute(Qt::WA_QuitOnClose);
  layout()->setMenuBar(menu_bar_);
  BuildMenu(logic, host);

  auto encoding = [&logic] { return logic.display_encoding(); };
  BindList(kMainGroupsList, logic.main_groups(), encoding)->OnDoubleClick([&logic] { logic.OnMainGroupsDoubleClick(); });
  BindList(kWordsList, logic.words(), encoding);
  BindEdit(kDistanceEdit, logic.distance_edit());
  BindButton(kFindNowButton, [&logic] { logic.OnFindNow(); }, &logic.find_now_button());
  BindButton(kUpdateButton, [&logic] { logic.OnUpdate(); }, &logic.update_button());
  BindButton(kExitButton, [&logic] { logic.OnExit(); });
}

void MainWindowView::BuildMenu(CAnalyserDlg& logic, IPlatformHost& host) {
  const QHash<int, std::function<void()>> commands{
      {kCmdOpen, [&logic] { logic.OnOpen(); }},
      {kCmdSave, [&logic] { logic.OnSave(); }},
      {kCmdSaveAs, [&logic] { logic.OnSaveAs(); }},
      {kCmdExit, [&logic] { logic.OnExit(); }},
      {kCmdSettings, [&logic] { logic.OnSettings(); }},
      {kCmdAbout, [&host] { host.ShowAbout(); }},
  };
  for (const MenuTemplate& menu_template : MainMenuTemplate()) {
    QMenu* menu = menu_bar_->addMenu(QString::fromUtf8(menu_template.text));
    for (const MenuItemTemplate& item : menu_template.items) {
      if (item.text == nullptr) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      const std::function<void()> command = commands.value(item.command);
      connect(action, &QAction::triggered, this, [this, command, &logic] {
        Command([&] {
          command();
          UpdateTitle(logic);
        });
      });
      actions_.insert(item.command, action);
    }
  }
}

void MainWindowView::UpdateTitle(const CAnalyserDlg& logic) {
  const QString caption = QString::fromUtf8(MainDialogTemplate().caption);
  if (logic.current_path().empty()) {
    setWindowTitle(caption);
    return;
  }
  // The file's name and how it is read, so the user sees which list is open
  // and whether its symbols are bytes or characters.
  const QString name = QFileInfo(QString::fromLocal8Bit(logic.current_path().c_str())).fileName();
  const QString mode = logic.reading_characters() ? QStringLiteral("characters") : QStringLiteral("bytes");
  setWindowTitle(caption + QStringLiteral(" - ") + name + QStringLiteral(" (") + mode + QStringLiteral(")"));
}

}  // namespace tarvo::ui::qt
