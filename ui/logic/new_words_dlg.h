// CNewWordsDlg: the logic of the "New words generation" dialog.
//
// Opened by Find Now for a main group M and the main window's distance
// text. It lists the suspicious groups (those lacking exactly D of M's
// suffixes), shows a double-clicked group's stems and the possible new words
// it yields, and collects words in the "Words to be added" list. "Add to the
// &wordtree" (OK) appends the collected words that are not already pending
// to the main window's pending words; nothing else outside the dialog
// changes. OK starts disabled; Add and Automatic enable it once the list has
// a row, and nothing disables it again. The possible words and Automatic
// list at most kMaxListedWords words each; a message says how many more
// there were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "automaton/suffix_automaton.h"
#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/host.h"
#include "ui/platform/list_box_model.h"

namespace tarvo::ui {

// The distance text as the C library's atol reads it: leading white space,
// an optional sign, then digits up to the first non-digit; no digits give 0.
// The value is clamped to 32-bit signed range (a 32-bit long), and its 32
// bits are kept unsigned, so "-1" becomes 4294967295.
std::uint32_t DistanceFromText(const std::string& text);

// The most words the possible-words list and Automatic put in a list.
inline constexpr std::size_t kMaxListedWords = 1'000'000;

class CNewWordsDlg : public CDialogLogic {
 public:
  CNewWordsDlg(IPlatformHost& host, const CSuffixAutomaton& automaton, std::vector<std::string>& pending_words,
               std::uint32_t main_group, const std::string& distance_text);

  // --- Commands ---------------------------------------------------------------
  void OnInitDialog() override;
  void OnShowGroup();  // double-click in the suspicious groups list
  void OnSelectAll();
  void OnClearAll();
  void OnAdd();
  void OnRemoveSelected();
  void OnReanalyse();
  void OnAutomatic();
  void OnOK() override;  // "Add to the &wordtree"

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
  CEditModel& distance_edit() { return distance_edit_; }
  CStaticModel& main_group_label() { return main_group_label_; }

  std::uint32_t distance() const { return distance_; }
  const std::vector<std::uint32_t>& candidates() const { return candidates_; }

 private:
  IPlatformHost& host_;
  const CSuffixAutomaton& automaton_;
  std::vector<std::string>& pending_;
  const std::uint32_t main_group_;
  std::uint32_t distance_;
  std::vector<std::uint32_t> candidates_;

  CListBoxModel suspicious_{CListBoxModel::Order::kUnsorted, CListBoxModel::Selection::kSingle};
  CListBoxModel group_words_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kSingle};
  CListBoxModel possible_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple};
  CListBoxModel to_be_added_{CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple};
  CButtonModel ok_{"Add to the &wordtree"};
  CEditModel distance_edit_;
  CStaticModel main_group_label_;
};

}  // namespace tarvo::ui
