#include "automaton/automaton_builder.h"

#include <map>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "automaton/build_automaton.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::BuildEngine;
using test::Engine;
using test::StateOfPrefix;

struct StateView {
  bool final;
  std::uint32_t words;
  std::uint32_t suffixes;
  std::string transitions;  // "e2 s1"
  bool operator==(const StateView&) const = default;
};

StateView View(const SuffixAutomaton& a, std::uint32_t s) {
  std::string transitions;
  for (unsigned slot = 1; slot < a.SlotCountOf(s); ++slot) {
    if (slot > 1) transitions += ' ';
    a.AppendSymbol(transitions, a.LabelRow(s)[slot]);
    transitions += std::to_string(a.TargetRow(s)[slot]);
  }
  return {a.IsFinalState(s), a.WordCount(s), a.SuffixCount(s), transitions};
}

std::string Label(const SuffixAutomaton& a, std::uint32_t s) {
  std::string label;
  a.GetLabel(s, label);
  return label;
}

TEST(AutomatonBuild, WalkTalkExample) {
  Engine e;
  BuildEngine(e, {"walk", "walks", "walked", "talk", "talks", "talked"});
  EXPECT_EQ(e.tree.node_count(), 15u);
  const SuffixAutomaton& a = e.automaton;
  ASSERT_EQ(a.count(), 8u);
  EXPECT_EQ(View(a, 1), (StateView{true, 4, 1, ""}));
  EXPECT_EQ(View(a, 2), (StateView{false, 2, 1, "d1"}));
  EXPECT_EQ(View(a, 3), (StateView{true, 2, 3, "e2 s1"}));
  EXPECT_EQ(View(a, 4), (StateView{false, 2, 3, "k3"}));
  EXPECT_EQ(View(a, 5), (StateView{false, 2, 3, "l4"}));
  EXPECT_EQ(View(a, 6), (StateView{false, 2, 3, "a5"}));
  EXPECT_EQ(View(a, 7), (StateView{false, 1, 6, "t6 w6"}));

  EXPECT_EQ(Label(a, 1), "-{}");
  EXPECT_EQ(Label(a, 3), "-{} -ed -s");
  EXPECT_EQ(Label(a, 2), "-d");
  EXPECT_EQ(Label(a, 4), "-k -ked -ks");
  EXPECT_EQ(Label(a, 7), "-talk -talked -talks -walk -walked -walks");
  EXPECT_EQ(a.capacity(), a.count());
}

TEST(AutomatonBuild, LabelFollowsSymbolCodesNotTheAlphabet) {
  Engine e;
  // s is more frequent than e here, so it has the lower code.
  BuildEngine(e, {"walk", "walks", "walked", "talk", "talks", "talked", "ss", "sss"});
  EXPECT_EQ(Label(e.automaton, StateOfPrefix(e.automaton, "walk")), "-{} -s -ed");
}

TEST(AutomatonBuild, FreshChildrenLeaveEqualStatesUnmerged) {
  Engine first;
  BuildEngine(first, {"p", "y", "yab", "pab"});
  const SuffixAutomaton& a = first.automaton;
  ASSERT_EQ(a.count(), 6u);
  const std::uint32_t p = StateOfPrefix(a, "p");
  const std::uint32_t y = StateOfPrefix(a, "y");
  EXPECT_NE(p, y);
  EXPECT_TRUE(AutomatonBuilder::IsSameState(a.LabelRow(p), a.TargetRow(p), a.LabelRow(y), a.TargetRow(y)));
  EXPECT_EQ(a.WordCount(p), 1u);
  EXPECT_EQ(a.WordCount(y), 1u);

  Engine second;
  BuildEngine(second, {"p", "y", "pab", "yab"});
  ASSERT_EQ(second.automaton.count(), 5u);
  const std::uint32_t both = StateOfPrefix(second.automaton, "p");
  EXPECT_EQ(both, StateOfPrefix(second.automaton, "y"));
  EXPECT_EQ(second.automaton.WordCount(both), 2u);
}

TEST(AutomatonBuild, SmallTrees) {
  Engine none;
  BuildEngine(none, {});
  ASSERT_EQ(none.automaton.count(), 2u);
  EXPECT_EQ(View(none.automaton, 1), (StateView{true, 1, 1, ""}));

  Engine one;
  BuildEngine(one, {"a"});
  ASSERT_EQ(one.automaton.count(), 3u);
  EXPECT_EQ(View(one.automaton, 2), (StateView{false, 1, 1, "a1"}));
  EXPECT_EQ(View(one.automaton, 1), (StateView{true, 1, 1, ""}));

  Engine two;
  BuildEngine(two, {"xa", "xb"});
  ASSERT_EQ(two.automaton.count(), 4u);
  EXPECT_EQ(View(two.automaton, 2), (StateView{false, 1, 2, "a1 b1"}));
  EXPECT_EQ(View(two.automaton, 3), (StateView{false, 1, 2, "x2"}));
  EXPECT_EQ(two.automaton.WordCount(1), 2u);
}

TEST(AutomatonBuild, RowArraysGrowByTheGrowthStep) {
  SuffixAutomaton a;
  const std::uint8_t label[] = {2, 0};
  const std::uint32_t targets[] = {0, 1};
  {
    AutomatonBuilder builder(a, 1, IdentitySymbolTable());
    EXPECT_EQ(a.capacity(), 3u);
    builder.AddState(label, targets);
    EXPECT_EQ(a.capacity(), 4u);
    builder.AddState(label, targets);
    EXPECT_EQ(a.capacity(), 5u);
  }

  AutomatonBuilder builder(a, 2, IdentitySymbolTable());
  EXPECT_EQ(a.count(), 2u);
  EXPECT_EQ(a.capacity(), 4u);
  std::vector<std::uint32_t> seen;
  for (int i = 0; i < 6; ++i) {
    builder.AddState(label, targets);
    seen.push_back(a.capacity());
  }
  // Counts 3..8: growth at 4, 6 and 8.
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{4, 6, 6, 8, 8, 10}));
  // FindOrAddState returns the first of several equal states.
  EXPECT_EQ(builder.FindOrAddState(label, targets), std::make_pair(2u, false));
  builder.ShrinkToCount();
  EXPECT_EQ(a.capacity(), a.count());
}

