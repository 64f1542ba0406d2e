#include "ui/qt/dialog_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

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

DialogView::DialogView(DialogLogic& logic, const DialogTemplate& dialog, QWidget* parent)
    : QDialog(parent), logic_(logic), page_(new QWidget(this)) {
  setWindowTitle(QString::fromUtf8(dialog.caption));
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialog.minimize_box) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  built_ = std::make_unique<BuiltDialog>(dialog, page_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(page_);
}

Answer DialogView::RunModal() {
  Initialise();
  // exec() makes the dialog modal only when it shows it, so it must not be
  // visible yet. Its own result is not used: the logic's result says how
  // the dialog ended.
  if (!logic_.ended()) exec();
  return logic_.ended() ? logic_.result() : Answer::kCancel;
}

void DialogView::ShowModeless() {
  Initialise();
  show();
}

void DialogView::Initialise() {
  logic_.Restart();
  logic_.Initialise();
  SyncFromModels();
}

void DialogView::RunCommand(const std::function<void()>& command) {
  command();
  SyncFromModels();
  if (logic_.ended()) done(logic_.result() == Answer::kOk ? Accepted : Rejected);
}

void DialogView::SyncFromModels() {
  for (const auto& sync : syncs_) sync();
  if (int id = logic_.TakeFocusRequest()) {
    if (QWidget* widget = Control(id)) {
      widget->setFocus();
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    }
  }
}

void DialogView::BindButton(int id, std::function<void()> command, std::function<bool()> enabled) {
  auto* button = built_->ControlAs<QPushButton>(id);
  connect(button, &QPushButton::clicked, this, [this, command] { RunCommand(command); });
  if (enabled) syncs_.push_back([button, enabled] { button->setEnabled(enabled()); });
}

void DialogView::BindEdit(int id, EditModel& model) {
  auto* edit = built_->ControlAs<QLineEdit>(id);
  if (model.filter != EditFilter::kAny) edit->setValidator(new FilterValidator(model.filter, edit));
  connect(edit, &QLineEdit::textEdited, this, [&model](const QString& text) { model.text = text.toStdString(); });
  syncs_.push_back([edit, &model] {
    const QString text = QString::fromStdString(model.text);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(model.enabled);
  });
}

ListBinding* DialogView::BindList(int id, ListModel& model, std::function<DisplayEncoding()> encoding,
                                     std::function<void()> on_double_click) {
  auto* view = built_->ControlAs<QListView>(id);
  auto* binding = new ListBinding(view, model, std::move(encoding));
  syncs_.push_back([binding] { binding->Sync(); });
  if (on_double_click) {
    auto run = [this, on_double_click] { RunCommand(on_double_click); };
    binding->OnDoubleClick(run);
    enter_actions_.insert(view, run);
  }
  return binding;
}

void DialogView::PressOnEnter(int edit_id, int button_id) {
  auto* button = built_->ControlAs<QPushButton>(button_id);
  // click() does nothing while the button is disabled.
  enter_actions_.insert(Control(edit_id), [button] { button->click(); });
}

void DialogView::BindStatic(int id, TextModel& model, std::function<DisplayEncoding()> encoding) {
  auto* label = built_->ControlAs<QLabel>(id);
  label->setWordWrap(false);
  label->setTextFormat(Qt::PlainText);
  syncs_.push_back([label, &model, encoding] {
    label->setText(QString::fromStdString(DisplayText(model.text, encoding())));
  });
}

void DialogView::BindCheckBox(int id, CheckBoxModel& model) {
  auto* box = built_->ControlAs<QCheckBox>(id);
  connect(box, &QCheckBox::toggled, this, [&model](bool checked) { model.checked = checked; });
  syncs_.push_back([box, &model] {
    box->setChecked(model.checked);
    box->setEnabled(model.enabled);
  });
}

void DialogView::reject() {
  RunCommand([this] { logic_.Reject(); });
}

void DialogView::accept() {
  RunCommand([this] { logic_.Accept(); });
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  QWidget* focus = focusWidget();
  if (const auto action = enter_actions_.constFind(focus); action != enter_actions_.cend()) {
    (*action)();
    return;
  }
  QPushButton* target = qobject_cast<QPushButton*>(focus);
  if (target == nullptr) {
    for (QPushButton* button : findChildren<QPushButton*>()) {
      if (button->isDefault() && button->isVisible()) target = button;
    }
  }
  if (target != nullptr) {
    if (target->isEnabled()) target->click();
    return;
  }
  accept();
}

void DialogView::closeEvent(QCloseEvent* event) {
  if (!logic_.ended()) RunCommand([this] { logic_.CloseRequested(); });
  if (logic_.ended()) event->accept();
  else event->ignore();
}

}  // namespace tarvo::ui::qt
