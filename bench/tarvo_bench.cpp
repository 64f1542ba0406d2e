// Micro-benchmarks of the engine on generated word lists of growing size.
//
// Every benchmark runs on lists of 10 thousand, 100 thousand, 1 million and
// 4 million pseudo-words (see word_list_generator.h), each written once to a
// temporary file. Throughput is reported in words per second ("items"), and
// the "per_word" column gives the time per word directly, so that the growth
// from one size to the next can be read off.
//
//   build/bench/tarvo_bench                              # everything
//   build/bench/tarvo_bench --benchmark_filter=Build     # one step
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <stdlib.h>

#include "automaton/analysis_settings.h"
#include "automaton/build_automaton.h"
#include "automaton/suffix_automaton.h"
#include "bench/word_list_generator.h"
#include "lexicon/word_list_loader.h"
#include "lexicon/word_reader.h"
#include "lexicon/word_tree.h"

namespace tarvo::bench {
namespace {

constexpr std::uint64_t kSeed = 20240607;
constexpr std::uint32_t kBufferSize = AnalysisSettings{}.buffer_size;
constexpr std::uint32_t kSuspiciousDistance = 2;

// A folder for the generated lists, removed when the program ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

ScratchFolder& Scratch() {
  static ScratchFolder folder;
  return folder;
}

// The generated list of one size, written to its file.
struct WordList {
  std::string path;
  std::uint64_t words = 0;
};

const WordList& WordListOf(std::size_t size) {
  static std::map<std::size_t, WordList> lists;
  auto found = lists.find(size);
  if (found != lists.end()) return found->second;
  WordList list;
  list.path = Scratch().PathOf("words-" + std::to_string(size) + ".txt");
  const std::vector<std::string> words = GenerateWordList(size, kSeed);
  WriteWordList(list.path, words);
  list.words = words.size();
  return lists.emplace(size, list).first->second;
}

// A list opened as the program opens it, with the groups the later steps
// start from.
struct OpenedList {
  WordTree tree;
  SuffixAutomaton automaton;
  std::vector<std::uint32_t> ranked;      // main groups, best first
  std::vector<std::uint32_t> suspicious;  // of the best main group
  std::uint32_t largest_group = 0;        // most words among states 2 to count - 1
};

std::uint32_t LargestGroup(const SuffixAutomaton& automaton) {
  std::uint32_t largest = 0;
  for (std::uint32_t s = 2; s < automaton.count(); ++s) {
    if (largest == 0 || automaton.WordCount(s) > automaton.WordCount(largest)) largest = s;
  }
  return largest;
}

const OpenedList& OpenedListOf(std::size_t size) {
  static std::map<std::size_t, std::unique_ptr<OpenedList>> opened;
  std::unique_ptr<OpenedList>& slot = opened[size];
  if (slot) return *slot;
  const WordList& list = WordListOf(size);
  auto result = std::make_unique<OpenedList>();
  if (!LoadWordList(list.path, kBufferSize, false, result->tree).ok()) {
    throw std::runtime_error("cannot read " + list.path);
  }
  BuildAutomaton(result->tree, result->automaton);
  result->ranked = result->automaton.RankMainGroups(AnalysisSettings{});
  if (!result->ranked.empty()) {
    result->suspicious = result->automaton.FindSuspiciousGroups(result->ranked[0], kSuspiciousDistance);
  }
  result->largest_group = LargestGroup(result->automaton);
  slot = std::move(result);
  return *slot;
}

// Words per second, the time per word, and the list's size.
void ReportPerWord(benchmark::State& state, std::uint64_t words) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * words));
  state.counters["words"] = static_cast<double>(words);
  state.counters["per_word"] = benchmark::Counter(
      static_cast<double>(words),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void ReportStates(benchmark::State& state, const OpenedList& list) {
  state.counters["states"] = static_cast<double>(list.automaton.count());
}

// Destroys an object made inside the timed loop without timing it.
template <typename T>
void DestroyUntimed(benchmark::State& state, std::unique_ptr<T>& object) {
  state.PauseTiming();
  object.reset();
  state.ResumeTiming();
}

std::size_t SizeOf(const benchmark::State& state) { return static_cast<std::size_t>(state.range(0)); }

void BM_Tokenise(benchmark::State& state) {
  const WordList& list = WordListOf(SizeOf(state));
  for (auto _ : state) {
    WordFileReader reader;
    if (reader.Open(list.path)) {
      state.SkipWithError("cannot open the word list");
      break;
    }
    std::string_view word;
    std::uint64_t words = 0;
    while (reader.Next(word)) ++words;
    benchmark::DoNotOptimize(words);
  }
  ReportPerWord(state, list.words);
}

// Reading the list into the word tree: one pass that counts the bytes (or
// decodes and codes the characters) and inserts the words, then the
// recoding to the list's alphabet order.
void TimeLoading(benchmark::State& state, bool as_characters) {
  const WordList& list = WordListOf(SizeOf(state));
  for (auto _ : state) {
    auto tree = std::make_unique<WordTree>();
    if (!LoadWordList(list.path, kBufferSize, as_characters, *tree).ok()) {
      state.SkipWithError("cannot read the word list");
      break;
    }
    benchmark::DoNotOptimize(tree->node_count());
    DestroyUntimed(state, tree);
  }
  ReportPerWord(state, list.words);
}

void BM_LoadWordList(benchmark::State& state) { TimeLoading(state, false); }
void BM_LoadWordListAsCharacters(benchmark::State& state) { TimeLoading(state, true); }

void BM_BuildAutomaton(benchmark::State& state) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  for (auto _ : state) {
    auto automaton = std::make_unique<SuffixAutomaton>();
    BuildAutomaton(list.tree, *automaton);
    benchmark::DoNotOptimize(automaton->count());
    DestroyUntimed(state, automaton);
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
  ReportStates(state, list);
}

void TimeRanking(benchmark::State& state, const AnalysisSettings& settings) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  std::size_t ranked_count = 0;
  for (auto _ : state) {
    std::vector<std::uint32_t> ranked = list.automaton.RankMainGroups(settings);
    benchmark::DoNotOptimize(ranked.data());
    ranked_count = ranked.size();
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
  ReportStates(state, list);
  state.counters["ranked"] = static_cast<double>(ranked_count);
}

void BM_RankMainGroups(benchmark::State& state) { TimeRanking(state, AnalysisSettings{}); }

// Every group with two stems and two suffixes, all of them shown: the list
// is as long as the groups ranked.
void BM_RankEveryGroup(benchmark::State& state) {
  AnalysisSettings settings;
  settings.min_words = 1;
  settings.min_suffixes = 1;
  settings.groups_shown = kMaxSettingValue;
  TimeRanking(state, settings);
}

void BM_FindSuspiciousGroups(benchmark::State& state) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  if (list.ranked.empty()) {
    state.SkipWithError("the list has no main group");
    return;
  }
  for (auto _ : state) {
    std::vector<std::uint32_t> groups =
        list.automaton.FindSuspiciousGroups(list.ranked[0], kSuspiciousDistance);
    benchmark::DoNotOptimize(groups.data());
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
  ReportStates(state, list);
  state.counters["found"] = static_cast<double>(list.suspicious.size());
}

void BM_GetWords(benchmark::State& state) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  for (auto _ : state) {
    std::vector<std::string> stems = list.automaton.GetWords(list.largest_group);
    benchmark::DoNotOptimize(stems.data());
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
  ReportStates(state, list);
  state.counters["stems"] = static_cast<double>(list.automaton.WordCount(list.largest_group));
}

void BM_GenerateWords(benchmark::State& state) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  if (list.ranked.empty() || list.suspicious.empty()) {
    state.SkipWithError("the list has no suspicious group");
    return;
  }
  std::size_t generated = 0;
  for (auto _ : state) {
    std::vector<std::string> words = list.automaton.GenerateWords(list.suspicious[0], list.ranked[0]);
    generated = words.size();
    benchmark::DoNotOptimize(words.data());
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
  ReportStates(state, list);
  state.counters["generated"] = static_cast<double>(generated);
}

void BM_SaveAll(benchmark::State& state) {
  const OpenedList& list = OpenedListOf(SizeOf(state));
  const std::string out = Scratch().PathOf("saved-" + std::to_string(SizeOf(state)) + ".txt");
  for (auto _ : state) {
    if (list.tree.SaveAll(out)) {
      state.SkipWithError("cannot write the saved list");
      break;
    }
  }
  ReportPerWord(state, WordListOf(SizeOf(state)).words);
}

void ListSizes(benchmark::internal::Benchmark* benchmark) {
  for (std::int64_t size : {10'000, 100'000, 1'000'000, 4'000'000}) benchmark->Arg(size);
  benchmark->ArgName("words")->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Tokenise)->Apply(ListSizes);
BENCHMARK(BM_LoadWordList)->Apply(ListSizes);
BENCHMARK(BM_LoadWordListAsCharacters)->Apply(ListSizes);
BENCHMARK(BM_BuildAutomaton)->Apply(ListSizes);
BENCHMARK(BM_RankMainGroups)->Apply(ListSizes);
BENCHMARK(BM_RankEveryGroup)->Apply(ListSizes);
BENCHMARK(BM_FindSuspiciousGroups)->Apply(ListSizes);
BENCHMARK(BM_GetWords)->Apply(ListSizes);
BENCHMARK(BM_GenerateWords)->Apply(ListSizes);
BENCHMARK(BM_SaveAll)->Apply(ListSizes);

}  // namespace
}  // namespace tarvo::bench

BENCHMARK_MAIN();
