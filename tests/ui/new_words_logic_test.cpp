// The New words generation dialog, driven directly on an engine.
#include "ui/logic/new_words_logic.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "automaton/open_word_list.h"
#include "fake_host.h"
#include "test_support.h"

namespace tarvo::ui {
namespace {

using test::Rows;

using Strings = std::vector<std::string>;

struct Fixture {
  explicit Fixture(const Strings& words) { tarvo::test::BuildEngine(engine, words); }
  NewWordsLogic Dialog(std::uint32_t main, const std::string& distance) {
    return NewWordsLogic(host, engine.automaton, pending, main, distance);
  }
  tarvo::test::Engine engine;
  test::FakeHost host;
  Strings pending;
};

const Strings kWalkJump = {"walk", "walks", "walked", "talk", "talks", "talked",
                           "jump", "jumped", "kick", "kicked"};

TEST(NewWordsDialog, DistanceTakesDigitsOnly) {
  EXPECT_EQ(DistanceFromText("2"), 2u);
  EXPECT_EQ(DistanceFromText("007"), 7u);
  EXPECT_EQ(DistanceFromText("0"), 0u);
  EXPECT_EQ(DistanceFromText("99999999999999999999999"), 2147483647u);
  for (const char* text : {"", "abc", "-1", "+3", " 2", "12abc", "1.5"}) {
    EXPECT_EQ(DistanceFromText(text), std::nullopt) << text;
  }
}

TEST(NewWordsDialog, InitialSearchLabelAndShowGroup) {
  Fixture f(kWalkJump);
  const std::uint32_t walk = tarvo::test::StateOfPrefix(f.engine.automaton, "walk");
  const std::uint32_t jump = tarvo::test::StateOfPrefix(f.engine.automaton, "jump");
  NewWordsLogic dialog = f.Dialog(walk, "1");
  dialog.Initialise();
  EXPECT_EQ(f.host.wait_cursor_shown, 1);
  EXPECT_EQ(dialog.main_group_label().text, "-{} -ed -s");
  EXPECT_EQ(dialog.distance_edit().text, "1");
  EXPECT_FALSE(dialog.CanAccept());
  EXPECT_EQ(dialog.candidates(), (std::vector<std::uint32_t>{jump}));
  EXPECT_EQ(Rows(dialog.suspicious_groups()), (Strings{"-{} -ed"}));
  EXPECT_EQ(dialog.suspicious_groups().CurrentRow(), 0);
  EXPECT_EQ(dialog.SuspiciousStemCount(0), 2u);
  EXPECT_EQ(dialog.LackingSuffixes(0), "-s");

  dialog.OnShowGroup();
  EXPECT_EQ(Rows(dialog.group_words()), (Strings{"jump", "kick"}));
  EXPECT_EQ(Rows(dialog.possible_words()), (Strings{"jumps", "kicks"}));
  EXPECT_EQ(dialog.possible_words().SelectedCount(), 0);
  EXPECT_TRUE(f.host.messages.empty());

  // Distance 0 lists the main group itself, which proposes nothing.
  NewWordsLogic zero = f.Dialog(walk, "0");
  zero.Initialise();
  const auto& listed = zero.candidates();
  ASSERT_NE(std::find(listed.begin(), listed.end(), walk), listed.end());
  zero.suspicious_groups().SetCurrentRow(static_cast<int>(std::find(listed.begin(), listed.end(), walk) - listed.begin()));
  zero.OnShowGroup();
  EXPECT_EQ(zero.group_words().RowCount(), 2);
  EXPECT_EQ(zero.possible_words().RowCount(), 0);

  // No number: the user is told, the dialog opens with the focus on the
  // distance and nothing listed, and a number typed there searches.
  NewWordsLogic empty = f.Dialog(walk, "");
  empty.Initialise();
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text,
            "Please enter the distance: how many of the main group's suffixes a group lacks, such as 2.");
  EXPECT_FALSE(empty.ended());
  EXPECT_EQ(empty.TakeFocusRequest(), &empty.distance_edit());
  EXPECT_EQ(empty.suspicious_groups().RowCount(), 0);
  EXPECT_FALSE(empty.CanRunAutomatic());
  empty.OnShowGroup();  // nothing selected: ignored
  EXPECT_EQ(empty.group_words().RowCount(), 0);
  EXPECT_EQ(empty.distance_edit().filter, EditFilter::kDigits);
  empty.distance_edit().text = "1";
  empty.OnReanalyse();
  EXPECT_EQ(Rows(empty.suspicious_groups()), (Strings{"-{} -ed"}));
  EXPECT_TRUE(empty.CanRunAutomatic());
  EXPECT_EQ(empty.status().text, "1 suspicious group found.");

