// The help window: a short guide to Tarvo's workflow, beside the main
// window rather than in front of it.
//
//   connect(help_action, &QAction::triggered, this, [this] { ShowHelp(this); });
#pragma once

#include <QDialog>
#include <QTextBrowser>

namespace tarvo::ui::qt {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// Shows the program's one help window, made the first time as a child of
// `parent` (it closes with it), then shown again, raised and activated.
// The window does not block the others.
HelpWindow* ShowHelp(QWidget* parent);

}  // namespace tarvo::ui::qt
