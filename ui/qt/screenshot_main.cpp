// tarvo-screenshot: renders the main window with a word list's groups and
// one group's words, the Settings dialog and the New words dialog with its
// lists filled to PNG files, offscreen, for reviewers to look at. The lists
// are filled as a user fills them: by menu commands, double-clicks on rows
// and button clicks.
//
//   QT_QPA_PLATFORM=offscreen tarvo-screenshot WORDLIST OUTDIR
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/settings_view.h"
#include "ui/resource_ids.h"

namespace {

bool Save(QWidget& widget, const QString& folder, const QString& name) {
  const QString path = QDir(folder).filePath(name);
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
  return ok;
}

void DoubleClickFirstRow(QWidget* list) {
  auto* view = qobject_cast<QListView*>(list);
  if (view->model()->rowCount() == 0) return;
  const QPoint centre = view->visualRect(view->model()->index(0, 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void Click(tarvo::ui::qt::DialogView& view, int id) { qobject_cast<QPushButton*>(view.Control(id))->click(); }

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarvo-screenshot WORDLIST OUTDIR\n");
    return 2;
  }
  using namespace tarvo::ui;
  const std::string list = argv[1];
  const QString folder = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(folder);

  qt::QtHost host;
  host.SetFileChooser([&](const FileDialogRequest&) { return std::optional<std::string>(list); });
  MainWindowLogic main_logic(host);
  host.SetMainWindow(&main_logic);
  qt::MainWindowView main_view(main_logic, host);
  main_view.ShowModeless();
  main_view.MenuAction(Command::kOpen)->trigger();
  DoubleClickFirstRow(main_view.Control(kMainGroupsList));
  bool ok = Save(main_view, folder, QStringLiteral("main-window.png"));

  SettingsLogic settings(host);
  settings.SetValues(main_logic.settings());
  qt::SettingsView settings_view(settings);
  settings_view.ShowModeless();
  ok &= Save(settings_view, folder, QStringLiteral("settings.png"));

  if (!main_logic.ranked_groups().empty()) {
    NewWordsLogic new_words(host, main_logic.automaton(), main_logic.pending_words(),
                           main_logic.ranked_groups().front(), main_logic.distance_edit().text);
    qt::NewWordsView new_words_view(new_words, main_logic.display_encoding());
    new_words_view.ShowModeless();
    DoubleClickFirstRow(new_words_view.Control(kSuspiciousList));
    Click(new_words_view, kSelectAllButton);
    Click(new_words_view, kAddButton);
    ok &= Save(new_words_view, folder, QStringLiteral("new-words.png"));
  }
  return ok ? 0 : 1;
}
