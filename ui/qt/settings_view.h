// The Settings dialog over SettingsLogic.
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
