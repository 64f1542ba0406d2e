// Property tests: on random word lists, the engine agrees with a plain
// set-based computation of stems and endings.
#include <gtest/gtest.h>

#include <set>

#include "lexicon/alphabet_order.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::SuffixModel;

// Checks every stem's state against the model: its suffixes are exactly the
// stem's endings, and its word count is the number of stems reaching it.
void ExpectAutomatonMatchesModel(const CSuffixAutomaton& a, const SuffixModel& model) {
  std::map<std::uint32_t, std::uint32_t> stems_per_state;
  for (const auto& [stem, endings] : model.endings_of_stem()) {
    const std::uint32_t state = test::StateOfPrefix(a, stem);
    ASSERT_NE(state, 0u) << stem;
    ++stems_per_state[state];
    ASSERT_EQ(a.SuffixCount(state), endings.size()) << stem;
    std::vector<std::string> suffixes = a.GetSuffixes(state);
    ASSERT_EQ(std::set<std::string>(suffixes.begin(), suffixes.end()), endings) << stem;
    ASSERT_EQ(suffixes.size(), endings.size()) << "suffixes repeat for " << stem;
    for (const std::string& suffix : suffixes) ASSERT_TRUE(model.words().count(stem + suffix));
  }
  const std::uint32_t expected_states = model.words().empty() ? 1 : static_cast<std::uint32_t>(stems_per_state.size());
  ASSERT_EQ(a.count() - 1, expected_states);
  for (std::uint32_t s = 1; s < a.count(); ++s) {
    ASSERT_EQ(a.WordCount(s), stems_per_state[s] + (model.words().empty() ? 1 : 0)) << s;
    for (unsigned slot = 1; slot < a.SlotCountOf(s); ++slot) {
      ASSERT_LT(a.TargetRow(s)[slot], s);
      ASSERT_NE(a.TargetRow(s)[slot], 0u);
    }
  }
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
    ExpectAutomatonMatchesModel(engine.automaton, model);
    if (HasFatalFailure()) return;
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

}  // namespace
}  // namespace tarvo
