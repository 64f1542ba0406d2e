#include "ui/logic/new_words_logic.h"

#include <algorithm>
#include <unordered_set>

#include "ui/logic/export_dialog.h"
#include "ui/logic/exported_tables.h"
#include "ui/logic/wording.h"

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

// Sorts the words, letter case ignored, and keeps the first of the words
// equal with letter case ignored.
void SortWithoutCaseTwins(std::vector<std::string>& words) {
  std::stable_sort(words.begin(), words.end(),
                   [](const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });
  words.erase(std::unique(words.begin(), words.end(), EqualIgnoringCase), words.end());
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

NewWordsLogic::NewWordsLogic(PlatformHost& host, const SuffixAutomaton& automaton,
                           std::vector<std::string>& pending_words, std::uint32_t main_group,
                           const std::string& distance_text)
    : DialogLogic(DialogKind::kNewWords),
      host_(host),
      automaton_(automaton),
      pending_(pending_words),
      main_group_(main_group) {
  distance_edit_.text = distance_text;
}

void NewWordsLogic::Initialise() {
  automaton_.GetLabel(main_group_, main_group_label_.text);
  words_were_collected_ = false;
  if (!ReadDistance()) return;
  WaitCursor wait(host_);
  FindCandidates();
}

bool NewWordsLogic::ReadDistance() {
  const std::optional<std::uint32_t> distance = DistanceFromText(distance_edit_.text);
  if (!distance) {
    host_.ShowMessage(
        Warning(tr("Please enter the distance: how many of the main group's suffixes a group lacks, such as 2.")));
    RequestFocus(distance_edit_);
    return false;
  }
  distance_ = *distance;
  distance_edit_.text = std::to_string(distance_);
  return true;
}

void NewWordsLogic::FindCandidates() {
  candidates_ = automaton_.FindSuspiciousGroups(main_group_, distance_);
  // The start state's only stem is the empty word: it has nothing to offer.
  std::erase(candidates_, automaton_.start_state());
  FillCandidateList();
  status_.text = candidates_.empty()
                     ? FillIn(tr("No group lacks exactly %1 of the main group."),
                              {CountOf(distance_, "suffix", "suffixes")})
                     : FillIn(tr("%1 found."), {CountOf(candidates_.size(), "suspicious group", "suspicious groups")});
}

void NewWordsLogic::FillCandidateList() {
  suspicious_.Clear();
  std::vector<std::string> labels;
  labels.reserve(candidates_.size());
  for (std::uint32_t group : candidates_) automaton_.GetLabel(group, labels.emplace_back());
  suspicious_.AddRows(std::move(labels));
  if (!candidates_.empty()) suspicious_.SetCurrentRow(0);
}

std::uint32_t NewWordsLogic::SuspiciousStemCount(int row) const {
  return automaton_.WordCount(candidates_[static_cast<std::size_t>(row)]);
}

std::string NewWordsLogic::LackingSuffixes(int row) const {
  const std::vector<std::string> lacking =
      automaton_.GetDifferingSuffixes(candidates_[static_cast<std::size_t>(row)], main_group_);
  std::string text;
  automaton_.LabelOfAffixes(lacking, text);
  return text;
}

void NewWordsLogic::OnShowGroup() {
  const int row = suspicious_.CurrentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= candidates_.size()) return;
  const std::uint32_t group = candidates_[static_cast<std::size_t>(row)];
  group_words_.Clear();
  group_words_.AddRows(automaton_.GetWords(group));
  possible_.Clear();
  std::vector<std::string> words;
  const bool complete = automaton_.ForEachGeneratedWord(group, main_group_, KeepUpToTheListLimit(words));
  possible_.AddRows(std::move(words));
  if (!complete) ReportWordsLeftOut(automaton_.GeneratedWordCount(group, main_group_));
}

void NewWordsLogic::ReportWordsLeftOut(std::uint64_t total) {
  host_.ShowMessage(Information(FillIn(tr("Only the first %1 of %2 words are listed: %3 were left out."),
                                       {WithThousandsSeparators(kMaxListedWords), WithThousandsSeparators(total),
                                        WithThousandsSeparators(total - kMaxListedWords)})));
}

void NewWordsLogic::OnSelectAll() { possible_.SelectRange(0, possible_.RowCount() - 1); }

void NewWordsLogic::OnClearAll() { possible_.ClearSelection(); }

