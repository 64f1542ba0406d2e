// Property tests: on random word lists, the engine agrees with a plain
// set-based computation of stems and endings (engine_checks.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "automaton/open_word_list.h"
#include "lexicon/alphabet_order.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::EngineCheck;
using test::SuffixModel;

AnalysisSettings Loose() {
  AnalysisSettings settings;
  settings.min_words = 1;
  settings.min_suffixes = 1;
  settings.groups_shown = 3;
  return settings;
}

// The model of the words in the order given, with the tree's refusals.
SuffixModel ModelOf(const std::vector<std::string>& words) {
  test::AcceptanceModel accepted;
  for (const std::string& word : words) accepted.Insert(word);
  return SuffixModel(accepted.accepted());
}

TEST(ModelProperty, RandomListsMatchTheSetModel) {
  const std::string alphabets[] = {"ab", "abc", "aeiks", "a\x80\xff" "b"};
  for (std::uint32_t seed = 0; seed < 400; ++seed) {
    const std::string& alphabet = alphabets[seed % 4];
    std::vector<std::string> words = test::RandomWords(seed, alphabet, 40, 6);
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::Engine engine;
    test::BuildEngine(engine, words, 10 + seed % 7);
    SuffixModel model(words);
    ASSERT_EQ(EngineCheck(engine.automaton, model).Structure(), "");
  }
}

TEST(ModelProperty, SaveAllThenOpenGivesTheSameWordsAndFile) {
  test::TempDir dir;
  for (std::uint32_t seed = 0; seed < 60; ++seed) {
    std::vector<std::string> words = test::RandomWords(seed, "xyz\xe4", 60, 5);
    const std::string source = dir.Write("in.txt", test::AsLines(words));
    SymbolTable order = IdentitySymbolTable();
    ASSERT_EQ(CAlphabetOrder().Compute(source, order), 0);
    CWordTree tree;
    tree.Reset();
    tree.Configure(order, 16);
    ASSERT_EQ(tree.Load(source), 0);
    ASSERT_EQ(tree.SaveAll(dir.PathOf("saved.txt")), 0);

    WordListStats stats;
    std::vector<std::string> saved;
    ForEachWordInFile(dir.PathOf("saved.txt"), stats, [&](std::string_view w) { saved.emplace_back(w); });
    EXPECT_EQ(std::set<std::string>(saved.begin(), saved.end()), std::set<std::string>(words.begin(), words.end()));
    EXPECT_EQ(saved.size(), std::set<std::string>(words.begin(), words.end()).size());

    CWordTree reloaded;
    reloaded.Reset();
    reloaded.Configure(order, 16);
    ASSERT_EQ(reloaded.Load(dir.PathOf("saved.txt")), 0);
    ASSERT_EQ(reloaded.SaveAll(dir.PathOf("again.txt")), 0);
    EXPECT_EQ(test::ReadFile(dir.PathOf("again.txt")), test::ReadFile(dir.PathOf("saved.txt")));
  }
}

TEST(ModelProperty, DistanceWordsAndGenerationMatchTheSetModel) {
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::vector<std::string> words = test::RandomWords(seed, seed % 2 ? "abc" : "a\xe9" "b", 50, 6);
    test::Engine engine;
    test::BuildEngine(engine, words);
    const CSuffixAutomaton& a = engine.automaton;
    SuffixModel model(words);
    EngineCheck check(a, model);
    ASSERT_EQ(check.Structure(), "");
    for (std::uint32_t m = 1; m < a.count(); ++m) ASSERT_EQ(check.Group(m, {0, 1, 2}), "");
    ASSERT_EQ(check.Ranking(Loose(), a.RankMainGroups(Loose())), "");
  }
}

// A random word list file: words over a random alphabet (often with bytes
// 128 to 255) between runs of every separator including byte 0, sometimes
// with tokens of exactly 255 and 256 bytes; and words to insert later, partly
// over bytes the file does not contain.
struct RandomListFile {
  std::string content;
  std::vector<std::string> later;
};

RandomListFile MakeRandomListFile(std::uint32_t seed) {
  std::mt19937 random(seed);
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  static const std::string kAlphabets[] = {"ab", "abc", "aeiks", "a\x80\xff" "b", "\xc3\xa4\xb6o"};
  std::string alphabet = kAlphabets[below(5)];
  if (below(3) == 0) {
    alphabet.clear();
    for (std::size_t n = 2 + below(5); alphabet.size() < n;) {
      const auto c = static_cast<char>(1 + below(255));
      if (!test::ReferenceSplit(std::string(1, c)).words.empty()) alphabet += c;
    }
  }
  std::vector<std::string> words = test::RandomWords(seed, alphabet, 40, 6);
  if (!words.empty() && below(10) == 0) {
    std::string edge = words[below(words.size())];
    while (edge.size() < 255) edge += alphabet[below(alphabet.size())];
    words.push_back(edge);                                    // kept
    words.push_back(edge + alphabet[below(alphabet.size())]);  // skipped
    std::shuffle(words.begin(), words.end(), random);
  }
  static const char kSeparators[] = {' ', '\t', '\n', '\v', '\f', '\r', '\0'};
  RandomListFile list;
  for (const std::string& word : words) {
    for (std::size_t n = below(3) + (list.content.empty() ? 0 : 1); n > 0; --n) list.content += kSeparators[below(7)];
    list.content += word;
  }
  if (below(2) == 0) list.content += kSeparators[below(7)];
  list.later = test::RandomWords(seed + 1000000, below(2) == 0 ? alphabet : alphabet + "\x01\xfe", 8, 6);
  return list;
}

