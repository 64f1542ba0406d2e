// QtHost: the platform host on Qt 6 Widgets.
//
// Message boxes and file dialogs are Qt's own; modal dialogs are shown by
// the view that belongs to each dialog template. A test or a scripted run
// may replace the file dialog by a function that answers for it.
#pragma once

#include <QStringList>
#include <functional>

#include "ui/platform/host.h"

namespace tarvo::ui {
class CAnalyserDlg;
}

namespace tarvo::ui::qt {

class QtHost : public IPlatformHost {
 public:
  using FileChooser = std::function<std::optional<std::string>(const FileDialogRequest&)>;

  QtHost();

  int ShowMessage(const std::string& text, unsigned type) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  int RunModal(CDialogLogic& dialog) override;
  void ShowAbout() override;

  void SetFileChooser(FileChooser chooser) { file_chooser_ = std::move(chooser); }
  // The main window whose display encoding the other dialogs follow.
  void SetMainWindow(const CAnalyserDlg* main_window) { main_window_ = main_window; }

 private:
  FileChooser file_chooser_;
  const CAnalyserDlg* main_window_ = nullptr;
};

// "Text files (*.txt)|*.txt|All files (*)|*||" as Qt name filters.
QStringList NameFilters(const std::string& filter);

}  // namespace tarvo::ui::qt
