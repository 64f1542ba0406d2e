// The main window's commands, driven through the fake host.
#include "ui/logic/main_window_logic.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "fake_host.h"

namespace tarvo::ui {
namespace {

using test::Rows;

using test::FakeHost;
using Strings = std::vector<std::string>;

// A main window with the given list opened through File > Open.
struct OpenedWindow {
  explicit OpenedWindow(const std::string& contents) {
    path = dir.Write("list.txt", contents);
    window.Initialise();
    host.files.push_back(path);
    window.OnOpen();
  }
  tarvo::test::TempDir dir;
  std::string path;
  FakeHost host;
  MainWindowLogic window{host};
};

// walk/talk/... with 2 stems per group: loose settings make groups qualify.
const std::string kSmallList = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\nkick\nkicked\n";

TEST(MainWindow, StartsWithDisabledCommandsAndEmptyLists) {
  FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  EXPECT_FALSE(window.CanFindNow());
  EXPECT_FALSE(window.CanUpdate());
  EXPECT_EQ(window.distance_edit().text, "2");
  EXPECT_EQ(window.main_groups().RowCount(), 0);
  EXPECT_EQ(window.words().RowCount(), 0);
  EXPECT_EQ(window.Title(), "Tarvo");
  // Nothing to save: Save and Save as are disabled and do nothing, Exit
  // closes without asking.
  EXPECT_FALSE(window.IsCommandEnabled(Command::kSave));
  EXPECT_FALSE(window.IsCommandEnabled(Command::kSaveAs));
  EXPECT_TRUE(window.IsCommandEnabled(Command::kOpen));
  window.OnSave();
  window.OnSaveAs();
  EXPECT_TRUE(host.file_requests.empty());
  window.OnMainGroupsDoubleClick();  // no row selected: ignored
  window.OnFindNow();
  EXPECT_TRUE(host.dialogs_run.empty());
  window.OnExit();
  EXPECT_TRUE(window.ended());
  EXPECT_TRUE(host.messages.empty());
}

TEST(MainWindow, OpenRanksTheSampleListAndShowWordsListsAGroupsStems) {
  tarvo::test::TempDir dir;
  FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  host.files.push_back(std::string(TARVO_SAMPLE_LIST));
  window.OnOpen();
  ASSERT_EQ(host.file_requests.size(), 1u);
  const FileDialogRequest& request = host.file_requests[0];
  EXPECT_EQ(request.mode, FileDialogRequest::Mode::kOpen);
  // A typed name stands as it is, and "All files" shows names without a dot.
  EXPECT_EQ(request.default_extension, "");
  EXPECT_EQ(request.initial_name, "");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].name, "Text files");
  EXPECT_EQ(request.filters[0].patterns, std::vector<std::string>{"*.txt"});
  EXPECT_EQ(request.filters[1].patterns, std::vector<std::string>{"*"});
  EXPECT_EQ(window.current_path(), TARVO_SAMPLE_LIST);
  EXPECT_EQ(window.Title(), "sample-words.txt (bytes) - Tarvo");
  EXPECT_EQ(host.long_tasks, Strings{"Opening sample-words.txt..."});
  EXPECT_GT(window.Summary().last_step_seconds, 0);

  const std::vector<std::uint32_t>& ranked = window.ranked_groups();
  ASSERT_GE(ranked.size(), 3u);
  ASSERT_EQ(window.main_groups().RowCount(), static_cast<int>(ranked.size()));
  for (std::size_t k = 0; k < ranked.size(); ++k) {
    std::string label;
    window.automaton().GetLabel(ranked[k], label);
    EXPECT_EQ(window.main_groups().RowText(static_cast<int>(k)), label);
  }
  EXPECT_EQ(window.main_groups().CurrentRow(), 0);
  EXPECT_TRUE(window.CanFindNow());
  EXPECT_EQ(window.status().text,
            "Opened sample-words.txt: 1,139 words, " + std::to_string(ranked.size()) + " main groups.");

