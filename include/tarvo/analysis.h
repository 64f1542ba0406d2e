// Tarvo's engine for programs that embed it: a word list, its suffix
// groups, and the words they suggest.
//
// An Analysis holds one word list, read into a word tree and folded into a
// minimised automaton whose states are the list's suffix groups: a group is
// the set of stems that are followed by exactly the same endings (its
// suffixes). The groups with enough stems and suffixes are ranked by
// suffix weight x ln(suffixes) + word weight x ln(stems). From a main group,
// the groups that lack a few of its suffixes are "suspicious", and joining
// their stems to the suffixes they lack proposes new words.
//
//   tarvo::AnalysisSettings settings;  // see tarvo/settings.h
//   std::error_code error;
//   std::unique_ptr<tarvo::Analysis> analysis =
//       tarvo::Analysis::OpenFile("/usr/share/dict/words", settings, error);
//   if (!analysis) return Report(error.message());
//   for (const tarvo::GroupSummary& group : analysis->RankedGroups())
//     std::cout << analysis->Label(group.id) << '\n';  // e.g. "-{} -ed -s"
//   const tarvo::GroupId main = analysis->RankedGroups().at(0).id;
//   for (tarvo::GroupId lacking : analysis->SuspiciousGroups(main, 2))
//     for (const std::string& word : analysis->NewWords(lacking, main)) Propose(word);
//   analysis->InsertWords({"walking"});  // rebuilds and ranks again
//   if (std::error_code saved = analysis->Save("words.txt")) Report(saved.message());
//
// Words are byte strings and are never re-encoded; with
// settings.read_as_characters a UTF-8 list is analysed by characters
// instead of bytes; with settings.read_backwards every word is read
// backwards, so that the groups are those of the words' prefixes (stems,
// affixes, labels such as "{}- re- un-" and new words all read forwards).
// Only file input and output can fail: such a call
// returns a std::error_code (errno values, generic category) and leaves
// the Analysis as it was. A GroupId names a group until the next
// InsertWords; passing one that IsGroup rejects is a programming error,
// checked by assertions in debug and sanitizer builds. An Analysis is not
// safe for use from several threads at once. Opening a list, and inserting
// many words, use the machine's processors on threads of their own, which
// have finished when the call returns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "tarvo/settings.h"

namespace tarvo {

// A suffix group: a state of the automaton, from 1 to group_count().
using GroupId = std::uint32_t;

struct GroupSummary {
  GroupId id = 0;
  std::uint32_t stems = 0;     // stems that reach the group
  std::uint32_t suffixes = 0;  // endings that complete a word from it
  double score = 0;            // by the current settings' weights
};

// What reading the list saw.
struct ReadSummary {
  std::uint64_t words_read = 0;           // tokens, repeats included
  std::uint64_t long_tokens_skipped = 0;  // over 255 bytes: not words
  std::uint64_t words_refused = 0;        // a letter position would need a 127th next letter
  std::uint64_t words_not_utf8 = 0;       // words that are not valid UTF-8
  bool characters = false;                // analysed by characters, not bytes
  std::string byte_mode_reason;           // why characters were asked for but not used
};

// True when a list holds `word` as it stands: 1 to 255 bytes, none of
// them white space (space, tab, LF, VT, FF, CR) or byte 0. Reading a list
// splits it into such words; other strings would not come back whole from
// a saved list.
bool IsListWord(std::string_view word);

class Analysis {
 public:
  // Reads the word list at `path` (any readable file: a regular file, a
  // pipe, /dev/stdin). On failure returns null and sets `error`.
  static std::unique_ptr<Analysis> OpenFile(const std::string& path, const AnalysisSettings& settings,
                                            std::error_code& error);
  // Reads a word list held in memory (words separated by white space).
  static std::unique_ptr<Analysis> FromText(std::string_view text, const AnalysisSettings& settings);

  ~Analysis();
  // An Analysis owns large tables; share it by pointer instead of copying.
  Analysis(const Analysis&) = delete;
  Analysis& operator=(const Analysis&) = delete;

  const ReadSummary& read_summary() const;
  std::uint64_t distinct_words() const;
  const AnalysisSettings& settings() const;
  // Ranks the groups again by new minimums, weights and groups shown; the
  // reading settings are kept for the list that is open.
  void SetSettings(const AnalysisSettings& settings);

  // Groups are 1 to group_count(); group 1 accepts only the empty ending.
  std::uint32_t group_count() const;
  bool IsGroup(GroupId group) const;

  // The main groups, best first: more stems than min_words and more
  // suffixes than min_suffixes, at most groups_shown of them.
  const std::vector<GroupSummary>& RankedGroups() const;
  GroupSummary Summarize(GroupId group) const;
  // "-{}" for the empty suffix, then "-SUFFIX" for each further one.
  std::string Label(GroupId group) const;
  // The stems of the group (not sorted).
  std::vector<std::string> Stems(GroupId group) const;
  // The suffixes of the group, the empty one first when it has it.
  std::vector<std::string> Suffixes(GroupId group) const;

  // The groups that lack exactly `distance` of main's suffixes, ascending.
  std::vector<GroupId> SuspiciousGroups(GroupId main, std::uint32_t distance) const;
  // Each stem of `suspicious` joined with each suffix that `main` has and
  // `suspicious` lacks.
  std::vector<std::string> NewWords(GroupId suspicious, GroupId main) const;

  // Adds words to the list, builds the automaton again and ranks again
  // (every GroupId changes). Every word must be an IsListWord. Returns the
  // words the tree refused; they stay with the list and Save writes them.
  std::vector<std::string> InsertWords(const std::vector<std::string>& words);

  // Writes every word of the list to `path`, one per line, replacing the
  // file the careful way (see the README's "Saving" section): on failure
  // the old file is left as it was.
  [[nodiscard]] std::error_code Save(const std::string& path) const;

 private:
  struct State;
  explicit Analysis(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace tarvo
