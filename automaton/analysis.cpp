#include "tarvo/analysis.h"

#include <algorithm>

#include "automaton/analysis_settings.h"
#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/assertions.h"
#include "lexicon/list_order_inserter.h"
#include "lexicon/word_reader.h"
#include "lexicon/word_tree.h"

namespace tarvo {

struct Analysis::State {
  AnalysisSettings settings;
  ReadSummary read;
  WordTree tree;
  SuffixAutomaton automaton;
  std::vector<GroupSummary> ranked;
  std::vector<std::string> refused;  // inserted words the tree could not store

  void Build() {
    BuildAutomaton(tree, automaton);
    Rank();
  }
  void Rank() {
    ranked.clear();
    for (std::uint32_t group : automaton.RankMainGroups(settings)) ranked.push_back(SummaryOf(group));
  }
  GroupSummary SummaryOf(GroupId group) const {
    const std::uint32_t stems = automaton.WordCount(group);
    const std::uint32_t suffixes = automaton.SuffixCount(group);
    return {group, stems, suffixes, GroupScore(stems, suffixes, settings.word_weight, settings.suffix_weight)};
  }
  void Take(const LoadedWordList& loaded) {
    read.words_read = loaded.stats.words;
    read.long_tokens_skipped = loaded.stats.long_tokens_skipped;
    read.words_refused = loaded.stats.words_refused;
    read.words_not_utf8 = loaded.stats.words_not_utf8;
    read.characters = loaded.characters;
    read.byte_mode_reason = loaded.byte_mode_reason;
    Build();
  }
};

bool IsListWord(std::string_view word) {
  return !word.empty() && word.size() <= kMaxWordLength &&
         std::none_of(word.begin(), word.end(), [](char c) { return IsWordSeparator(static_cast<unsigned char>(c)); });
}

Analysis::Analysis(std::unique_ptr<State> state) : state_(std::move(state)) {}
Analysis::~Analysis() = default;

std::unique_ptr<Analysis> Analysis::OpenFile(const std::string& path, const AnalysisSettings& settings,
                                             std::error_code& error) {
  auto state = std::make_unique<State>();
  state->settings = settings;
  const LoadedWordList loaded =
      LoadWordList(path, settings.buffer_size, settings.read_as_characters, state->tree, DirectionOf(settings));
  if (!loaded.ok()) {
    error = loaded.error;
    return nullptr;
  }
  error.clear();
  state->Take(loaded);
  return std::unique_ptr<Analysis>(new Analysis(std::move(state)));
}

std::unique_ptr<Analysis> Analysis::FromText(std::string_view text, const AnalysisSettings& settings) {
  auto state = std::make_unique<State>();
  state->settings = settings;
  state->Take(LoadWordListText(text, settings.buffer_size, settings.read_as_characters, state->tree,
                               DirectionOf(settings)));
  return std::unique_ptr<Analysis>(new Analysis(std::move(state)));
}

const ReadSummary& Analysis::read_summary() const { return state_->read; }

std::uint64_t Analysis::distinct_words() const {
  return DistinctWords(state_->tree, state_->automaton) + state_->refused.size();
}

const AnalysisSettings& Analysis::settings() const { return state_->settings; }

void Analysis::SetSettings(const AnalysisSettings& settings) {
  const std::uint32_t buffer_size = state_->settings.buffer_size;
  const bool read_as_characters = state_->settings.read_as_characters;
  const bool read_backwards = state_->settings.read_backwards;
  state_->settings = settings;
  state_->settings.buffer_size = buffer_size;
  state_->settings.read_as_characters = read_as_characters;
  state_->settings.read_backwards = read_backwards;
  state_->Rank();
}

std::uint32_t Analysis::group_count() const { return state_->automaton.count() - 1; }

bool Analysis::IsGroup(GroupId group) const { return group >= 1 && group < state_->automaton.count(); }

const std::vector<GroupSummary>& Analysis::RankedGroups() const { return state_->ranked; }

GroupSummary Analysis::Summarize(GroupId group) const {
  TARVO_ASSERT(IsGroup(group));
  return state_->SummaryOf(group);
}

std::string Analysis::Label(GroupId group) const {
  TARVO_ASSERT(IsGroup(group));
  std::string label;
  state_->automaton.GetLabel(group, label);
  return label;
}

std::vector<std::string> Analysis::Stems(GroupId group) const {
  TARVO_ASSERT(IsGroup(group));
  return state_->automaton.GetWords(group);
}

std::vector<std::string> Analysis::Suffixes(GroupId group) const {
  TARVO_ASSERT(IsGroup(group));
  return state_->automaton.GetSuffixes(group);
}

std::vector<GroupId> Analysis::SuspiciousGroups(GroupId main, std::uint32_t distance) const {
  TARVO_ASSERT(IsGroup(main));
  return state_->automaton.FindSuspiciousGroups(main, distance);
}

std::vector<std::string> Analysis::NewWords(GroupId suspicious, GroupId main) const {
  TARVO_ASSERT(IsGroup(suspicious) && IsGroup(main));
  return state_->automaton.GenerateWords(suspicious, main);
}

std::vector<std::string> Analysis::InsertWords(const std::vector<std::string>& words) {
  std::vector<std::string> refused;
  for ([[maybe_unused]] const std::string& word : words) TARVO_ASSERT(IsListWord(word));
  ReleaseBeforeTreeGrows(state_->automaton);
  const std::vector<bool> stored = tarvo::InsertWords(state_->tree, words);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (stored[k]) continue;
    const std::string& word = words[k];
    refused.push_back(word);
    if (std::find(state_->refused.begin(), state_->refused.end(), word) == state_->refused.end()) {
      state_->refused.push_back(word);
    }
  }
  state_->Build();
  return refused;
}

std::error_code Analysis::Save(const std::string& path) const {
  return state_->tree.SaveAll(path, state_->refused);
}

}  // namespace tarvo