  window.main_groups().SetCurrentRow(1);
  window.OnMainGroupsDoubleClick();
  Strings words = Rows(window.words());
  EXPECT_EQ(words.size(), window.automaton().WordCount(ranked[1]));
  EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), ListLess));
  EXPECT_EQ(window.words().CurrentRow(), ListModel::kNone);

  // Settings re-ranks and keeps the group and its stems; Open empties the
  // stems, which belong to the list that was open, and selects the first
  // group.
  window.OnSettings();
  EXPECT_EQ(Rows(window.words()), words);
  EXPECT_EQ(window.main_groups().CurrentRow(), 1);
  host.files.push_back(std::string(TARVO_SAMPLE_LIST));
  window.OnOpen();
  EXPECT_EQ(window.words().RowCount(), 0);
  EXPECT_EQ(window.main_groups().CurrentRow(), 0);
}

TEST(MainWindow, GroupNumbersAreThoseOfTheCliAndTheSummaryFollowsOpenAndUpdate) {
  FakeHost host;
  MainWindowLogic window(host);
  EXPECT_TRUE(window.Summary().file_name.empty());
  host.files.push_back(TARVO_SAMPLE_LIST);
  window.OnOpen();
  // Every row as `tarvo-cli groups` prints it: state, stems, suffixes,
  // score and label.
  const tarvo::test::CliResult cli = tarvo::test::RunCli({"groups", TARVO_SAMPLE_LIST});
  ASSERT_EQ(cli.exit_code, 0) << cli.err;
  std::string rows;
  for (int row = 0; row < window.main_groups().RowCount(); ++row) {
    const GroupNumbers numbers = window.NumbersOfGroup(row);
    EXPECT_EQ(numbers.rank, static_cast<std::uint32_t>(row) + 1);
    rows += std::to_string(window.ranked_groups()[static_cast<std::size_t>(row)]) + "\t" +
            std::to_string(numbers.stems) + "\t" + std::to_string(numbers.suffixes) + "\t" +
            FormatGroupScore(numbers.score) + "\t" + window.main_groups().RowText(row) + "\n";
  }
  EXPECT_EQ(rows, cli.out);

  ListSummary summary = window.Summary();
  EXPECT_EQ(summary.file_name, "sample-words.txt");
  EXPECT_FALSE(summary.characters);
  EXPECT_EQ(summary.words, 1139u);
  EXPECT_EQ(summary.states, window.automaton().count() - 1);
  EXPECT_EQ(summary.groups, 6u);
  EXPECT_EQ(summary.last_step, ListSummary::Step::kOpen);
  EXPECT_GE(summary.last_step_seconds, 0.0);

  window.pending_words().push_back("zzyzx");
  window.OnUpdate();
  summary = window.Summary();
  EXPECT_EQ(summary.words, 1140u);
  EXPECT_EQ(summary.last_step, ListSummary::Step::kUpdate);
}

