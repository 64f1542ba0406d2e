// Turns a dialog template (dialog_templates.h) into Qt widgets.
//
// Dialog units become pixels the way classic dialogs define them: x times
// the dialog font's average character width / 4, y times its height / 8.
// Every control is placed at its template rectangle on the given page; the
// returned map finds the widget of each control id (controls without an id
// are created but not listed).
#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QWidget>

#include "ui/dialog_templates.h"

namespace tarvo::ui::qt {

// The font of every dialog, and the dialog-unit scale that goes with it.
QFont DialogFont();
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int width, int height);

class BuiltDialog {
 public:
  // Creates the controls of `dialog` as children of `page` and sizes the
  // page to the dialog's client area.
  BuiltDialog(const DialogTemplate& dialog, QWidget* page);

  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  template <typename T>
  T* ControlAs(int id) const { return qobject_cast<T*>(Control(id)); }

 private:
  QHash<int, QWidget*> controls_;
};

// "&Find Now" stays "&Find Now": Qt marks mnemonics with & as well. A lone
// "&&" is a literal ampersand in both.
QString ControlText(const char* text);

}  // namespace tarvo::ui::qt
