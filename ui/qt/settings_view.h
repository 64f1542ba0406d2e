// The Settings dialog over SettingsLogic: the ranking's minimums and
// weights in a group, the list length, the buffer size and the character
// mode in a form beside them, OK, Cancel and Help in a button box.
#pragma once

#include "ui/logic/settings_logic.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class SettingsView : public DialogView {
  Q_OBJECT

 public:
  explicit SettingsView(SettingsLogic& logic, QWidget* parent = nullptr);
};

}  // namespace tarvo::ui::qt
