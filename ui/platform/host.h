// The platform host: what only the toolkit can do for the window logic.
//
// Message boxes, file dialogs, the wait cursor, long work off the GUI
// thread, running a dialog modally and the About box. The Qt backend
// implements it with real widgets; tests use FakeHost (tests/), which
// answers from a script and records what was shown.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::ui {

class DialogLogic;

// What the user answered a message box or a dialog.
enum class Answer { kOk, kCancel, kYes, kNo };

// A message box: its text, buttons, icon and the answer Enter gives.
struct Message {
  enum class Buttons { kOk, kYesNo, kYesNoCancel };
  enum class Icon { kNone, kError, kWarning, kInformation, kQuestion };

  std::string text;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  // Yes, or No where Yes would replace or discard something.
  Answer default_answer = Answer::kYes;
};

// The kinds of message the windows show: a notice with an OK button, and
// a question whose default answer is Yes unless given.
Message Error(std::string text);
Message Warning(std::string text);
Message Information(std::string text);
Message Question(std::string text, Answer default_answer = Answer::kYes);
Message QuestionWithCancel(std::string text);

// One entry of a file dialog's type list: "Text files" with {"*.txt"}.
struct FileFilter {
  std::string name;
  std::vector<std::string> patterns;
};

struct FileDialogRequest {
  enum class Mode { kOpen, kSave };

  Mode mode = Mode::kOpen;
  std::string default_extension;  // added to a name typed without one; empty: the name stands
  std::string initial_name;       // proposed file name (full path or empty)
  std::vector<FileFilter> filters;
};

// Work too long to run on the GUI thread: reading a list, building the
// automaton, ranking, saving, generating words.
//
// The work runs on another thread while the window repaints and takes no
// input, so no command starts meanwhile. It must not touch the window's
// models or the host. Work that cannot be cancelled may use the caller's
// data by reference, since the caller waits for it and nothing else runs
// on that data meanwhile. Work that can be cancelled must own everything
// it uses (capture by value or a shared_ptr): after a Cancel the caller
// goes on at once while the work may still be running to its end.
struct LongTask {
  enum class Cancel { kNotAllowed, kAllowed };

  std::string caption;  // what the progress indication says: "Opening polish..."
  Cancel cancel = Cancel::kNotAllowed;
  std::function<void()> work;
};

class PlatformHost {
 public:
  virtual ~PlatformHost() = default;
  // A modal message box; returns the button chosen (Cancel for the close
  // box and Escape).
  virtual Answer ShowMessage(const Message& message) = 0;
  // The common open or save dialog; the chosen full path, or nothing.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // Runs task.work off the GUI thread and waits for it while the window
  // stays live. True when the work ran to its end; false when the user
  // cancelled it (only a task that allows it), whose results must then be
  // discarded. An exception thrown by the work is thrown again here.
  virtual bool RunLongTask(const LongTask& task) = 0;
  // Runs the dialog modally until it ends (the main window: shows it and
  // runs until it closes); returns its result (OK or Cancel).
  virtual Answer RunModal(DialogLogic& dialog) = 0;
  virtual void ShowAbout() = 0;
};

// Shows the wait cursor for the life of the object.
class WaitCursor {
 public:
  explicit WaitCursor(PlatformHost& host) : host_(host) { host_.BeginWaitCursor(); }
  ~WaitCursor() { host_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  PlatformHost& host_;
};

}  // namespace tarvo::ui