// Two trees with the same nodes: every row equal.
void ExpectSameTree(const CWordTree& a, const CWordTree& b) {
  ASSERT_EQ(a.node_count(), b.node_count());
  for (std::uint32_t node = 0; node < a.node_count(); ++node) {
    const unsigned n = SlotCount(a.LabelRow(node)[0]);
    ASSERT_TRUE(std::equal(a.LabelRow(node), a.LabelRow(node) + n, b.LabelRow(node))) << node;
    if (n > 1) {
      ASSERT_TRUE(std::equal(a.LinkRow(node), a.LinkRow(node) + n - 1, b.LinkRow(node))) << node;
    }
  }
}

void ExpectGroupsMatch(const CSuffixAutomaton& a, const SuffixModel& model, std::uint32_t seed) {
  EngineCheck check(a, model);
  ASSERT_EQ(check.Structure(), "");
  const std::vector<std::uint32_t> ranked = a.RankMainGroups(Loose());
  ASSERT_EQ(check.Ranking(Loose(), ranked), "");
  // The best group and one more, chosen by the seed.
  std::vector<std::uint32_t> mains{1 + seed % (a.count() - 1)};
  if (!ranked.empty()) mains.push_back(ranked[0]);
  for (std::uint32_t main : mains) ASSERT_EQ(check.Group(main, {0, 1, 2, 3}), "");
}

// Thousands of lists read through files the way Open reads them, then
// updated with more words the way Update inserts them.
TEST(ModelProperty, ListsReadFromFilesAndUpdatedMatchTheSetModel) {
  test::TempDir dir;
  const std::string path = dir.PathOf("list");
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const RandomListFile list = MakeRandomListFile(seed);
    dir.Write("list", list.content);
    const test::Split split = test::ReferenceSplit(list.content);
    test::AcceptanceModel accepted;
    for (const std::string& word : split.words) accepted.Insert(word);

    CWordTree tree;
    CSuffixAutomaton automaton;
    const OpenReport report = OpenWordList(path, 10 + seed % 20, tree, automaton);
    ASSERT_TRUE(report.ok);
    ASSERT_EQ(report.load_pass.words, split.words.size());
    ASSERT_EQ(report.order_pass.words, split.words.size());
    ASSERT_EQ(report.load_pass.long_tokens_skipped, split.long_tokens);
    ASSERT_EQ(report.load_pass.words_refused, accepted.refused());

    // Load takes shortcuts between neighbouring words; inserting the same
    // words one by one gives the same tree.
    CWordTree inserted;
    inserted.Reset();
    inserted.Configure(tree.char_to_code(), 10);
    for (const std::string& word : split.words) inserted.Insert(word);
    ExpectSameTree(tree, inserted);
    ExpectGroupsMatch(automaton, SuffixModel(accepted.accepted()), seed);
    if (HasFatalFailure()) return;

    // Update: more words into the loaded tree with the alphabet order kept,
    // then the automaton built again.
    const SymbolTable order = tree.char_to_code();
    for (const std::string& word : list.later) ASSERT_EQ(tree.Insert(word), accepted.Insert(word)) << word;
    tree.BuildAutomaton(automaton);
    ASSERT_EQ(tree.char_to_code(), order);
    ASSERT_EQ(automaton.char_to_code(), order);
    ExpectGroupsMatch(automaton, SuffixModel(accepted.accepted()), seed);
    if (HasFatalFailure()) return;
  }
}

// Wide lists with few shared endings: the refusal of a 127th child, state
// numbers far apart, and many single-transition states.
TEST(ModelProperty, WideListsWithRefusedWordsMatchTheSetModel) {
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<std::string> words;
    for (int k = 0; k < 400; ++k) {
      std::string word;
      for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) word += static_cast<char>(1 + random() % 255);
      words.push_back(word);
    }
    test::Engine engine;
    test::BuildEngine(engine, words);
    const SuffixModel model = ModelOf(words);
    ASSERT_LT(model.words().size(), std::set<std::string>(words.begin(), words.end()).size());
    ExpectGroupsMatch(engine.automaton, model, seed);
  }
}

}  // namespace
}  // namespace tarvo
