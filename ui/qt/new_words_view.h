// The "New words generation" dialog over CNewWordsDlg.
#pragma once

#include "ui/logic/new_words_dlg.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class NewWordsView : public DialogView {
  Q_OBJECT

 public:
  NewWordsView(CNewWordsDlg& logic, DisplayEncoding encoding, QWidget* parent = nullptr);
};

}  // namespace tarvo::ui::qt
