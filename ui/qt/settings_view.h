// The Settings dialog over CSettingsDlg.
#pragma once

#include "ui/logic/settings_dlg.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class SettingsView : public DialogView {
  Q_OBJECT

 public:
  explicit SettingsView(CSettingsDlg& logic, QWidget* parent = nullptr);
};

}  // namespace tarvo::ui::qt