TEST(MainWindow, ListWithoutQualifyingGroupsAndUnreadableFiles) {
  OpenedWindow opened(kSmallList);
  EXPECT_EQ(opened.window.main_groups().RowCount(), 0);
  EXPECT_FALSE(opened.window.CanFindNow());
  EXPECT_TRUE(opened.host.messages.empty());
  EXPECT_EQ(opened.window.status().text,
            "Opened list.txt: 10 words. No group has more than 15 stems and 5 suffixes: lower the minimums in "
            "Edit > Settings.");
  // Lower minimums in Settings fill the list at once.
  opened.host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    settings.Edit(SettingsField::kMinWords).text = "1";
    settings.Edit(SettingsField::kMinSuffixes).text = "1";
    settings.Accept();
  };
  opened.window.OnSettings();
  EXPECT_EQ(opened.window.settings().min_words, 1u);
  EXPECT_GT(opened.window.main_groups().RowCount(), 0);
  EXPECT_TRUE(opened.window.CanFindNow());

  // An empty list opens, and the status line says it holds nothing.
  opened.host.files.push_back(opened.dir.Write("empty.txt", " \n\n"));
  opened.window.OnOpen();
  EXPECT_EQ(opened.window.main_groups().RowCount(), 0);
  EXPECT_EQ(opened.window.status().text, "empty.txt holds no words.");
  opened.host.files.push_back(opened.path);
  opened.window.OnOpen();

  // A file or folder that cannot be read: the user is told why, and the
  // list that was open stays open with its groups, tree and path.
  const int groups = opened.window.main_groups().RowCount();
  const std::uint32_t nodes = opened.window.tree().node_count();
  for (const char* name : {"missing.txt", ""}) {
    opened.host.files.push_back(opened.dir.PathOf(name));
    opened.window.OnOpen();
    EXPECT_EQ(opened.window.main_groups().RowCount(), groups);
    EXPECT_TRUE(opened.window.CanFindNow());
    EXPECT_EQ(opened.window.tree().node_count(), nodes);
    EXPECT_EQ(opened.window.current_path(), opened.path);
  }
  ASSERT_EQ(opened.host.messages.size(), 2u);
  EXPECT_NE(opened.host.messages[0].text.find("missing.txt': No such file"), std::string::npos);
  EXPECT_NE(opened.host.messages[0].text.find("The list that was open stays open."), std::string::npos);
  EXPECT_NE(opened.host.messages[1].text.find("Is a directory"), std::string::npos);
}

TEST(MainWindow, SettingsReRanksAtOnceKeepingTheSelectedGroupAndCancelChangesNothing) {
  FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  host.files.push_back(std::string(TARVO_SAMPLE_LIST));
  window.OnOpen();
  const int rows = window.main_groups().RowCount();
  ASSERT_GT(rows, 2);

  host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    EXPECT_EQ(settings.Edit(SettingsField::kMinSuffixes).text, "5");
    EXPECT_EQ(settings.Edit(SettingsField::kMinWords).text, "15");
    EXPECT_EQ(settings.Edit(SettingsField::kWordWeight).text, "1");
    EXPECT_EQ(settings.Edit(SettingsField::kBufferSize).text, "10000");
    settings.Edit(SettingsField::kGroupsShown).text = "2";
    settings.Reject();
  };
  window.OnSettings();
  EXPECT_EQ(window.settings().groups_shown, 15u);
  EXPECT_EQ(window.main_groups().RowCount(), rows);

  host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    settings.Edit(SettingsField::kGroupsShown).text = "2";
    settings.Edit(SettingsField::kWordWeight).text = "0.5";
    settings.Accept();
  };
  window.main_groups().SetCurrentRow(1);
  const std::string second = window.main_groups().RowText(1);
  window.OnSettings();
  EXPECT_EQ(window.settings().groups_shown, 2u);
  EXPECT_EQ(window.settings().word_weight, 0.5f);
  ASSERT_EQ(window.main_groups().RowCount(), 2);
  EXPECT_EQ(window.main_groups().RowText(window.main_groups().CurrentRow()), second);

  // A selected group no longer listed gives way to the first, and its stems
  // go with it.
  host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    settings.Edit(SettingsField::kGroupsShown).text = "15";
    settings.Accept();
  };
  window.OnSettings();
  window.main_groups().SetCurrentRow(window.main_groups().RowCount() - 1);
  window.OnMainGroupsDoubleClick();
  ASSERT_GT(window.words().RowCount(), 0);
  host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    settings.Edit(SettingsField::kGroupsShown).text = "1";
    settings.Accept();
  };
  window.OnSettings();
  EXPECT_EQ(window.main_groups().CurrentRow(), 0);
  EXPECT_EQ(window.words().RowCount(), 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST(MainWindow, CharacterModeIsSetInSettingsAndTakesEffectAtTheNextOpen) {
  OpenedWindow opened("\xd0\xba\xd1\x96\xd1\x82\n\xd0\xba\xd0\xb8\xd1\x82\n");
  EXPECT_FALSE(opened.window.reading_characters());
  opened.host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    EXPECT_FALSE(settings.read_as_characters_check().checked);
    settings.read_as_characters_check().checked = true;
    settings.Accept();
  };
  // OK offers to read the open list again; declined, the mode applies at
  // the next Open.
  opened.host.answers = {Answer::kNo};
  opened.window.OnSettings();
  EXPECT_TRUE(opened.window.settings().read_as_characters);
  EXPECT_FALSE(opened.window.reading_characters());
  ASSERT_EQ(opened.host.messages.size(), 1u);
  EXPECT_EQ(opened.host.messages[0].text, "Read list.txt again now, in the new mode (characters)?");
  EXPECT_EQ(opened.window.Title(), "list.txt (bytes) - Tarvo");
  opened.host.files.push_back(opened.path);
  opened.window.OnOpen();
  EXPECT_TRUE(opened.window.reading_characters());
  EXPECT_EQ(opened.window.display_encoding(), DisplayEncoding::kUtf8);
  EXPECT_EQ(opened.window.Title(), "list.txt (characters) - Tarvo");

  // Accepted, the list is read again at once; an OK that leaves the mode as
  // it was asks nothing.
  opened.host.messages.clear();
  opened.host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) {
    auto& settings = dynamic_cast<SettingsLogic&>(dialog);
    settings.read_as_characters_check().checked = !settings.read_as_characters_check().checked;
    settings.Accept();
  };
  opened.host.answers = {Answer::kYes, Answer::kYes};
  opened.window.OnSettings();
  EXPECT_FALSE(opened.window.reading_characters());
  opened.window.OnSettings();
  EXPECT_TRUE(opened.window.reading_characters());
  opened.host.scripts[DialogKind::kSettings] = [](DialogLogic& dialog) { dialog.Accept(); };
  opened.window.OnSettings();
  ASSERT_EQ(opened.host.messages.size(), 2u);
  EXPECT_EQ(opened.host.messages[0].text, "Read list.txt again now, in the new mode (bytes)?");
  opened.host.messages.clear();

  // A list that is not UTF-8 opens in byte mode, and the user is told why.
  opened.host.files.push_back(opened.dir.Write("latin1.txt", "k\xe4si\n"));
  opened.window.OnOpen();
  EXPECT_FALSE(opened.window.reading_characters());
  EXPECT_EQ(opened.window.display_encoding(), DisplayEncoding::kLatin1);
  ASSERT_EQ(opened.host.messages.size(), 1u);
  EXPECT_NE(opened.host.messages[0].text.find("read as bytes"), std::string::npos);
}