  // A distance no group is at: said, and Automatic cannot run.
  empty.distance_edit().text = "5";
  empty.OnReanalyse();
  EXPECT_EQ(empty.suspicious_groups().RowCount(), 0);
  EXPECT_FALSE(empty.CanRunAutomatic());
  EXPECT_EQ(empty.status().text, "No group lacks exactly 5 suffixes of the main group.");
}

TEST(NewWordsDialog, DistanceTwoYieldsTwoWordsPerStemAndManyCandidatesAreAllListed) {
  // The sample list's groups: every suspicious group at distance 2 of the
  // best group proposes exactly two words per stem.
  Fixture f({});
  ASSERT_TRUE(OpenWordList(TARVO_SAMPLE_LIST, 10000, f.engine.tree, f.engine.automaton).ok());
  const std::uint32_t main = f.engine.automaton.RankMainGroups(AnalysisSettings{}).at(0);
  NewWordsLogic dialog = f.Dialog(main, "2");
  dialog.Initialise();
  ASSERT_GT(dialog.candidates().size(), 0u);
  for (int row = 0; row < dialog.suspicious_groups().RowCount(); ++row) {
    dialog.suspicious_groups().SetCurrentRow(row);
    dialog.OnShowGroup();
    EXPECT_EQ(dialog.possible_words().RowCount(), 2 * dialog.group_words().RowCount());
  }

  // Over a thousand suspicious groups: distance 0 from the accepting leaf
  // lists every final state, and here 1500 words each end a distinct group
  // (each is followed by an ending of its own).
  Strings words;
  for (int i = 0; i < 1500; ++i) {
    std::string stem;
    for (int n = i, digit = 0; digit < 6; ++digit, n /= 4) stem += static_cast<char>('a' + n % 4);
    words.push_back(stem);
    words.push_back(stem + "z" + stem);
  }
  Fixture big(words);
  NewWordsLogic all = big.Dialog(1, "0");
  all.Initialise();
  ASSERT_GT(all.candidates().size(), 1000u);
  EXPECT_EQ(all.candidates(), big.engine.automaton.FindSuspiciousGroups(1, 0));
  EXPECT_EQ(all.suspicious_groups().RowCount(), static_cast<int>(all.candidates().size()));
}

TEST(NewWordsDialog, AddSelectClearRemoveAndReanalyse) {
  Fixture f(kWalkJump);
  const std::uint32_t walk = tarvo::test::StateOfPrefix(f.engine.automaton, "walk");
  NewWordsLogic dialog = f.Dialog(walk, "1");
  dialog.Initialise();
  dialog.OnShowGroup();
  dialog.OnAdd();  // nothing selected
  EXPECT_FALSE(dialog.CanAccept());
  dialog.OnSelectAll();
  EXPECT_EQ(dialog.possible_words().SelectedCount(), 2);
  dialog.OnAdd();
  dialog.OnAdd();  // the same selection again adds nothing
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"jumps", "kicks"}));
  EXPECT_TRUE(dialog.CanAccept());
  EXPECT_EQ(dialog.possible_words().SelectedCount(), 2);  // the selection stays

  // A row that differs only in letter case is not added.
  dialog.words_to_add().Clear();
  dialog.words_to_add().AddRow("JUMPS");
  dialog.OnAdd();
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"JUMPS", "kicks"}));

  // Clear all also clears a single selected row.
  dialog.OnClearAll();
  EXPECT_EQ(dialog.possible_words().SelectedCount(), 0);
  dialog.possible_words().DeleteRow(1);
  dialog.possible_words().SetSelected(0, true);
  dialog.OnClearAll();
  EXPECT_FALSE(dialog.possible_words().IsSelected(0));

  // Removing every row keeps OK enabled.
  dialog.words_to_add().SelectRange(0, dialog.words_to_add().RowCount() - 1);
  dialog.OnRemoveSelected();
  EXPECT_EQ(dialog.words_to_add().RowCount(), 0);
  EXPECT_TRUE(dialog.CanAccept());

  // Reanalyse with a new distance refills the groups and selects row 0; the
  // stems and possible words of the old list's group go, the words to be
  // added stay.
  dialog.words_to_add().AddRow("kept");
  ASSERT_GT(dialog.group_words().RowCount(), 0);
  dialog.distance_edit().text = "0";
  dialog.OnReanalyse();
  EXPECT_EQ(dialog.distance(), 0u);
  EXPECT_EQ(dialog.candidates(), f.engine.automaton.FindSuspiciousGroups(walk, 0));
  EXPECT_EQ(dialog.suspicious_groups().CurrentRow(), 0);
  EXPECT_EQ(dialog.group_words().RowCount(), 0);
  EXPECT_EQ(dialog.possible_words().RowCount(), 0);
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"kept"}));
  EXPECT_EQ(dialog.distance_edit().text, "0");
}

