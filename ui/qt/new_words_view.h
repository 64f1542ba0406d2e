// The "New words generation" dialog over NewWordsLogic.
#pragma once

#include "ui/logic/new_words_logic.h"
#include "ui/qt/dialog_view.h"

namespace tarvo::ui::qt {

class NewWordsView : public DialogView {
  Q_OBJECT

 public:
  NewWordsView(NewWordsLogic& logic, DisplayEncoding encoding, QWidget* parent = nullptr);
};

}  // namespace tarvo::ui::qt