// A Settings dialog showing the defaults.
struct DefaultSettings {
  explicit DefaultSettings(FakeHost& host) : dialog(host) {
    dialog.SetValues(AnalysisSettings{});
    dialog.Initialise();
  }
  SettingsLogic dialog;
};

TEST(SettingsDialog, ChecksInOrderWithBoundsAndKeepsFocusOnTheFailingEdit) {
  FakeHost host;
  DefaultSettings both_empty(host);
  // Minimum suffixes is checked before minimum words.
  both_empty.dialog.Edit(SettingsField::kMinWords).text = "";
  both_empty.dialog.Edit(SettingsField::kMinSuffixes).text = "";
  both_empty.dialog.Accept();
  EXPECT_FALSE(both_empty.dialog.ended());
  EXPECT_EQ(both_empty.dialog.TakeFocusRequest(), &both_empty.dialog.Edit(SettingsField::kMinSuffixes));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages.back().text, "Please enter a whole number for \"Minimum number of suffixes\".");

  struct Case {
    SettingsField edit;
    const char* text;
    const char* message;  // nullptr when accepted
  };
  const Case cases[] = {
      {SettingsField::kMinSuffixes, "0", "Please enter a whole number between 1 and 2,147,483,647 for \"Minimum number of suffixes\"."},
      {SettingsField::kMinSuffixes, "1", nullptr},
      {SettingsField::kMinWords, "2147483648", "Please enter a whole number between 1 and 2,147,483,647 for \"Minimum number of words\"."},
      {SettingsField::kMinWords, "99999999999999999999", "Please enter a whole number between 1 and 2,147,483,647 for \"Minimum number of words\"."},
      {SettingsField::kMinWords, "2147483647", nullptr},
      {SettingsField::kGroupsShown, "0", "Please enter a whole number between 1 and 2,147,483,647 for \"How many main suffix groups to show in the list\"."},
      {SettingsField::kGroupsShown, "1", nullptr},
      {SettingsField::kWordWeight, "x", "Please enter a number for \"Weight of the words\"."},
      {SettingsField::kWordWeight, "0", nullptr},
      {SettingsField::kWordWeight, "-0.25", nullptr},
      {SettingsField::kSuffixWeight, "0", "Please enter a number between 1 and 100 for \"Weight of the suffixes\"."},
      {SettingsField::kSuffixWeight, "101", "Please enter a number between 1 and 100 for \"Weight of the suffixes\"."},
      {SettingsField::kSuffixWeight, "100", nullptr},
      {SettingsField::kBufferSize, "9", "Please enter a whole number between 10 and 2,147,483,647 for \"Buffer size of the finite automaton\"."},
      {SettingsField::kBufferSize, "10", nullptr},
  };
  for (const Case& c : cases) {
    FakeHost case_host;
    DefaultSettings settings(case_host);
    settings.dialog.Edit(c.edit).text = c.text;
    settings.dialog.Accept();
    if (c.message == nullptr) {
      EXPECT_TRUE(settings.dialog.ended()) << c.text;
      EXPECT_EQ(settings.dialog.result(), Answer::kOk);
      EXPECT_TRUE(case_host.messages.empty()) << c.text;
      continue;
    }
    EXPECT_FALSE(settings.dialog.ended()) << c.text;
    EXPECT_EQ(settings.dialog.TakeFocusRequest(), &settings.dialog.Edit(c.edit)) << c.text;
    ASSERT_EQ(case_host.messages.size(), 1u) << c.text;
    EXPECT_EQ(case_host.messages[0].text, c.message);
  }

  // Help names every field and says when the mode and the buffer size apply.
  FakeHost help_host;
  DefaultSettings help(help_host);
  help.dialog.OnHelp();
  ASSERT_EQ(help_host.messages.size(), 1u);
  for (const char* caption : {kMinWordsCaption, kMinSuffixesCaption, kWordWeightCaption, kSuffixWeightCaption,
                              kGroupsShownCaption, kBufferSizeCaption, kReadAsCharactersCaption}) {
    EXPECT_NE(help_host.messages[0].text.find(caption), std::string::npos) << caption;
  }
  EXPECT_NE(help_host.messages[0].text.find("applies when a list is opened"), std::string::npos);
  EXPECT_FALSE(help.dialog.ended());

  FakeHost host_for_values;
  DefaultSettings values(host_for_values);
  values.dialog.Edit(SettingsField::kWordWeight).text = "-0.25";
  values.dialog.Edit(SettingsField::kBufferSize).text = "10";
  values.dialog.Accept();
  EXPECT_EQ(values.dialog.word_weight, -0.25f);
  EXPECT_EQ(values.dialog.buffer_size, 10);
  EXPECT_EQ(values.dialog.min_words, 15);
  // The integer edits take digits only; the weights a decimal point too.
  EXPECT_EQ(values.dialog.Edit(SettingsField::kMinWords).filter, EditFilter::kDigits);
  EXPECT_EQ(values.dialog.Edit(SettingsField::kWordWeight).filter, EditFilter::kSignedReal);
  EXPECT_EQ(values.dialog.Edit(SettingsField::kSuffixWeight).filter, EditFilter::kUnsignedReal);
  EXPECT_TRUE(EditAccepts(EditFilter::kSignedReal, "-0.5"));
  EXPECT_FALSE(EditAccepts(EditFilter::kDigits, "1.5"));
  EXPECT_FALSE(EditAccepts(EditFilter::kUnsignedReal, "-1"));
}

}  // namespace
}  // namespace tarvo::ui
