#include <gtest/gtest.h>

#include <cmath>

#include "automaton/analysis_settings.h"
#include "automaton/suffix_automaton.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::BuildEngine;
using test::Engine;

AnalysisSettings Loose(std::uint32_t groups) {
  AnalysisSettings settings;
  settings.min_words = 1;
  settings.min_suffixes = 1;
  settings.groups_shown = groups;
  return settings;
}

// Stems x1..x7 and y1..y7 with seven shared endings each, in two families
// whose endings differ: groups of 7 stems and 7 suffixes.
std::vector<std::string> SevenBySeven() {
  std::vector<std::string> words;
  for (char stem = '1'; stem <= '7'; ++stem) {
    for (const char* ending : {"a", "b", "c", "d", "e", "f", "g"}) words.push_back(std::string("x") + stem + ending);
    for (const char* ending : {"h", "i", "j", "k", "l", "m", "n"}) words.push_back(std::string("y") + stem + ending);
  }
  return words;
}

TEST(Ranking, EqualScoresStoredAboveTheDoubleKeepTheEarlierGroupFirst) {
  Engine e;
  BuildEngine(e, {"walk", "walks", "walked", "talk", "talks", "talked"});
  const double score = std::log(3.0) + std::log(2.0);
  ASSERT_GT(static_cast<double>(static_cast<float>(score)), score);
  EXPECT_EQ(e.automaton.RankMainGroups(Loose(5)), (std::vector<std::uint32_t>{3, 4, 5, 6}));
  // A full list does not let a later equal group in.
  EXPECT_EQ(e.automaton.RankMainGroups(Loose(1)), (std::vector<std::uint32_t>{3}));
}

TEST(Ranking, EqualScoresStoredBelowTheDoublePutTheLaterGroupFirst) {
  Engine e;
  BuildEngine(e, SevenBySeven());
  const double score = 2 * std::log(7.0);
  ASSERT_LT(static_cast<double>(static_cast<float>(score)), score);
  AnalysisSettings settings = Loose(15);
  settings.min_words = 6;
  settings.min_suffixes = 6;
  std::vector<std::uint32_t> ranked = e.automaton.RankMainGroups(settings);
  ASSERT_GE(ranked.size(), 2u);
  for (std::uint32_t group : ranked) {
    EXPECT_EQ(e.automaton.WordCount(group), 7u);
    EXPECT_EQ(e.automaton.SuffixCount(group), 7u);
  }
  EXPECT_TRUE(std::is_sorted(ranked.rbegin(), ranked.rend()));
  // A full list of one: each later equal group replaces the earlier one.
  settings.groups_shown = 1;
  EXPECT_EQ(e.automaton.RankMainGroups(settings), (std::vector<std::uint32_t>{ranked.front()}));
}

TEST(Ranking, MinimumsAreStrictAndNonPositiveScoresNeverEnter) {
  Engine e;
  BuildEngine(e, SevenBySeven());
  AnalysisSettings settings = Loose(15);
  settings.min_words = 7;
  EXPECT_TRUE(e.automaton.RankMainGroups(settings).empty());
  settings = Loose(15);
  settings.min_suffixes = 7;
  EXPECT_TRUE(e.automaton.RankMainGroups(settings).empty());
  settings = Loose(15);
  settings.word_weight = -2.0f;  // ln 7 - 2 ln 7 < 0
  EXPECT_TRUE(e.automaton.RankMainGroups(settings).empty());
  // The defaults ask for more than 15 stems and 5 suffixes.
  EXPECT_TRUE(e.automaton.RankMainGroups(AnalysisSettings{}).empty());

  Engine tiny;
  BuildEngine(tiny, {"a"});
  EXPECT_TRUE(tiny.automaton.RankMainGroups(Loose(15)).empty());
}

TEST(Ranking, BestScoresFirstAndCutToTheListLength) {
  Engine e;
  // Groups with 2, 3 and 4 stems sharing three endings each.
  std::vector<std::string> words;
  auto family = [&](const std::string& stem_letters, const std::string& endings) {
    for (char s : stem_letters) {
      for (char ending : endings) words.push_back(std::string("q") + s + ending);
    }
  };
  family("ab", "xyz");
  family("cde", "uvw");
  family("fghi", "rst");
  BuildEngine(e, words);
  std::vector<std::uint32_t> ranked = e.automaton.RankMainGroups(Loose(2));
  ASSERT_EQ(ranked.size(), 2u);
  EXPECT_EQ(e.automaton.WordCount(ranked[0]), 4u);
  EXPECT_EQ(e.automaton.WordCount(ranked[1]), 3u);
}

}  // namespace
}  // namespace tarvo
