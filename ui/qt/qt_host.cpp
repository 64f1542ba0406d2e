#include "ui/qt/qt_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>

#include "tarvo/version.h"
#include "ui/dialog_templates.h"
#include "ui/logic/analyser_dlg.h"
#include "ui/logic/new_words_dlg.h"
#include "ui/logic/settings_dlg.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/settings_view.h"
#include "ui/resource_ids.h"

// The icon lives in a static library's resources, which must be registered
// by hand.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace tarvo::ui::qt {

QtHost::QtHost() { RegisterResources(); }

QStringList NameFilters(const std::string& filter) {
  // Pairs of "description|patterns", ended by an empty field; patterns are
  // separated by ';'. Qt matches the patterns in the last parentheses of a
  // name filter, so the patterns go there unless the description already
  // shows exactly them.
  const QStringList fields = QString::fromUtf8(filter.c_str()).split(QLatin1Char('|'));
  QStringList names;
  for (qsizetype i = 0; i + 1 < fields.size() && !fields[i].isEmpty(); i += 2) {
    const QString patterns = fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    const QString shown = QStringLiteral(" (") + patterns + QStringLiteral(")");
    names << (fields[i].endsWith(shown) ? fields[i] : fields[i] + shown);
  }
  return names;
}

int QtHost::ShowMessage(const std::string& text, unsigned type) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromUtf8(kProgramName));
  box.setText(QString::fromUtf8(text.c_str()));
  switch (type & kMbIconMask) {
    case kMbIconStop: box.setIcon(QMessageBox::Critical); break;
    case kMbIconExclamation: box.setIcon(QMessageBox::Warning); break;
    case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  const bool default_no = (type & kMbDefaultMask) == kMbDefaultButton2;
  switch (type & kMbButtonsMask) {
    case kMbYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(default_no ? QMessageBox::No : QMessageBox::Yes);
      break;
    case kMbYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(default_no ? QMessageBox::No : QMessageBox::Yes);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return kIdYes;
    case QMessageBox::No: return kIdNo;
    case QMessageBox::Ok: return kIdOk;
    default: return kIdCancel;
  }
}

std::optional<std::string> QtHost::ChooseFile(const FileDialogRequest& request) {
  if (file_chooser_) return file_chooser_(request);
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(NameFilters(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  if (!request.open) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.initial_name.empty()) dialog.selectFile(QString::fromLocal8Bit(request.initial_name.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

void QtHost::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtHost::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

int QtHost::RunModal(CDialogLogic& dialog) {
  switch (dialog.template_id()) {
    case kMainDialogId: {
      auto& logic = dynamic_cast<CAnalyserDlg&>(dialog);
      SetMainWindow(&logic);
      MainWindowView view(logic, *this);
      view.setWindowIcon(QIcon(QStringLiteral(":/tarvo/icon.png")));
      return view.RunModal();
    }
    case kSettingsDialogId: {
      SettingsView view(dynamic_cast<CSettingsDlg&>(dialog), QApplication::activeWindow());
      return view.RunModal();
    }
    case kNewWordsDialogId: {
      const DisplayEncoding encoding = main_window_ ? main_window_->display_encoding() : DisplayEncoding::kUtf8;
      NewWordsView view(dynamic_cast<CNewWordsDlg&>(dialog), encoding, QApplication::activeWindow());
      return view.RunModal();
    }
    default:
      return kIdCancel;
  }
}

void QtHost::ShowAbout() {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QStringLiteral("About %1").arg(QString::fromUtf8(kProgramName)));
  box.setIconPixmap(QIcon(QStringLiteral(":/tarvo/icon.png")).pixmap(48, 48));
  box.setText(QStringLiteral("<b>%1 %2</b>").arg(QString::fromUtf8(kProgramName), QString::fromLatin1(tarvo::kVersion)));
  box.setInformativeText(QStringLiteral(
      "Finds the suffix groups of a word list: stems that take exactly the same endings. "
      "From a main group it proposes the words that similar groups lack."));
  box.setStandardButtons(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
}

}  // namespace tarvo::ui::qt
