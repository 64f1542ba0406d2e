// DialogView: a QDialog that shows one dialog's logic and runs its commands.
//
// The controls come from the dialog's template. Each bound control shows a
// model of the logic; every command, whether from a button, a double-click
// or a key, runs through RunCommand(), which calls the logic, redraws every
// bound control from its model, moves the focus where the logic asked, and
// ends the dialog once the logic has ended it.
//
// Enter presses the focused button; on a list with a double-click command
// it runs that command, and in an edit box with a button of its own it
// presses that button; anywhere else it presses the default button, or is
// the logic's Accept when there is none. Escape is the logic's Reject and
// the close box its CloseRequested, so that the logic decides whether the dialog
// closes.
#pragma once

#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>
#include <vector>

#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/display_text.h"
#include "ui/platform/list_model.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/list_binding.h"

namespace tarvo::ui::qt {

class DialogView : public QDialog {
  Q_OBJECT

 public:
  DialogView(DialogLogic& logic, const DialogTemplate& dialog, QWidget* parent = nullptr);

  // Initialises the logic, shows the dialog modally and returns its result.
  Answer RunModal();
  // The same without blocking, for tests and screenshots.
  void ShowModeless();

  QWidget* Control(int id) const { return built_->Control(id); }
  // Redraws every bound control from its model.
  void SyncFromModels();

 protected:
  // Runs a command of the logic, then redraws and ends the dialog if the
  // logic ended it.
  void RunCommand(const std::function<void()>& command);

  // `enabled`, when given, says after every command whether the button is.
  void BindButton(int id, std::function<void()> command, std::function<bool()> enabled = {});
  void BindEdit(int id, EditModel& model);
  // `on_double_click`, when given, runs as a command on a double-click and
  // on Enter in the list.
  ListBinding* BindList(int id, ListModel& model, std::function<DisplayEncoding()> encoding,
                           std::function<void()> on_double_click = {});
  // Enter in the edit box `edit_id` presses the button `button_id`.
  void PressOnEnter(int edit_id, int button_id);
  // Adds a step to the redraw that follows every command.
  void AddSync(std::function<void()> sync) { syncs_.push_back(std::move(sync)); }
  void BindStatic(int id, TextModel& model, std::function<DisplayEncoding()> encoding);
  void BindCheckBox(int id, CheckBoxModel& model);

  void reject() override;
  void accept() override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Initialise();

  DialogLogic& logic_;
  QWidget* page_;
  std::unique_ptr<BuiltDialog> built_;
  std::vector<std::function<void()>> syncs_;
  QHash<QWidget*, std::function<void()>> enter_actions_;  // what Enter does in a control
};

}  // namespace tarvo::ui::qt
