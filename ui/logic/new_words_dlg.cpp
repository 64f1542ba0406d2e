#include "ui/logic/new_words_dlg.h"

#include <set>
#include <unordered_set>

#include "ui/resource_ids.h"

namespace tarvo::ui {
namespace {

// A visitor that keeps words until `rows` holds kMaxListedWords of them,
// and stops the walk at the next word.
CSuffixAutomaton::WordVisitor KeepUpToTheListLimit(std::vector<std::string>& rows) {
  return [&rows](const std::string& word) {
    if (rows.size() == kMaxListedWords) return false;
    rows.push_back(word);
    return true;
  };
}

// 1234567 as "1,234,567".
std::string WithThousandsSeparators(std::uint64_t number) {
  std::string text = std::to_string(number);
  for (std::size_t end = text.size(); end > 3; end -= 3) text.insert(end - 3, ",");
  return text;
}

}  // namespace

std::uint32_t DistanceFromText(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
  }
  if (negative) value = -value;
  value = std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, value));
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

CNewWordsDlg::CNewWordsDlg(IPlatformHost& host, const CSuffixAutomaton& automaton,
                           std::vector<std::string>& pending_words, std::uint32_t main_group,
                           const std::string& distance_text)
    : CDialogLogic(kNewWordsDialogId),
      host_(host),
      automaton_(automaton),
      pending_(pending_words),
      main_group_(main_group),
      distance_(DistanceFromText(distance_text)) {}

void CNewWordsDlg::OnInitDialog() {
  {
    WaitCursor wait(host_);
    FindCandidates();
  }
  automaton_.GetLabel(main_group_, main_group_label_.text);
  distance_edit_.text = std::to_string(distance_);
  ok_.enabled = false;
}

void CNewWordsDlg::FindCandidates() {
  candidates_ = automaton_.FindSuspiciousGroups(main_group_, distance_);
  FillCandidateList();
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

void CNewWordsDlg::OnAdd() {
  // Each selected word goes in unless a row equal to it, letter case
  // ignored, is already there, including rows added earlier in this pass.
  struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareIgnoringCase(a, b) < 0; }
  };
  std::set<std::string, CaseInsensitiveLess> added_now;
  std::vector<std::string> new_rows;
  for (int row = 0; row < possible_.GetCount(); ++row) {
    if (!possible_.GetSel(row)) continue;
    const std::string& text = possible_.GetText(row);
    if (to_be_added_.FindStringExact(text) != CListBoxModel::kNone) continue;
    if (!added_now.insert(text).second) continue;
    new_rows.push_back(text);
  }
  to_be_added_.AddStrings(std::move(new_rows));
  if (to_be_added_.GetCount() > 0) ok_.enabled = true;
}

void CNewWordsDlg::OnRemoveSelected() { to_be_added_.DeleteSelectedRows(); }

void CNewWordsDlg::OnReanalyse() {
  distance_ = DistanceFromText(distance_edit_.text);
  WaitCursor wait(host_);
  FindCandidates();
}

void CNewWordsDlg::OnAutomatic() {
  to_be_added_.ResetContent();
  std::vector<std::string> words;
  const bool complete = automaton_.ForEachAutomaticWord(candidates_, main_group_, KeepUpToTheListLimit(words));
  to_be_added_.AddStrings(std::move(words));
  if (to_be_added_.GetCount() > 0) ok_.enabled = true;
  if (complete) return;
  std::uint64_t total = 0;
  for (std::uint32_t group : candidates_) total += automaton_.GeneratedWordCount(group, main_group_);
  ReportWordsLeftOut(total);
}

void CNewWordsDlg::OnOK() {
  // Each row is compared, letter case significant, with the words that were
  // pending before OK: not with each other, so a row listed twice is
  // appended twice.
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

}  // namespace tarvo::ui
