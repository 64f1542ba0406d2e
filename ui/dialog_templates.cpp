#include "ui/dialog_templates.h"

#include "ui/resource_ids.h"

namespace tarvo::ui {

const ControlTemplate* DialogTemplate::Find(int control_id) const {
  for (const ControlTemplate& control : controls) {
    if (control.id == control_id) return &control;
  }
  return nullptr;
}

const DialogTemplate& MainDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate dialog{
      DialogKind::kMainWindow, kProgramName, 408, 318, true, true,
      {
          {kIdStatic, K::kStaticText, "The main suffix groups", 11, 12, 119, 18},
          {kMainGroupsList, K::kListBox, "", 10, 34, 216, 197},
          {kIdStatic, K::kStaticText, "The words of the chosen suffix group", 243, 10, 126, 19},
          {kWordsList, K::kListBox, "", 244, 34, 141, 198, kListSorted},
          {kIdStatic, K::kGroupBox, "Distance", 9, 240, 296, 58},
          {kIdStatic, K::kStaticText, "Find the suffix groups that lack", 14, 261, 96, 24},
          {kDistanceEdit, K::kEdit, "", 117, 262, 25, 15},
          {kIdStatic, K::kStaticText, "of the chosen group's suffixes", 149, 261, 78, 24},
          {kFindNowButton, K::kPushButton, "F&ind Now", 239, 258, 58, 28},
          {kUpdateButton, K::kPushButton, "&Update", 312, 239, 76, 31},
          {kExitButton, K::kPushButton, "E&xit", 318, 278, 67, 22},
          {kStatusText, K::kStaticText, "", 10, 305, 388, 10},
      }};
  return dialog;
}

const DialogTemplate& SettingsDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate dialog{
      DialogKind::kSettings, "Settings", 285, 194, false, false,
      {
          {kIdStatic, K::kGroupBox, "Main suffix group selection", 15, 15, 165, 94},
          {kIdStatic, K::kStaticText, kMinWordsCaption, 24, 26, 87, 18},
          {kMinWordsEdit, K::kEdit, "", 132, 26, 42, 15},
          {kIdStatic, K::kStaticText, kMinSuffixesCaption, 23, 45, 86, 17},
          {kMinSuffixesEdit, K::kEdit, "", 132, 46, 42, 15},
          {kIdStatic, K::kStaticText, kWordWeightCaption, 23, 66, 86, 15},
          {kWordWeightEdit, K::kEdit, "", 132, 66, 42, 15},
          {kIdStatic, K::kStaticText, kSuffixWeightCaption, 25, 87, 84, 17},
          {kSuffixWeightEdit, K::kEdit, "", 132, 84, 42, 15},
          {kIdStatic, K::kStaticText, kGroupsShownCaption, 17, 128, 195, 15},
          {kGroupsShownEdit, K::kEdit, "", 218, 124, 42, 15},
          {kIdStatic, K::kStaticText, kBufferSizeCaption, 17, 146, 182, 16},
          {kBufferSizeEdit, K::kEdit, "", 217, 145, 43, 17},
          {kReadAsCharactersCheck, K::kCheckBox, kReadAsCharactersCaption, 17, 170, 200, 12},
          {kIdOkButton, K::kDefaultPushButton, "OK", 226, 8, 50, 14},
          {kIdHelpButton, K::kPushButton, "&Help", 227, 30, 50, 14},
          {kIdCancelButton, K::kPushButton, "Cancel", 227, 52, 50, 14},
      }};
  return dialog;
}

const DialogTemplate& NewWordsDialogTemplate() {
  using K = ControlKind;
  // In tab order: the left column top to bottom, then the stems, the
  // possible words with their buttons, the words to be added, OK, Cancel.
  static const DialogTemplate dialog{
      DialogKind::kNewWords, "New words generation", 451, 341, true, false,
      {
          {kIdStatic, K::kStaticText, "The main suffix group:", 13, 6, 72, 12},
          {kMainGroupLabel, K::kStaticText, "", 93, 4, 175, 14},
          {kIdStatic, K::kGroupBox, "", 4, 16, 196, 247},
          {kIdStatic, K::kStaticText, "Suspicious suffix groups", 13, 23, 118, 11},
          {kSuspiciousList, K::kListBox, "", 11, 36, 186, 144},
          {kIdStatic, K::kStaticText, "The distance from the main suffix group", 18, 195, 70, 25},
          {kNewWordsDistanceEdit, K::kEdit, "", 97, 196, 38, 18},
          {kReanalyseButton, K::kPushButton, "&Reanalyse", 57, 225, 78, 30},
          {kAutomaticButton, K::kPushButton, "&Automatic", 43, 283, 109, 32},
          {kNewWordsStatusText, K::kStaticText, "", 6, 320, 196, 18},
          {kIdStatic, K::kStaticText, "Words of the chosen suffix group", 204, 20, 95, 17},
          {kGroupWordsList, K::kListBox, "", 206, 44, 90, 131, kListSorted},
          {kIdStatic, K::kGroupBox, "Possible new words", 302, 24, 145, 149},
          {kPossibleWordsList, K::kListBox, "", 308, 41, 89, 116, kListSorted | kListMultipleSelection},
          {kSelectAllButton, K::kPushButton, "&Select all", 402, 44, 41, 23},
          {kClearAllButton, K::kPushButton, "&Clear all", 403, 75, 41, 21},
          {kAddButton, K::kPushButton, "A&dd", 402, 105, 44, 20},
          {kIdStatic, K::kGroupBox, "Words to be added", 208, 181, 237, 152},
          {kToBeAddedList, K::kListBox, "", 231, 190, 96, 138, kListSorted | kListMultipleSelection},
          {kRemoveSelectedButton, K::kPushButton, "R&emove selected", 356, 193, 70, 31},
          {kIdOkButton, K::kDefaultPushButton, "Add to the &word tree", 336, 231, 104, 54},
          {kIdCancelButton, K::kPushButton, "Ca&ncel", 349, 296, 84, 28},
      }};
  return dialog;
}

const std::vector<MenuTemplate>& MainMenuTemplate() {
  static const std::vector<MenuTemplate> menu{
      {"&File",
       {{"&Open...", Command::kOpen, StandardShortcut::kOpen},
        {"&Save", Command::kSave, StandardShortcut::kSave},
        {"Save &As...", Command::kSaveAs, StandardShortcut::kSaveAs},
        {nullptr, Command::kOpen},
        {"E&xit", Command::kExit, StandardShortcut::kQuit}}},
      {"&Edit", {{"&Settings...", Command::kSettings, StandardShortcut::kPreferences}, {"&About Tarvo", Command::kAbout}}},
  };
  return menu;
}

}  // namespace tarvo::ui
