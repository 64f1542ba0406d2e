// The layout of every window and dialog, as data.
//
// Positions and sizes are in dialog units (a quarter of the dialog font's
// average character width horizontally, an eighth of its height
// vertically); the Qt backend's builder turns a template into widgets. The
// order of the controls is the tab order. What an edit box accepts is the
// logic's business (see EditModel), not the template's.
#pragma once

#include <vector>

#include "ui/platform/dialog_logic.h"
#include "ui/resource_ids.h"

namespace tarvo::ui {

enum class ControlKind {
  kStaticText,
  kGroupBox,
  kPushButton,
  kDefaultPushButton,
  kEdit,
  kListBox,
  kCheckBox,
};

// Style bits that matter for the views.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kListSorted = 1 << 0,
  kListMultipleSelection = 1 << 1,
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;
  unsigned style = kStyleNone;
};

struct DialogTemplate {
  DialogKind kind;
  const char* caption;
  int width, height;
  bool minimize_box;
  bool has_menu;
  std::vector<ControlTemplate> controls;

  const ControlTemplate* Find(int control_id) const;
};

// The platform's usual key for a menu command, where there is one.
enum class StandardShortcut { kNone, kOpen, kSave, kSaveAs, kQuit, kPreferences };

struct MenuItemTemplate {
  const char* text;  // nullptr for a separator, whose command is unused
  Command command;
  StandardShortcut shortcut = StandardShortcut::kNone;
};

struct MenuTemplate {
  const char* text;
  std::vector<MenuItemTemplate> items;
};

// The program's one name, in its title and on its message boxes.
inline constexpr const char* kProgramName = "Tarvo";

// The Settings dialog's field captions; its messages name a field by them.
inline constexpr const char* kMinWordsCaption = "Minimum number of words";
inline constexpr const char* kMinSuffixesCaption = "Minimum number of suffixes";
inline constexpr const char* kWordWeightCaption = "Weight of the words";
inline constexpr const char* kSuffixWeightCaption = "Weight of the suffixes";
inline constexpr const char* kGroupsShownCaption = "How many main suffix groups to show in the list";
inline constexpr const char* kBufferSizeCaption = "Buffer size of the finite automaton";
inline constexpr const char* kReadAsCharactersCaption = "Read UTF-8 lists as characters";

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& SettingsDialogTemplate();
const DialogTemplate& NewWordsDialogTemplate();
const std::vector<MenuTemplate>& MainMenuTemplate();

// The dialog font: 8-point "MS Sans Serif", with a common sans-serif family
// standing in where that font does not exist.
inline constexpr const char* kDialogFontFamily = "MS Sans Serif";
inline constexpr int kDialogFontPoints = 8;

}  // namespace tarvo::ui
