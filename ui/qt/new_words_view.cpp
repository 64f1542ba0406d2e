#include "ui/qt/new_words_view.h"

#include "ui/resource_ids.h"

namespace tarvo::ui::qt {

NewWordsView::NewWordsView(NewWordsLogic& logic, DisplayEncoding encoding, QWidget* parent)
    : DialogView(logic, NewWordsDialogTemplate(), parent) {
  auto shown_as = [encoding] { return encoding; };
  BindList(kSuspiciousList, logic.suspicious_groups(), shown_as, [&logic] { logic.OnShowGroup(); });
  BindList(kGroupWordsList, logic.group_words(), shown_as);
  BindList(kPossibleWordsList, logic.possible_words(), shown_as);
  BindList(kToBeAddedList, logic.words_to_add(), shown_as);
  BindStatic(kMainGroupLabel, logic.main_group_label(), shown_as);
  BindStatic(kNewWordsStatusText, logic.status(), [] { return DisplayEncoding::kUtf8; });
  BindEdit(kNewWordsDistanceEdit, logic.distance_edit());
  PressOnEnter(kNewWordsDistanceEdit, kReanalyseButton);
  BindButton(kIdOkButton, [&logic] { logic.Accept(); }, [&logic] { return logic.CanAccept(); });
  BindButton(kIdCancelButton, [&logic] { logic.Reject(); });
  BindButton(kSelectAllButton, [&logic] { logic.OnSelectAll(); });
  BindButton(kClearAllButton, [&logic] { logic.OnClearAll(); });
  BindButton(kAddButton, [&logic] { logic.OnAdd(); });
  BindButton(kRemoveSelectedButton, [&logic] { logic.OnRemoveSelected(); });
  BindButton(kReanalyseButton, [&logic] { logic.OnReanalyse(); });
  BindButton(kAutomaticButton, [&logic] { logic.OnAutomatic(); }, [&logic] { return logic.CanRunAutomatic(); });
}

}  // namespace tarvo::ui::qt
