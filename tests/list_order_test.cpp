// Loading and updating in any order gives what inserting word by word in
// list order gives: the same nodes with the same numbers, so the same
// automaton (state numbers and unmerged states included), the same groups,
// words and saved file, and the same refused words.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "automaton/analysis_settings.h"
#include "automaton/build_automaton.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/label_row.h"
#include "lexicon/list_order_inserter.h"
#include "lexicon/word_list_loader.h"
#include "lexicon/word_tree.h"
#include "test_support.h"

namespace tarvo {
namespace {

using Words = std::vector<std::string>;

// Random words over a few units (bytes or UTF-8 characters), short enough
// that they share prefixes and endings. Lists this large go in in code
// order once they stop ascending.
Words RandomList(std::mt19937& random, const Words& units, std::size_t count, std::size_t longest) {
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  Words words(count);
  for (std::string& word : words) {
    for (std::size_t n = 1 + below(longest); n > 0; --n) word += units[below(units.size())];
  }
  // Repeated words and prefixes of listed words.
  for (std::size_t n = count / 8; n > 0; --n) {
    const std::string& word = words[below(words.size())];
    words.push_back(word.substr(0, 1 + below(word.size())));
  }
  return words;
}

// Orders of one list: as made, sorted, reversed, sorted then shuffled after
// a point, and shuffled.
std::vector<Words> Orders(const Words& words, std::mt19937& random) {
  Words sorted = words;
  std::sort(sorted.begin(), sorted.end());
  Words reversed(sorted.rbegin(), sorted.rend());
  Words half = sorted;
  std::shuffle(half.begin() + static_cast<std::ptrdiff_t>(half.size() / 2), half.end(), random);
  Words shuffled = words;
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  return {words, sorted, reversed, half, shuffled};
}

// The tree of the reference: every word inserted by itself, in list order,
// under the coding the loader found.
struct Reference {
  WordTree tree;
  std::vector<bool> stored;
};
void InsertOneByOne(const Words& words, Reference& reference) {
  for (const std::string& word : words) reference.stored.push_back(reference.tree.Insert(word));
}

void ExpectSameTree(const WordTree& actual, const WordTree& expected) {
  ASSERT_EQ(actual.node_count(), expected.node_count());
  ASSERT_EQ(actual.capacity(), expected.capacity());
  for (std::uint32_t node = 0; node < actual.node_count(); ++node) {
    const unsigned n = SlotCount(actual.LabelRow(node)[0]);
    ASSERT_TRUE(std::equal(actual.LabelRow(node), actual.LabelRow(node) + n, expected.LabelRow(node))) << node;
    for (unsigned slot = 1; slot < n; ++slot) {
      ASSERT_EQ(actual.LinkRow(node)[slot - 1], expected.LinkRow(node)[slot - 1]) << node;
    }
  }
}

// What the user sees of two trees: the automaton state by state (as the
// dump shows it), the ranked groups, the words of the best one and the file
// that Save as writes.
void ExpectSameResults(const WordTree& actual, const WordTree& expected, const test::TempDir& dir) {
  SuffixAutomaton a;
  SuffixAutomaton b;
  BuildAutomaton(actual, a);
  BuildAutomaton(expected, b);
  ASSERT_EQ(a.count(), b.count());
  for (std::uint32_t state = 1; state < a.count(); ++state) {
    const unsigned n = a.SlotCountOf(state);
    ASSERT_TRUE(std::equal(a.LabelRow(state), a.LabelRow(state) + n, b.LabelRow(state))) << state;
    ASSERT_TRUE(std::equal(a.TargetRow(state), a.TargetRow(state) + n, b.TargetRow(state))) << state;
    ASSERT_EQ(a.SuffixCount(state), b.SuffixCount(state)) << state;
  }
  AnalysisSettings loose;
  loose.min_words = 1;
  loose.min_suffixes = 1;
  const std::vector<std::uint32_t> ranked = a.RankMainGroups(loose);
  ASSERT_EQ(ranked, b.RankMainGroups(loose));
  if (!ranked.empty()) {
    ASSERT_EQ(a.GetWords(ranked[0]), b.GetWords(ranked[0]));
  }
  ASSERT_FALSE(actual.SaveAll(dir.PathOf("actual")));
  ASSERT_FALSE(expected.SaveAll(dir.PathOf("expected")));
  ASSERT_EQ(test::ReadFile(dir.PathOf("actual")), test::ReadFile(dir.PathOf("expected")));
}

// States with the rows of an earlier state: left unmerged because a child's
// state was new when the node was reached.
std::uint32_t UnmergedStates(const WordTree& tree) {
  SuffixAutomaton automaton;
  BuildAutomaton(tree, automaton);
  std::uint32_t unmerged = 0;
  for (std::uint32_t s = 3; s < automaton.count(); ++s) {
    const unsigned n = automaton.SlotCountOf(s);
    for (std::uint32_t t = 2; t < s; ++t) {
      if (automaton.SlotCountOf(t) == n && std::equal(automaton.LabelRow(s), automaton.LabelRow(s) + n, automaton.LabelRow(t)) &&
          std::equal(automaton.TargetRow(s) + 1, automaton.TargetRow(s) + n, automaton.TargetRow(t) + 1)) {
        ++unmerged;
        break;
      }
    }
  }
  return unmerged;
}

TEST(ListOrder, EveryOrderLoadsAsInsertedWordByWord) {
  static const Words kUnits[] = {{"a", "b"}, {"a", "b", "c"}, {"a", "e", "k", "s", "t"}, {"a", "\x80", "\xff"},
                                 {"\xc3\xa4", "o", "\xd1\x88", "\xe2\x82\xac"}};
  test::TempDir dir;
  std::uint32_t lists_with_unmerged_states = 0;
  for (std::uint32_t seed = 0; seed < 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const Words& units = kUnits[seed % 5];
    const Words list = RandomList(random, units, 150 + random() % 400, 1 + seed % 9);
    const bool as_characters = seed % 3 == 0;
    const std::uint32_t buffer_size = 10 + seed % 50;
    for (const Words& words : Orders(list, random)) {
      WordTree loaded;
      const LoadedWordList result = LoadWordListText(test::AsLines(words), buffer_size, as_characters, loaded);
      ASSERT_TRUE(result.ok());
      Reference reference;
      reference.tree.Reset();
      reference.tree.Configure(loaded.coding(), buffer_size);
      InsertOneByOne(words, reference);
      reference.tree.TrimCapacity();
      ASSERT_EQ(result.stats.words_refused, std::count(reference.stored.begin(), reference.stored.end(), false));
      ExpectSameTree(loaded, reference.tree);
      ExpectSameResults(loaded, reference.tree, dir);
      if (HasFatalFailure()) return;
      lists_with_unmerged_states += UnmergedStates(loaded) > 0 ? 1 : 0;
    }
  }
  // The orders that leave states unmerged were among those checked.
  EXPECT_GT(lists_with_unmerged_states, 10u);
}

// A list whose tree is recoded in ranges on several processors once it is
// read (more than two ranges of 2^16 nodes), sorted and shuffled: the
// one-child rows and the wider ones of every range, the first and last
// nodes of each included, get the codes of the list's order.
TEST(ListOrder, LargeTreesAreRecodedAsInsertedWordByWord) {
  std::mt19937 random(7);
  const Words list = RandomList(random, {"a", "e", "i", "k", "n", "o", "s", "t", "\xc3\xa4"}, 60000, 12);
  for (const bool as_characters : {false, true}) {
    for (const Words& words : Orders(list, random)) {
      WordTree loaded;
      ASSERT_TRUE(LoadWordListText(test::AsLines(words), 1000, as_characters, loaded).ok());
      ASSERT_GT(loaded.node_count(), 2u << 16);
      Reference reference;
      reference.tree.Reset();
      reference.tree.Configure(loaded.coding(), 1000);
      InsertOneByOne(words, reference);
      reference.tree.TrimCapacity();
      ExpectSameTree(loaded, reference.tree);
      if (HasFatalFailure()) return;
    }
  }
}

// Wide lists: some node is offered more than 126 children, and which words
// are refused depends on the order.
TEST(ListOrder, RefusedWordsAreThoseOfTheListOrder) {
  test::TempDir dir;
  for (std::uint32_t seed = 0; seed < 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Words units;
    for (int byte = 33; byte < 256; ++byte) units.emplace_back(1, static_cast<char>(byte));
    const Words list = RandomList(random, units, 300 + random() % 300, 3);
    for (const Words& words : Orders(list, random)) {
      WordTree loaded;
      const LoadedWordList result = LoadWordListText(test::AsLines(words), 10000, false, loaded);
      Reference reference;
      reference.tree.Reset();
      reference.tree.Configure(loaded.coding(), 10000);
      InsertOneByOne(words, reference);
      reference.tree.TrimCapacity();
      const auto refused = std::count(reference.stored.begin(), reference.stored.end(), false);
      ASSERT_GT(refused, 0);
      ASSERT_EQ(result.stats.words_refused, refused);
      ExpectSameTree(loaded, reference.tree);
      ExpectSameResults(loaded, reference.tree, dir);
      if (HasFatalFailure()) return;
    }
  }
}

// Update: many words into a loaded tree, in any order, from memory or from a
// file, some of them with a character the coding lacks or beyond a full node.
TEST(ListOrder, UpdateInsertsAsWordByWord) {
  test::TempDir dir;
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Words units{"a", "i", "n", "s", "\xc3\xb6"};
    const bool as_characters = seed % 2 == 0;
    const Words list = RandomList(random, units, 50 + random() % 200, 6);
    units.emplace_back("\xd0\xb6");  // not in the list: refused in character mode
    if (seed % 4 == 1) {
      for (int byte = 33; byte < 200; ++byte) units.emplace_back(1, static_cast<char>(byte));
    }
    const std::string text = test::AsLines(list);
    for (const Words& more : Orders(RandomList(random, units, 150 + random() % 300, 7), random)) {
      WordTree updated;
      ASSERT_TRUE(LoadWordListText(text, 10 + seed, as_characters, updated).ok());
      Reference reference;
      ASSERT_TRUE(LoadWordListText(text, 10 + seed, as_characters, reference.tree).ok());
      InsertOneByOne(more, reference);
      ASSERT_EQ(InsertWords(updated, more), reference.stored);
      ExpectSameTree(updated, reference.tree);
      ExpectSameResults(updated, reference.tree, dir);
      // The same words read from a file, as tarvo-cli --insert reads them.
      WordTree from_file;
      ASSERT_TRUE(LoadWordListText(text, 10 + seed, as_characters, from_file).ok());
      ListOrderInserter inserter(from_file);
      WordListStats stats;
      ASSERT_FALSE(inserter.AddFile(dir.Write("more.txt", test::AsLines(more)), stats));
      stats.words_refused += inserter.Finish().size();
      EXPECT_EQ(stats.words, more.size());
      EXPECT_EQ(stats.words_refused,
                static_cast<std::uint64_t>(std::count(reference.stored.begin(), reference.stored.end(), false)));
      ExpectSameTree(from_file, reference.tree);
      if (HasFatalFailure()) return;
    }
  }
}

// Words that end where others go on, prefixes that the tree already has or
// that an earlier word made, the empty word, a very long word, and wide
// nodes that send the words back to list order.
TEST(ListOrder, EveryKindOfPrefixGivesTheTreeOfTheListOrder) {
  test::TempDir dir;
  for (std::uint32_t seed = 0; seed < 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    Words units{"a", "b", "n", "s", "\xc3\xb6"};
    if (seed % 5 == 4) {
      for (int byte = 33; byte < 200; ++byte) units.emplace_back(1, static_cast<char>(byte));
    }
    const std::string text = test::AsLines(RandomList(random, units, 30 + random() % 60, 5));
    Words more = RandomList(random, units, 200 + random() % 200, 8);
    if (seed % 3 == 0) more.emplace_back();
    // Longer than a collected word may be: it goes in between the others.
    if (seed % 3 == 1) more.push_back(std::string(300, 'a') + "b");
    std::shuffle(more.begin(), more.end(), random);
    for (const bool into_list : {false, true}) {
      WordTree tree;
      Reference reference;
      ASSERT_TRUE(LoadWordListText(into_list ? text : "", 10 + seed, false, tree).ok());
      ASSERT_TRUE(LoadWordListText(into_list ? text : "", 10 + seed, false, reference.tree).ok());
      InsertOneByOne(more, reference);
      ASSERT_EQ(InsertWords(tree, more), reference.stored);
      ExpectSameTree(tree, reference.tree);
      ExpectSameResults(tree, reference.tree, dir);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tarvo
