// The platform host: what only the toolkit can do for the window logic.
//
// Message boxes, file dialogs, the wait cursor, running a dialog modally and
// the About box. The Qt backend implements it with real widgets; tests use
// FakeHost (tests/), which answers from a script and records what was shown.
#pragma once

#include <optional>
#include <string>

namespace tarvo::ui {

class CDialogLogic;

// Message box types and results, with the classic numeric values.
enum MessageBoxType : unsigned {
  kMbOk = 0x00,
  kMbYesNoCancel = 0x03,
  kMbYesNo = 0x04,
  kMbIconStop = 0x10,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
  kMbDefaultButton2 = 0x100,  // No rather than Yes is the default answer
};
inline constexpr unsigned kMbButtonsMask = 0x0f;
inline constexpr unsigned kMbIconMask = 0xf0;
inline constexpr unsigned kMbDefaultMask = 0xf00;

enum DialogResult : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

// Hide the read-only check box: the only flag the program passes.
inline constexpr unsigned kOfnHideReadOnly = 0x4;

struct FileDialogRequest {
  bool open = true;               // open or save
  std::string default_extension;  // added to a name typed without one; empty: the name stands
  std::string initial_name;       // proposed file name (full path or empty)
  std::string filter;             // "Text files (*.txt)|*.txt|All files (*)|*||"
  unsigned flags = 0;
};

class IPlatformHost {
 public:
  virtual ~IPlatformHost() = default;
  // A modal message box; returns kIdOk, kIdYes, kIdNo or kIdCancel.
  virtual int ShowMessage(const std::string& text, unsigned type) = 0;
  // The common open or save dialog; the chosen full path, or nothing.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // Runs the dialog modally until it ends; returns its result (kIdOk or a
  // cancel).
  virtual int RunModal(CDialogLogic& dialog) = 0;
  virtual void ShowAbout() = 0;
};

// Shows the wait cursor for the life of the object.
class WaitCursor {
 public:
  explicit WaitCursor(IPlatformHost& host) : host_(host) { host_.BeginWaitCursor(); }
  ~WaitCursor() { host_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  IPlatformHost& host_;
};

}  // namespace tarvo::ui
