// The long commands as tasks of the host: a cancelled Open, and results
// equal to the engine's own calls.
#include <gtest/gtest.h>

#include <algorithm>

#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "fake_host.h"
#include "test_support.h"
#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"

namespace tarvo::ui {
namespace {

using test::FakeHost;
using test::Rows;
using Strings = std::vector<std::string>;

const std::string kSmallList = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\nkick\nkicked\n";

std::vector<std::string> Labels(const SuffixAutomaton& automaton, const std::vector<std::uint32_t>& groups) {
  std::vector<std::string> labels;
  for (std::uint32_t group : groups) automaton.GetLabel(group, labels.emplace_back());
  return labels;
}

TEST(LongWork, ACancelledOpenKeepsTheOpenListItsPathAndItsWords) {
  tarvo::test::TempDir dir;
  FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  window.settings().min_words = 1;
  window.settings().min_suffixes = 1;

  // Nothing open: a cancelled Open leaves the window empty.
  const std::string first = dir.Write("first.txt", kSmallList);
  host.cancel_long_tasks = true;
  host.files.push_back(first);
  window.OnOpen();
  EXPECT_EQ(window.Title(), "Tarvo");
  EXPECT_EQ(window.main_groups().RowCount(), 0);
  EXPECT_EQ(window.status().text, "Opening first.txt was cancelled.");
  EXPECT_EQ(window.Summary().last_step_seconds, 0);

  host.cancel_long_tasks = false;
  host.files.push_back(first);
  window.OnOpen();
  window.pending_words() = {"jumps"};
  window.OnUpdate();
  window.pending_words() = {"kicks"};
  window.main_groups().SetCurrentRow(1);
  window.OnMainGroupsDoubleClick();
  const Strings groups = Rows(window.main_groups());
  const Strings stems = Rows(window.words());
  const Strings words = window.automaton().GetWords(window.automaton().start_state());
  const std::string title = window.Title();
  const double seconds = window.Summary().last_step_seconds;
  EXPECT_GT(seconds, 0);

  // Not saved first, and then cancelled: the words stay with their list.
  host.answers = {Answer::kNo};
  host.cancel_long_tasks = true;
  host.files.push_back(dir.Write("second.txt", "other\nwords\n"));
  window.OnOpen();
  EXPECT_EQ(host.long_tasks.back(), "Opening second.txt...");
  EXPECT_EQ(window.current_path(), first);
  EXPECT_EQ(window.Title(), title);
  EXPECT_EQ(window.pending_words(), Strings{"kicks"});
  EXPECT_EQ(window.added_words(), Strings{"jumps"});
  EXPECT_EQ(window.automaton().GetWords(window.automaton().start_state()), words);
  EXPECT_EQ(Rows(window.main_groups()), groups);
  EXPECT_EQ(window.main_groups().CurrentRow(), 1);
  EXPECT_EQ(Rows(window.words()), stems);
  EXPECT_EQ(window.Summary().last_step_seconds, seconds);
  EXPECT_EQ(window.status().text, "Opening second.txt was cancelled; first.txt stays open.");
  EXPECT_EQ(tarvo::test::ReadFile(first), kSmallList);

  // The window goes on with its list: Save updates and appends both words.
  host.cancel_long_tasks = false;
  window.OnSave();
  EXPECT_EQ(tarvo::test::ReadFile(first), kSmallList + "jumps\nkicks\n");
}

TEST(LongWork, OpenUpdateSettingsSaveAsAndAutomaticGiveTheEngineResults) {
  tarvo::test::TempDir dir;
  FakeHost host;
  MainWindowLogic window(host);
  window.Initialise();
  host.files.push_back(std::string(TARVO_SAMPLE_LIST));
  window.OnOpen();

  // The same calls on the engine, in the same order.
  WordTree tree;
  SuffixAutomaton automaton;
  ASSERT_TRUE(OpenWordList(TARVO_SAMPLE_LIST, window.settings().buffer_size, tree, automaton).ok());
  EXPECT_EQ(Rows(window.main_groups()), Labels(automaton, automaton.RankMainGroups(window.settings())));

  const std::uint32_t main = window.ranked_groups().front();
  NewWordsLogic dialog(host, window.automaton(), window.pending_words(), main, "2");
  dialog.Initialise();
  dialog.OnAutomatic();
  Strings proposed;
  automaton.ForEachAutomaticWord(dialog.candidates(), main, [&proposed](const std::string& word) {
    if (!word.empty()) proposed.push_back(word);
    return true;
  });
  std::stable_sort(proposed.begin(), proposed.end(), [](const std::string& a, const std::string& b) {
    return CompareIgnoringCase(a, b) < 0;
  });
  proposed.erase(std::unique(proposed.begin(), proposed.end(), EqualIgnoringCase), proposed.end());
  ASSERT_GT(proposed.size(), 1u);
  EXPECT_EQ(Rows(dialog.words_to_add()), proposed);

  window.pending_words() = proposed;
  window.OnUpdate();
  for (const std::string& word : proposed) tree.Insert(word);
  BuildAutomaton(tree, automaton);
  EXPECT_EQ(Rows(window.main_groups()), Labels(automaton, automaton.RankMainGroups(window.settings())));

  host.scripts[DialogKind::kSettings] = [](DialogLogic& settings) {
    dynamic_cast<SettingsLogic&>(settings).Edit(SettingsField::kMinSuffixes).text = "3";
    settings.Accept();
  };
  window.OnSettings();
  EXPECT_EQ(Rows(window.main_groups()), Labels(automaton, automaton.RankMainGroups(window.settings())));

  const std::string copy = dir.PathOf("copy.txt");
  const std::string expected = dir.PathOf("expected.txt");
  host.files.push_back(copy);
  window.OnSaveAs();
  ASSERT_FALSE(tree.SaveAll(expected));
  EXPECT_EQ(tarvo::test::ReadFile(copy), tarvo::test::ReadFile(expected));

  EXPECT_EQ(host.long_tasks, (Strings{"Opening sample-words.txt...", "Generating new words...",
                                      "Updating the word tree...", "Ranking the groups...", "Saving copy.txt..."}));
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace tarvo::ui
