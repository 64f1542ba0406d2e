#include "ui/logic/main_window_logic.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "lexicon/errors.h"
#include "lexicon/file_identity.h"
#include "lexicon/list_order_inserter.h"
#include "lexicon/word_file_writer.h"
#include "ui/logic/export_dialog.h"
#include "ui/logic/exported_tables.h"
#include "ui/logic/hunspell_export_dialog.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "ui/logic/wording.h"

namespace tarvo::ui {
namespace {

// Word lists are text files, but any file may hold one.
std::vector<FileFilter> WordListFilters() {
  return {{Translate("MainWindowLogic", "Text files"), {"*.txt"}},
          {Translate("MainWindowLogic", "All files"), {"*"}}};
}

}  // namespace

std::string MainWindowLogic::WhyRefused() {
  return tr("a letter position would need more than 126 different next letters");
}

MainWindowLogic::MainWindowLogic(PlatformHost& host) : DialogLogic(DialogKind::kMainWindow), host_(host) {}

void MainWindowLogic::Initialise() {
  if (!list_to_open_.empty()) OpenList(list_to_open_);
}

std::string MainWindowLogic::Title() const {
  if (!ListIsOpen()) return kProgramName;
  // The file's name and how it is read, so the user sees which list is open
  // and whether its symbols are bytes or characters, read forwards or
  // backwards.
  return FillIn(tr("%1%2 (%3) - %4"), {FileNameOf(current_path_), HasUnsavedWords() ? "*" : "",
                                       ModeName(reading_characters(), reading_backwards()), kProgramName});
}

ListSummary MainWindowLogic::Summary() const {
  ListSummary summary;
  if (!ListIsOpen()) return summary;
  summary.file_name = FileNameOf(current_path_);
  summary.characters = reading_characters();
  summary.prefixes = reading_backwards();
  summary.words = DistinctWords(tree_, automaton_);
  summary.states = automaton_.count() > 0 ? automaton_.count() - 1 : 0;
  summary.groups = ranked_.size();
  summary.last_step = last_step_;
  summary.last_step_seconds = last_step_seconds_;
  return summary;
}

void MainWindowLogic::RecordStep(ListSummary::Step step, double started) {
  last_step_ = step;
  last_step_seconds_ = MonotonicSeconds() - started;
}

GroupNumbers MainWindowLogic::NumbersOfGroup(int row) const { return group_numbers_[static_cast<std::size_t>(row)]; }

bool MainWindowLogic::IsCommandEnabled(Command command) const {
  switch (command) {
    case Command::kSave: return HasUnsavedWords();
    case Command::kSaveAs:
    case Command::kExportHunspell: return ListIsOpen();
    case Command::kExportGroups:
    case Command::kExportGroupsWithStems: return !ranked_.empty();
    default: return true;
  }
}

void MainWindowLogic::ShowFileError(const std::string& action, const std::string& path, std::error_code error,
                                    const std::string& outcome) {
  host_.ShowMessage(Error(FileFailureText(action, path, error, outcome)));
}

void MainWindowLogic::OnOpen() {
  // "All files" shows names without a dot too (the system's word lists), and
  // a typed name is taken as it stands.
  const FileDialogRequest request{FileDialogRequest::Mode::kOpen, "", "", WordListFilters()};
  const std::optional<std::string> chosen = host_.ChooseFile(request);
  if (chosen) OpenList(*chosen);
}

void MainWindowLogic::OpenList(const std::string& path) {
  if (!SettleUnsavedWords()) return;
  // Read into a new tree and automaton, so that a list that cannot be read,
  // or whose reading is cancelled, leaves the open one, its path and its
  // words exactly as they were. The work owns them: after a Cancel it runs
  // on to its end while the window goes on with the list that was open.
  struct OpenedList {
    WordTree tree;
    SuffixAutomaton automaton;
    OpenReport report;
    RankedGroups ranked;
  };
  const auto opened = std::make_shared<OpenedList>();
  const std::string name = FileNameOf(path);
  const LongTask task{FillIn(tr("Opening %1..."), {name}), LongTask::Cancel::kAllowed, [opened, path, settings = settings_] {
                        opened->report = OpenWordList(path, settings.buffer_size, opened->tree, opened->automaton,
                                                      settings.read_as_characters, DirectionOf(settings));
                        if (opened->report.ok()) opened->ranked = RankGroups(opened->automaton, settings);
                      }};
  if (!RunTimedTask(task, ListSummary::Step::kOpen)) {
    status_.text = ListIsOpen() ? FillIn(tr("Opening %1 was cancelled; %2 stays open."), {name, FileNameOf(current_path_)})
                                : FillIn(tr("Opening %1 was cancelled."), {name});
    return;
  }
  const OpenReport& report = opened->report;
  if (!report.ok()) {
    ShowFileError(tr("Cannot read the word list"), path, report.error,
                  ListIsOpen() ? tr("The list that was open stays open.") : "");
    return;
  }
  tree_ = std::move(opened->tree);
  automaton_ = std::move(opened->automaton);
  current_path_ = opened_path_ = path;
  pending_.clear();
  added_.clear();
  refused_.clear();
  tokens_not_stored_ = report.stats.long_tokens_skipped + report.stats.words_refused;
  display_encoding_ = report.stats.words_not_utf8 == 0 ? DisplayEncoding::kUtf8 : DisplayEncoding::kLatin1;
  // Nothing shown belongs to the new list: no selection or stems carry over.
  main_groups_.Clear();
  shown_label_.clear();
  ShowRankedGroups(std::move(opened->ranked));

  if (report.stats.words == 0) {
    status_.text = FillIn(tr("%1 holds no words."), {name});
  } else if (ranked_.empty()) {
    status_.text = FillIn(tr("Opened %1: %2. No group has more than %3 and %4: lower the minimums in Edit > "
                             "Settings."),
                          {name, CountOf(report.stats.words, "word", "words"),
                           CountOf(settings_.min_words, "stem", "stems"),
                           CountOf(settings_.min_suffixes, "suffix", "suffixes")});
  } else {
    status_.text = FillIn(tr("Opened %1: %2, %3."), {name, CountOf(report.stats.words, "word", "words"),
                                                      CountOf(ranked_.size(), "main group", "main groups")});
  }
  if (!report.byte_mode_reason.empty()) {
    host_.ShowMessage(
        Information(FillIn(tr("The list is read as bytes, not characters: %1."), {report.byte_mode_reason})));
  }
  const std::uint64_t skipped = report.stats.long_tokens_skipped;
  const std::uint64_t refused = report.stats.words_refused;
  const std::string skipped_text =
      FillIn(skipped == 1 ? tr("%1 longer than 255 bytes was skipped") : tr("%1 longer than 255 bytes were skipped"),
             {CountOf(skipped, "token", "tokens")});
  const std::string refused_text =
      FillIn(refused == 1 ? tr("%1 was refused (%2)") : tr("%1 were refused (%2)"),
             {CountOf(refused, "word", "words"), WhyRefused()});
  if (skipped > 0 && refused > 0) {
    host_.ShowMessage(Information(FillIn(tr("%1 and %2."), {skipped_text, refused_text})));
  } else if (skipped > 0 || refused > 0) {
    host_.ShowMessage(Information(FillIn(tr("%1."), {skipped > 0 ? skipped_text : refused_text})));
  }
}

bool MainWindowLogic::RunTimedTask(const LongTask& task, ListSummary::Step step) {
  const double started = MonotonicSeconds();
  if (!host_.RunLongTask(task)) return false;
  RecordStep(step, started);
  return true;
}

MainWindowLogic::RankedGroups MainWindowLogic::RankGroups(const SuffixAutomaton& automaton,
                                                          const AnalysisSettings& settings) {
  RankedGroups ranked{automaton.RankMainGroups(settings), {}, {}};
  ranked.labels.reserve(ranked.groups.size());
  ranked.numbers.reserve(ranked.groups.size());
  for (std::uint32_t group : ranked.groups) {
    automaton.GetLabel(group, ranked.labels.emplace_back());
    GroupNumbers& numbers = ranked.numbers.emplace_back();
    numbers.rank = static_cast<std::uint32_t>(ranked.numbers.size());
    numbers.stems = automaton.WordCount(group);
    numbers.suffixes = automaton.SuffixCount(group);
    numbers.score = GroupScore(numbers.stems, numbers.suffixes, settings.word_weight, settings.suffix_weight);
  }
  return ranked;
}

void MainWindowLogic::RefreshMainGroups() {
  RankedGroups ranked;
  host_.RunLongTask({tr("Ranking the groups..."), LongTask::Cancel::kNotAllowed,
                     [this, &ranked] { ranked = RankGroups(automaton_, settings_); }});
  ShowRankedGroups(std::move(ranked));
}

void MainWindowLogic::ShowRankedGroups(RankedGroups ranked) {
  const int row = main_groups_.CurrentRow();
  const std::string selected = row >= 0 ? main_groups_.RowText(row) : std::string();
  main_groups_.Clear();
  ranked_ = std::move(ranked.groups);
  group_numbers_ = std::move(ranked.numbers);
  // A group is known by its label, its set of suffixes: state numbers change
  // with every build, the label of a group does not.
  const auto kept = std::find(ranked.labels.begin(), ranked.labels.end(), selected);
  const int keep_row = kept == ranked.labels.end() ? 0 : static_cast<int>(kept - ranked.labels.begin());
  main_groups_.AddRows(std::move(ranked.labels));
  if (!ranked_.empty()) main_groups_.SetCurrentRow(keep_row);
  RefreshShownStems();
}

void MainWindowLogic::RefreshShownStems() {
  words_.Clear();
  for (int row = 0; row < main_groups_.RowCount(); ++row) {
    if (!shown_label_.empty() && main_groups_.RowText(row) == shown_label_) {
      words_.AddRows(automaton_.GetWords(ranked_[static_cast<std::size_t>(row)]));
      return;
    }
  }
  shown_label_.clear();
}

void MainWindowLogic::OnMainGroupsDoubleClick() {
  const int row = main_groups_.CurrentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= ranked_.size()) return;
  shown_label_ = main_groups_.RowText(row);
  words_.Clear();
  words_.AddRows(automaton_.GetWords(ranked_[static_cast<std::size_t>(row)]));
}

