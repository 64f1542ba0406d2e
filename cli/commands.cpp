#include "cli/commands.h"

#include <cerrno>
#include <cinttypes>
#include <memory>
#include <string>
#include <vector>

#include "automaton/analysis_settings.h"
#include "automaton/build_automaton.h"
#include "automaton/hunspell_export.h"
#include "automaton/open_word_list.h"
#include "automaton/suffix_automaton.h"
#include "lexicon/errors.h"
#include "lexicon/file_identity.h"
#include "lexicon/list_order_inserter.h"
#include "lexicon/word_tree.h"

namespace tarvo::cli {
namespace {

// An opened word list, as every command sees it.
struct Session {
  WordTree tree;
  SuffixAutomaton automaton;
  std::vector<std::uint32_t> ranked;
  OpenReport report;
  WordListStats inserted;
  double insert_seconds = 0;
  double rank_seconds = 0;
};

void PrintFileError(std::FILE* err, std::string_view failed_action, const std::string& path,
                    std::error_code error) {
  std::fprintf(err, "tarvo-cli: %s\n", FileErrorText(failed_action, path, error).c_str());
}

// The file a word list argument names: "-" is standard input.
std::string InputPath(const std::string& argument) { return argument == "-" ? "/dev/stdin" : argument; }

// Tokens read from the list and the --insert files that the tree does not
// hold: those too long to store and the words it refused.
std::uint64_t UnstoredWords(const Session& session) {
  return session.report.stats.long_tokens_skipped + session.report.stats.words_refused +
         session.inserted.long_tokens_skipped + session.inserted.words_refused;
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
  // False once a write has failed (a closed pipe, a full disk).
  bool ok() const { return std::ferror(out_) == 0; }

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

std::string LabelOf(const SuffixAutomaton& automaton, std::uint32_t group) {
  std::string label;
  automaton.GetLabel(group, label);
  return label;
}

// Byte mode: the code of every byte value. Character mode: the character of
// every code in use, in code order.
int RunOrder(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  RecordWriter writer(out);
  const SymbolCoding& coding = session.tree.coding();
  if (coding.characters()) {
    const std::vector<std::string>& characters = coding.coded_characters();
    for (std::size_t code = 0; code < characters.size(); ++code) writer.Field(characters[code]).Field(code).End();
    return kExitOk;
  }
  for (unsigned c = 0; c < 256; ++c) writer.Field(c).Field(coding.char_to_code()[c]).End();
  return kExitOk;
}

// True when OUT is the word list or an --insert file: writing it would
// drop whatever of that file the tree could not store.
bool OverwritesAnInput(const CliOptions& options, const std::string& out) {
  if (IsSameFile(out, InputPath(options.word_list))) return true;
  for (const std::string& path : options.insert_files) {
    if (IsSameFile(out, InputPath(path))) return true;
  }
  return false;
}

int RunSaveAll(const Session& session, const CliOptions& options, std::FILE*, std::FILE* err) {
  const std::string& path = options.extra[0];
  const std::uint64_t unstored = UnstoredWords(session);
  if (unstored > 0 && !options.force && OverwritesAnInput(options, path)) {
    std::fprintf(err,
                 "tarvo-cli: %" PRIu64 " word(s) read cannot be stored and would be removed by saving over '%s';"
                 " use --force to save anyway\n",
                 unstored, path.c_str());
    return kExitFileError;
  }
  if (const std::error_code error = session.tree.SaveAll(path)) {
    PrintFileError(err, "cannot write", path, error);
    return kExitFileError;
  }
  return kExitOk;
}

int RunDump(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  RecordWriter writer(out);
  std::string transitions;
  for (std::uint32_t s = 1; s < automaton.count(); ++s) {
    const std::uint8_t* label = automaton.LabelRow(s);
    const std::uint32_t* targets = automaton.TargetRow(s);
    transitions.clear();
    for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
      if (slot > 1) transitions += ' ';
      automaton.AppendSymbol(transitions, label[slot]);
      transitions += std::to_string(targets[slot]);
    }
    writer.Field(s).Field(automaton.IsFinalState(s) ? 1 : 0).Field(automaton.WordCount(s));
    writer.Field(automaton.SuffixCount(s)).Field(transitions).End();
  }
  return kExitOk;
}

int RunGroups(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  const AnalysisSettings& settings = options.settings;
  RecordWriter writer(out);
  for (std::uint32_t group : session.ranked) {
    const double score = GroupScore(automaton.WordCount(group), automaton.SuffixCount(group),
                                    settings.word_weight, settings.suffix_weight);
    writer.Field(group).Field(automaton.WordCount(group)).Field(automaton.SuffixCount(group));
    writer.Field(FormatGroupScore(score)).Field(LabelOf(automaton, group)).End();
  }
  return kExitOk;
}

int RunStats(const Session& session, const CliOptions&, std::FILE* out, std::FILE*) {
  const OpenReport& report = session.report;
  const SuffixAutomaton& automaton = session.automaton;
  std::fprintf(out, "mode: %s\n", report.characters ? "characters" : "bytes");
  std::fprintf(out, "words read: %" PRIu64 "\n", report.stats.words + session.inserted.words);
  std::fprintf(out, "distinct words: %" PRIu32 "\n", DistinctWords(session.tree, session.automaton));
  std::fprintf(out, "tree nodes: %" PRIu32 "\n", session.tree.node_count());
  std::fprintf(out, "states: %" PRIu32 "\n", automaton.count() - 1);
  std::fprintf(out, "main groups: %zu\n", session.ranked.size());
  std::fprintf(out, "long tokens skipped: %" PRIu64 "\n",
               report.stats.long_tokens_skipped + session.inserted.long_tokens_skipped);
  std::fprintf(out, "words refused: %" PRIu64 "\n",
               report.stats.words_refused + session.inserted.words_refused);
  std::fprintf(out, "reading seconds: %.3f\n", report.read_seconds);
  std::fprintf(out, "inserting seconds: %.3f\n", session.insert_seconds);
  std::fprintf(out, "building seconds: %.3f\n", report.build_seconds);
  std::fprintf(out, "ranking seconds: %.3f\n", session.rank_seconds);
  return kExitOk;
}

int RunLabel(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  RecordWriter(out).Field(LabelOf(session.automaton, options.states[0])).End();
  return kExitOk;
}

int RunWords(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  WriteLines(out, session.automaton.GetWords(options.states[0]));
  return kExitOk;
}

int RunSuffixes(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  WriteLines(out, session.automaton.GetSuffixes(options.states[0]));
  return kExitOk;
}

int RunDistance(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  const std::uint32_t first = options.states[0];
  const std::uint32_t second = options.states[1];
  const std::uint32_t distance = options.limit ? automaton.Distance(first, second, *options.limit)
                                               : automaton.ExactDistance(first, second);
  RecordWriter(out).Field(distance).End();
  return kExitOk;
}

int RunSuspicious(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  RecordWriter writer(out);
  for (std::uint32_t group : automaton.FindSuspiciousGroups(options.states[0], options.distance)) {
    writer.Field(group).Field(automaton.WordCount(group)).Field(automaton.SuffixCount(group));
    writer.Field(LabelOf(automaton, group)).End();
  }
  return kExitOk;
}

int RunDiffering(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  WriteLines(out, session.automaton.GetDifferingSuffixes(options.states[0], options.states[1]));
  return kExitOk;
}

// Writes each generated word as it comes: the output is never held whole,
// and a failed write stops the walk at once (main reports it).
SuffixAutomaton::WordVisitor WriteEachWord(RecordWriter& writer) {
  return [&writer](const std::string& word) {
    writer.Field(word).End();
    return writer.ok();
  };
}

int RunGenerate(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  RecordWriter writer(out);
  session.automaton.ForEachGeneratedWord(options.states[0], options.states[1], WriteEachWord(writer));
  return writer.ok() ? kExitOk : kExitFileError;
}

int RunAutomatic(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  const std::uint32_t main = options.states[0];
  RecordWriter writer(out);
  automaton.ForEachAutomaticWord(automaton.FindSuspiciousGroups(main, options.distance), main, WriteEachWord(writer));
  return writer.ok() ? kExitOk : kExitFileError;
}

// A transition's character as text inside a quoted Graphviz label. The graph
// is declared Latin-1, so that every byte is valid input; control bytes are
// written as visible escapes. In character mode the graph is UTF-8 and a
// symbol is a whole character.
std::string DotLabel(const std::string& symbol, bool latin1) {
  std::string label;
  for (unsigned char c : symbol) {
    if (c == '"' || c == '\\') {
      label += '\\';
      label += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f || (latin1 && c >= 0x80 && c < 0xa0)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\\\x%02X", c);
      label += escaped;
    } else {
      label += static_cast<char>(c);
    }
  }
  return label;
}

int RunDot(const Session& session, const CliOptions& options, std::FILE* out, std::FILE*) {
  const SuffixAutomaton& automaton = session.automaton;
  const bool latin1 = !automaton.coding().characters();
  std::fprintf(out, "digraph suffix_group {\n  charset=\"%s\";\n  rankdir=LR;\n", latin1 ? "latin1" : "UTF-8");
  // States reachable from the group all have smaller numbers: visit them
  // from the group downward, marking as we go.
  const std::uint32_t group = options.states[0];
  std::vector<bool> reached(group + 1, false);
  reached[group] = true;
  for (std::uint32_t s = group; s >= 1; --s) {
    if (!reached[s]) continue;
    std::fprintf(out, "  %" PRIu32 " [shape=%s, label=\"%" PRIu32 "\\nwords %" PRIu32
                      "\\nsuffixes %" PRIu32 "\"];\n",
                 s, automaton.IsFinalState(s) ? "doublecircle" : "circle", s,
                 automaton.WordCount(s), automaton.SuffixCount(s));
    const std::uint8_t* label = automaton.LabelRow(s);
    const std::uint32_t* targets = automaton.TargetRow(s);
    for (unsigned slot = 1; slot < SlotCount(label[0]); ++slot) {
      reached[targets[slot]] = true;
      std::string symbol;
      automaton.AppendSymbol(symbol, label[slot]);
      std::fprintf(out, "  %" PRIu32 " -> %" PRIu32 " [label=\"%s\"];\n", s, targets[slot],
                   DotLabel(symbol, latin1).c_str());
    }
  }
  std::fprintf(out, "}\n");
  return kExitOk;
}

// Writes OUTBASE.aff and OUTBASE.dic; prints what it wrote, and each word
// Hunspell cannot accept on a warning line of its own.
int RunHunspell(const Session& session, const CliOptions& options, std::FILE* out, std::FILE* err) {
  const std::string& base = options.extra[0];
  for (const std::string& path : {base + ".aff", base + ".dic"}) {
    if (OverwritesAnInput(options, path)) {
      std::fprintf(err, "tarvo-cli: '%s' is an input word list; the dictionary would replace it\n", path.c_str());
      return kExitFileError;
    }
  }
  const double start = MonotonicSeconds();
  HunspellExportResult result;
  if (const std::error_code error = ExportHunspell(session.automaton, base, result)) {
    PrintFileError(err, "cannot write", base + ".aff/.dic", error);
    return kExitFileError;
  }
  for (const std::string& word : result.unrepresentable) {
    std::fprintf(err, "tarvo-cli: warning: Hunspell cannot accept '%s' (it ends in two dots)\n", word.c_str());
  }
  std::fprintf(out, "encoding: %s\n", result.utf8 ? "UTF-8" : "ISO8859-1");
  std::fprintf(out, "affix classes: %" PRIu32 "\n", result.classes);
  std::fprintf(out, "stems: %" PRIu64 "\n", result.stems);
  std::fprintf(out, "words: %" PRIu32 "\n", DistinctWords(session.tree, session.automaton));
  std::fprintf(out, "unrepresentable words: %zu\n", result.unrepresentable.size());
  std::fprintf(out, "exporting seconds: %.3f\n", MonotonicSeconds() - start);
  return kExitOk;
}

int Dispatch(CommandId id, const Session& session, const CliOptions& options, std::FILE* out,
             std::FILE* err) {
  switch (id) {
    case CommandId::kOrder: return RunOrder(session, options, out, err);
    case CommandId::kSaveAll: return RunSaveAll(session, options, out, err);
    case CommandId::kDump: return RunDump(session, options, out, err);
    case CommandId::kGroups: return RunGroups(session, options, out, err);
    case CommandId::kStats: return RunStats(session, options, out, err);
    case CommandId::kLabel: return RunLabel(session, options, out, err);
    case CommandId::kWords: return RunWords(session, options, out, err);
    case CommandId::kSuffixes: return RunSuffixes(session, options, out, err);
    case CommandId::kDistance: return RunDistance(session, options, out, err);
    case CommandId::kSuspicious: return RunSuspicious(session, options, out, err);
    case CommandId::kDiffering: return RunDiffering(session, options, out, err);
    case CommandId::kGenerate: return RunGenerate(session, options, out, err);
    case CommandId::kAutomatic: return RunAutomatic(session, options, out, err);
    case CommandId::kDot: return RunDot(session, options, out, err);
    case CommandId::kHunspell: return RunHunspell(session, options, out, err);
  }
  return kExitUsage;
}

// Inserts the words of each --insert file, as Update inserts pending words,
// but straight from the files: holding them all as strings first would take
// several times the memory of the words themselves.
bool InsertFiles(Session& session, const CliOptions& options, std::FILE* err) {
  if (options.insert_files.empty()) return true;
  double start = MonotonicSeconds();
  ReleaseBeforeTreeGrows(session.automaton);
  ListOrderInserter inserter(session.tree);
  for (const std::string& path : options.insert_files) {
    if (const std::error_code error = inserter.AddFile(InputPath(path), session.inserted)) {
      PrintFileError(err, "cannot open", path, error);
      return false;
    }
  }
  session.inserted.words_refused += inserter.Finish().size();
  session.insert_seconds = MonotonicSeconds() - start;
  double build_start = MonotonicSeconds();
  BuildAutomaton(session.tree, session.automaton);
  session.report.build_seconds += MonotonicSeconds() - build_start;
  return true;
}

void WarnAboutSkippedWords(const Session& session, std::FILE* err) {
  const std::uint64_t long_tokens =
      session.report.stats.long_tokens_skipped + session.inserted.long_tokens_skipped;
  const std::uint64_t refused = session.report.stats.words_refused + session.inserted.words_refused;
  if (long_tokens == 0 && refused == 0) return;
  std::fprintf(err,
               "tarvo-cli: warning: %" PRIu64 " token(s) longer than 255 bytes skipped, %" PRIu64
               " word(s) refused (a node would need more than 126 children, or a character is not in"
               " the list's alphabet)\n",
               long_tokens, refused);
}

void WarnAboutByteMode(const Session& session, const CliOptions& options, std::FILE* err) {
  if (session.report.byte_mode_reason.empty()) return;
  std::fprintf(err, "tarvo-cli: warning: '%s' is read as bytes: %s\n", options.word_list.c_str(),
               session.report.byte_mode_reason.c_str());
}

}  // namespace

int RunCommand(const CliOptions& options, std::FILE* out, std::FILE* err) {
  auto session = std::make_unique<Session>();
  session->report = OpenWordList(InputPath(options.word_list), options.settings.buffer_size, session->tree,
                                 session->automaton, options.settings.read_as_characters,
                                 DirectionOf(options.settings));
  if (!session->report.ok()) {
    PrintFileError(err, "cannot open", options.word_list, session->report.error);
    return kExitFileError;
  }
  if (!InsertFiles(*session, options, err)) return kExitFileError;
  const double rank_start = MonotonicSeconds();
  session->ranked = session->automaton.RankMainGroups(options.settings);
  session->rank_seconds = MonotonicSeconds() - rank_start;
  WarnAboutByteMode(*session, options, err);
  WarnAboutSkippedWords(*session, err);

  const std::uint32_t count = session->automaton.count();
  for (std::uint32_t state : options.states) {
    if (state == 0 || state >= count) {
      std::fprintf(err, "tarvo-cli: %" PRIu32 " is not a state: states are 1 to %" PRIu32 "\n",
                   state, count - 1);
      return kExitUsage;
    }
  }
  return Dispatch(options.command->id, *session, options, out, err);
}

}  // namespace tarvo::cli
