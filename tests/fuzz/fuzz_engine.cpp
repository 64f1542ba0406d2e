// libFuzzer target: any bytes read as a word list build, rank and answer
// every group query consistently with the set-based model (engine_checks.h).
//
// Input layout:
//   byte 0      settings: bits 0-1 the buffer size (10, 11, 16 or 10000),
//               bit 2 whether words are inserted later (Update), bits 3-4
//               the minimum words and suffixes of a main group (1 to 4),
//               bit 5 whether the list is asked to be read as characters
//   bytes 1-2   the length of the word list part (little endian)
//   bytes 3-4   choose two more groups to query besides the ranked ones
//   then        the word list's bytes, then the words inserted later
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "engine_checks.h"
#include "fuzz_support.h"
#include "lexicon/alphabet_order.h"
#include "lexicon/word_file_writer.h"
#include "lexicon/word_tree.h"

namespace {

using tarvo::fuzz::Require;
using tarvo::fuzz::RequireEmpty;

// The tree written out as a word list holds exactly the accepted words,
// each once.
void CheckWrittenWords(const tarvo::WordTree& tree, const tarvo::test::AcceptanceModel& accepted) {
  static tarvo::fuzz::MemoryFile out;
  out.Set("");
  {
    tarvo::WordFileWriter writer;
    Require(!writer.OpenForAppend(out.path()), "cannot open the output file");
    tree.WriteWords(writer, std::string(), 0);
    Require(!writer.Commit(), "writing the words failed");
  }
  const std::string text = out.Get();
  std::vector<std::string> written;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    written.push_back(text.substr(start, end - start));
  }
  Require(start == text.size(), "the output does not end in a line end");
  std::vector<std::string> expected = accepted.accepted();
  std::sort(expected.begin(), expected.end());
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  std::sort(written.begin(), written.end());
  Require(written == expected, "the written words are not the accepted words");
}

void CheckEngine(const tarvo::SuffixAutomaton& automaton, const tarvo::test::AcceptanceModel& accepted,
                 bool characters, const tarvo::AnalysisSettings& settings, const std::uint8_t picks[2]) {
  const tarvo::test::SuffixModel model(accepted.accepted(), characters);
  const tarvo::test::EngineCheck check(automaton, model);
  RequireEmpty(check.Structure());
  const std::vector<std::uint32_t> ranked = automaton.RankMainGroups(settings);
  RequireEmpty(check.Ranking(settings, ranked));
  std::vector<std::uint32_t> mains(ranked.begin(), ranked.begin() + std::min<std::size_t>(ranked.size(), 3));
  for (int k = 0; k < 2; ++k) mains.push_back(1 + picks[k] % (automaton.count() - 1));
  for (std::uint32_t main : mains) RequireEmpty(check.Group(main, {0, 1, 2}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  static tarvo::fuzz::MemoryFile file;
  static const std::uint32_t kBufferSizes[] = {10, 11, 16, 10000};
  const std::uint32_t buffer_size = kBufferSizes[data[0] & 3];
  const bool update = (data[0] & 4) != 0;
  tarvo::AnalysisSettings settings;
  settings.min_words = settings.min_suffixes = 1 + ((data[0] >> 3) & 3);
  settings.groups_shown = 5;
  settings.read_as_characters = (data[0] & 0x20) != 0;
  const std::uint8_t picks[2] = {data[3], data[4]};
  const std::size_t list_size = std::min<std::size_t>(data[1] | (std::size_t{data[2]} << 8), size - 5);
  const std::string_view list = tarvo::fuzz::AsText(data + 5, list_size);
  const std::string_view later = tarvo::fuzz::AsText(data + 5 + list_size, size - 5 - list_size);

  file.Set(list);
  tarvo::WordTree tree;
  tarvo::SuffixAutomaton automaton;
  const tarvo::OpenReport report =
      tarvo::OpenWordList(file.path(), buffer_size, tree, automaton, settings.read_as_characters);
  Require(report.ok(), "opening failed");
  const tarvo::test::Split split = tarvo::test::ReferenceSplit(list);
  Require(report.stats.words == split.words.size(), "words miscounted");
  Require(report.stats.long_tokens_skipped == split.long_tokens, "long tokens miscounted");

  // Characters are used when asked for, every word is UTF-8 and there are at
  // most 255 distinct characters; their codes go by descending count, ties
  // to the lower code point (which UTF-8 bytes compare in the same order).
  std::map<std::string, std::uint64_t> character_counts;
  bool all_utf8 = true;
  std::vector<std::size_t> at;
  for (const std::string& word : split.words) {
    if (!tarvo::test::SymbolBoundaries(word, true, at)) {
      all_utf8 = false;
      continue;
    }
    for (std::size_t k = 0; k + 1 < at.size(); ++k) ++character_counts[word.substr(at[k], at[k + 1] - at[k])];
  }
  const bool characters = settings.read_as_characters && all_utf8 && character_counts.size() <= 255;
  Require(report.characters == characters, "characters used when they should not be, or the other way");
  Require(report.byte_mode_reason.empty() == (characters || !settings.read_as_characters),
          "a reason for byte mode missing or given for nothing");
  std::set<std::string> coded;
  if (characters) {
    std::vector<std::pair<std::string, std::uint64_t>> by_count(character_counts.begin(), character_counts.end());
    std::stable_sort(by_count.begin(), by_count.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> expected;
    for (const auto& entry : by_count) expected.push_back(entry.first);
    Require(tree.coding().coded_characters() == expected, "character order differs");
    coded.insert(expected.begin(), expected.end());
  } else {
    // The byte order: the permutation dealt out from the byte counts.
    std::array<std::uint64_t, 256> occurrences{};
    for (const std::string& word : split.words) {
      for (unsigned char c : word) ++occurrences[c];
    }
    Require(tree.char_to_code() == tarvo::AlphabetOrder::OrderFromCounts(occurrences), "alphabet order differs");
    std::array<bool, 256> code_used{};
    for (std::uint8_t code : tree.char_to_code()) code_used[code] = true;
    Require(std::count(code_used.begin(), code_used.end(), true) == 256, "the order is not a permutation");
  }

  tarvo::test::AcceptanceModel accepted = characters ? tarvo::test::AcceptanceModel(coded) : tarvo::test::AcceptanceModel();
  for (const std::string& word : split.words) accepted.Insert(word);
  Require(report.stats.words_refused == accepted.refused(), "refused words miscounted");
  CheckEngine(automaton, accepted, characters, settings, picks);
  CheckWrittenWords(tree, accepted);

  if (!update) return 0;
  // Update: insert further words with the coding kept, and build again.
  const std::vector<std::string> coded_before = tree.coding().coded_characters();
  const tarvo::SymbolTable order = tree.char_to_code();
  for (const std::string& word : tarvo::test::ReferenceSplit(later).words) {
    Require(tree.Insert(word) == accepted.Insert(word), "Insert and the model disagree on refusing");
  }
  BuildAutomaton(tree, automaton);
  Require(tree.char_to_code() == order && automaton.char_to_code() == order &&
              automaton.coding().coded_characters() == coded_before && automaton.coding().characters() == characters,
          "the coding changed on update");
  CheckEngine(automaton, accepted, characters, settings, picks);
  CheckWrittenWords(tree, accepted);
  return 0;
}
