#include "cli/cli_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarvo::cli {
namespace {

constexpr std::uint32_t kMaxUnsigned = UINT32_MAX;

// Parses a plain decimal number (digits only, any number of leading zeros)
// no larger than max. The value stays within max before each step, so it
// cannot overflow for any max below 2^60.
std::optional<std::uint64_t> ParseDecimal(std::string_view text, std::uint64_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > max) return std::nullopt;
  }
  return value;
}

// True when text is a plain decimal number: an optional sign, digits with
// at most one decimal point, and an optional exponent. This leaves out what
// strtof reads besides: white space, hexadecimal, "inf" and "nan".
bool IsDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  auto sign = [&] {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  };
  auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - start;
  };
  sign();
  std::size_t mantissa_digits = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa_digits += digits();
  }
  if (mantissa_digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    sign();
    if (digits() == 0) return false;
  }
  return i == text.size();
}

// A decimal number that is finite as a float.
std::optional<float> ParseFloat(const std::string& text) {
  if (!IsDecimalNumber(text)) return std::nullopt;
  // An overflow comes back infinite. ERANGE alone also flags a value too
  // small for a normal float, which is still a finite number: keep it.
  const float value = std::strtof(text.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// A bound as people write it: 1, 100, 0.5.
std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string IntegerRangeError(const std::string& option, const std::string& value,
                              std::uint64_t min, std::uint64_t max) {
  return option + " must be an integer from " + std::to_string(min) + " to " +
         std::to_string(max) + ", not '" + value + "'";
}

// Reads a bounded setting's integer value into *out.
std::string ReadSetting(const std::string& option, const std::string& value, BoundedSetting setting,
                        std::uint32_t* out) {
  const std::optional<std::uint64_t> parsed = ParseDecimal(value, UINT32_MAX);
  if (!parsed || CheckSetting(setting, static_cast<double>(*parsed))) {
    const SettingRange range = RangeOf(setting);
    return IntegerRangeError(option, value, static_cast<std::uint64_t>(range.min),
                             static_cast<std::uint64_t>(range.max));
  }
  *out = static_cast<std::uint32_t>(*parsed);
  return {};
}

// Reads an integer option value within [min, max] into *out.
std::string ReadInteger(const std::string& option, const std::string& value, std::uint64_t min,
                        std::uint64_t max, std::uint32_t* out) {
  std::optional<std::uint64_t> parsed = ParseDecimal(value, max);
  if (!parsed || *parsed < min) return IntegerRangeError(option, value, min, max);
  *out = static_cast<std::uint32_t>(*parsed);
  return {};
}

}  // namespace

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> commands = {
      {CommandId::kOrder, "order", "WORDLIST", 1, 0, false, false, false, "the symbol code of every byte value"},
      {CommandId::kSaveAll, "save-all", "WORDLIST OUT", 2, 0, false, false, true,
       "write every word to OUT, as Save as does"},
      {CommandId::kDump, "dump", "WORDLIST", 1, 0, false, false, false, "every state of the automaton"},
      {CommandId::kGroups, "groups", "WORDLIST", 1, 0, false, false, false, "the ranked main suffix groups"},
      {CommandId::kStats, "stats", "WORDLIST", 1, 0, false, false, false, "sizes and timings"},
      {CommandId::kLabel, "label", "WORDLIST GROUP", 2, 1, false, false, false, "the label of a group"},
      {CommandId::kWords, "words", "WORDLIST GROUP", 2, 1, false, false, false, "the stems of a group"},
      {CommandId::kSuffixes, "suffixes", "WORDLIST GROUP", 2, 1, false, false, false, "the suffixes of a group"},
      {CommandId::kDistance, "distance", "WORDLIST FIRST SECOND", 3, 2, true, false, false,
       "suffixes FIRST has and SECOND lacks (exact without --limit)"},
      {CommandId::kSuspicious, "suspicious", "WORDLIST MAIN", 2, 1, false, true, false,
       "groups lacking exactly D of MAIN's suffixes (D = 2)"},
      {CommandId::kDiffering, "differing", "WORDLIST LACKING HAVING", 3, 2, false, false, false,
       "suffixes HAVING has and LACKING lacks"},
      {CommandId::kGenerate, "generate", "WORDLIST SUSPICIOUS MAIN", 3, 2, false, false, false,
       "stems of SUSPICIOUS joined with the suffixes it lacks"},
      {CommandId::kAutomatic, "automatic", "WORDLIST MAIN", 2, 1, false, true, false,
       "the new words of every suspicious group (D = 2)"},
      {CommandId::kDot, "dot", "WORDLIST GROUP", 2, 1, false, false, false, "Graphviz graph of the states below GROUP"},
      {CommandId::kHunspell, "hunspell", "WORDLIST OUTBASE", 2, 0, false, false, false,
       "write the Hunspell dictionary OUTBASE.aff and OUTBASE.dic"},
  };
  return commands;
}

