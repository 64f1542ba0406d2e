// LogicBinder: ties a window's widgets to its logic's models and runs the
// logic's commands.
//
// Every command, whether from a button, a menu item, a double-click or a
// key, runs through Run(), which calls the logic, redraws every bound widget
// from its model, moves the focus to the edit box the logic asked for, and
// then tells the window when the logic has ended. Windows own one binder and
// lay their widgets out themselves.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <functional>
#include <map>
#include <vector>

#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/display_text.h"
#include "ui/platform/list_model.h"
#include "ui/qt/list_binding.h"

namespace tarvo::ui::qt {

class LogicBinder : public QObject {
  Q_OBJECT

 public:
  // `ended` runs after a command that ended the logic.
  LogicBinder(DialogLogic& logic, std::function<void()> ended);

  DialogLogic& logic() const { return logic_; }
  // Restarts and initialises the logic, then redraws.
  void Initialise();
  void Run(const std::function<void()>& command);
  // Redraws every bound widget from its model.
  void Sync();

  // `enabled`, when given, says after every command whether the button or
  // menu item is.
  void BindButton(QAbstractButton* button, std::function<void()> command, std::function<bool()> enabled = {});
  void BindAction(QAction* action, std::function<void()> command, std::function<bool()> enabled = {});
  void BindEdit(QLineEdit* edit, EditModel& model);
  // A list when `columns` is empty, a table otherwise. `on_double_click`,
  // when given, runs as a command on a double-click and on Enter.
  ListBinding* BindList(QAbstractItemView* view, ListModel& model, std::function<DisplayEncoding()> encoding,
                        std::function<void()> on_double_click = {}, std::vector<TableColumn> columns = {});
  void BindLabel(QLabel* label, TextModel& model, std::function<DisplayEncoding()> encoding);
  void BindCheckBox(QCheckBox* box, CheckBoxModel& model);
  // Enter in `field` presses `button`.
  void PressOnEnter(QWidget* field, QAbstractButton* button);
  // Adds a step to the redraw that follows every command.
  void AddSync(std::function<void()> sync) { syncs_.push_back(std::move(sync)); }

  // Enter with the focus on `focus`: runs what Enter does there (a list's
  // double-click command, an edit box's button, a focused button) and
  // returns true, or returns false when none of these applies.
  bool HandleEnter(QWidget* focus);

 private:
  DialogLogic& logic_;
  std::function<void()> ended_;
  std::vector<std::function<void()>> syncs_;
  QHash<QWidget*, std::function<void()>> enter_actions_;
  std::map<const EditModel*, QLineEdit*> edits_;  // where a focus request goes
};

}  // namespace tarvo::ui::qt
