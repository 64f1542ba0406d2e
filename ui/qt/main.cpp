// tarvo: the desktop program. It takes no command-line options and ends
// when its main window closes.
#include <QApplication>
#include <QIcon>

#include "ui/logic/analyser_app.h"
#include "ui/qt/qt_host.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvo"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvo/icon.png")));
  tarvo::ui::qt::QtHost host;
  tarvo::ui::CAnalyserApp app(host);
  app.InitInstance();
  return 0;
}
