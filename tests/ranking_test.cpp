#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "automaton/analysis_settings.h"
#include "automaton/best_scores.h"
#include "automaton/suffix_automaton.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::BuildEngine;
using test::Engine;
using Offers = std::vector<std::pair<std::uint32_t, double>>;

// The reference model: the ranked list as a row of slots holding a state and
// its score stored as a float. A score enters only above the last slot's
// stored score and goes after every slot whose stored score is above it;
// the slots after it move down one, and the last one drops out.
std::vector<std::uint32_t> SlotRanking(const Offers& offers, std::uint32_t slot_count) {
  if (slot_count == 0) return {};
  std::vector<std::uint32_t> ids(slot_count, 0);
  std::vector<float> stored(slot_count, 0.0f);
  for (const auto& [state, score] : offers) {
    if (!(score > static_cast<double>(stored[slot_count - 1]))) continue;
    std::uint32_t p = slot_count - 1;
    while (p > 0 && !(static_cast<double>(stored[p - 1]) > score)) --p;
    for (std::uint32_t k = slot_count - 1; k > p; --k) {
      ids[k] = ids[k - 1];
      stored[k] = stored[k - 1];
    }
    ids[p] = state;
    stored[p] = static_cast<float>(score);
  }
  ids.erase(std::find(ids.begin(), ids.end(), 0u), ids.end());
  return ids;
}

std::vector<std::uint32_t> BestScoresRanking(const Offers& offers, std::uint32_t capacity) {
  BestScores best(capacity);
  for (const auto& [state, score] : offers) best.Offer(state, score);
  return best.TakeRanked();
}

// Families of stems that share endings of their own, so that each family
// is a group of `stems` stems and `endings` suffixes. The counts come from
// a few values whose products repeat (2 x 9, 3 x 6, ...), so that scores
// tie exactly or only as stored floats; some random words come on top.
std::vector<std::string> FamilyWords(std::uint32_t seed) {
  std::mt19937 random(seed);
  const std::vector<int> counts = {2, 3, 4, 5, 6, 8, 9, 10, 12};
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto letters = [](int n) { return std::string{static_cast<char>('a' + n / 20), static_cast<char>('a' + n % 20)}; };
  std::vector<std::string> words = test::RandomWords(seed, "abc", 60, 5);
  const int families = 5 + pick(20);
  for (int family = 0; family < families; ++family) {
    const int stems = counts[pick(static_cast<int>(counts.size()))];
    const int endings = counts[pick(static_cast<int>(counts.size()))];
    for (int stem = 0; stem < stems; ++stem) {
      for (int ending = 0; ending < endings; ++ending) {
        words.push_back("x" + letters(family) + letters(stem) + "." + letters(family) + letters(ending));
      }
    }
  }
  std::shuffle(words.begin(), words.end(), random);
  return words;
}

// The groups a ranking considers, with their scores, in state order.
Offers EligibleGroups(const SuffixAutomaton& a, const AnalysisSettings& settings) {
  Offers offers;
  for (std::uint32_t h = 2; h + 1 < a.count(); ++h) {
    if (a.SuffixCount(h) <= settings.min_suffixes || a.WordCount(h) <= settings.min_words) continue;
    offers.emplace_back(h, GroupScore(a.WordCount(h), a.SuffixCount(h), settings.word_weight, settings.suffix_weight));
  }
  return offers;
}

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

TEST(Ranking, EachWeightMultipliesItsOwnCount) {
  Engine e;
  // Four stems with two endings and two stems with three: the word and
  // suffix counts differ within each group and between the groups.
  std::vector<std::string> words;
  for (char stem : std::string("abcd")) {
    for (char ending : std::string("xy")) words.push_back(std::string("q") + stem + ending);
  }
  for (char stem : std::string("ef")) {
    for (char ending : std::string("uvw")) words.push_back(std::string("q") + stem + ending);
  }
  BuildEngine(e, words);
  const std::uint32_t four_by_two = test::StateOfPrefix(e.automaton, "qa");
  const std::uint32_t two_by_three = test::StateOfPrefix(e.automaton, "qe");
  ASSERT_EQ(e.automaton.WordCount(four_by_two), 4u);
  ASSERT_EQ(e.automaton.SuffixCount(four_by_two), 2u);
  ASSERT_EQ(e.automaton.WordCount(two_by_three), 2u);
  ASSERT_EQ(e.automaton.SuffixCount(two_by_three), 3u);

  EXPECT_DOUBLE_EQ(GroupScore(4, 2, 0.5f, 3.0f), 3.0 * std::log(2.0) + 0.5 * std::log(4.0));
  // Heavy suffixes: 3 ln 3 + ln 2 = 3.99 beats 3 ln 2 + ln 4 = 3.47.
  AnalysisSettings settings = Loose(15);
  settings.word_weight = 1.0f;
  settings.suffix_weight = 3.0f;
  EXPECT_EQ(e.automaton.RankMainGroups(settings), (std::vector<std::uint32_t>{two_by_three, four_by_two}));
  // Heavy words: 3 ln 4 + ln 2 = 4.85 beats 3 ln 2 + ln 3 = 3.18.
  settings.word_weight = 3.0f;
  settings.suffix_weight = 1.0f;
  EXPECT_EQ(e.automaton.RankMainGroups(settings), (std::vector<std::uint32_t>{four_by_two, two_by_three}));
}

