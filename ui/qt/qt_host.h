// QtHost: the platform host on Qt 6 Widgets.
//
// Message boxes and file dialogs are Qt's own; modal dialogs are shown by
// the view that belongs to each kind of dialog; long tasks run on worker
// threads under a progress dialog (see long_task.h). A test or a scripted
// run may replace the file dialog by a function that answers for it.
#pragma once

#include <QStringList>
#include <chrono>
#include <functional>

#include "ui/platform/host.h"
#include "ui/qt/long_task.h"

namespace tarvo::ui {
class MainWindowLogic;
}

namespace tarvo::ui::qt {

class QtHost : public PlatformHost {
 public:
  using FileChooser = std::function<std::optional<std::string>(const FileDialogRequest&)>;

  Answer ShowMessage(const Message& message) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  bool RunLongTask(const LongTask& task) override { return long_tasks_.Run(task); }
  Answer RunModal(DialogLogic& dialog) override;
  void ShowAbout() override;

  void SetFileChooser(FileChooser chooser) { file_chooser_ = std::move(chooser); }
  // The main window whose display encoding the other dialogs follow.
  void SetMainWindow(const MainWindowLogic* main_window) { main_window_ = main_window; }
  // How long a long task runs before its progress dialog shows (150 ms);
  // tests make it show at once.
  void SetProgressDelay(std::chrono::milliseconds delay) { long_tasks_.set_progress_delay(delay); }

 private:
  LongTaskRunner long_tasks_;
  FileChooser file_chooser_;
  const MainWindowLogic* main_window_ = nullptr;
};

// File filters as Qt name filters: "Text files (*.txt)".
QStringList NameFilters(const std::vector<FileFilter>& filters);

}  // namespace tarvo::ui::qt
