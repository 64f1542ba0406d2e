#include "cli/commands.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "automaton/open_word_list.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/word_tree.h"

namespace tarvo::cli {
namespace {

// An opened word list, as every command sees it.
struct Session {
  CWordTree tree;
  CSuffixAutomaton automaton;
  std::vector<std::uint32_t> ranked;
  OpenReport report;
  WordListStats inserted;
  double insert_seconds = 0;
  double rank_seconds = 0;
};

void PrintCannotOpen(std::FILE* err, const std::string& path, int error) {
  std::fprintf(err, "tarvo-cli: cannot open '%s': %s\n", path.c_str(), std::strerror(error));
}

// Writes records to the output stream; every line ends in LF, fields are
// separated by one TAB, and words are written as raw bytes.
class RecordWriter {
 public:
  explicit RecordWriter(std::FILE* out) : out_(out) {}
  RecordWriter& Field(std::string_view text) {
    Separate();
    std::fwrite(text.data(), 1, text.size(), out_);
    return *this;
  }
  RecordWriter& Field(std::uint64_t number) {
    Separate();
    std::fprintf(out_, "%" PRIu64, number);
    return *this;
  }
  void End() {
    std::fputc('\n', out_);
    first_ = true;
  }

 private:
  void Separate() {
    if (!first_) std::fputc('\t', out_);
    first_ = false;
  }
  std::FILE* out_;
  bool first_ = true;
};

void WriteLines(std::FILE* out, const std::vector<std::string>& lines) {
  RecordWriter writer(out);
  for (const std::string& line : lines) writer.Field(line).End();
}

std::string LabelOf(const CSuffixAutomaton& automaton, std::uint32_t group) {
  std::string label;
  automaton.GetLabel(group, label);
  return label;
}

int RunOrder(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  RecordWriter writer(out);
  for (unsigned c = 0; c < 256; ++c) writer.Field(c).Field(session.tree.char_to_code()[c]).End();
  return kExitOk;
}

int RunSaveAll(const Session& session, const CliOptions& options, std::FILE*, std::FILE* err) {
  const std::string& path = options.extra[0];
  int error = 0;
  if (session.tree.SaveAll(path, &error) != 0) {
    std::fprintf(err, "tarvo-cli: cannot write '%s': %s\n", path.c_str(), std::strerror(error));
    return kExitFileError;
  }
  return kExitOk;
}

int RunDump(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  const CSuffixAutomaton& automaton = session.automaton;
  RecordWriter writer(out);
  std::string transitions;
  for (std::uint32_t s = 1; s < automaton.count(); ++s) {
    const std::uint8_t* label = automaton.LabelRow(s);
    const std::uint32_t* targets = automaton.TargetRow(s);
    transitions.clear();
    for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
      if (slot > 1) transitions += ' ';
      transitions += automaton.CharOfCode(label[slot]);
      transitions += std::to_string(targets[slot]);
    }
    writer.Field(s).Field(automaton.IsFinalState(s) ? 1 : 0).Field(automaton.WordCount(s));
    writer.Field(automaton.SuffixCount(s)).Field(transitions).End();
  }
  return kExitOk;
}

int RunGroups(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const CSuffixAutomaton& automaton = session.automaton;
  const AnalysisSettings& settings = options.settings;
  RecordWriter writer(out);
  char score[64];
  for (std::uint32_t group : session.ranked) {
    std::snprintf(score, sizeof score, "%.6f",
                  GroupScore(automaton.WordCount(group), automaton.SuffixCount(group),
                             settings.word_weight, settings.suffix_weight));
    writer.Field(group).Field(automaton.WordCount(group)).Field(automaton.SuffixCount(group));
    writer.Field(score).Field(LabelOf(automaton, group)).End();
  }
  return kExitOk;
}

int RunStats(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  const OpenReport& report = session.report;
  const CSuffixAutomaton& automaton = session.automaton;
  std::fprintf(out, "words read: %" PRIu64 "\n", report.load_pass.words + session.inserted.words);
  std::fprintf(out, "distinct words: %" PRIu32 "\n", automaton.SuffixCount(automaton.start_state()));
  std::fprintf(out, "tree nodes: %" PRIu32 "\n", session.tree.node_count());
  std::fprintf(out, "states: %" PRIu32 "\n", automaton.count() - 1);
  std::fprintf(out, "main groups: %zu\n", session.ranked.size());
  std::fprintf(out, "long tokens skipped: %" PRIu64 "\n",
               report.load_pass.long_tokens_skipped + session.inserted.long_tokens_skipped);
  std::fprintf(out, "words refused: %" PRIu64 "\n",
               report.load_pass.words_refused + session.inserted.words_refused);
  std::fprintf(out, "reading seconds: %.3f\n", report.order_seconds);
  std::fprintf(out, "loading seconds: %.3f\n", report.load_seconds + session.insert_seconds);
  std::fprintf(out, "building seconds: %.3f\n", report.build_seconds);
  std::fprintf(out, "ranking seconds: %.3f\n", session.rank_seconds);
  return kExitOk;
}

using CommandRunner = int (*)(const Session&, const CliOptions&, std::FILE*, std::FILE*);

CommandRunner RunnerFor(const std::string& name) {
  static const std::pair<const char*, CommandRunner> runners[] = {
      {"order", RunOrder}, {"save-all", RunSaveAll}, {"dump", RunDump},
      {"groups", RunGroups}, {"stats", RunStats},
  };
  for (const auto& [command, runner] : runners) {
    if (name == command) return runner;
  }
  return nullptr;
}

// Inserts the words of each --insert file, as Update inserts pending words.
bool InsertFiles(Session& session, const CliOptions& options, std::FILE* err) {
  if (options.insert_files.empty()) return true;
  double start = MonotonicSeconds();
  for (const std::string& path : options.insert_files) {
    bool ok = ForEachWordInFile(path, session.inserted, [&](std::string_view word) {
      if (!session.tree.Insert(word)) ++session.inserted.words_refused;
    });
    if (!ok) {
      PrintCannotOpen(err, path, session.inserted.error);
      return false;
    }
  }
  session.insert_seconds = MonotonicSeconds() - start;
  double build_start = MonotonicSeconds();
  session.tree.BuildAutomaton(session.automaton);
  session.report.build_seconds += MonotonicSeconds() - build_start;
  return true;
}

void WarnAboutSkippedWords(const Session& session, std::FILE* err) {
  const std::uint64_t long_tokens =
      session.report.load_pass.long_tokens_skipped + session.inserted.long_tokens_skipped;
  const std::uint64_t refused = session.report.load_pass.words_refused + session.inserted.words_refused;
  if (long_tokens == 0 && refused == 0) return;
  std::fprintf(err,
               "tarvo-cli: warning: %" PRIu64 " token(s) longer than 255 bytes skipped, %" PRIu64
               " word(s) refused (a node would need more than 126 children)\n",
               long_tokens, refused);
}

}  // namespace

int RunCommand(const CliOptions& options, std::FILE* out, std::FILE* err) {
  CommandRunner runner = RunnerFor(options.command->name);
  auto session = std::make_unique<Session>();
  session->report = OpenWordList(options.word_list, options.settings.buffer_size, session->tree,
                                 session->automaton);
  if (!session->report.ok) {
    PrintCannotOpen(err, options.word_list, session->report.error);
    return kExitFileError;
  }
  if (!InsertFiles(*session, options, err)) return kExitFileError;
  const double rank_start = MonotonicSeconds();
  session->ranked = session->automaton.RankMainGroups(options.settings);
  session->rank_seconds = MonotonicSeconds() - rank_start;
  WarnAboutSkippedWords(*session, err);

  const std::uint32_t count = session->automaton.count();
  for (std::uint32_t state : options.states) {
    if (state == 0 || state >= count) {
      std::fprintf(err, "tarvo-cli: %" PRIu32 " is not a state: states are 1 to %" PRIu32 "\n",
                   state, count - 1);
      return kExitUsage;
    }
  }
  return runner(*session, options, out, err);
}

}  // namespace tarvo::cli
