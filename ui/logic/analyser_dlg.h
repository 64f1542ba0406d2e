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
// Unlike a bare dialog, the window never drops words silently: a file that
// cannot be read or written is reported with its reason, a failed save keeps
// the words, and closing with Enter, Escape or the close box asks the same
// questions as Exit when there is something unsaved.
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
  // Asks the Exit questions and closes when the answers allow; true when
  // the window closed.
  bool CloseAfterAsking();
  bool HasUnsavedWords() const { return update_.enabled || !added_.empty(); }
  void ShowFileError(const std::string& action, const std::string& path, int error);

  IPlatformHost& host_;
  CSuffixAutomaton automaton_;
  CWordTree tree_;
  std::vector<std::string> pending_;
  std::vector<std::string> added_;
  std::string current_path_;
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
