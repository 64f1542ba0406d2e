// Resource and command ids of the windows, menus and controls.
#pragma once

namespace tarvo::ui {

inline constexpr int kIdStatic = -1;  // controls the logic never addresses

// Standard buttons.
inline constexpr int kIdOkButton = 1;
inline constexpr int kIdCancelButton = 2;
inline constexpr int kIdHelpButton = 3;

// Main window controls.
inline constexpr int kWordsList = 1005;
inline constexpr int kMainGroupsList = 1006;
inline constexpr int kDistanceEdit = 1019;
inline constexpr int kFindNowButton = 1020;
inline constexpr int kUpdateButton = 1027;
inline constexpr int kExitButton = 1028;
inline constexpr int kStatusText = 1033;  // what the last command did

// The main window's menu commands.
enum class Command {
  kOpen,
  kSave,
  kSaveAs,
  kExportGroups,
  kExportGroupsWithStems,
  kExit,
  kSettings,
  kHelp,
  kAbout,
};

// Settings dialog edits.
inline constexpr int kMinWordsEdit = 1013;
inline constexpr int kMinSuffixesEdit = 1015;
inline constexpr int kSuffixWeightEdit = 1016;
inline constexpr int kGroupsShownEdit = 1017;
inline constexpr int kBufferSizeEdit = 1018;
inline constexpr int kWordWeightEdit = 1024;
inline constexpr int kReadAsCharactersCheck = 1032;

// New words dialog controls.
inline constexpr int kSuspiciousList = 1008;
inline constexpr int kGroupWordsList = 1009;
inline constexpr int kSelectAllButton = 1010;
inline constexpr int kToBeAddedList = 1013;
inline constexpr int kPossibleWordsList = 1014;
inline constexpr int kClearAllButton = 1016;
inline constexpr int kAddButton = 1017;
inline constexpr int kNewWordsDistanceEdit = 1021;
inline constexpr int kReanalyseButton = 1022;
inline constexpr int kMainGroupLabel = 1026;
inline constexpr int kRemoveSelectedButton = 1029;
inline constexpr int kAutomaticButton = 1030;
inline constexpr int kNewWordsStatusText = 1031;  // what the last search found

}  // namespace tarvo::ui
