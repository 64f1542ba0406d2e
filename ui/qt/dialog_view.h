// DialogView: a QDialog that shows one dialog's logic and runs its commands.
//
// The controls come from the dialog's template. Each bound control shows a
// model of the logic; every command runs through Command(), which calls the
// logic, redraws every bound control from its model, moves the focus where
// the logic asked, and ends the dialog once the logic has ended it. The
// standard OK and Cancel (Enter, Escape, the close box) go to the logic's
// OnOK and OnCancel, so that the logic decides whether the dialog closes.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/display_text.h"
#include "ui/platform/list_box_model.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/list_box_binding.h"

namespace tarvo::ui::qt {

class DialogView : public QDialog {
  Q_OBJECT

 public:
  DialogView(CDialogLogic& logic, const DialogTemplate& dialog, QWidget* parent = nullptr);

  // Initialises the logic, shows the dialog modally and returns its result.
  int RunModal();
  // The same without blocking, for tests and screenshots.
  void ShowModeless();

  QWidget* Control(int id) const { return built_->Control(id); }
  // Redraws every bound control from its model.
  void SyncFromModels();

 protected:
  // Runs a command of the logic, then redraws and ends the dialog if the
  // logic ended it.
  void Command(const std::function<void()>& command);

  void BindButton(int id, std::function<void()> command, CButtonModel* model = nullptr);
  void BindEdit(int id, CEditModel& model);
  ListBoxBinding* BindList(int id, CListBoxModel& model, std::function<DisplayEncoding()> encoding);
  void BindStatic(int id, CStaticModel& model, std::function<DisplayEncoding()> encoding);
  void BindCheckBox(int id, CCheckBoxModel& model);

  void reject() override;
  void accept() override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Initialise();

  CDialogLogic& logic_;
  QWidget* page_;
  std::unique_ptr<BuiltDialog> built_;
  std::vector<std::function<void()>> syncs_;
};

}  // namespace tarvo::ui::qt
