// The embedding API: a list opened from a file or from memory, its ranked
// groups, stems, suffixes and labels, suspicious groups and new words,
// inserted words and saving, checked against the engine underneath.
#include "tarvo/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <tuple>

#include "automaton/open_word_list.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/assertions.h"
#include "lexicon/word_reader.h"
#include "lexicon/word_tree.h"
#include "test_support.h"

namespace tarvo {
namespace {

using Strings = std::vector<std::string>;

const std::string kList = "walk walks walked talk talks talked jump jumped kick kicked\n";

AnalysisSettings Loose() {
  AnalysisSettings settings;
  settings.min_words = 1;
  settings.min_suffixes = 1;
  return settings;
}

Strings Sorted(Strings strings) {
  std::sort(strings.begin(), strings.end());
  return strings;
}

TEST(Analysis, MatchesTheEngineItIsBuiltOn) {
  const std::string path = TARVO_SAMPLE_LIST;
  AnalysisSettings settings;
  std::error_code error;
  const std::unique_ptr<Analysis> analysis = Analysis::OpenFile(path, settings, error);
  ASSERT_TRUE(analysis) << error.message();
  EXPECT_FALSE(error);

  WordTree tree;
  SuffixAutomaton automaton;
  ASSERT_TRUE(OpenWordList(path, settings.buffer_size, tree, automaton).ok());
  const std::vector<std::uint32_t> ranked = automaton.RankMainGroups(settings);
  ASSERT_EQ(analysis->RankedGroups().size(), ranked.size());
  ASSERT_FALSE(ranked.empty());
  EXPECT_EQ(analysis->group_count(), automaton.count() - 1);
  EXPECT_EQ(analysis->distinct_words(), DistinctWords(tree, automaton));
  for (std::size_t k = 0; k < ranked.size(); ++k) {
    const GroupSummary& group = analysis->RankedGroups()[k];
    EXPECT_EQ(group.id, ranked[k]);
    EXPECT_EQ(group.stems, automaton.WordCount(group.id));
    EXPECT_EQ(group.suffixes, automaton.SuffixCount(group.id));
    EXPECT_EQ(analysis->Stems(group.id), automaton.GetWords(group.id));
    EXPECT_EQ(analysis->Suffixes(group.id), automaton.GetSuffixes(group.id));
    EXPECT_EQ(analysis->SuspiciousGroups(group.id, 1), automaton.FindSuspiciousGroups(group.id, 1));
  }

  // The same text from memory gives the same analysis.
  const std::unique_ptr<Analysis> from_text = Analysis::FromText(test::ReadFile(path), settings);
  ASSERT_EQ(from_text->RankedGroups().size(), ranked.size());
  for (std::size_t k = 0; k < ranked.size(); ++k) EXPECT_EQ(from_text->RankedGroups()[k].id, ranked[k]);
  EXPECT_EQ(from_text->read_summary().words_read, analysis->read_summary().words_read);

  // New weights rank again; the way the list was read stays.
  settings.suffix_weight = 3;
  settings.read_as_characters = true;
  analysis->SetSettings(settings);
  EXPECT_FALSE(analysis->settings().read_as_characters);
  EXPECT_EQ(analysis->settings().suffix_weight, 3.0f);
  const GroupSummary best = analysis->RankedGroups().at(0);
  EXPECT_DOUBLE_EQ(best.score, GroupScore(best.stems, best.suffixes, 1.0f, 3.0f));
}

TEST(Analysis, ProposesInsertsAndSavesWords) {
  test::TempDir dir;
  const std::unique_ptr<Analysis> analysis = Analysis::FromText(kList, Loose());
  const auto walk = std::find_if(analysis->RankedGroups().begin(), analysis->RankedGroups().end(),
                                 [&](const GroupSummary& group) { return analysis->Label(group.id) == "-{} -ed -s"; });
  ASSERT_NE(walk, analysis->RankedGroups().end());
  const GroupId main = walk->id;
  EXPECT_EQ(Sorted(analysis->Stems(main)), (Strings{"talk", "walk"}));
  EXPECT_EQ(analysis->Suffixes(main), (Strings{"", "ed", "s"}));
  Strings proposed;
  for (GroupId lacking : analysis->SuspiciousGroups(main, 1)) {
    for (std::string& word : analysis->NewWords(lacking, main)) proposed.push_back(std::move(word));
  }
  EXPECT_EQ(Sorted(proposed), (Strings{"jumps", "kicks"}));

  EXPECT_TRUE(analysis->InsertWords(proposed).empty());
  EXPECT_EQ(analysis->distinct_words(), 12u);
  EXPECT_EQ(analysis->RankedGroups().at(0).stems, 4u);
  const std::string saved = dir.PathOf("saved.txt");
  ASSERT_FALSE(analysis->Save(saved));
  std::error_code error;
  const std::unique_ptr<Analysis> reopened = Analysis::OpenFile(saved, Loose(), error);
  ASSERT_TRUE(reopened);
  EXPECT_EQ(reopened->distinct_words(), 12u);

  // Failures are reported, and nothing is created or changed.
  EXPECT_FALSE(Analysis::OpenFile(dir.PathOf("missing.txt"), Loose(), error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(analysis->Save(dir.PathOf("missing/out.txt")), std::errc::no_such_file_or_directory);
  EXPECT_EQ(analysis->Save(dir.path()), std::errc::is_a_directory);
  EXPECT_EQ(test::FileNamesIn(dir.path()), (std::set<std::string>{"saved.txt"}));
}

TEST(Analysis, KeepsRefusedWordsAndReadsCharacters) {
  test::TempDir dir;
  std::string full_root;  // 126 children: a word starting with any other byte is refused
  for (int c = 0x21; c < 0x21 + 126; ++c) full_root += std::string(1, static_cast<char>(c)) + "\n";
  const std::unique_ptr<Analysis> analysis = Analysis::FromText(full_root, AnalysisSettings{});
  EXPECT_EQ(analysis->InsertWords({"\xf0z", "!y", "\xf0z"}), (Strings{"\xf0z", "\xf0z"}));
  EXPECT_EQ(analysis->distinct_words(), 128u);
  ASSERT_FALSE(analysis->Save(dir.PathOf("saved.txt")));
  const std::string saved = test::ReadFile(dir.PathOf("saved.txt"));
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 128);
  EXPECT_EQ(saved.substr(saved.size() - 3), "\xf0z\n");

  AnalysisSettings characters;
  characters.read_as_characters = true;
  const std::unique_ptr<Analysis> utf8 = Analysis::FromText("\xc5\x9bpi \xc5\x9bpij\n", characters);
  EXPECT_TRUE(utf8->read_summary().characters);
  const std::unique_ptr<Analysis> latin1 = Analysis::FromText("caf\xe9\n", characters);
  EXPECT_FALSE(latin1->read_summary().characters);
  EXPECT_EQ(latin1->read_summary().byte_mode_reason, "1 word(s) are not valid UTF-8");
  EXPECT_EQ(latin1->read_summary().words_not_utf8, 1u);
  EXPECT_EQ(utf8->read_summary().words_not_utf8, 0u);
}

TEST(Analysis, ListWordsAreTheTokensAListIsSplitInto) {
  for (const std::string& word : Strings{"a", "caf\xe9", "\x01x", std::string(kMaxWordLength, 'w')}) {
    EXPECT_TRUE(IsListWord(word)) << word;
    const std::unique_ptr<Analysis> read = Analysis::FromText(word + "\n", AnalysisSettings{});
    EXPECT_EQ(read->distinct_words(), 1u) << word;
  }
  for (const std::string& word : Strings{"", std::string(kMaxWordLength + 1, 'w'), "a b", "a\tb", "a\rb", "a\vb",
                                         "a\fb", "a\nb", std::string("a\0b", 3)}) {
    EXPECT_FALSE(IsListWord(word)) << word;
    const std::unique_ptr<Analysis> read = Analysis::FromText(word + "\n", AnalysisSettings{});
    EXPECT_NE(read->distinct_words(), 1u) << word;
  }
}

TEST(Settings, EachBoundedSettingIsCheckedAgainstItsOwnRange) {
  EXPECT_EQ(CheckSettings(AnalysisSettings{}), std::nullopt);
  AnalysisSettings lowest;
  lowest.min_words = lowest.min_suffixes = lowest.groups_shown = 1;
  lowest.suffix_weight = kMinSuffixWeight;
  lowest.buffer_size = kMinBufferSize;
  EXPECT_EQ(CheckSettings(lowest), std::nullopt);

  // One field out of range at a time: it is named with its range.
  auto failing = [](void (*spoil)(AnalysisSettings&)) {
    AnalysisSettings settings;
    spoil(settings);
    const std::optional<SettingsError> error = CheckSettings(settings);
    return error ? std::make_tuple(static_cast<int>(error->setting), error->range.min, error->range.max)
                 : std::make_tuple(-1, 0.0, 0.0);
  };
  using B = BoundedSetting;
  const double most = kMaxSettingValue;
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.min_words = 0; }), std::make_tuple(int(B::kMinWords), 1.0, most));
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.min_suffixes = 2147483648u; }),
            std::make_tuple(int(B::kMinSuffixes), 1.0, most));
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.suffix_weight = 100.5f; }),
            std::make_tuple(int(B::kSuffixWeight), 1.0, 100.0));
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.suffix_weight = 0.99f; }),
            std::make_tuple(int(B::kSuffixWeight), 1.0, 100.0));
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.groups_shown = 0; }),
            std::make_tuple(int(B::kGroupsShown), 1.0, most));
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.buffer_size = 9; }),
            std::make_tuple(int(B::kBufferSize), 10.0, most));
  // The first failing field in declaration order is the one reported.
  EXPECT_EQ(failing([](AnalysisSettings& s) { s.buffer_size = s.min_words = 0; }),
            std::make_tuple(int(B::kMinWords), 1.0, most));
}

#if !defined(NDEBUG) || defined(TARVO_ENABLE_ASSERTS)
TEST(AnalysisDeathTest, AGroupThatIsNotOneIsAProgrammingError) {
  const std::unique_ptr<Analysis> analysis = Analysis::FromText(kList, Loose());
  EXPECT_FALSE(analysis->IsGroup(0));
  EXPECT_FALSE(analysis->IsGroup(analysis->group_count() + 1));
  EXPECT_DEATH(analysis->Stems(analysis->group_count() + 1), "assertion failed: IsGroup");
}
#endif

}  // namespace
}  // namespace tarvo
