#include "ui/qt/qt_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>

#include "tarvo/version.h"
#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "ui/logic/wording.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/settings_view.h"
#include "ui/qt/stored_settings.h"

namespace tarvo::ui::qt {

QStringList NameFilters(const std::vector<FileFilter>& filters) {
  QStringList names;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << QString::fromUtf8(pattern.c_str());
    names << QString::fromUtf8(filter.name.c_str()) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                 QLatin1Char(')');
  }
  return names;
}

Answer QtHost::ShowMessage(const Message& message) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromUtf8(kProgramName));
  box.setText(QString::fromUtf8(message.text.c_str()));
  switch (message.icon) {
    case Message::Icon::kError: box.setIcon(QMessageBox::Critical); break;
    case Message::Icon::kWarning: box.setIcon(QMessageBox::Warning); break;
    case Message::Icon::kInformation: box.setIcon(QMessageBox::Information); break;
    case Message::Icon::kQuestion: box.setIcon(QMessageBox::Question); break;
    case Message::Icon::kNone: break;
  }
  const QMessageBox::StandardButton default_button =
      message.default_answer == Answer::kNo ? QMessageBox::No : QMessageBox::Yes;
  switch (message.buttons) {
    case Message::Buttons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(default_button);
      break;
    case Message::Buttons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(default_button);
      break;
    case Message::Buttons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    case QMessageBox::Ok: return Answer::kOk;
    default: return Answer::kCancel;
  }
}

std::optional<std::string> QtHost::ChooseFile(const FileDialogRequest& request) {
  if (file_chooser_) return file_chooser_(request);
  const bool open = request.mode == FileDialogRequest::Mode::kOpen;
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(NameFilters(request.filters));
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  if (!open) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.initial_name.empty()) dialog.selectFile(PathText(request.initial_name));
  else if (const QString folder = LastFolder(); !folder.isEmpty()) dialog.setDirectory(folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  std::string chosen = PathBytes(dialog.selectedFiles().front());
  RememberFolderOf(chosen);
  return chosen;
}

void QtHost::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtHost::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

Answer QtHost::RunModal(DialogLogic& dialog) {
  switch (dialog.kind()) {
    case DialogKind::kMainWindow: {
      auto& logic = dynamic_cast<MainWindowLogic&>(dialog);
      SetMainWindow(&logic);
      MainWindowView view(logic, *this);
      view.setWindowIcon(ProgramIcon());
      return view.RunUntilClosed();
    }
    case DialogKind::kSettings: {
      SettingsView view(dynamic_cast<SettingsLogic&>(dialog), QApplication::activeWindow());
      return view.RunModal();
    }
    case DialogKind::kNewWords: {
      const DisplayEncoding encoding = main_window_ ? main_window_->display_encoding() : DisplayEncoding::kUtf8;
      NewWordsView view(dynamic_cast<NewWordsLogic&>(dialog), encoding, QApplication::activeWindow());
      return view.RunModal();
    }
  }
  return Answer::kCancel;
}

void QtHost::ShowAbout() {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QCoreApplication::translate("QtHost", "About %1").arg(QString::fromUtf8(kProgramName)));
  box.setIconPixmap(ProgramIcon().pixmap(QSize(48, 48), box.devicePixelRatioF()));
  box.setText(
      QStringLiteral("<b>%1 %2</b>").arg(QString::fromUtf8(kProgramName), QString::fromLatin1(tarvo::kVersion)));
  box.setInformativeText(QCoreApplication::translate(
      "QtHost",
      "Finds the suffix groups of a word list: stems that take exactly the same endings. "
      "From a main group it proposes the words that similar groups lack."));
  box.setStandardButtons(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
}

}  // namespace tarvo::ui::qt