TEST(NewWordsDialog, AutomaticListsEachWordOnceAndNeverTheEmptyWord) {
  // Two suspicious groups of group 2 both propose "aaa", and the start
  // state, whose stem is the empty word, lacks one of group 2's suffixes.
  Fixture f({"a", "aa", "aaaa", "abaa", "b", "bab", "baba"});
  const SuffixAutomaton& a = f.engine.automaton;
  const Strings raw = a.AutomaticWords(a.FindSuspiciousGroups(2, 1), 2);
  ASSERT_EQ(std::count(raw.begin(), raw.end(), "aaa"), 2);
  ASSERT_EQ(std::count(raw.begin(), raw.end(), ""), 1);
  NewWordsLogic dialog = f.Dialog(2, "1");
  dialog.Initialise();
  const auto& candidates = dialog.candidates();
  EXPECT_EQ(std::find(candidates.begin(), candidates.end(), a.start_state()), candidates.end());
  dialog.OnAutomatic();
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"aaa", "aba", "ba"}));
  EXPECT_TRUE(dialog.CanAccept());
  EXPECT_EQ(dialog.status().text, "3 words to be added.");

  // "ba" was pending already.
  f.pending = {"ba"};
  dialog.Accept();
  EXPECT_TRUE(dialog.ended());
  EXPECT_EQ(dialog.result(), Answer::kOk);
  EXPECT_EQ(f.pending, (Strings{"ba", "aaa", "aba"}));
}

TEST(NewWordsDialog, CancelAndAutomaticAskBeforeDiscardingWordsToBeAdded) {
  Fixture f(kWalkJump);
  const std::uint32_t walk = tarvo::test::StateOfPrefix(f.engine.automaton, "walk");
  NewWordsLogic dialog = f.Dialog(walk, "1");
  dialog.Initialise();
  dialog.OnShowGroup();
  dialog.possible_words().SetSelected(0, true);
  dialog.OnAdd();
  ASSERT_EQ(Rows(dialog.words_to_add()), (Strings{"jumps"}));

  f.host.answers = {Answer::kNo, Answer::kNo};
  dialog.OnAutomatic();
  dialog.Reject();
  EXPECT_FALSE(dialog.ended());
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"jumps"}));
  ASSERT_EQ(f.host.messages.size(), 2u);
  EXPECT_EQ(f.host.messages[0].text, "Automatic replaces the 1 word to be added. Do you want to go on?");
  EXPECT_EQ(f.host.messages[1].text, "Discard the 1 word to be added?");
  EXPECT_EQ(f.host.messages[1].buttons, Message::Buttons::kYesNo);
  EXPECT_EQ(f.host.messages[1].default_answer, Answer::kNo);

  f.host.answers = {Answer::kYes, Answer::kYes};
  dialog.OnAutomatic();
  EXPECT_EQ(Rows(dialog.words_to_add()), (Strings{"jumps", "kicks"}));
  dialog.Reject();
  EXPECT_TRUE(dialog.ended());
  EXPECT_EQ(dialog.result(), Answer::kCancel);
  EXPECT_TRUE(f.pending.empty());

  // With nothing collected, Cancel asks nothing.
  NewWordsLogic quiet = f.Dialog(walk, "1");
  quiet.Initialise();
  f.host.messages.clear();
  quiet.Reject();
  EXPECT_TRUE(quiet.ended());
  EXPECT_TRUE(f.host.messages.empty());
}

