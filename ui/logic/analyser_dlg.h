// CAnalyserDlg: the logic of the main window, "Suffix analyser".
//
// It owns everything for the whole run: the word tree, the automaton, the
// settings, the current path, the ranked groups and two word lists: the
// pending words (accepted in the New words dialog, not yet in the tree) and
// the added words (inserted by Update since the last save). Every menu item
// and button is one of the On... commands below; the view calls them and
// then redraws from the control models.
//
// Two button states double as flags: Update is enabled exactly when words
// are pending, Find Now exactly when the last ranking gave a main group.
//
// The window never drops words silently and keeps them with their list: a
// file that cannot be read or written is reported with its reason, a failed
// save keeps the words, closing with Enter, Escape or the close box asks the
// same questions as Exit when there is something unsaved, and so does Open,
// which replaces the list only once the new one has been read whole. Words
// the tree refuses stay with the list: Save appends them and Save as writes
// them after the tree's words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/word_tree.h"
#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/display_text.h"
#include "ui/platform/host.h"
#include "ui/platform/list_box_model.h"

namespace tarvo::ui {

class CAnalyserDlg : public CDialogLogic {
 public:
  explicit CAnalyserDlg(IPlatformHost& host);

  // --- Commands ---------------------------------------------------------------
  void OnInitDialog() override;
  void OnOpen();
  void OnSave();
  void OnSaveAs();
  void OnExit();
  void OnSettings();
  void OnFindNow();
  void OnUpdate() { UpdateWordTree(); }
  void OnMainGroupsDoubleClick();  // Show words
  // Enter, and Escape or the close box: end at once unless something is
  // unsaved, in which case they ask as Exit does.
  void OnOK() override;
  void OnCancel() override;

  // --- Shared steps -------------------------------------------------------------
  void RefreshMainGroups();
  void UpdateWordTree();
  // Appends the added words to the current file and empties the list.
  // Returns 1, or -1 after showing why the file could not be written (the
  // words are then kept).
  int AppendAddedWords();

  // --- Controls -------------------------------------------------------------------
  CListBoxModel& main_groups() { return main_groups_; }
  CListBoxModel& words() { return words_; }
  CButtonModel& find_now_button() { return find_now_; }
  CButtonModel& update_button() { return update_; }
  CEditModel& distance_edit() { return distance_; }

  // --- Data -------------------------------------------------------------------------
  const CWordTree& tree() const { return tree_; }
  const CSuffixAutomaton& automaton() const { return automaton_; }
  std::vector<std::string>& pending_words() { return pending_; }
  const std::vector<std::string>& added_words() const { return added_; }
  const std::string& current_path() const { return current_path_; }
  AnalysisSettings& settings() { return settings_; }
  const std::vector<std::uint32_t>& ranked_groups() const { return ranked_; }
  // How words are shown: decided at each Open from the list's bytes.
  DisplayEncoding display_encoding() const { return display_encoding_; }
  // Whether the open list is coded by characters rather than bytes.
  bool reading_characters() const { return tree_.coding().characters(); }
  IPlatformHost& host() { return host_; }

 private:
  // Asks the Exit questions when words are unsaved and saves as answered.
  // True when the caller may go on (nothing unsaved, saved, or the user
  // chose not to save), false when the user cancelled or saving failed; the
  // words are then where they were.
  bool SettleUnsavedWords();
  bool CloseAfterAsking();
  bool HasUnsavedWords() const { return update_.enabled || !added_.empty(); }
  // Asks before Save as writes over the opened file when that would remove
  // the tokens the tree could not store at Open; true to go on.
  bool MayOverwriteOpenedList(const std::string& target);
  void ShowFileError(const std::string& action, const std::string& path, int error,
                     const std::string& outcome);

  IPlatformHost& host_;
  CSuffixAutomaton automaton_;
  CWordTree tree_;
  std::vector<std::string> pending_;
  std::vector<std::string> added_;
  std::vector<std::string> refused_;  // words Update could not put into the tree
  std::string current_path_;
  std::string opened_path_;           // the list last opened
  std::uint64_t tokens_not_stored_ = 0;  // its tokens skipped or refused at Open
  AnalysisSettings settings_;
  std::vector<std::uint32_t> ranked_;
  DisplayEncoding display_encoding_ = DisplayEncoding::kUtf8;

  CListBoxModel main_groups_{CListBoxModel::Order::kUnsorted, CListBoxModel::Selection::kSingle};
  CListBoxModel words_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kSingle};
  CButtonModel find_now_{"&Find Now"};
  CButtonModel update_{"&Update"};
  CEditModel distance_{"", EditFilter::kDigits};
};

}  // namespace tarvo::ui
