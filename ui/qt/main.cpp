// tarvo: the desktop program. It ends when its main window closes.
//
//   tarvo [WORDLIST]   opens WORDLIST at the start
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "ui/logic/application.h"
#include "ui/logic/wording.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/translations.h"

int main(int argc, char** argv) {
  // QApplication takes its own options (such as -platform) out of argv.
  QApplication application(argc, argv);
  constexpr const char* kUsage = "usage: tarvo [WORDLIST]\n";
  if (argc > 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // QSettings keeps the window's state and the settings under this name.
  QApplication::setOrganizationName(QString::fromUtf8(tarvo::ui::kProgramName));
  QApplication::setApplicationName(QString::fromUtf8(tarvo::ui::kProgramName));
  QApplication::setWindowIcon(tarvo::ui::qt::ProgramIcon());
  tarvo::ui::qt::InstallTranslations();
  tarvo::ui::qt::QtHost host;
  tarvo::ui::Application app(host);
  // The path as its bytes: a file name need not be valid in any encoding.
  app.Run(argc == 2 ? argv[1] : "");
  return 0;
}
