// Property tests: on random word lists, the engine agrees with a plain
// set-based computation of stems and endings.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
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

namespace tarvo {
namespace {

std::set<std::string> SuffixSet(const CSuffixAutomaton& a, std::uint32_t state) {
  std::vector<std::string> suffixes = a.GetSuffixes(state);
  return {suffixes.begin(), suffixes.end()};
}

std::set<std::string> Difference(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> result;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(result, result.end()));
  return result;
}

TEST(ModelProperty, DistanceWordsAndGenerationMatchTheSetModel) {
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::vector<std::string> words = test::RandomWords(seed, seed % 2 ? "abc" : "a\xe9" "b", 50, 6);
    test::Engine engine;
    test::BuildEngine(engine, words);
    const CSuffixAutomaton& a = engine.automaton;
    SuffixModel model(words);
    std::map<std::uint32_t, std::set<std::string>> stems_of;
    for (const auto& [stem, endings] : model.endings_of_stem()) stems_of[test::StateOfPrefix(a, stem)].insert(stem);

    for (std::uint32_t g = 1; g < a.count(); ++g) {
      std::vector<std::string> stems = a.GetWords(g);
      ASSERT_EQ(stems.size(), a.WordCount(g));
      if (!model.words().empty()) {
        ASSERT_EQ(std::set<std::string>(stems.begin(), stems.end()), stems_of[g]);
      }
    }
    for (std::uint32_t m = 1; m < a.count(); ++m) {
      const std::set<std::string> main_suffixes = SuffixSet(a, m);
      for (std::uint32_t g = 1; g < a.count(); ++g) {
        const std::set<std::string> lacking = Difference(main_suffixes, SuffixSet(a, g));
        ASSERT_EQ(a.ExactDistance(m, g), lacking.size()) << m << " " << g;
        for (std::uint32_t limit : {0u, 1u, 2u, 3u}) {
          const std::uint32_t limited = a.Distance(m, g, limit);
          if (lacking.size() < limit) ASSERT_EQ(limited, lacking.size());
          else ASSERT_GE(limited, std::min<std::uint32_t>(limit, lacking.size()));
          ASSERT_LE(limited, lacking.size());
        }
        std::vector<std::string> differing = a.GetDifferingSuffixes(g, m);
        ASSERT_EQ(std::set<std::string>(differing.begin(), differing.end()), lacking);
        ASSERT_EQ(differing.size(), lacking.size());
        if (!differing.empty() && !a.IsFinalState(g) && a.IsFinalState(m)) {
          ASSERT_EQ(differing.back(), "");
        }

        std::vector<std::string> generated = a.GenerateWords(g, m);
        std::vector<std::string> stems = a.GetWords(g);
        ASSERT_EQ(generated.size(), stems.size() * differing.size());
        for (std::size_t k = 0; k < generated.size(); ++k) {
          ASSERT_EQ(generated[k], stems[k / differing.size()] + differing[k % differing.size()]);
        }
      }
      for (std::uint32_t d : {0u, 1u, 2u}) {
        std::vector<std::string> automatic;
        for (std::uint32_t g : a.FindSuspiciousGroups(m, d)) {
          ASSERT_GE(g, 2u);
          ASSERT_EQ(Difference(main_suffixes, SuffixSet(a, g)).size(), d);
          for (std::string& w : a.GenerateWords(g, m)) automatic.push_back(std::move(w));
        }
        ASSERT_EQ(a.AutomaticWords(m, d), automatic);
      }
    }
  }
}

}  // namespace
}  // namespace tarvo
