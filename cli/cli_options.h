// Parsing of tarvo-cli's command line.
//
//   tarvo-cli COMMAND WORDLIST [ARGS] [OPTIONS]
//
// Options may stand anywhere, as "--name VALUE" or "--name=VALUE"; "--"
// ends them, and every later argument is a positional. Parsing checks the
// syntax and the bounds of every value (numbers are plain decimal, with no
// spaces); state numbers are checked against the automaton once the list
// is open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automaton/analysis_settings.h"

namespace tarvo::cli {

enum class CommandId {
  kOrder, kSaveAll, kDump, kGroups, kStats, kLabel, kWords, kSuffixes,
  kDistance, kSuspicious, kDiffering, kGenerate, kAutomatic, kDot, kHunspell,
};

// What a command takes besides the settings options.
struct CommandInfo {
  CommandId id;
  const char* name;
  const char* arguments;      // for the usage text, e.g. "WORDLIST GROUP"
  int positional_count;       // WORDLIST included
  int state_arguments;        // trailing positionals that are state numbers
  bool takes_limit;           // --limit L
  bool takes_distance;        // --distance D
  bool takes_force;           // --force
  const char* summary;
};

const std::vector<CommandInfo>& Commands();

struct CliOptions {
  const CommandInfo* command = nullptr;
  std::string word_list;
  std::vector<std::string> extra;          // positionals after WORDLIST
  std::vector<std::uint32_t> states;       // the state-number positionals, parsed
  AnalysisSettings settings;
  std::vector<std::string> insert_files;   // --insert, in the order given
  std::optional<std::uint32_t> limit;      // --limit
  std::uint32_t distance = 2;              // --distance
  bool force = false;                      // --force: save-all may drop unstorable words
  bool help = false;
  bool version = false;
};

struct ParseResult {
  bool ok = false;
  std::string error;  // what is wrong, with the allowed values
  CliOptions options;
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace tarvo::cli
