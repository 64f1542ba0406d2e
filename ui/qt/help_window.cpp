#include "ui/qt/help_window.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QVBoxLayout>

namespace tarvo::ui::qt {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(tr("Tarvo Help"));
  browser_->setSource(QUrl(QStringLiteral("qrc:/tarvo/help.html")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(560, 600);
}

HelpWindow* ShowHelp(QWidget* parent) {
  static QPointer<HelpWindow> window;
  if (window == nullptr) window = new HelpWindow(parent);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace tarvo::ui::qt
