#include <gtest/gtest.h>

#include <set>

#include "automaton/suffix_automaton.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::BuildEngine;
using test::Engine;
using test::StateOfPrefix;
using Strings = std::vector<std::string>;

const Strings kWalkJump = {"walk", "walks", "walked", "talk", "talks", "talked",
                           "jump", "jumped", "kick", "kicked"};

TEST(Distance, WorkedExamples) {
  Engine e;
  BuildEngine(e, kWalkJump);
  const SuffixAutomaton& a = e.automaton;
  const std::uint32_t walk = StateOfPrefix(a, "walk");
  const std::uint32_t jump = StateOfPrefix(a, "jump");
  EXPECT_EQ(walk, StateOfPrefix(a, "talk"));
  EXPECT_EQ(jump, StateOfPrefix(a, "kick"));
  EXPECT_EQ(a.ExactDistance(walk, jump), 1u);
  EXPECT_EQ(a.ExactDistance(jump, walk), 0u);
  EXPECT_EQ(a.Distance(walk, walk, 0), 0u);
  EXPECT_EQ(a.Distance(walk, jump, 2), 1u);
  EXPECT_GE(a.Distance(walk, jump, 1), 1u);

  // Against the accepting leaf state 1, both ways.
  EXPECT_EQ(a.ExactDistance(walk, 1), a.SuffixCount(walk) - 1);
  const std::uint32_t wal = StateOfPrefix(a, "wal");
  EXPECT_EQ(a.ExactDistance(wal, 1), a.SuffixCount(wal));
  EXPECT_EQ(a.ExactDistance(1, wal), 1u);
  EXPECT_EQ(a.ExactDistance(1, walk), 0u);

  Engine b;
  BuildEngine(b, {"bake", "baked", "bakes", "cooked"});
  const std::uint32_t bak = StateOfPrefix(b.automaton, "bak");
  const std::uint32_t cook = StateOfPrefix(b.automaton, "cook");
  EXPECT_EQ(b.automaton.ExactDistance(bak, cook), 2u);
  EXPECT_EQ(b.automaton.ExactDistance(cook, bak), 0u);
}

TEST(Distance, CodeZeroIsExaminedBeforeTheLimitIsTested) {
  // "a" is the most frequent byte, so it has code 0. The group of x is final
  // and has "a..." endings that the group of y lacks.
  Engine e;
  BuildEngine(e, {"x", "xaa", "xab", "yb", "aaaa"});
  const SuffixAutomaton& a = e.automaton;
  ASSERT_EQ(a.char_to_code()['a'], 0);
  const std::uint32_t x = StateOfPrefix(a, "x");
  const std::uint32_t y = StateOfPrefix(a, "y");
  const std::uint32_t through_a = StateOfPrefix(a, "xa");
  // 1 for the empty suffix, then code 0 adds all suffixes through a, even
  // though the count already reached the limit.
  EXPECT_EQ(a.Distance(x, y, 1), 1 + a.SuffixCount(through_a));
  EXPECT_EQ(a.ExactDistance(x, y), 1 + a.SuffixCount(through_a));
}

TEST(GroupWords, OrderFollowsTheUpwardScan) {
  Engine e;
  BuildEngine(e, {"ab", "cb"});
  ASSERT_EQ(e.automaton.count(), 4u);
  EXPECT_EQ(e.automaton.GetWords(2), (Strings{"c", "a"}));
  EXPECT_EQ(e.automaton.GetWords(e.automaton.start_state()), (Strings{""}));

  Engine w;
  BuildEngine(w, {"walk", "walks", "walked", "talk", "talks", "talked"});
  EXPECT_EQ(w.automaton.GetWords(3), (Strings{"walk", "talk"}));
  EXPECT_EQ(w.automaton.GetWords(2), (Strings{"walke", "talke"}));
}

