#include "ui/logic/analyser_dlg.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "automaton/open_word_list.h"
#include "lexicon/file_identity.h"
#include "lexicon/word_file_writer.h"
#include "ui/logic/new_words_dlg.h"
#include "ui/logic/settings_dlg.h"
#include "ui/resource_ids.h"

namespace tarvo::ui {
namespace {

constexpr unsigned kQuestionYesNo = kMbYesNo | kMbIconExclamation;            // 0x34
constexpr unsigned kQuestionYesNoCancel = kMbYesNoCancel | kMbIconExclamation;  // 0x33
constexpr unsigned kError = kMbOk | kMbIconStop;

constexpr const char* kAskUpdateBeforeSaving = "Do you want to update before saving?";
constexpr const char* kAskSaveChanges = "Do you want to save changes?";
constexpr const char* kAskSavePending = "Do you also want to save the lately added words (after the last update)?";

}  // namespace

CAnalyserDlg::CAnalyserDlg(IPlatformHost& host) : CDialogLogic(kMainDialogId), host_(host) {}

void CAnalyserDlg::OnInitDialog() {
  find_now_.enabled = false;
  update_.enabled = false;
  distance_.text = "2";
}

void CAnalyserDlg::ShowFileError(const std::string& action, const std::string& path, int error,
                                 const std::string& outcome) {
  host_.ShowMessage("Cannot " + action + " '" + path + "': " + std::strerror(error) + ". " + outcome, kError);
}

void CAnalyserDlg::OnOpen() {
  const FileDialogRequest request{true, "txt", "", "Text files (*.txt)|*.txt|All files (*.*)|*.*||",
                                  kOfnHideReadOnly};
  const std::optional<std::string> chosen = host_.ChooseFile(request);
  if (!chosen || !SettleUnsavedWords()) return;
  // Read into a new tree and automaton, so that a list that cannot be read
  // leaves the open one, its path and its words exactly as they were.
  CWordTree tree;
  CSuffixAutomaton automaton;
  OpenReport report;
  {
    // Reading a list of millions of words takes as long as the build, so
    // the wait cursor covers the whole step.
    WaitCursor wait(host_);
    report = OpenWordList(*chosen, settings_.buffer_size, tree, automaton, settings_.read_as_characters);
  }
  if (!report.ok) {
    ShowFileError("read the word list", *chosen, report.error,
                  tree_.IsEmpty() ? "" : "The list that was open stays open.");
    return;
  }
  tree_ = std::move(tree);
  automaton_ = std::move(automaton);
  current_path_ = opened_path_ = *chosen;
  pending_.clear();
  added_.clear();
  refused_.clear();
  update_.enabled = false;
  tokens_not_stored_ = report.stats.long_tokens_skipped + report.stats.words_refused;
  display_encoding_ = report.stats.words_not_utf8 == 0 ? DisplayEncoding::kUtf8 : DisplayEncoding::kLatin1;
  words_.ResetContent();
  RefreshMainGroups();
  if (!report.byte_mode_reason.empty()) {
    host_.ShowMessage("The list is read as bytes, not characters: " + report.byte_mode_reason + ".",
                      kMbOk | kMbIconInformation);
  }
  const std::uint64_t skipped = report.stats.long_tokens_skipped;
  const std::uint64_t refused = report.stats.words_refused;
  if (skipped + refused > 0) {
    host_.ShowMessage(std::to_string(skipped) + " token(s) longer than 255 bytes were skipped and " +
                          std::to_string(refused) +
                          " word(s) were refused (a letter position would need more than 126 "
                          "different next letters).",
                      kMbOk | kMbIconInformation);
  }
}

void CAnalyserDlg::RefreshMainGroups() {
  main_groups_.ResetContent();
  ranked_ = automaton_.RankMainGroups(settings_);
  find_now_.enabled = !ranked_.empty();
  std::vector<std::string> labels;
  labels.reserve(ranked_.size());
  for (std::uint32_t group : ranked_) {
    automaton_.GetLabel(group, labels.emplace_back());
  }
  main_groups_.AddStrings(std::move(labels));
  if (!ranked_.empty()) main_groups_.SetCurSel(0);
}

void CAnalyserDlg::OnMainGroupsDoubleClick() {
  const int row = main_groups_.GetCurSel();
  if (row < 0 || static_cast<std::size_t>(row) >= ranked_.size()) return;
  words_.ResetContent();
  words_.AddStrings(automaton_.GetWords(ranked_[static_cast<std::size_t>(row)]));
}

void CAnalyserDlg::OnSettings() {
  CSettingsDlg dialog(host_);
  dialog.SetValues(settings_);
  if (host_.RunModal(dialog) != kIdOk) return;
  settings_ = dialog.Values();
  if (find_now_.enabled) RefreshMainGroups();
}

void CAnalyserDlg::OnFindNow() {
  const int row = main_groups_.GetCurSel();
  if (row < 0 || static_cast<std::size_t>(row) >= ranked_.size()) return;
  CNewWordsDlg dialog(host_, automaton_, pending_, ranked_[static_cast<std::size_t>(row)], distance_.text);
  if (host_.RunModal(dialog) == kIdOk && !pending_.empty()) update_.enabled = true;
}

void CAnalyserDlg::UpdateWordTree() {
  std::uint64_t refused = 0;
  for (std::string& word : pending_) {
    if (!tree_.Insert(word)) {
      // A word refused before is already among the words to save.
      if (std::find(refused_.begin(), refused_.end(), word) != refused_.end()) continue;
      refused_.push_back(word);
      ++refused;
    }
    added_.push_back(std::move(word));
  }
  pending_.clear();
  update_.enabled = false;
  {
    WaitCursor wait(host_);
    tree_.BuildAutomaton(automaton_);
  }
  RefreshMainGroups();
  if (refused > 0) {
    // Such a word stays among the added words, so that saving keeps it.
    host_.ShowMessage(std::to_string(refused) +
                          " word(s) could not be stored in the word tree (a letter position would "
                          "need more than 126 different next letters); they are still saved.",
                      kMbOk | kMbIconInformation);
  }
}

int CAnalyserDlg::AppendAddedWords() {
  int error = 0;
  if (AppendWordsToFile(current_path_, added_, &error) != 1) {
    ShowFileError("save to", current_path_, error,
                  "The file was left as it was; the new words are kept, so they can be saved again.");
    return -1;
  }
  added_.clear();
  return 1;
}

void CAnalyserDlg::OnSave() {
  if (update_.enabled && host_.ShowMessage(kAskUpdateBeforeSaving, kQuestionYesNo) == kIdYes) {
    UpdateWordTree();
  }
  if (!added_.empty()) AppendAddedWords();
}

void CAnalyserDlg::OnSaveAs() {
  if (tree_.IsEmpty()) return;
  if (update_.enabled && host_.ShowMessage(kAskUpdateBeforeSaving, kQuestionYesNo) == kIdYes) {
    UpdateWordTree();
  }
  const FileDialogRequest request{false, "txt", current_path_, "Text files (*.txt)|*.txt||", kOfnHideReadOnly};
  const std::optional<std::string> chosen = host_.ChooseFile(request);
  if (!chosen || !MayOverwriteOpenedList(*chosen)) return;
  int error = 0;
  int result;
  {
    WaitCursor wait(host_);
    result = tree_.SaveAll(*chosen, refused_, &error);
  }
  if (result != 0) {
    ShowFileError("save", *chosen, error, "No file was changed; the words are kept.");
    return;
  }
  if (IsSameFile(*chosen, opened_path_)) tokens_not_stored_ = 0;
  current_path_ = *chosen;
  added_.clear();
}

bool CAnalyserDlg::MayOverwriteOpenedList(const std::string& target) {
  if (tokens_not_stored_ == 0 || !IsSameFile(target, opened_path_)) return true;
  const std::string name = std::filesystem::path(opened_path_).filename().string();
  const std::string count = tokens_not_stored_ == 1 ? "1 word" : std::to_string(tokens_not_stored_) + " words";
  return host_.ShowMessage(count + " of " + name + " cannot be stored and would be removed. Save anyway?",
                           kQuestionYesNo) == kIdYes;
}

bool CAnalyserDlg::SettleUnsavedWords() {
  if (!HasUnsavedWords()) return true;
  const int answer = host_.ShowMessage(kAskSaveChanges, kQuestionYesNoCancel);
  if (answer == kIdNo) return true;
  if (answer != kIdYes) return false;
  const std::size_t added_before = added_.size();
  if (update_.enabled && host_.ShowMessage(kAskSavePending, kQuestionYesNo) == kIdYes) {
    added_.insert(added_.end(), pending_.begin(), pending_.end());
  }
  if (AppendAddedWords() != 1) {
    added_.resize(added_before);
    return false;
  }
  return true;
}

bool CAnalyserDlg::CloseAfterAsking() {
  if (!SettleUnsavedWords()) return false;
  EndDialog(kIdOk);
  return true;
}

void CAnalyserDlg::OnExit() { CloseAfterAsking(); }

void CAnalyserDlg::OnOK() { CloseAfterAsking(); }

void CAnalyserDlg::OnCancel() {
  if (HasUnsavedWords()) CloseAfterAsking();
  else EndDialog(kIdCancel);
}

}  // namespace tarvo::ui
