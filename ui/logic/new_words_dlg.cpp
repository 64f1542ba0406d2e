#include "ui/logic/new_words_dlg.h"

#include <algorithm>
#include <unordered_set>

#include "ui/logic/wording.h"
#include "ui/resource_ids.h"

namespace tarvo::ui {
namespace {

// A visitor that keeps words until `rows` holds kMaxListedWords of them,
// and stops the walk at the next word. The empty word is never proposed.
SuffixAutomaton::WordVisitor KeepUpToTheListLimit(std::vector<std::string>& rows) {
  return [&rows](const std::string& word) {
    if (word.empty()) return true;
    if (rows.size() == kMaxListedWords) return false;
    rows.push_back(word);
    return true;
  };
}

}  // namespace

std::optional<std::uint32_t> DistanceFromText(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), INT32_MAX);
  }
  return static_cast<std::uint32_t>(value);
}

CNewWordsDlg::CNewWordsDlg(IPlatformHost& host, const SuffixAutomaton& automaton,
                           std::vector<std::string>& pending_words, std::uint32_t main_group,
                           const std::string& distance_text)
    : CDialogLogic(kNewWordsDialogId),
      host_(host),
      automaton_(automaton),
      pending_(pending_words),
      main_group_(main_group) {
  distance_edit_.text = distance_text;
}

void CNewWordsDlg::OnInitDialog() {
  automaton_.GetLabel(main_group_, main_group_label_.text);
  ok_.enabled = false;
  automatic_.enabled = false;
  if (!ReadDistance()) return;
  WaitCursor wait(host_);
  FindCandidates();
}

bool CNewWordsDlg::ReadDistance() {
  const std::optional<std::uint32_t> distance = DistanceFromText(distance_edit_.text);
  if (!distance) {
    host_.ShowMessage("Please enter the distance: how many of the main group's suffixes a group lacks, such as 2.",
                      kMbOk | kMbIconExclamation);
    RequestFocus(kNewWordsDistanceEdit);
    return false;
  }
  distance_ = *distance;
  distance_edit_.text = std::to_string(distance_);
  return true;
}

void CNewWordsDlg::FindCandidates() {
  candidates_ = automaton_.FindSuspiciousGroups(main_group_, distance_);
  // The start state's only stem is the empty word: it has nothing to offer.
  std::erase(candidates_, automaton_.start_state());
  FillCandidateList();
  automatic_.enabled = !candidates_.empty();
  status_.text = candidates_.empty()
                     ? "No group lacks exactly " + CountOf(distance_, "suffix", "suffixes") + " of the main group."
                     : CountOf(candidates_.size(), "suspicious group", "suspicious groups") + " found.";
}

void CNewWordsDlg::FillCandidateList() {
  suspicious_.ResetContent();
  std::vector<std::string> labels;
  labels.reserve(candidates_.size());
  for (std::uint32_t group : candidates_) automaton_.GetLabel(group, labels.emplace_back());
  suspicious_.AddStrings(std::move(labels));
  if (!candidates_.empty()) suspicious_.SetCurSel(0);
}

void CNewWordsDlg::OnShowGroup() {
  const int row = suspicious_.GetCurSel();
  if (row < 0 || static_cast<std::size_t>(row) >= candidates_.size()) return;
  const std::uint32_t group = candidates_[static_cast<std::size_t>(row)];
  group_words_.ResetContent();
  group_words_.AddStrings(automaton_.GetWords(group));
  possible_.ResetContent();
  std::vector<std::string> words;
  const bool complete = automaton_.ForEachGeneratedWord(group, main_group_, KeepUpToTheListLimit(words));
  possible_.AddStrings(std::move(words));
  if (!complete) ReportWordsLeftOut(automaton_.GeneratedWordCount(group, main_group_));
}

void CNewWordsDlg::ReportWordsLeftOut(std::uint64_t total) {
  host_.ShowMessage("Only the first " + WithThousandsSeparators(kMaxListedWords) + " of " +
                        WithThousandsSeparators(total) + " words are listed: " +
                        WithThousandsSeparators(total - kMaxListedWords) + " were left out.",
                    kMbOk | kMbIconInformation);
}

void CNewWordsDlg::OnSelectAll() { possible_.SelItemRangeEx(0, possible_.GetCount() - 1); }

void CNewWordsDlg::OnClearAll() { possible_.ClearSelection(); }

void CNewWordsDlg::AddToBeAdded(std::vector<std::string> words) {
  std::erase_if(words, [this](const std::string& word) {
    return word.empty() || to_be_added_.FindStringExact(word) != CListBoxModel::kNone;
  });
  // Of the words equal with letter case ignored, the first one stays.
  std::stable_sort(words.begin(), words.end(),
                   [](const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });
  words.erase(std::unique(words.begin(), words.end(), EqualIgnoringCase), words.end());
  to_be_added_.AddStrings(std::move(words));
  if (to_be_added_.GetCount() > 0) ok_.enabled = true;
}

void CNewWordsDlg::OnAdd() {
  std::vector<std::string> selected;
  for (int row = 0; row < possible_.GetCount(); ++row) {
    if (possible_.GetSel(row)) selected.push_back(possible_.GetText(row));
  }
  if (selected.empty()) {
    status_.text = "Select the words to add among the possible new words first.";
    return;
  }
  AddToBeAdded(std::move(selected));
}

void CNewWordsDlg::OnRemoveSelected() { to_be_added_.DeleteSelectedRows(); }

void CNewWordsDlg::OnReanalyse() {
  if (!ReadDistance()) return;
  // The stems and words shown belong to a group of the old list.
  group_words_.ResetContent();
  possible_.ResetContent();
  WaitCursor wait(host_);
  FindCandidates();
}

bool CNewWordsDlg::MayDiscardWordsToAdd(const std::string& question) {
  if (to_be_added_.GetCount() == 0) return true;
  return host_.ShowMessage(question, kMbYesNo | kMbIconExclamation | kMbDefaultButton2) == kIdYes;
}

void CNewWordsDlg::OnAutomatic() {
  if (!MayDiscardWordsToAdd("Automatic replaces the " + CountOf(to_be_added_.GetCount(), "word", "words") +
                            " to be added. Do you want to go on?")) {
    return;
  }
  to_be_added_.ResetContent();
  std::vector<std::string> words;
  const bool complete = automaton_.ForEachAutomaticWord(candidates_, main_group_, KeepUpToTheListLimit(words));
  AddToBeAdded(std::move(words));
  const auto count = static_cast<std::uint64_t>(to_be_added_.GetCount());
  status_.text = count == 0 ? "The suspicious groups propose no new words."
                            : CountOf(count, "word", "words") + " to be added.";
  if (complete) return;
  std::uint64_t total = 0;
  for (std::uint32_t group : candidates_) total += automaton_.GeneratedWordCount(group, main_group_);
  ReportWordsLeftOut(total);
}

void CNewWordsDlg::OnOK() {
  // Each row is compared, letter case significant, with the words that were
  // pending before OK.
  {
    WaitCursor wait(host_);
    const std::unordered_set<std::string> pending_before(pending_.begin(), pending_.end());
    for (int row = 0; row < to_be_added_.GetCount(); ++row) {
      const std::string& text = to_be_added_.GetText(row);
      if (pending_before.count(text) == 0) pending_.push_back(text);
    }
  }
  EndDialog(kIdOk);
}

void CNewWordsDlg::OnCancel() {
  if (MayDiscardWordsToAdd("Discard the " + CountOf(to_be_added_.GetCount(), "word", "words") +
                           " to be added?")) {
    EndDialog(kIdCancel);
  }
}

}  // namespace tarvo::ui
