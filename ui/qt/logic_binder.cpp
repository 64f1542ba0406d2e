#include "ui/qt/logic_binder.h"

#include <QPushButton>
#include <QValidator>

namespace tarvo::ui::qt {
namespace {

// Lets the user type exactly what the edit model's filter accepts.
class FilterValidator : public QValidator {
 public:
  FilterValidator(EditFilter filter, QObject* parent) : QValidator(parent), filter_(filter) {}
  State validate(QString& input, int&) const override {
    return EditAccepts(filter_, input.toStdString()) ? Acceptable : Invalid;
  }

 private:
  EditFilter filter_;
};

}  // namespace

LogicBinder::LogicBinder(DialogLogic& logic, std::function<void()> ended)
    : logic_(logic), ended_(std::move(ended)) {}

void LogicBinder::Initialise() {
  logic_.Restart();
  logic_.Initialise();
  Sync();
}

void LogicBinder::Run(const std::function<void()>& command) {
  command();
  Sync();
  if (logic_.ended()) ended_();
}

void LogicBinder::Sync() {
  for (const auto& sync : syncs_) sync();
  if (const EditModel* requested = logic_.TakeFocusRequest()) {
    if (const auto edit = edits_.find(requested); edit != edits_.end()) {
      edit->second->setFocus();
      edit->second->selectAll();
    }
  }
}

void LogicBinder::BindButton(QAbstractButton* button, std::function<void()> command,
                             std::function<bool()> enabled) {
  connect(button, &QAbstractButton::clicked, this, [this, command] { Run(command); });
  if (enabled) syncs_.push_back([button, enabled] { button->setEnabled(enabled()); });
}

void LogicBinder::BindAction(QAction* action, std::function<void()> command, std::function<bool()> enabled) {
  connect(action, &QAction::triggered, this, [this, command] { Run(command); });
  if (enabled) syncs_.push_back([action, enabled] { action->setEnabled(enabled()); });
}

void LogicBinder::BindEdit(QLineEdit* edit, EditModel& model) {
  if (model.filter != EditFilter::kAny) edit->setValidator(new FilterValidator(model.filter, edit));
  connect(edit, &QLineEdit::textEdited, this, [&model](const QString& text) { model.text = text.toStdString(); });
  edits_[&model] = edit;
  syncs_.push_back([edit, &model] {
    const QString text = QString::fromStdString(model.text);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(model.enabled);
  });
}

ListBinding* LogicBinder::BindList(QAbstractItemView* view, ListModel& model,
                                   std::function<DisplayEncoding()> encoding, std::function<void()> on_double_click,
                                   std::vector<TableColumn> columns) {
  auto* binding = new ListBinding(view, model, std::move(encoding), std::move(columns));
  syncs_.push_back([binding] { binding->Sync(); });
  if (on_double_click) {
    auto run = [this, on_double_click] { Run(on_double_click); };
    binding->OnDoubleClick(run);
    enter_actions_.insert(view, run);
  }
  return binding;
}

void LogicBinder::BindLabel(QLabel* label, TextModel& model, std::function<DisplayEncoding()> encoding) {
  label->setTextFormat(Qt::PlainText);
  syncs_.push_back([label, &model, encoding] {
    label->setText(QString::fromStdString(DisplayText(model.text, encoding())));
  });
}

void LogicBinder::BindCheckBox(QCheckBox* box, CheckBoxModel& model) {
  connect(box, &QCheckBox::toggled, this, [&model](bool checked) { model.checked = checked; });
  syncs_.push_back([box, &model] {
    box->setChecked(model.checked);
    box->setEnabled(model.enabled);
  });
}

void LogicBinder::PressOnEnter(QWidget* field, QAbstractButton* button) {
  // click() does nothing while the button is disabled.
  enter_actions_.insert(field, [button] { button->click(); });
}

bool LogicBinder::HandleEnter(QWidget* focus) {
  if (const auto action = enter_actions_.constFind(focus); action != enter_actions_.cend()) {
    (*action)();
    return true;
  }
  if (auto* button = qobject_cast<QPushButton*>(focus)) {
    if (button->isEnabled()) button->click();
    return true;
  }
  return false;
}

}  // namespace tarvo::ui::qt
