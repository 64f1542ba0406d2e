// CDialogLogic: the part every modal dialog's logic shares.
//
// A dialog is built from a template (see dialog_templates.h) named by its
// resource id. Its commands end it with EndDialog; the host that runs it
// modally returns the result once ended() is true. A failed check may ask
// for the focus to go to one of its controls.
#pragma once

#include "ui/platform/host.h"

namespace tarvo::ui {

class CDialogLogic {
 public:
  explicit CDialogLogic(int template_id) : template_id_(template_id) {}
  virtual ~CDialogLogic() = default;

  int template_id() const { return template_id_; }

  // Called by the host when the dialog is shown.
  virtual void OnInitDialog() {}
  // The standard OK (Enter) and Cancel (Escape, close box) commands.
  virtual void OnOK() { EndDialog(kIdOk); }
  virtual void OnCancel() { EndDialog(kIdCancel); }
  // The close box; a dialog treats it as Cancel unless it says otherwise.
  virtual void OnClose() { OnCancel(); }

  void EndDialog(int result) {
    ended_ = true;
    result_ = result;
  }
  bool ended() const { return ended_; }
  int result() const { return result_; }
  // Called by the host before it runs the dialog again.
  void Restart() { ended_ = false; }

  // The control that should take the focus, or 0; the view takes it once.
  int TakeFocusRequest() {
    int id = focus_request_;
    focus_request_ = 0;
    return id;
  }

 protected:
  void RequestFocus(int control_id) { focus_request_ = control_id; }

 private:
  int template_id_;
  bool ended_ = false;
  int result_ = 0;
  int focus_request_ = 0;
};

}  // namespace tarvo::ui
