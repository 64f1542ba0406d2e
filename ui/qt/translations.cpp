#include "ui/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/platform/translation.h"

namespace tarvo::ui::qt {

void InstallTranslations() {
  SetTextLookup([](const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
  });
  auto* qt_texts = new QTranslator(QCoreApplication::instance());
  if (qt_texts->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt_texts);
  }
}

}  // namespace tarvo::ui::qt