TEST(Generation, DifferingSuffixesAndNewWordsInBlockOrder) {
  Engine e;
  BuildEngine(e, kWalkJump);
  const SuffixAutomaton& a = e.automaton;
  const std::uint32_t walk = StateOfPrefix(a, "walk");
  const std::uint32_t jump = StateOfPrefix(a, "jump");
  EXPECT_EQ(a.GetDifferingSuffixes(jump, walk), (Strings{"s"}));
  EXPECT_EQ(a.GenerateWords(jump, walk), (Strings{"jumps", "kicks"}));
  EXPECT_TRUE(a.GenerateWords(walk, walk).empty());
  EXPECT_TRUE(a.GenerateWords(walk, jump).empty());

  Engine b;
  BuildEngine(b, {"bake", "baked", "bakes", "cooked"});
  const std::uint32_t bak = StateOfPrefix(b.automaton, "bak");
  const std::uint32_t cook = StateOfPrefix(b.automaton, "cook");
  EXPECT_EQ(b.automaton.GetDifferingSuffixes(cook, bak), (Strings{"es", "e"}));
  EXPECT_EQ(b.automaton.GenerateWords(cook, bak), (Strings{"cookes", "cooke"}));

  // A final main group and a suspicious group that is not: each stem itself
  // is its last new word; the words are grouped by stem.
  Engine f;
  BuildEngine(f, {"px", "py", "p", "ux", "uy", "u", "qx", "rx"});
  const std::uint32_t p = StateOfPrefix(f.automaton, "p");
  const std::uint32_t q = StateOfPrefix(f.automaton, "q");
  ASSERT_EQ(q, StateOfPrefix(f.automaton, "r"));
  Strings words = f.automaton.GenerateWords(q, p);
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[0], words[1] + "y");
  EXPECT_EQ(words[2], words[3] + "y");
  EXPECT_EQ(std::set<std::string>({words[1], words[3]}), std::set<std::string>({"q", "r"}));
}

TEST(SuspiciousGroups, DistanceZeroWrapAndAutomatic) {
  Engine e;
  BuildEngine(e, kWalkJump);
  const SuffixAutomaton& a = e.automaton;
  const std::uint32_t walk = StateOfPrefix(a, "walk");
  const std::uint32_t jump = StateOfPrefix(a, "jump");
  EXPECT_EQ(a.FindSuspiciousGroups(walk, 1), (std::vector<std::uint32_t>{jump}));
  std::vector<std::uint32_t> zero = a.FindSuspiciousGroups(walk, 0);
  EXPECT_NE(std::find(zero.begin(), zero.end(), walk), zero.end());
  EXPECT_TRUE(a.FindSuspiciousGroups(walk, UINT32_MAX).empty());
  EXPECT_EQ(a.AutomaticWords(a.FindSuspiciousGroups(walk, 1), walk), (Strings{"jumps", "kicks"}));
}

TEST(Generation, WalksHandOverTheListedWordsAndStopWhenAsked) {
  std::size_t stopped_walks = 0;
  std::size_t stopped_automatic_walks = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    Engine e;
    BuildEngine(e, test::RandomWords(seed, "abcd", 300, 5));
    const SuffixAutomaton& a = e.automaton;
    if (a.count() < 5) continue;
    const std::uint32_t main = a.start_state() - 1 - seed % 3;
    for (std::uint32_t g = 1; g < a.count(); ++g) {
      const Strings all = a.GenerateWords(g, main);
      ASSERT_EQ(a.GeneratedWordCount(g, main), all.size()) << "seed " << seed << ", group " << g;
      if (all.empty()) continue;
      // Stopped at the k-th word, a walk has handed over the first k words.
      const std::size_t k = 1 + seed % all.size();
      Strings first;
      EXPECT_FALSE(a.ForEachGeneratedWord(g, main, [&](const std::string& word) {
        first.push_back(word);
        return first.size() < k;
      }));
      EXPECT_EQ(first, Strings(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(k)));
      stopped_walks += k < all.size();
    }

    // Automatic: every group's words in turn, and a stop ends the whole walk.
    const std::vector<std::uint32_t> suspicious = a.FindSuspiciousGroups(main, 1 + seed % 3);
    const Strings automatic = a.AutomaticWords(suspicious, main);
    Strings expected;
    for (std::uint32_t g : suspicious) {
      for (std::string& word : a.GenerateWords(g, main)) expected.push_back(std::move(word));
    }
    ASSERT_EQ(automatic, expected);
    if (automatic.size() < 2) continue;
    std::size_t calls = 0;
    EXPECT_FALSE(a.ForEachAutomaticWord(suspicious, main, [&](const std::string& word) {
      EXPECT_EQ(word, automatic[calls]);
      return ++calls < automatic.size() - 1;
    }));
    EXPECT_EQ(calls, automatic.size() - 1);
    EXPECT_TRUE(a.ForEachAutomaticWord(suspicious, main, [](const std::string&) { return true; }));
    ++stopped_automatic_walks;
  }
  EXPECT_GT(stopped_walks, 100u);
  EXPECT_GT(stopped_automatic_walks, 10u);
}

}  // namespace
}  // namespace tarvo
