// FakeHost: a platform host for driving the window logic without a display.
//
// Message boxes are answered from a queue (kIdOk, or the first button when
// the queue is empty) and recorded with their type; file dialogs are
// answered from a queue of paths (nothing when empty) and recorded; modal
// dialogs run a script registered for their template id, after the dialog's
// OnInitDialog, and end cancelled when the script does not end them.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/platform/dialog_logic.h"
#include "ui/platform/host.h"
#include "ui/platform/list_box_model.h"

namespace tarvo::ui::test {

class FakeHost : public IPlatformHost {
 public:
  struct Message {
    std::string text;
    unsigned type;
  };
  using DialogScript = std::function<void(CDialogLogic&)>;

  int ShowMessage(const std::string& text, unsigned type) override {
    messages.push_back({text, type});
    if (answers.empty()) return (type & kMbButtonsMask) == kMbOk ? kIdOk : kIdYes;
    const int answer = answers.front();
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

  int RunModal(CDialogLogic& dialog) override {
    dialogs_run.push_back(dialog.template_id());
    dialog.Restart();
    dialog.OnInitDialog();
    auto script = scripts.find(dialog.template_id());
    if (script != scripts.end()) script->second(dialog);
    if (!dialog.ended()) dialog.EndDialog(kIdCancel);
    return dialog.result();
  }

  void ShowAbout() override { ++about_shown; }

  // Scripted answers.
  std::deque<int> answers;
  std::deque<std::optional<std::string>> files;
  std::map<int, DialogScript> scripts;

  // What was shown.
  std::vector<Message> messages;
  std::vector<FileDialogRequest> file_requests;
  std::vector<int> dialogs_run;
  int wait_cursor_shown = 0;
  int wait_depth = 0;
  int about_shown = 0;
};

// The texts of a list box's rows, top to bottom.
inline std::vector<std::string> Rows(const CListBoxModel& list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list.GetCount(); ++i) rows.push_back(list.GetText(i));
  return rows;
}

}  // namespace tarvo::ui::test
