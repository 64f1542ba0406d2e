// libFuzzer target: tarvo-cli's argument parsing. The input is the argument
// list, split at byte 0. Parsing never crashes; a failure always says why;
// an accepted command line has values within their documented bounds and
// the right number of arguments, and parses to the same options when
// written out again in the --name=VALUE form, with the positionals after
// "--".
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz_support.h"

namespace {

using tarvo::cli::CliOptions;
using tarvo::fuzz::Require;

void CheckBounds(const CliOptions& o) {
  const tarvo::AnalysisSettings& s = o.settings;
  Require(s.min_words >= 1 && s.min_words <= tarvo::kMaxSettingValue, "--min-words out of bounds");
  Require(s.min_suffixes >= 1 && s.min_suffixes <= tarvo::kMaxSettingValue, "--min-suffixes out of bounds");
  Require(s.groups_shown >= 1 && s.groups_shown <= tarvo::kMaxSettingValue, "--groups out of bounds");
  Require(s.buffer_size >= tarvo::kMinBufferSize && s.buffer_size <= tarvo::kMaxSettingValue,
          "--buffer-size out of bounds");
  Require(std::isfinite(s.word_weight), "--word-weight not finite");
  Require(s.suffix_weight >= tarvo::kMinSuffixWeight && s.suffix_weight <= tarvo::kMaxSuffixWeight,
          "--suffix-weight out of bounds");
  for (const std::string& path : o.insert_files) Require(!path.empty(), "an empty --insert file");

  Require(o.command != nullptr, "accepted without a command");
  const tarvo::cli::CommandInfo& command = *o.command;
  Require(o.extra.size() + 1 == static_cast<std::size_t>(command.positional_count), "wrong number of arguments");
  Require(o.states.size() == static_cast<std::size_t>(command.state_arguments), "wrong number of states");
  for (std::size_t k = 0; k < o.states.size(); ++k) {
    const std::string& text = o.extra[o.extra.size() - o.states.size() + k];
    Require(!text.empty() && text.find_first_not_of("0123456789") == std::string::npos,
            "a state number that is not decimal digits");
  }
  Require(command.takes_limit || !o.limit, "--limit accepted for a command without it");
  Require(command.takes_distance || o.distance == 2, "--distance accepted for a command without it");
  Require(command.takes_force || !o.force, "--force accepted for a command without it");
}

std::string Unsigned(std::uint64_t value) { return std::to_string(value); }

// Nine significant digits give back every float exactly.
std::string Float(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

// The options written out again, each option as --name=VALUE, then "--"
// and the positionals (which may look like options).
std::vector<std::string> Canonical(const CliOptions& o) {
  std::vector<std::string> args;
  const tarvo::AnalysisSettings& s = o.settings;
  args.push_back("--min-words=" + Unsigned(s.min_words));
  args.push_back("--min-suffixes=" + Unsigned(s.min_suffixes));
  args.push_back("--groups=" + Unsigned(s.groups_shown));
  args.push_back("--buffer-size=" + Unsigned(s.buffer_size));
  args.push_back("--word-weight=" + Float(s.word_weight));
  args.push_back("--suffix-weight=" + Float(s.suffix_weight));
  for (const std::string& path : o.insert_files) args.push_back("--insert=" + path);
  if (s.read_as_characters) args.push_back("--chars");
  if (o.limit) args.push_back("--limit=" + Unsigned(*o.limit));
  if (o.command->takes_distance) args.push_back("--distance=" + Unsigned(o.distance));
  if (o.force) args.push_back("--force");
  args.insert(args.end(), {"--", o.command->name, o.word_list});
  args.insert(args.end(), o.extra.begin(), o.extra.end());
  return args;
}

bool SameOptions(const CliOptions& a, const CliOptions& b) {
  const tarvo::AnalysisSettings& x = a.settings;
  const tarvo::AnalysisSettings& y = b.settings;
  return a.command == b.command && a.word_list == b.word_list && a.extra == b.extra && a.states == b.states &&
         x.min_words == y.min_words && x.min_suffixes == y.min_suffixes && x.groups_shown == y.groups_shown &&
         x.buffer_size == y.buffer_size && x.word_weight == y.word_weight && x.suffix_weight == y.suffix_weight &&
         x.read_as_characters == y.read_as_characters &&
         a.insert_files == b.insert_files && a.limit == b.limit && a.distance == b.distance && a.force == b.force;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  if (!current.empty()) args.push_back(current);

  const tarvo::cli::ParseResult parsed = tarvo::cli::ParseCommandLine(args);
  if (!parsed.ok) {
    Require(!parsed.error.empty(), "a failure without a message");
    return 0;
  }
  if (parsed.options.help || parsed.options.version) return 0;
  CheckBounds(parsed.options);
  const tarvo::cli::ParseResult again = tarvo::cli::ParseCommandLine(Canonical(parsed.options));
  Require(again.ok, "the written-out options do not parse: " + again.error);
  Require(SameOptions(parsed.options, again.options), "the written-out options parse differently");
  return 0;
}
