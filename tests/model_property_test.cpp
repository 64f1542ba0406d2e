// Property tests: on random word lists, the engine agrees with a plain
// set-based computation of stems and endings (engine_checks.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "lexicon/alphabet_order.h"
#include "lexicon/word_list_loader.h"
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
    WordTree tree;
    ASSERT_TRUE(LoadWordList(source, 16, false, tree).ok());
    ASSERT_EQ(tree.SaveAll(dir.PathOf("saved.txt")), std::error_code());

    WordListStats stats;
    std::vector<std::string> saved;
    ASSERT_EQ(test::ForEachWordInFile(dir.PathOf("saved.txt"), stats, [&](std::string_view w) { saved.emplace_back(w); }),
              std::error_code());
    EXPECT_EQ(std::set<std::string>(saved.begin(), saved.end()), std::set<std::string>(words.begin(), words.end()));
    EXPECT_EQ(saved.size(), std::set<std::string>(words.begin(), words.end()).size());

    // The saved words put back under the same order are saved the same.
    WordTree reloaded;
    reloaded.Reset();
    reloaded.Configure(tree.coding(), 16);
    for (const std::string& word : saved) reloaded.Insert(word);
    ASSERT_EQ(reloaded.SaveAll(dir.PathOf("again.txt")), std::error_code());
    EXPECT_EQ(test::ReadFile(dir.PathOf("again.txt")), test::ReadFile(dir.PathOf("saved.txt")));
  }
}

TEST(ModelProperty, DistanceWordsAndGenerationMatchTheSetModel) {
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::vector<std::string> words = test::RandomWords(seed, seed % 2 ? "abc" : "a\xe9" "b", 50, 6);
    test::Engine engine;
    test::BuildEngine(engine, words);
    const SuffixAutomaton& a = engine.automaton;
    SuffixModel model(words);
    EngineCheck check(a, model);
    ASSERT_EQ(check.Structure(), "");
    for (std::uint32_t m = 1; m < a.count(); ++m) ASSERT_EQ(check.Group(m, {0, 1, 2}), "");
    ASSERT_EQ(check.Ranking(Loose(), a.RankMainGroups(Loose())), "");
  }
}

// A random word list file: words over a random alphabet (often with bytes
// 128 to 255, or of UTF-8 characters of one to four bytes) between runs of
// every separator including byte 0, sometimes with tokens of exactly 255
// and 256 bytes; words to insert later, partly with bytes or characters the
// file does not contain; and whether to ask for the list as characters.
struct RandomListFile {
  std::string content;
  std::vector<std::string> later;
  bool as_characters = false;
};

RandomListFile MakeRandomListFile(std::uint32_t seed) {
  std::mt19937 random(seed);
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  using Units = std::vector<std::string>;
  static const Units kAlphabets[] = {
      {"a", "b"}, {"a", "b", "c"}, {"a", "e", "i", "k", "s"}, {"a", "\x80", "\xff", "b"},
      {"\xc3", "\xa4", "\xb6", "o"}, {"\xc3\xa4", "\xc3\xb6", "o", "\xd1\x88"},
      {"a", "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9d\x84\x9e"}};
  Units alphabet = kAlphabets[below(7)];
  if (below(4) == 0) {
    alphabet.clear();
    for (std::size_t n = 2 + below(5); alphabet.size() < n;) {
      const std::string byte(1, static_cast<char>(1 + below(255)));
      if (!test::ReferenceSplit(byte).words.empty()) alphabet.push_back(byte);
    }
  }
  auto random_word = [&](const Units& units) {
    std::string word;
    for (std::size_t n = 1 + below(6); n > 0; --n) word += units[below(units.size())];
    return word;
  };
  std::vector<std::string> words(below(41));
  for (std::string& word : words) word = random_word(alphabet);
  if (!words.empty() && below(10) == 0) {
    std::string edge = words[below(words.size())];
    while (edge.size() < 255) edge += alphabet[0].size() == 1 ? alphabet[0] : "z";
    edge.resize(255);
    words.push_back(edge);        // kept
    words.push_back(edge + "z");  // skipped
    std::shuffle(words.begin(), words.end(), random);
  }
  static const char kSeparators[] = {' ', '\t', '\n', '\v', '\f', '\r', '\0'};
  RandomListFile list;
  for (const std::string& word : words) {
    for (std::size_t n = below(3) + (list.content.empty() ? 0 : 1); n > 0; --n) list.content += kSeparators[below(7)];
    list.content += word;
  }
  if (below(2) == 0) list.content += kSeparators[below(7)];
  Units more = alphabet;
  if (below(2) == 0) more.insert(more.end(), {"\x01", "\xd0\xb6"});
  list.later.resize(below(9));
  for (std::string& word : list.later) word = random_word(more);
  list.as_characters = below(4) == 0;
  return list;
}

