// NewWordsLogic: the logic of the "New words generation" dialog.
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
// message says how many more there were. Automatic makes its words as a
// long task of the host, off the GUI thread. The status line says what the
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
#include "ui/platform/list_model.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {

// The distance typed in an edit box: digits only, at least one. A number
// past the 32-bit signed range is held as its largest value, 2147483647
// (no group lacks that many suffixes). Nothing for any other text.
std::optional<std::uint32_t> DistanceFromText(const std::string& text);

// The most words the possible-words list and Automatic put in a list.
inline constexpr std::size_t kMaxListedWords = 1'000'000;

class NewWordsLogic : public DialogLogic {
 public:
  NewWordsLogic(PlatformHost& host, const SuffixAutomaton& automaton, std::vector<std::string>& pending_words,
               std::uint32_t main_group, const std::string& distance_text);

  // --- Commands ---------------------------------------------------------------
  // Searches at the distance the main window gave; one that is not a number
  // is reported, and the dialog opens for the user to type another.
  void Initialise() override;
  void OnShowGroup();  // double-click (or Enter) in the suspicious groups list
  void OnSelectAll();
  void OnClearAll();
  void OnAdd();
  void OnRemoveSelected();
  void OnReanalyse();  // also Enter in the distance field
  void OnAutomatic();
  // Writes the possible new words, in the order shown, to a CSV or TSV file.
  void OnExportWords();
  void Accept() override;  // "Add to the word tree"
  void Reject() override;

  // The open word list, which Export never replaces.
  void SetWordListPath(std::string path) { word_list_path_ = std::move(path); }

  // --- Shared steps -------------------------------------------------------------
  void FindCandidates();
  void FillCandidateList();
  // Tells how many of `total` generated words were left out of a full list.
  void ReportWordsLeftOut(std::uint64_t total);

  // --- Controls -------------------------------------------------------------------
  ListModel& suspicious_groups() { return suspicious_; }
  ListModel& group_words() { return group_words_; }
  ListModel& possible_words() { return possible_; }
  ListModel& words_to_add() { return to_be_added_; }
  // OK needs collected words; once there were some it stays enabled.
  bool CanAccept() const { return words_were_collected_; }
  bool CanRunAutomatic() const { return !candidates_.empty(); }
  // Whether the list is read backwards, so that its groups are groups of prefixes.
  bool reading_backwards() const { return automaton_.coding().backwards(); }
  EditModel& distance_edit() { return distance_edit_; }
  TextModel& main_group_label() { return main_group_label_; }
  TextModel& status() { return status_; }

  // The numbers of row `row` of the suspicious groups list: its stems, and
  // the main group's suffixes it lacks, written as a label is.
  std::uint32_t SuspiciousStemCount(int row) const;
  std::string LackingSuffixes(int row) const;

  std::uint32_t distance() const { return distance_; }
  const std::vector<std::uint32_t>& candidates() const { return candidates_; }

 private:
  // A text this window shows, in the installed translation.
  static std::string tr(const char* source) { return Translate("NewWordsLogic", source); }

  // Reads the distance field into distance_; false after telling the user
  // what it takes.
  bool ReadDistance();
  // Adds the words to "Words to be added", leaving out the empty word and
  // any word already there or earlier in `words`, letter case ignored;
  // returns how many it added.
  std::size_t AddToBeAdded(std::vector<std::string> words);
  // Adds words that already keep those rules: sorted, none empty, none
  // twice and none in the list yet.
  void AppendToBeAdded(std::vector<std::string> words);
  // Says in the status how many words are to be added.
  void ShowCountToBeAdded();
  // Asks whether the collected words may be discarded; true when there are
  // none or the user agrees.
  bool MayDiscardWordsToAdd(const std::string& question);

  PlatformHost& host_;
  const SuffixAutomaton& automaton_;
  std::vector<std::string>& pending_;
  const std::uint32_t main_group_;
  std::uint32_t distance_ = 0;
  std::vector<std::uint32_t> candidates_;
  bool words_were_collected_ = false;
  std::string word_list_path_;

  ListModel suspicious_{ListModel::Order::kUnsorted, ListModel::Selection::kSingle};
  ListModel group_words_{ListModel::Order::kSorted, ListModel::Selection::kSingle};
  ListModel possible_{ListModel::Order::kSorted, ListModel::Selection::kMultiple};
  ListModel to_be_added_{ListModel::Order::kSorted, ListModel::Selection::kMultiple};
  EditModel distance_edit_{"", EditFilter::kDigits};
  TextModel main_group_label_;
  TextModel status_;
};

}  // namespace tarvo::ui
