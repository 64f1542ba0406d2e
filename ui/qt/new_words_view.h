// The "New words generation" dialog over NewWordsLogic.
//
// Left: the main group's full label, the suspicious groups as a table
// (label, stems, the main group's suffixes each lacks) and the distance with
// Reanalyse and Automatic. Right: the chosen group's stems beside the
// possible new words, and the words to be added below them. Every list says
// how many rows it holds.
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
