// MainWindowLogic: the logic of the main window.
//
// It owns everything for the whole run: the word tree, the automaton, the
// settings, the current path, the ranked groups and two word lists: the
// pending words (accepted in the New words dialog, not yet in the tree) and
// the added words (inserted by Update since the last save). Every menu item,
// button, double-click and key is one of the On... commands below; the view
// calls them and then redraws from the control models, the title and the
// menu commands' states.
//
// Update is enabled exactly when words are pending, Find Now exactly when
// the last ranking gave a main group; the buttons follow that state.
// A re-ranking (Update, Settings) keeps the selected group selected, and
// the stems shown, when that group is still ranked; the stems list never
// shows a group of another list or a group no longer listed. The status
// line says what the last command did; Summary() gives the numbers of the
// open list and how long the last Open or Update took.
//
// The window never drops words silently and keeps them with their list: a
// file that cannot be read or written is reported with its reason, a failed
// save keeps the words, Exit and the close box ask when there is something
// unsaved, and so does Open, which replaces the list only once the new one
// has been read whole. Enter and Escape never close the window. Save as asks
// before it replaces a file. Words the tree refuses stay with the list: Save
// appends them and Save as writes them after the tree's words.
//
// Open, Update, the ranking after Settings, Save as and the Hunspell export
// run as long tasks of the host, off the GUI thread. Open can be cancelled:
// the list that was open then stays, with its path and its words.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/word_tree.h"
#include "ui/platform/controls.h"
#include "ui/platform/dialog_logic.h"
#include "ui/platform/display_text.h"
#include "ui/platform/host.h"
#include "ui/platform/list_model.h"
#include "ui/platform/translation.h"

namespace tarvo::ui {

// The main window's menu commands.
enum class Command {
  kOpen,
  kSave,
  kSaveAs,
  kExportGroups,
  kExportGroupsWithStems,
  kExportHunspell,
  kExit,
  kSettings,
  kHelp,
  kAbout,
};

// The numbers of a main group, as `tarvo-cli groups` gives them; rank 1 is
// the best group.
struct GroupNumbers {
  std::uint32_t rank = 0;
  std::uint32_t stems = 0;
  std::uint32_t suffixes = 0;
  double score = 0;
};

// The open list at a glance, for a status bar.
struct ListSummary {
  enum class Step { kNone, kOpen, kUpdate };

  std::string file_name;  // empty while no list is open
  bool characters = false;
  bool prefixes = false;  // words read backwards
  std::uint32_t words = 0;  // distinct words of the word tree
  std::uint32_t states = 0;
  std::size_t groups = 0;
  Step last_step = Step::kNone;  // the last Open or Update, and how long it took
  double last_step_seconds = 0;
};

class MainWindowLogic : public DialogLogic {
 public:
  explicit MainWindowLogic(PlatformHost& host);

  // --- Commands ---------------------------------------------------------------
  void Initialise() override;  // opens the list named by SetListToOpen, if any
  void OnOpen();
  void OnSave();
  void OnSaveAs();
  void OnExit();
  void OnSettings();
  void OnFindNow();
  void OnUpdate() { UpdateWordTree(); }
  void OnMainGroupsDoubleClick();  // Show words; also Enter on a group
  // Writes the ranked groups to a CSV or TSV file, with every stem of each
  // group in a last column when `with_stems`.
  void OnExport(bool with_stems);
  // Writes the open list (words added since included) as a Hunspell
  // dictionary, offering first to update with pending words.
  void OnExportHunspell();
  // Enter with nothing to act on, and Escape: nothing. The close box ends
  // the program as Exit does, asking when something is unsaved.
  void Accept() override {}
  void Reject() override {}
  void CloseRequested() override;

  // The list the window opens when it starts (the program's argument).
  void SetListToOpen(std::string path) { list_to_open_ = std::move(path); }

  // --- Shared steps -------------------------------------------------------------
  // Opens the list at path, after asking about unsaved words.
  void OpenList(const std::string& path);
  void RefreshMainGroups();
  void UpdateWordTree();
  // Appends the added words to the current file and empties the list.
  // Returns 1, or -1 after showing why the file could not be written (the
  // words are then kept).
  int AppendAddedWords();