std::size_t NewWordsLogic::AddToBeAdded(std::vector<std::string> words) {
  std::erase_if(words, [this](const std::string& word) {
    return word.empty() || to_be_added_.FindRow(word) != ListModel::kNone;
  });
  SortWithoutCaseTwins(words);
  const std::size_t added = words.size();
  AppendToBeAdded(std::move(words));
  return added;
}

void NewWordsLogic::AppendToBeAdded(std::vector<std::string> words) {
  to_be_added_.AddRows(std::move(words));
  if (to_be_added_.RowCount() > 0) words_were_collected_ = true;
}

void NewWordsLogic::OnAdd() {
  std::vector<std::string> selected;
  for (int row = 0; row < possible_.RowCount(); ++row) {
    if (possible_.IsSelected(row)) selected.push_back(possible_.RowText(row));
  }
  if (selected.empty()) {
    status_.text = tr("Select the words to add among the possible new words first.");
    return;
  }
  if (AddToBeAdded(std::move(selected)) == 0) {
    status_.text = tr("The selected words are already among the words to be added.");
    return;
  }
  ShowCountToBeAdded();
}

void NewWordsLogic::ShowCountToBeAdded() {
  status_.text =
      FillIn(tr("%1 to be added."), {CountOf(static_cast<std::uint64_t>(to_be_added_.RowCount()), "word", "words")});
}

void NewWordsLogic::OnRemoveSelected() { to_be_added_.DeleteSelectedRows(); }

void NewWordsLogic::OnReanalyse() {
  if (!ReadDistance()) return;
  // The stems and words shown belong to a group of the old list.
  group_words_.Clear();
  possible_.Clear();
  WaitCursor wait(host_);
  FindCandidates();
}

bool NewWordsLogic::MayDiscardWordsToAdd(const std::string& question) {
  if (to_be_added_.RowCount() == 0) return true;
  return host_.ShowMessage(Question(question, Answer::kNo)) == Answer::kYes;
}

void NewWordsLogic::OnAutomatic() {
  if (!MayDiscardWordsToAdd(FillIn(tr("Automatic replaces the %1 to be added. Do you want to go on?"),
                                   {CountOf(to_be_added_.RowCount(), "word", "words")}))) {
    return;
  }
  to_be_added_.Clear();
  // The words are made, and sorted as the list shows them, off the GUI
  // thread; the list, empty now, takes them as they come.
  std::vector<std::string> words;
  bool complete = true;
  std::uint64_t total = 0;  // how many words there were, counted when not all are listed
  host_.RunLongTask({tr("Generating new words..."), LongTask::Cancel::kNotAllowed, [&] {
                       complete = automaton_.ForEachAutomaticWord(candidates_, main_group_,
                                                                  KeepUpToTheListLimit(words));
                       SortWithoutCaseTwins(words);
                       if (complete) return;
                       for (std::uint32_t group : candidates_) {
                         total += automaton_.GeneratedWordCount(group, main_group_);
                       }
                     }});
  AppendToBeAdded(std::move(words));
  if (to_be_added_.RowCount() == 0) {
    status_.text = tr("The suspicious groups propose no new words.");
  } else {
    ShowCountToBeAdded();
  }
  if (!complete) ReportWordsLeftOut(total);
}

void NewWordsLogic::Accept() {
  // Each row is compared, letter case significant, with the words that were
  // pending before OK.
  {
    WaitCursor wait(host_);
    const std::unordered_set<std::string> pending_before(pending_.begin(), pending_.end());
    for (int row = 0; row < to_be_added_.RowCount(); ++row) {
      const std::string& text = to_be_added_.RowText(row);
      if (pending_before.count(text) == 0) pending_.push_back(text);
    }
  }
  Done(Answer::kOk);
}

void NewWordsLogic::Reject() {
  if (MayDiscardWordsToAdd(FillIn(tr("Discard the %1 to be added?"), {CountOf(to_be_added_.RowCount(), "word", "words")}))) {
    Done(Answer::kCancel);
  }
}

void NewWordsLogic::OnExportWords() {
  if (possible_.RowCount() == 0) return;
  std::vector<std::string> words;
  words.reserve(static_cast<std::size_t>(possible_.RowCount()));
  for (int row = 0; row < possible_.RowCount(); ++row) words.push_back(possible_.RowText(row));
  if (const std::optional<std::string> written = ExportWithDialog(host_, WordsTable(words), word_list_path_)) {
    status_.text = FillIn(tr("Exported %1 to %2."), {CountOf(words.size(), "word", "words"), FileNameOf(*written)});
  }
}

}  // namespace tarvo::ui
