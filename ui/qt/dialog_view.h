// DialogView: a QDialog that shows one dialog's logic and runs its commands.
//
// The subclass lays out its widgets and binds them to the logic's models
// through binder(); every command runs through the binder, which redraws
// and ends the dialog once the logic has ended it.
//
// Enter presses the focused button; on a list with a double-click command
// it runs that command, and in an edit box with a button of its own it
// presses that button; anywhere else it presses the default button, or is
// the logic's Accept when there is none. Escape is the logic's Reject and
// the close box its CloseRequested, so that the logic decides whether the
// dialog closes.
#pragma once

#include <QDialog>

#include "ui/platform/dialog_logic.h"
#include "ui/qt/logic_binder.h"

namespace tarvo::ui::qt {

class DialogView : public QDialog {
  Q_OBJECT

 public:
  explicit DialogView(DialogLogic& logic, QWidget* parent = nullptr);

  // Initialises the logic, shows the dialog modally and returns its result.
  Answer RunModal();
  // The same without blocking, for tests and screenshots.
  void ShowModeless();
  // Redraws every bound widget from its model.
  void SyncFromModels() { binder_.Sync(); }

 protected:
  LogicBinder& binder() { return binder_; }

  void reject() override;
  void accept() override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Initialise();

  DialogLogic& logic_;
  LogicBinder binder_;
};

}  // namespace tarvo::ui::qt