TEST(NewWordsDialog, ListsStopAtAMillionWordsAndSayHowManyWereLeftOut) {
  // 1001 stems take only the first of the 1001 endings of "m" and "n": their
  // group proposes 1001 x 1000 words.
  constexpr int kStems = 1001;
  constexpr int kEndings = 1001;
  auto letters = [](int n) { return std::string{static_cast<char>('a' + n / 26), static_cast<char>('a' + n % 26)}; };
  Strings words;
  for (int ending = 0; ending < kEndings; ++ending) {
    words.push_back("m-" + letters(ending));
    words.push_back("n-" + letters(ending));
  }
  for (int stem = 0; stem < kStems; ++stem) words.push_back("s" + letters(stem) + "-" + letters(0));
  Fixture f(words);
  const SuffixAutomaton& a = f.engine.automaton;
  const std::uint32_t main = tarvo::test::StateOfPrefix(a, "m");
  const std::uint32_t lacking = tarvo::test::StateOfPrefix(a, "saa");
  NewWordsLogic dialog = f.Dialog(main, std::to_string(kEndings - 1));
  dialog.Initialise();
  const auto& candidates = dialog.candidates();
  const auto row = std::find(candidates.begin(), candidates.end(), lacking);
  ASSERT_NE(row, candidates.end());
  dialog.suspicious_groups().SetCurrentRow(static_cast<int>(row - candidates.begin()));

  dialog.OnShowGroup();
  EXPECT_EQ(dialog.possible_words().RowCount(), 1000000);
  ASSERT_EQ(f.host.messages.size(), 1u);
  EXPECT_EQ(f.host.messages[0].text, "Only the first 1,000,000 of 1,001,000 words are listed: 1,000 were left out.");
  EXPECT_EQ(f.host.messages[0].buttons, Message::Buttons::kOk);
  EXPECT_EQ(f.host.messages[0].icon, Message::Icon::kInformation);
  EXPECT_EQ(a.GeneratedWordCount(lacking, main), static_cast<std::uint64_t>(kStems) * (kEndings - 1));
  const std::string first_row = dialog.possible_words().RowText(0);
  EXPECT_TRUE(first_row.size() == 6 && first_row[0] == 's' && first_row.substr(3) != "-aa") << first_row;

  // Automatic stops at the same number, counting every candidate's words.
  std::uint64_t automatic_words = 0;
  a.ForEachAutomaticWord(candidates, main, [&](const std::string&) { return ++automatic_words > 0; });
  ASSERT_GT(automatic_words, 1000000u);
  dialog.OnAutomatic();
  EXPECT_EQ(dialog.words_to_add().RowCount(), 1000000);
  EXPECT_TRUE(dialog.CanAccept());
  ASSERT_EQ(f.host.messages.size(), 2u);
  EXPECT_NE(f.host.messages[1].text.find(" were left out."), std::string::npos);
  auto grouped = [](std::uint64_t n) {
    std::string text = std::to_string(n);
    for (std::size_t end = text.size(); end > 3; end -= 3) text.insert(end - 3, ",");
    return text;
  };
  EXPECT_NE(f.host.messages[1].text.find(" of " + grouped(automatic_words) + " words"), std::string::npos)
      << f.host.messages[1].text;
}

}  // namespace
}  // namespace tarvo::ui