TEST(Ranking, BestScoresKeepsTheSlotOrderOfEveryScoreSequence) {
  // Scores crowd around a few floats: exactly on one, one double step above
  // or below it, halfway to the next float (which rounds to even), equal
  // repeats, zero and negative values, so that stored floats tie often.
  std::mt19937 random(20240611);
  const std::vector<float> floats = {0.5f, 1.0f, 2.0794415f, 2.0794418f, 3.25f, 7.0f};
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  auto score = [&]() -> double {
    const float f = floats[pick(floats.size())];
    const double on = static_cast<double>(f);
    const double next = static_cast<double>(std::nextafter(f, 100.0f));
    switch (pick(7)) {
      case 0: return on;
      case 1: return std::nextafter(on, 100.0);
      case 2: return std::nextafter(on, 0.0);
      case 3: return (on + next) / 2;
      case 4: return std::nextafter((on + next) / 2, 100.0);
      case 5: return pick(4) == 0 ? 0.0 : -on;
      default: return on + std::uniform_real_distribution<double>(-0.01, 0.01)(random);
    }
  };
  std::size_t exact_on_the_last_float = 0;
  for (int round = 0; round < 3000; ++round) {
    Offers offers(1 + pick(40));
    std::uint32_t state = 1;
    for (auto& offer : offers) offer = {state += 1 + static_cast<std::uint32_t>(pick(3)), score()};
    const std::uint32_t capacity = round % 10 == 0 ? 100 : static_cast<std::uint32_t>(pick(8));
    const std::vector<std::uint32_t> expected = SlotRanking(offers, capacity);
    ASSERT_EQ(BestScoresRanking(offers, capacity), expected) << "round " << round << ", capacity " << capacity;
    if (capacity > 0 && expected.size() == capacity) {
      const float last = static_cast<float>(std::find_if(offers.begin(), offers.end(), [&](const auto& o) {
                                              return o.first == expected.back();
                                            })->second);
      for (const auto& offer : offers) exact_on_the_last_float += offer.second == static_cast<double>(last);
    }
  }
  // The case where a score equal to the last stored float stays out did come up.
  EXPECT_GT(exact_on_the_last_float, 0u);
}

TEST(Ranking, RankMainGroupsKeepsTheSlotOrderOnRandomLists) {
  const std::vector<float> word_weights = {1.0f, 0.5f, 2.0f, 0.0f, -0.25f, 1.5f};
  const std::vector<float> suffix_weights = {1.0f, 2.0f, 1.5f, 100.0f};
  const std::vector<std::uint32_t> lengths = {1, 2, 3, 7, 1000, 2147483647};
  std::size_t float_ties = 0;
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    Engine e;
    BuildEngine(e, seed % 3 == 0 ? test::RandomWords(seed, "abcde", 400, 6) : FamilyWords(seed));
    for (std::size_t k = 0; k < 12; ++k) {
      AnalysisSettings settings = Loose(lengths[(seed + k) % lengths.size()]);
      settings.min_words = static_cast<std::uint32_t>(1 + k % 2);
      settings.min_suffixes = static_cast<std::uint32_t>(1 + k / 2 % 2);
      settings.word_weight = word_weights[(seed * 7 + k) % word_weights.size()];
      settings.suffix_weight = suffix_weights[(seed + k / 3) % suffix_weights.size()];
      const Offers offers = EligibleGroups(e.automaton, settings);
      // The slot row was always cut to the number of candidates.
      const std::uint32_t candidates = e.automaton.count() > 3 ? e.automaton.count() - 3 : 0;
      const std::uint32_t slots = std::min(settings.groups_shown, candidates);
      ASSERT_EQ(e.automaton.RankMainGroups(settings), SlotRanking(offers, slots))
          << "seed " << seed << ", settings " << k;
      // Count the groups whose stored float equals an earlier group's
      // while their doubles differ: the ties only the slot order decides.
      std::map<float, std::set<double>> doubles_of;
      for (const auto& offer : offers) doubles_of[static_cast<float>(offer.second)].insert(offer.second);
      for (const auto& [stored, doubles] : doubles_of) float_ties += doubles.size() - 1;
    }
  }
  EXPECT_GT(float_ties, 50u);
}

}  // namespace
}  // namespace tarvo
