// DialogLogic: the part every modal dialog's logic shares.
//
// The host shows a dialog by its kind. Its commands end it with Done; the host that runs it
// modally returns the result once ended() is true. A failed check may ask
// for the focus to go to one of its edit boxes, named by its model.
#pragma once

#include "ui/platform/controls.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

// The windows the host knows how to show.
enum class DialogKind { kMainWindow, kSettings, kNewWords };

class DialogLogic {
 public:
  explicit DialogLogic(DialogKind kind) : kind_(kind) {}
  virtual ~DialogLogic() = default;

  DialogKind kind() const { return kind_; }

  // Called by the host when the dialog is shown.
  virtual void Initialise() {}
  // The standard OK (Enter) and Cancel (Escape, close box) commands.
  virtual void Accept() { Done(Answer::kOk); }
  virtual void Reject() { Done(Answer::kCancel); }
  // The close box; a dialog treats it as Cancel unless it says otherwise.
  virtual void CloseRequested() { Reject(); }

  void Done(Answer result) {
    ended_ = true;
    result_ = result;
  }
  bool ended() const { return ended_; }
  Answer result() const { return result_; }
  // Called by the host before it runs the dialog again.
  void Restart() { ended_ = false; }

  // The edit box that should take the focus, or nullptr; the view takes it
  // once.
  const EditModel* TakeFocusRequest() {
    const EditModel* edit = focus_request_;
    focus_request_ = nullptr;
    return edit;
  }

 protected:
  void RequestFocus(const EditModel& edit) { focus_request_ = &edit; }

 private:
  DialogKind kind_;
  bool ended_ = false;
  Answer result_ = Answer::kCancel;
  const EditModel* focus_request_ = nullptr;
};

}  // namespace tarvo::ui
