// CNewWordsDlg: the logic of the "New words generation" dialog.
//
// Opened by Find Now for a main group M and the main window's distance
// text. It lists the suspicious groups (those lacking exactly D of M's
// suffixes; never the start state, whose only stem is the empty word),
// shows a double-clicked group's stems and the possible new words it
// yields, and collects words in the "Words to be added" list, where no word
// is listed twice (letter case ignored) and the empty word never comes.
// "Add to the word tree" (OK) appends the collected words that are not
// already pending to the main window's pending words; nothing else outside
// the dialog changes. OK starts disabled; Add and Automatic enable it once
// the list has a row, and nothing disables it again. Cancel (Escape, the
// close box) and Automatic ask before they discard collected words. The
// possible words and Automatic list at most kMaxListedWords words each; a
// message says how many more there were. The status line says what the
// last search or Automatic found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automaton/suffix_automaton.h"
#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/host.h"
#include "ui/platform/list_box_model.h"

namespace tarvo::ui {

// The distance typed in an edit box: digits only, at least one. A number
// past the 32-bit signed range is held as its largest value, 2147483647
// (no group lacks that many suffixes). Nothing for any other text.
std::optional<std::uint32_t> DistanceFromText(const std::string& text);

// The most words the possible-words list and Automatic put in a list.
inline constexpr std::size_t kMaxListedWords = 1'000'000;

class CNewWordsDlg : public CDialogLogic {
 public:
  CNewWordsDlg(IPlatformHost& host, const SuffixAutomaton& automaton, std::vector<std::string>& pending_words,
               std::uint32_t main_group, const std::string& distance_text);

  // --- Commands ---------------------------------------------------------------
  // Searches at the distance the main window gave; one that is not a number
  // is reported, and the dialog opens for the user to type another.
  void OnInitDialog() override;
  void OnShowGroup();  // double-click (or Enter) in the suspicious groups list
  void OnSelectAll();
  void OnClearAll();
  void OnAdd();
  void OnRemoveSelected();
  void OnReanalyse();  // also Enter in the distance field
  void OnAutomatic();
  void OnOK() override;  // "Add to the word tree"
  void OnCancel() override;

  // --- Shared steps -------------------------------------------------------------
  void FindCandidates();
  void FillCandidateList();
  // Tells how many of `total` generated words were left out of a full list.
  void ReportWordsLeftOut(std::uint64_t total);

  // --- Controls -------------------------------------------------------------------
  CListBoxModel& suspicious_groups() { return suspicious_; }
  CListBoxModel& group_words() { return group_words_; }
  CListBoxModel& possible_words() { return possible_; }
  CListBoxModel& words_to_add() { return to_be_added_; }
  CButtonModel& ok_button() { return ok_; }
  CButtonModel& automatic_button() { return automatic_; }
  CEditModel& distance_edit() { return distance_edit_; }
  CStaticModel& main_group_label() { return main_group_label_; }
  CStaticModel& status() { return status_; }

  std::uint32_t distance() const { return distance_; }
  const std::vector<std::uint32_t>& candidates() const { return candidates_; }

 private:
  // Reads the distance field into distance_; false after telling the user
  // what it takes.
  bool ReadDistance();
  // Adds the words to "Words to be added", leaving out the empty word and
  // any word already there or earlier in `words`, letter case ignored.
  void AddToBeAdded(std::vector<std::string> words);
  // Asks whether the collected words may be discarded; true when there are
  // none or the user agrees.
  bool MayDiscardWordsToAdd(const std::string& question);

  IPlatformHost& host_;
  const SuffixAutomaton& automaton_;
  std::vector<std::string>& pending_;
  const std::uint32_t main_group_;
  std::uint32_t distance_ = 0;
  std::vector<std::uint32_t> candidates_;

  CListBoxModel suspicious_{CListBoxModel::Order::kUnsorted, CListBoxModel::Selection::kSingle};
  CListBoxModel group_words_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kSingle};
  CListBoxModel possible_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple};
  CListBoxModel to_be_added_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple};
  CButtonModel ok_{"Add to the &word tree"};
  CButtonModel automatic_{"&Automatic"};
  CEditModel distance_edit_{"", EditFilter::kDigits};
  CStaticModel main_group_label_;
  CStaticModel status_;
};

}  // namespace tarvo::ui
