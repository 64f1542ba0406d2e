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
      kMainDialogId, "Suffix analyser", 408, 306, true, kMainMenuId,
      {
          {kIdStatic, K::kStaticText, "The main suffix groups", 11, 12, 119, 18},
          {kMainGroupsList, K::kListBox, "", 10, 34, 216, 197},
          {kIdStatic, K::kStaticText, "The words of the chosen suffix group", 243, 10, 126, 19},
          {kWordsList, K::kListBox, "", 244, 34, 141, 198, kListSorted},
          {kIdStatic, K::kGroupBox, "Distance", 9, 240, 296, 58},
          {kIdStatic, K::kStaticText, "Find the suffixgroups, that are ", 14, 263, 96, 14},
          {kDistanceEdit, K::kEdit, "", 117, 262, 25, 15},
          {kIdStatic, K::kStaticText, "suffix away from the choosen suffixgroup", 149, 261, 78, 24},
          {kFindNowButton, K::kPushButton, "&Find Now", 239, 258, 58, 28},
          {kUpdateButton, K::kPushButton, "&Update", 312, 239, 76, 31},
          {kExitButton, K::kPushButton, "E&xit", 318, 278, 67, 22},
      }};
  return dialog;
}

const DialogTemplate& SettingsDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate dialog{
      kSettingsDialogId, "Settings", 285, 194, false, 0,
      {
          {kIdOkButton, K::kDefaultPushButton, "OK", 226, 8, 50, 14},
          {kIdCancelButton, K::kPushButton, "Cancel", 227, 52, 50, 14},
          {kIdStatic, K::kGroupBox, "Main suffixgroup selection properties", 15, 15, 165, 94},
          {kIdHelpButton, K::kPushButton, "&Help", 227, 30, 50, 14},
          {kIdStatic, K::kStaticText, "Minimum of the words", 24, 26, 87, 18},
          {kIdStatic, K::kStaticText, "Minimum of the suffixes", 23, 45, 86, 17},
          {kIdStatic, K::kStaticText, "Weight of the words", 23, 66, 86, 15},
          {kIdStatic, K::kStaticText, "Weight of the suffixes", 25, 87, 84, 17},
          {kMinWordsEdit, K::kEdit, "", 132, 26, 42, 15},
          {kWordWeightEdit, K::kEdit, "", 132, 66, 42, 15},
          {kMinSuffixesEdit, K::kEdit, "", 132, 46, 42, 15},
          {kSuffixWeightEdit, K::kEdit, "", 132, 84, 42, 15},
          {kIdStatic, K::kStaticText, "How many suffixgroup do you want to display in the listbox?", 17, 128, 195, 15},
          {kGroupsShownEdit, K::kEdit, "", 218, 124, 42, 15},
          {kIdStatic, K::kStaticText, "Buffersize of the finite automat", 17, 146, 182, 16},
          {kBufferSizeEdit, K::kEdit, "", 217, 145, 43, 17},
          {kReadAsCharactersCheck, K::kCheckBox, "Read UTF-8 lists as characters", 17, 170, 200, 12},
      }};
  return dialog;
}

const DialogTemplate& NewWordsDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate dialog{
      kNewWordsDialogId, "New words generation", 451, 341, true, 0,
      {
          {kIdStatic, K::kStaticText, "Suspicious suffix groups", 13, 23, 118, 11},
          {kSuspiciousList, K::kListBox, "", 11, 36, 186, 144},
          {kIdStatic, K::kGroupBox, "Possible new words", 302, 24, 145, 149},
          {kSelectAllButton, K::kPushButton, "&Select all", 402, 44, 41, 23},
          {kPossibleWordsList, K::kListBox, "", 308, 41, 89, 116, kListSorted | kListMultipleSelection},
          {kClearAllButton, K::kPushButton, "&Clear all", 403, 75, 41, 21},
          {kAddButton, K::kPushButton, "A&dd", 402, 105, 44, 20},
          {kGroupWordsList, K::kListBox, "", 206, 44, 90, 131, kListSorted},
          {kIdStatic, K::kStaticText, "Words that belong to the choosen suffixgroup", 204, 20, 95, 17},
          {kIdOkButton, K::kDefaultPushButton, "Add to the &wordtree", 336, 231, 104, 54},
          {kIdCancelButton, K::kPushButton, "Ca&ncel", 349, 296, 84, 28},
          {kIdStatic, K::kGroupBox, "Words to be added", 208, 181, 237, 152},
          {kToBeAddedList, K::kListBox, "", 231, 190, 96, 138, kListSorted | kListMultipleSelection},
          {kIdStatic, K::kGroupBox, "", 4, 16, 196, 247},
          {kIdStatic, K::kStaticText, "The distance from the main suffix group", 18, 195, 70, 25},
          {kNewWordsDistanceEdit, K::kEdit, "", 97, 196, 38, 18},
          {kReanalyseButton, K::kPushButton, "&Reanalyse", 57, 225, 78, 30},
          {kIdStatic, K::kStaticText, "The main suffixgroup:", 13, 6, 72, 12},
          {kMainGroupLabel, K::kStaticText, "", 93, 4, 175, 14},
          {kRemoveSelectedButton, K::kPushButton, "R&emove selected", 356, 193, 70, 31},
          {kAutomaticButton, K::kPushButton, "&Automatic", 43, 283, 109, 32},
      }};
  return dialog;
}

const std::vector<MenuTemplate>& MainMenuTemplate() {
  static const std::vector<MenuTemplate> menu{
      {"File", {{"&Open", kCmdOpen}, {"&Save", kCmdSave}, {"S&ave as", kCmdSaveAs}, {nullptr, 0}, {"&Exit", kCmdExit}}},
      {"Edit", {{"&Settings", kCmdSettings}, {"&About", kCmdAbout}}},
  };
  return menu;
}

}  // namespace tarvo::ui
