// FakeHost: a platform host for driving the window logic without a display.
//
// Message boxes are answered from a queue (or, when it is empty, with OK or
// Yes, whichever the box has) and recorded; file dialogs are
// answered from a queue of paths (nothing when empty) and recorded; long
// work runs inline, its caption recorded, and a task that may be cancelled
// is answered as cancelled after it ran when cancel_long_tasks is set; modal
// dialogs run a script registered for their kind, after the dialog's
// Initialise, and end cancelled when the script does not end them.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform/dialog_logic.h"
#include "ui/platform/host.h"
#include "ui/platform/list_model.h"

namespace tarvo::ui::test {

class FakeHost : public PlatformHost {
 public:
  using DialogScript = std::function<void(DialogLogic&)>;

  Answer ShowMessage(const Message& message) override {
    messages.push_back(message);
    if (answers.empty()) return message.buttons == Message::Buttons::kOk ? Answer::kOk : Answer::kYes;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    file_requests.push_back(request);
    if (files.empty()) return std::nullopt;
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
  }

  void BeginWaitCursor() override { ++wait_depth, ++wait_cursor_shown; }
  void EndWaitCursor() override { --wait_depth; }

  bool RunLongTask(const LongTask& task) override {
    long_tasks.push_back(task.caption);
    task.work();
    return !(cancel_long_tasks && task.cancel == LongTask::Cancel::kAllowed);
  }

  Answer RunModal(DialogLogic& dialog) override {
    dialogs_run.push_back(dialog.kind());
    dialog.Restart();
    dialog.Initialise();
    auto script = scripts.find(dialog.kind());
    if (script != scripts.end()) script->second(dialog);
    if (!dialog.ended()) dialog.Done(Answer::kCancel);
    return dialog.result();
  }

  void ShowAbout() override { ++about_shown; }

  // Scripted answers.
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::map<DialogKind, DialogScript> scripts;
  bool cancel_long_tasks = false;

  // What was shown.
  std::vector<Message> messages;
  std::vector<FileDialogRequest> file_requests;
  std::vector<DialogKind> dialogs_run;
  std::vector<std::string> long_tasks;  // their captions
  int wait_cursor_shown = 0;
  int wait_depth = 0;
  int about_shown = 0;
};

// The texts of a list box's rows, top to bottom.
inline std::vector<std::string> Rows(const ListModel& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.RowCount(); ++i) rows.push_back(list.RowText(i));
  return rows;
}

}  // namespace tarvo::ui::test