  // --- Controls -------------------------------------------------------------------
  ListModel& main_groups() { return main_groups_; }
  // The numbers of row `row` of the main groups list.
  GroupNumbers NumbersOfGroup(int row) const;
  ListModel& words() { return words_; }
  bool ListIsOpen() const { return !current_path_.empty(); }
  // Find Now needs a main group; Update needs words waiting for it.
  bool CanFindNow() const { return !ranked_.empty(); }
  bool CanUpdate() const { return !pending_.empty(); }
  EditModel& distance_edit() { return distance_; }
  TextModel& status() { return status_; }
  // "Tarvo", or the list's name, a * while words are unsaved, and its mode.
  std::string Title() const;
  ListSummary Summary() const;
  // Whether a menu command can run now (Save needs unsaved words, Save as
  // an open list).
  bool IsCommandEnabled(Command command) const;

  // --- Data -------------------------------------------------------------------------
  const WordTree& tree() const { return tree_; }
  const SuffixAutomaton& automaton() const { return automaton_; }
  std::vector<std::string>& pending_words() { return pending_; }
  const std::vector<std::string>& added_words() const { return added_; }
  const std::string& current_path() const { return current_path_; }
  AnalysisSettings& settings() { return settings_; }
  const std::vector<std::uint32_t>& ranked_groups() const { return ranked_; }
  // How words are shown: decided at each Open from the list's bytes.
  DisplayEncoding display_encoding() const { return display_encoding_; }
  // Whether the open list is coded by characters rather than bytes.
  bool reading_characters() const { return tree_.coding().characters(); }
  // Whether the open list's words are read backwards, for its prefixes.
  bool reading_backwards() const { return tree_.coding().backwards(); }
  PlatformHost& host() { return host_; }

 private:
  // A text this window shows, in the installed translation.
  static std::string tr(const char* source) { return Translate("MainWindowLogic", source); }
  // Why the word tree refuses a word, as the messages explain it.
  static std::string WhyRefused();

  // The main groups best first, with their labels.
  // Everything the groups table shows, made with the ranking: the table
  // paints from it, never from the automaton, which an Update rebuilds off
  // the GUI thread while the window repaints.
  struct RankedGroups {
    std::vector<std::uint32_t> groups;
    std::vector<std::string> labels;
    std::vector<GroupNumbers> numbers;
  };
  // Ranks the automaton's groups; reads only its arguments, so it can run
  // off the GUI thread.
  static RankedGroups RankGroups(const SuffixAutomaton& automaton, const AnalysisSettings& settings);
  // Lists the ranked groups, keeping the selected group selected (and its
  // stems shown) when it is still ranked.
  void ShowRankedGroups(RankedGroups ranked);
  // Runs the task through the host and, when it ran to its end, records it
  // as the last step with how long it took.
  bool RunTimedTask(const LongTask& task, ListSummary::Step step);

  // Asks the Exit questions when words are unsaved and saves as answered.
  // True when the caller may go on (nothing unsaved, saved, or the user
  // chose not to save), false when the user cancelled or saving failed; the
  // words are then where they were.
  bool SettleUnsavedWords();
  bool CloseAfterAsking();
  bool HasUnsavedWords() const { return CanUpdate() || !added_.empty(); }
  // Asks before Save as replaces an existing file, and says so when that
  // would remove the tokens the tree could not store at Open; true to go on.
  bool MayReplace(const std::string& target);
  // Fills the stems list with the shown group's stems when it is still
  // ranked, and empties it otherwise.
  void RefreshShownStems();
  // After Settings changed the mode: offers to read the open list again.
  void OfferToReopen();
  void ShowFileError(const std::string& action, const std::string& path, std::error_code error,
                     const std::string& outcome);
  // Notes how long a step that began at `started` (MonotonicSeconds) took.
  void RecordStep(ListSummary::Step step, double started);

  PlatformHost& host_;
  SuffixAutomaton automaton_;
  WordTree tree_;
  std::vector<std::string> pending_;
  std::vector<std::string> added_;
  std::vector<std::string> refused_;  // words Update could not put into the tree
  std::string current_path_;
  std::string opened_path_;           // the list last opened
  std::string list_to_open_;
  std::string shown_label_;           // the group whose stems are shown, or empty
  std::uint64_t tokens_not_stored_ = 0;  // its tokens skipped or refused at Open
  AnalysisSettings settings_;
  std::vector<std::uint32_t> ranked_;
  std::vector<GroupNumbers> group_numbers_;  // one per ranked group, as shown
  DisplayEncoding display_encoding_ = DisplayEncoding::kUtf8;
  ListSummary::Step last_step_ = ListSummary::Step::kNone;
  double last_step_seconds_ = 0;

  ListModel main_groups_{ListModel::Order::kUnsorted, ListModel::Selection::kSingle};
  ListModel words_{ListModel::Order::kSorted, ListModel::Selection::kSingle};
  EditModel distance_{"2", EditFilter::kDigits};
  TextModel status_;
};

}  // namespace tarvo::ui