// Room for the rows of a tree of 4 billion nodes is more address space
// than this machine has memory; a system may refuse it, and the build then
// goes on with rows that grow as they fill.
TEST(AutomatonBuild, RoomTheSystemRefusesIsNotNeeded) {
  SuffixAutomaton a;
  AutomatonBuilder builder(a, 1, IdentitySymbolTable());
  builder.ReserveForTree(UINT32_MAX);
  for (std::uint32_t k = 0; k < 5000; ++k) {
    const std::uint8_t label[] = {2, static_cast<std::uint8_t>(k % 200)};
    const std::uint32_t targets[] = {0, k + 1};
    ASSERT_EQ(builder.AddState(label, targets), k + 2);
  }
  builder.Finish();
  ASSERT_EQ(a.count(), 5002u);
  for (std::uint32_t k = 0; k < 5000; k += 499) {
    EXPECT_EQ(a.LabelRow(k + 2)[1], k % 200);
    EXPECT_EQ(a.TargetRow(k + 2)[1], k + 1);
  }
}

// Thousands of states with one transition and with two, some added again
// with equal rows (as a node with a fresh child is): each lookup finds the
// first state with exactly those rows, whichever of the final flag, code or
// target tells them apart, across every growth of the indexes.
TEST(AutomatonBuild, FindStateReturnsTheFirstStateWithEqualRows) {
  SuffixAutomaton a;
  AutomatonBuilder builder(a, 1000, IdentitySymbolTable());
  std::mt19937 random(5);
  std::map<std::vector<std::uint32_t>, std::uint32_t> first_with;  // head, codes, targets
  std::vector<std::vector<std::uint32_t>> added;
  for (int k = 0; k < 6000; ++k) {
    std::vector<std::uint32_t> rows;
    if (!added.empty() && random() % 4 == 0) {
      rows = added[random() % added.size()];
    } else {
      const unsigned n = 2 + random() % 2;
      rows.push_back((random() % 2 != 0 ? kFinalFlag : 0) | n);
      for (unsigned slot = 1; slot < n; ++slot) rows.push_back(2 * slot + random() % 2);  // ascending codes
      for (unsigned slot = 1; slot < n; ++slot) rows.push_back(1 + random() % (a.count() - 1));
    }
    const unsigned n = SlotCount(static_cast<std::uint8_t>(rows[0]));
    std::vector<std::uint8_t> label(rows.begin(), rows.begin() + n);
    std::vector<std::uint32_t> targets{0};
    targets.insert(targets.end(), rows.begin() + n, rows.end());
    const std::uint32_t state = builder.AddState(label.data(), targets.data());
    first_with.emplace(rows, state);
    added.push_back(rows);
  }
  for (const auto& [rows, state] : first_with) {
    const unsigned n = SlotCount(static_cast<std::uint8_t>(rows[0]));
    std::vector<std::uint8_t> label(rows.begin(), rows.begin() + n);
    std::vector<std::uint32_t> targets{0};
    targets.insert(targets.end(), rows.begin() + n, rows.end());
    ASSERT_EQ(builder.FindState(label.data(), targets.data()), state);
    targets[1] = a.count();  // no state leads there yet
    ASSERT_EQ(builder.FindState(label.data(), targets.data()), 0u);
  }
}

TEST(AutomatonBuild, BuildingTwiceAndSmallGrowthStepsGiveTheSameStates) {
  const std::vector<std::string> words = test::RandomWords(11, "abcde", 300, 7);
  Engine reference;
  BuildEngine(reference, words);
  Engine again;
  BuildEngine(again, words, 3);  // the automaton's step 3 / 4 = 0 is taken as 1
  BuildAutomaton(again.tree, again.automaton);
  ASSERT_EQ(again.automaton.count(), reference.automaton.count());
  for (std::uint32_t s = 1; s < reference.automaton.count(); ++s) {
    EXPECT_EQ(View(again.automaton, s), View(reference.automaton, s)) << s;
  }
}

}  // namespace
#if !defined(NDEBUG) || defined(TARVO_ENABLE_ASSERTS)
TEST(AutomatonBuildDeathTest, StatesOutOfRangeAndForwardTransitionsAreProgrammingErrors) {
  Engine e;
  BuildEngine(e, {"walk", "talk"});
  EXPECT_DEATH(e.automaton.LabelRow(e.automaton.count()), "assertion failed: IsState");
  EXPECT_DEATH(e.automaton.TargetRow(0), "assertion failed: IsState");
  EXPECT_DEATH(e.automaton.SuffixCount(e.automaton.count()), "assertion failed: IsState");
  EXPECT_DEATH(e.tree.LabelRow(e.tree.node_count()), "assertion failed: node < node_count_");

  // A transition may only lead to a state that exists already.
  SuffixAutomaton a;
  AutomatonBuilder builder(a, 1, IdentitySymbolTable());
  const std::uint8_t label[] = {2, 0};
  const std::uint32_t to_itself[] = {0, 2};
  EXPECT_DEATH(builder.AddState(label, to_itself), "assertion failed: a.IsState");
}
#endif

}  // namespace tarvo