void MainWindowLogic::OnSettings() {
  SettingsLogic dialog(host_);
  dialog.SetValues(settings_);
  if (host_.RunModal(dialog) != Answer::kOk) return;
  const AnalysisSettings chosen = dialog.Values();
  const bool mode_changed = chosen.read_as_characters != settings_.read_as_characters ||
                            chosen.read_backwards != settings_.read_backwards;
  settings_ = chosen;
  if (!ListIsOpen()) return;
  RefreshMainGroups();
  if (mode_changed && (settings_.read_as_characters != reading_characters() ||
                       settings_.read_backwards != reading_backwards())) {
    OfferToReopen();
  }
}

void MainWindowLogic::OfferToReopen() {
  const std::string mode = ModeName(settings_.read_as_characters, settings_.read_backwards);
  if (host_.ShowMessage({FillIn(tr("Read %1 again now, in the new mode (%2)?"), {FileNameOf(current_path_), mode}),
                         Message::Buttons::kYesNo, Message::Icon::kQuestion}) == Answer::kYes) {
    OpenList(current_path_);
  }
}

void MainWindowLogic::OnFindNow() {
  const int row = main_groups_.CurrentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= ranked_.size()) {
    status_.text = tr("Choose a main group first.");
    return;
  }
  NewWordsLogic dialog(host_, automaton_, pending_, ranked_[static_cast<std::size_t>(row)], distance_.text);
  dialog.SetWordListPath(current_path_);
  if (host_.RunModal(dialog) == Answer::kOk && !pending_.empty()) {
    status_.text = FillIn(tr("%1 for Update."), {CountOf(pending_.size(), "new word waits", "new words wait")});
  }
}

