// tarvo-screenshot: renders the main window with a word list's groups and
// one group's words, the Settings dialog and the New words dialog with its
// lists filled to PNG files, offscreen, for reviewers to look at. The lists
// are filled as a user fills them: by menu commands, double-clicks on rows
// and button clicks. Run with QT_SCALE_FACTOR=2 for the 2x pictures.
//
//   QT_QPA_PLATFORM=offscreen tarvo-screenshot WORDLIST OUTDIR [SUFFIX]
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/settings_view.h"

namespace {

bool Save(QWidget& widget, const QString& folder, const QString& name) {
  QApplication::processEvents();  // layouts follow the texts the commands changed
  const QString path = QDir(folder).filePath(name);
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
  return ok;
}

template <typename T>
T* Child(QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

void DoubleClickFirstRow(QAbstractItemView* view) {
  if (view->model()->rowCount() == 0) return;
  const QPoint centre = view->visualRect(view->model()->index(0, 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void Click(QWidget& window, const char* button) { Child<QPushButton>(window, button)->click(); }

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: tarvo-screenshot WORDLIST OUTDIR [SUFFIX]\n");
    return 2;
  }
  using namespace tarvo::ui;
  const std::string list = argv[1];
  const QString folder = QString::fromLocal8Bit(argv[2]);
  const QString suffix = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
  QDir().mkpath(folder);
  // The windows' remembered state must not come into the pictures.
  QTemporaryDir settings_folder;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_folder.path());

  qt::QtHost host;
  host.SetFileChooser([&](const FileDialogRequest&) { return std::optional<std::string>(list); });
  MainWindowLogic main_logic(host);
  host.SetMainWindow(&main_logic);
  qt::MainWindowView main_view(main_logic, host);
  main_view.ShowModeless();
  main_view.MenuAction(Command::kOpen)->trigger();
  DoubleClickFirstRow(Child<QAbstractItemView>(main_view, "mainGroups"));
  bool ok = Save(main_view, folder, QStringLiteral("main-window%1.png").arg(suffix));

  SettingsLogic settings(host);
  settings.SetValues(main_logic.settings());
  qt::SettingsView settings_view(settings);
  settings_view.ShowModeless();
  ok &= Save(settings_view, folder, QStringLiteral("settings%1.png").arg(suffix));

  if (!main_logic.ranked_groups().empty()) {
    NewWordsLogic new_words(host, main_logic.automaton(), main_logic.pending_words(),
                            main_logic.ranked_groups().front(), main_logic.distance_edit().text);
    qt::NewWordsView new_words_view(new_words, main_logic.display_encoding());
    new_words_view.ShowModeless();
    DoubleClickFirstRow(Child<QAbstractItemView>(new_words_view, "suspiciousGroups"));
    Click(new_words_view, "selectAll");
    Click(new_words_view, "add");
    ok &= Save(new_words_view, folder, QStringLiteral("new-words%1.png").arg(suffix));
  }
  return ok ? 0 : 1;
}
