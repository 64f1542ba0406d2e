#include "ui/qt/dialog_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace tarvo::ui::qt {

DialogView::DialogView(DialogLogic& logic, QWidget* parent)
    : QDialog(parent),
      logic_(logic),
      binder_(logic, [this] { done(logic_.result() == Answer::kOk ? Accepted : Rejected); }) {}

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
  // Enter is decided in keyPressEvent: no button becomes the default just
  // because it has the focus.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
  binder_.Initialise();
}

void DialogView::reject() {
  binder_.Run([this] { logic_.Reject(); });
}

void DialogView::accept() {
  binder_.Run([this] { logic_.Accept(); });
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  if (binder_.HandleEnter(focusWidget())) return;
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isVisible()) {
      if (button->isEnabled()) button->click();
      return;
    }
  }
  accept();
}

void DialogView::closeEvent(QCloseEvent* event) {
  if (!logic_.ended()) binder_.Run([this] { logic_.CloseRequested(); });
  if (logic_.ended()) event->accept();
  else event->ignore();
}

}  // namespace tarvo::ui::qt