void MainWindowLogic::UpdateWordTree() {
  const std::size_t inserted = pending_.size();
  // Which pending words the tree took, in their order.
  std::vector<bool> stored(inserted);
  RankedGroups ranked;
  RunTimedTask({tr("Updating the word tree..."), LongTask::Cancel::kNotAllowed, [&] {
                  ReleaseBeforeTreeGrows(automaton_);
                  stored = InsertWords(tree_, pending_);
                  BuildAutomaton(tree_, automaton_);
                  ranked = RankGroups(automaton_, settings_);
                }},
               ListSummary::Step::kUpdate);
  std::uint64_t refused = 0;
  for (std::size_t i = 0; i < inserted; ++i) {
    std::string& word = pending_[i];
    if (!stored[i]) {
      // A word refused before is already among the words to save.
      if (std::find(refused_.begin(), refused_.end(), word) != refused_.end()) continue;
      refused_.push_back(word);
      ++refused;
    }
    added_.push_back(std::move(word));
  }
  pending_.clear();
  ShowRankedGroups(std::move(ranked));
  status_.text =
      FillIn(tr("Added %1 to the word tree; the groups are ranked again."), {CountOf(inserted, "word", "words")});
  if (refused > 0) {
    // Such a word stays among the added words, so that saving keeps it.
    host_.ShowMessage(Information(FillIn(refused == 1 ? tr("%1 could not be stored in the word tree (%2); it is "
                                                           "still saved.")
                                                        : tr("%1 could not be stored in the word tree (%2); they "
                                                             "are still saved."),
                                         {CountOf(refused, "word", "words"), WhyRefused()})));
  }
}