std::string UsageText() {
  std::string text =
      "Usage: tarvo-cli COMMAND WORDLIST [ARGS] [OPTIONS]\n"
      "       tarvo-cli --help | --version\n\nCommands:\n";
  for (const CommandInfo& command : Commands()) {
    std::string head = std::string("  ") + command.name + " " + command.arguments;
    if (command.takes_limit) head += " [--limit L]";
    if (command.takes_distance) head += " [--distance D]";
    if (command.takes_force) head += " [--force]";
    head.resize(std::max<std::size_t>(head.size() + 1, 46), ' ');
    text += head + command.summary + "\n";
  }
  text +=
      "\nOptions (defaults and bounds of the Settings dialog):\n"
      "  --min-words N      more stems than N make a main group (15; at least 1)\n"
      "  --min-suffixes N   more suffixes than N make a main group (5; at least 1)\n"
      "  --groups N         how many main groups to rank (15; at least 1)\n"
      "  --word-weight X    factor of ln(word count) (1.0; any number)\n"
      "  --suffix-weight X  factor of ln(suffix count) (1.0; from 1 to 100)\n"
      "  --buffer-size N    growth step of the word tree (10000; at least 10)\n"
      "  --insert FILE      insert FILE's words after opening, then rebuild (repeatable)\n"
      "  --chars            read a UTF-8 list as characters, not bytes\n"
      "  --prefixes         analyse prefixes: read every word backwards\n"
      "  --force            save-all: save over the word list even when words read\n"
      "                     from it or from --insert files cannot be stored\n"
      "  --                 end of the options: every later argument is a positional\n"
      "Numbers are decimal, without spaces; X may have a fraction and an exponent.\n";
  return text;
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CliOptions& options = result.options;
  std::vector<std::string> positionals;
  bool saw_limit = false;
  bool saw_distance = false;
  bool options_ended = false;
  auto fail = [&](std::string message) {
    result.ok = false;
    result.error = std::move(message);
    return result;
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended) {
      positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    if (arg == "--version") {
      options.version = true;
      continue;
    }
    if (arg == "--chars") {
      options.settings.read_as_characters = true;
      continue;
    }
    if (arg == "--prefixes") {
      options.settings.read_backwards = true;
      continue;
    }
    if (arg == "--force") {
      options.force = true;
      continue;
    }
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positionals.push_back(arg);
      continue;
    }
    std::string name = arg;
    std::string value;
    std::size_t equals = arg.find('=');
    if (equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    } else {
      if (i + 1 >= args.size()) return fail(name + " needs a value");
      value = args[++i];
    }
    std::string error;
    if (name == "--min-words") {
      error = ReadSetting(name, value, BoundedSetting::kMinWords, &options.settings.min_words);
    } else if (name == "--min-suffixes") {
      error = ReadSetting(name, value, BoundedSetting::kMinSuffixes, &options.settings.min_suffixes);
    } else if (name == "--groups") {
      error = ReadSetting(name, value, BoundedSetting::kGroupsShown, &options.settings.groups_shown);
    } else if (name == "--buffer-size") {
      error = ReadSetting(name, value, BoundedSetting::kBufferSize, &options.settings.buffer_size);
    } else if (name == "--word-weight") {
      std::optional<float> weight = ParseFloat(value);
      if (!weight) error = name + " must be a finite decimal number, not '" + value + "'";
      else options.settings.word_weight = *weight;
    } else if (name == "--suffix-weight") {
      std::optional<float> weight = ParseFloat(value);
      if (!weight || CheckSetting(BoundedSetting::kSuffixWeight, *weight)) {
        const SettingRange range = RangeOf(BoundedSetting::kSuffixWeight);
        error = name + " must be a decimal number from " + FormatNumber(range.min) + " to " +
                FormatNumber(range.max) + ", not '" + value + "'";
      } else {
        options.settings.suffix_weight = *weight;
      }
    } else if (name == "--insert") {
      if (value.empty()) error = "--insert needs a file name";
      options.insert_files.push_back(value);
    } else if (name == "--limit") {
      std::uint32_t limit = 0;
      error = ReadInteger(name, value, 0, kMaxUnsigned, &limit);
      options.limit = limit;
      saw_limit = true;
    } else if (name == "--distance") {
      error = ReadInteger(name, value, 0, kMaxUnsigned, &options.distance);
      saw_distance = true;
    } else {
      error = "unknown option '" + name + "'";
    }
    if (!error.empty()) return fail(error);
  }
  if (options.help || options.version) {
    result.ok = true;
    return result;
  }

  if (positionals.empty()) return fail("no command given");
  for (const CommandInfo& command : Commands()) {
    if (positionals[0] == command.name) options.command = &command;
  }
  if (options.command == nullptr) return fail("unknown command '" + positionals[0] + "'");
  const CommandInfo& command = *options.command;
  std::string usage = std::string("usage: tarvo-cli ") + command.name + " " + command.arguments;
  if (saw_limit && !command.takes_limit) return fail("--limit does not apply to " + std::string(command.name));
  if (saw_distance && !command.takes_distance) return fail("--distance does not apply to " + std::string(command.name));
  if (options.force && !command.takes_force) return fail("--force does not apply to " + std::string(command.name));
  if (static_cast<int>(positionals.size()) - 1 != command.positional_count) return fail(usage);
  options.word_list = positionals[1];
  options.extra.assign(positionals.begin() + 2, positionals.end());
  for (int k = 0; k < command.state_arguments; ++k) {
    const std::string& text = options.extra[options.extra.size() - command.state_arguments + k];
    std::optional<std::uint64_t> state = ParseDecimal(text, kMaxUnsigned);
    if (!state) return fail("'" + text + "' is not a state number (" + usage + ")");
    options.states.push_back(static_cast<std::uint32_t>(*state));
  }
  result.ok = true;
  return result;
}

}  // namespace tarvo::cli
