// SettingsLogic: the logic of the Settings dialog.
//
// The main window copies its six settings into the public members, runs the
// dialog, and reads them back when it ends with OK. Initialise shows the
// values in the edit boxes; Accept reads and checks them in a fixed order
// (minimum suffixes, minimum words, groups shown, word weight, suffix
// weight, buffer size), then takes the character and prefix mode check
// boxes, which need no check. The first failure shows a message, sends the focus
// back to that edit box and keeps the dialog open; members read before it
// already hold their new values, but reach the main window only through a
// later successful OK. Each message names its field by the caption the
// dialog shows.
#pragma once

#include "automaton/analysis_settings.h"
#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/host.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {

// The Settings dialog's edit boxes.
enum class SettingsField { kMinWords, kMinSuffixes, kWordWeight, kSuffixWeight, kGroupsShown, kBufferSize };

// The Settings dialog's field captions; its messages name a field by them.
inline constexpr const char* kMinWordsCaption = "Minimum number of words";
inline constexpr const char* kMinSuffixesCaption = "Minimum number of suffixes";
inline constexpr const char* kWordWeightCaption = "Weight of the words";
inline constexpr const char* kSuffixWeightCaption = "Weight of the suffixes";
inline constexpr const char* kGroupsShownCaption = "How many main suffix groups to show in the list";
inline constexpr const char* kBufferSizeCaption = "Buffer size of the finite automaton";
inline constexpr const char* kReadAsCharactersCaption = "Read UTF-8 lists as characters";
inline constexpr const char* kReadBackwardsCaption = "Analyse prefixes (read words backwards)";

const char* CaptionOf(SettingsField field);

class SettingsLogic : public DialogLogic {
 public:
  explicit SettingsLogic(PlatformHost& host);

  void Initialise() override;
  void Accept() override;
  // The Help button (and F1): what each field means and when it applies.
  void OnHelp();

  // Copies the main window's settings into the members, and back. Values()
  // is only meaningful after the dialog ended with OK, which checked every
  // value against its bounds.
  void SetValues(const AnalysisSettings& settings);
  AnalysisSettings Values() const;

  EditModel& Edit(SettingsField field);
  CheckBoxModel& read_as_characters_check() { return read_as_characters_check_; }
  CheckBoxModel& read_backwards_check() { return read_backwards_check_; }

  long min_suffixes = 0;
  long min_words = 0;
  long groups_shown = 0;
  float word_weight = 0;
  float suffix_weight = 0;
  long buffer_size = 0;
  bool read_as_characters = false;  // used at the next Open, like the buffer size
  bool read_backwards = false;      // used at the next Open too

 private:
  // A text this window shows, in the installed translation.
  static std::string tr(const char* source) { return Translate("SettingsLogic", source); }

  // Shows the members in the edit boxes.
  void ShowValues();
  // Reads the edit boxes into the members, checking each one; stops at the
  // first failure and returns false.
  bool ReadValues();

  PlatformHost& host_;
  EditModel min_words_edit_, word_weight_edit_, min_suffixes_edit_;
  EditModel suffix_weight_edit_, groups_shown_edit_, buffer_size_edit_;
  CheckBoxModel read_as_characters_check_;
  CheckBoxModel read_backwards_check_;
};

}  // namespace tarvo::ui