int MainWindowLogic::AppendAddedWords() {
  if (const std::error_code error = AppendWordsToFile(current_path_, added_)) {
    ShowFileError(tr("Cannot save to"), current_path_, error,
                  tr("The file was left as it was; the new words are kept, so they can be saved again."));
    return -1;
  }
  if (!added_.empty()) {
    status_.text =
        FillIn(tr("Appended %1 to %2."), {CountOf(added_.size(), "word", "words"), FileNameOf(current_path_)});
  }
  added_.clear();
  return 1;
}

void MainWindowLogic::OnSave() {
  if (CanUpdate() && host_.ShowMessage(Question(tr("Do you want to update before saving?"))) == Answer::kYes) {
    UpdateWordTree();
  }
  if (!added_.empty()) AppendAddedWords();
}

void MainWindowLogic::OnSaveAs() {
  if (!ListIsOpen()) return;
  if (CanUpdate() && host_.ShowMessage(Question(tr("Do you want to update before saving?"))) == Answer::kYes) {
    UpdateWordTree();
  }
  const FileDialogRequest request{FileDialogRequest::Mode::kSave, "", current_path_, WordListFilters()};
  const std::optional<std::string> chosen = host_.ChooseFile(request);
  if (!chosen || !MayReplace(*chosen)) return;
  std::error_code error;
  host_.RunLongTask({FillIn(tr("Saving %1..."), {FileNameOf(*chosen)}), LongTask::Cancel::kNotAllowed,
                     [&] { error = tree_.SaveAll(*chosen, refused_); }});
  if (error) {
    ShowFileError(tr("Cannot save"), *chosen, error, tr("No file was changed; the words are kept."));
    return;
  }
  if (IsSameFile(*chosen, opened_path_)) tokens_not_stored_ = 0;
  current_path_ = *chosen;
  added_.clear();
  status_.text = FillIn(tr("Saved the list as %1."), {FileNameOf(current_path_)});
}

bool MainWindowLogic::MayReplace(const std::string& target) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(target, error);
  // A folder is not replaced: the save reports why.
  if (!std::filesystem::exists(status) || std::filesystem::is_directory(target, error)) return true;
  const std::string name = FileNameOf(target);
  if (tokens_not_stored_ > 0 && IsSameFile(target, opened_path_)) {
    const std::string question = FillIn(tr("%1 of %2 cannot be stored and would be removed. Save anyway?"),
                                        {CountOf(tokens_not_stored_, "word", "words"), FileNameOf(opened_path_)});
    return host_.ShowMessage(Question(question, Answer::kNo)) == Answer::kYes;
  }
  return host_.ShowMessage(Question(FillIn(tr("%1 already exists. Do you want to replace it?"), {name}),
                                    Answer::kNo)) == Answer::kYes;
}

bool MainWindowLogic::SettleUnsavedWords() {
  if (!HasUnsavedWords()) return true;
  const Answer answer = host_.ShowMessage(QuestionWithCancel(tr("Do you want to save changes?")));
  if (answer == Answer::kNo) return true;
  if (answer != Answer::kYes) return false;
  const std::size_t added_before = added_.size();
  if (CanUpdate() && host_.ShowMessage(Question(tr("Do you also want to save the words you added after the last Update?"))) == Answer::kYes) {
    added_.insert(added_.end(), pending_.begin(), pending_.end());
  }
  if (AppendAddedWords() != 1) {
    added_.resize(added_before);
    return false;
  }
  return true;
}

bool MainWindowLogic::CloseAfterAsking() {
  if (!SettleUnsavedWords()) return false;
  Done(Answer::kOk);
  return true;
}

void MainWindowLogic::OnExit() { CloseAfterAsking(); }

void MainWindowLogic::CloseRequested() { CloseAfterAsking(); }

void MainWindowLogic::OnExport(bool with_stems) {
  if (ranked_.empty()) return;
  const Table table = MainGroupsTable(automaton_, ranked_, settings_, with_stems);
  if (const std::optional<std::string> written = ExportWithDialog(host_, table, current_path_)) {
    status_.text =
        FillIn(tr("Exported %1 to %2."), {CountOf(ranked_.size(), "group", "groups"), FileNameOf(*written)});
  }
}

void MainWindowLogic::OnExportHunspell() {
  if (!ListIsOpen()) return;
  if (CanUpdate() && host_.ShowMessage(Question(tr("Do you want to update before exporting?"))) == Answer::kYes) {
    UpdateWordTree();
  }
  if (std::optional<std::string> written = ExportHunspellWithDialog(host_, automaton_, current_path_)) {
    status_.text = std::move(*written);
  }
}

}  // namespace tarvo::ui