// What the model expects of opening a list's words: whether they are read
// as characters, and the accepted words.
struct ExpectedOpen {
  bool characters = false;
  test::AcceptanceModel accepted;
};

ExpectedOpen ExpectOpen(const std::vector<std::string>& words, bool as_characters) {
  std::set<std::string> characters;
  bool all_utf8 = true;
  std::vector<std::size_t> at;
  for (const std::string& word : words) {
    all_utf8 = all_utf8 && test::SymbolBoundaries(word, true, at);
    for (std::size_t k = 0; all_utf8 && k + 1 < at.size(); ++k) characters.insert(word.substr(at[k], at[k + 1] - at[k]));
  }
  ExpectedOpen expected;
  expected.characters = as_characters && all_utf8 && characters.size() <= 255;
  if (expected.characters) expected.accepted = test::AcceptanceModel(characters);
  for (const std::string& word : words) expected.accepted.Insert(word);
  return expected;
}

// Two trees with the same nodes: every row equal.
void ExpectSameTree(const WordTree& a, const WordTree& b) {
  ASSERT_EQ(a.node_count(), b.node_count());
  for (std::uint32_t node = 0; node < a.node_count(); ++node) {
    const unsigned n = SlotCount(a.LabelRow(node)[0]);
    ASSERT_TRUE(std::equal(a.LabelRow(node), a.LabelRow(node) + n, b.LabelRow(node))) << node;
    for (unsigned slot = 1; slot < n; ++slot) {
      ASSERT_EQ(a.LinkRow(node)[slot - 1], b.LinkRow(node)[slot - 1]) << node;
    }
  }
}

void ExpectGroupsMatch(const SuffixAutomaton& a, const SuffixModel& model, std::uint32_t seed) {
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
  for (std::uint32_t seed = 0; seed < 1600; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const RandomListFile list = MakeRandomListFile(seed);
    dir.Write("list", list.content);
    const test::Split split = test::ReferenceSplit(list.content);
    ExpectedOpen expected = ExpectOpen(split.words, list.as_characters);
    test::AcceptanceModel& accepted = expected.accepted;

    WordTree tree;
    SuffixAutomaton automaton;
    const OpenReport report = OpenWordList(path, 10 + seed % 20, tree, automaton, list.as_characters);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report.characters, expected.characters);
    ASSERT_EQ(report.stats.words, split.words.size());
    ASSERT_EQ(report.stats.long_tokens_skipped, split.long_tokens);
    ASSERT_EQ(report.stats.words_refused, accepted.refused());

    // Load takes shortcuts between neighbouring words; inserting the same
    // words one by one gives the same tree.
    WordTree inserted;
    inserted.Reset();
    inserted.Configure(tree.coding(), 10);
    for (const std::string& word : split.words) inserted.Insert(word);
    ExpectSameTree(tree, inserted);
    ExpectGroupsMatch(automaton, SuffixModel(accepted.accepted(), expected.characters), seed);
    if (HasFatalFailure()) return;

    // Update: more words into the loaded tree with the coding kept, then the
    // automaton built again.
    const SymbolTable order = tree.char_to_code();
    const std::vector<std::string> coded = tree.coding().coded_characters();
    for (const std::string& word : list.later) ASSERT_EQ(tree.Insert(word), accepted.Insert(word)) << word;
    BuildAutomaton(tree, automaton);
    ASSERT_EQ(automaton.char_to_code(), order);
    ASSERT_EQ(automaton.coding().coded_characters(), coded);
    ExpectGroupsMatch(automaton, SuffixModel(accepted.accepted(), expected.characters), seed);
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
