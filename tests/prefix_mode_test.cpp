// Prefix mode: every command on a list read backwards gives what the same
// command gives on the list with every word reversed, each printed string
// turned back to reading order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "tarvo/analysis.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::Lines;

// Reverses a word by bytes, or by UTF-8 characters (a character starts at
// every byte that is not a continuation byte).
std::string Reversed(const std::string& word, bool characters) {
  std::vector<std::string> symbols;
  for (char c : word) {
    const bool continuation = characters && (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    if (continuation) symbols.back() += c;
    else symbols.emplace_back(1, c);
  }
  std::string reversed;
  for (auto symbol = symbols.rbegin(); symbol != symbols.rend(); ++symbol) reversed += *symbol;
  return reversed;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

// A suffix label ("-{} -ed -s") of the reversed list as the prefix label
// of the list itself ("{}- de- s-").
std::string PrefixLabel(const std::string& suffix_label, bool characters) {
  std::string label;
  std::istringstream in(suffix_label);
  for (std::string affix; in >> affix;) {
    if (!label.empty()) label += ' ';
    affix.erase(0, 1);  // the hyphen
    label += (affix == "{}" ? affix : Reversed(affix, characters)) + '-';
  }
  return label;
}

std::string Unchanged(const std::string& text) { return text; }

struct Output {
  int exit_code = -1;
  std::string out;
};

// Runs a tarvo-cli command in this process.
Output RunCommand(const std::vector<std::string>& args) {
  const cli::ParseResult parsed = cli::ParseCommandLine(args);
  EXPECT_TRUE(parsed.ok) << parsed.error;
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  std::FILE* err = std::fopen("/dev/null", "w");
  Output output;
  output.exit_code = cli::RunCommand(parsed.options, out, err);
  std::fclose(err);
  std::fclose(out);
  output.out.assign(buffer, size);
  std::free(buffer);
  return output;
}

// A list of words made of invented stems and prefixes, each stem taking
// most of the prefixes, so that there are groups and groups that lack a few
// of their prefixes; the symbols include two-, three- and four-byte
// characters.
std::vector<std::string> RandomPrefixedList(std::mt19937& random) {
  const std::vector<std::string> letters = {"a", "e", "i", "k", "l", "m", "t", "é", "ś", "я", "€", "𝄞"};
  const std::vector<std::string> prefixes = {"", "re", "un", "ka", "mé", "я", "€t"};
  auto pick = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  std::vector<std::string> words;
  const std::size_t stems = 30 + pick(40);
  for (std::size_t s = 0; s < stems; ++s) {
    std::string stem;
    for (std::size_t length = 1 + pick(4); length > 0; --length) stem += letters[pick(letters.size())];
    for (const std::string& prefix : prefixes) {
      if (pick(8) != 0) words.push_back(prefix + stem);
    }
  }
  words.push_back(std::string(300, 'k'));  // too long to store: skipped in both directions
  std::shuffle(words.begin(), words.end(), random);
  return words;
}

// How a list is read, and how its words are reversed for the reference.
struct Mode {
  bool ask_characters;  // --chars
  bool characters;      // the list is read, and reversed, by characters
};

// Every command on `words` (and `inserted` with --insert) with --prefixes,
// and on the reversed words without it, the reference's strings turned back.
void ExpectPrefixModeMirrorsReversedList(const std::vector<std::string>& words,
                                         const std::vector<std::string>& inserted, Mode mode) {
  const bool characters = mode.characters;
  test::TempDir dir;
  std::vector<std::string> reversed_words;
  for (const std::string& word : words) reversed_words.push_back(Reversed(word, characters));
  std::vector<std::string> reversed_inserted;
  for (const std::string& word : inserted) reversed_inserted.push_back(Reversed(word, characters));
  const std::string list = dir.Write("list", JoinLines(words));
  const std::string reversed_list = dir.Write("reversed", JoinLines(reversed_words));
  const std::string more = dir.Write("more", JoinLines(inserted));
  const std::string reversed_more = dir.Write("reversed-more", JoinLines(reversed_inserted));

  std::vector<std::string> options = {"--min-words=2", "--min-suffixes=2", "--groups=5"};
  if (mode.ask_characters) options.push_back("--chars");
  auto run = [&](std::vector<std::string> args, bool prefixes) {
    args.insert(args.begin() + 1, prefixes ? list : reversed_list);
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {"--insert", prefixes ? more : reversed_more});
    if (prefixes) args.push_back("--prefixes");
    return RunCommand(args);
  };
  using Turn = std::function<std::string(const std::string&)>;
  const Turn each_line = [&](const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    for (std::string& line : lines) line = Reversed(line, characters);
    return JoinLines(lines);
  };
  const Turn last_field_label = [&](const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    for (std::string& line : lines) {
      const std::size_t tab = line.rfind('\t');
      const std::size_t start = tab == std::string::npos ? 0 : tab + 1;
      line = line.substr(0, start) + PrefixLabel(line.substr(start), characters);
    }
    return JoinLines(lines);
  };
  const Turn without_timings = [](const std::string& text) {
    std::vector<std::string> kept;
    for (const std::string& line : Lines(text)) {
      if (line.find("seconds") == std::string::npos) kept.push_back(line);
    }
    return JoinLines(kept);
  };
  // `clean` drops what differs from run to run, on both sides.
  auto expect_mirrored = [&](const std::vector<std::string>& args, const Turn& turn, const Turn& clean = Unchanged) {
    const Output reference = run(args, false);
    const Output prefixes = run(args, true);
    ASSERT_EQ(reference.exit_code, 0) << args[0];
    EXPECT_EQ(prefixes.exit_code, 0) << args[0];
    EXPECT_EQ(clean(prefixes.out), turn(clean(reference.out))) << args[0];
  };

  const Output groups = run({"groups"}, false);
  ASSERT_EQ(groups.exit_code, 0);
  std::vector<std::string> ranked;
  for (const std::string& line : Lines(groups.out)) ranked.push_back(line.substr(0, line.find('\t')));
  ASSERT_FALSE(ranked.empty()) << "the generated list has no main group";
  std::string state_count = without_timings(run({"stats"}, false).out);
  state_count = state_count.substr(state_count.find("states: ") + 8);
  const std::string last_state = std::to_string(std::stoul(state_count));
  const std::string main = ranked[0];

  expect_mirrored({"order"}, Unchanged);
  expect_mirrored({"dump"}, Unchanged);
  expect_mirrored({"stats"}, Unchanged, without_timings);
  expect_mirrored({"groups"}, last_field_label);
  for (const std::string& group : {main, ranked.back(), last_state, std::string("2")}) {
    expect_mirrored({"label", group}, last_field_label);
    expect_mirrored({"words", group}, each_line);
    expect_mirrored({"suffixes", group}, each_line);
    expect_mirrored({"dot", group}, Unchanged);
    expect_mirrored({"distance", main, group}, Unchanged);
    expect_mirrored({"distance", group, main, "--limit=2"}, Unchanged);
    expect_mirrored({"differing", group, main}, each_line);
    expect_mirrored({"generate", group, main}, each_line);
  }
  for (const char* distance : {"1", "2"}) {
    expect_mirrored({"suspicious", main, "--distance", distance}, last_field_label);
    expect_mirrored({"automatic", main, "--distance", distance}, each_line);
  }
  ASSERT_EQ(run({"save-all", dir.PathOf("saved")}, true).exit_code, 0);
  ASSERT_EQ(run({"save-all", dir.PathOf("reference")}, false).exit_code, 0);
  EXPECT_EQ(test::ReadFile(dir.PathOf("saved")), each_line(test::ReadFile(dir.PathOf("reference"))));
}

TEST(PrefixMode, EveryCommandMirrorsTheReversedListInBothModes) {
  std::mt19937 random(16);
  for (int round = 0; round < 4; ++round) {
    const std::vector<std::string> words = RandomPrefixedList(random);
    const std::vector<std::string> inserted = {words[0], "unmét", "€tkaś", "я𝄞"};
    for (bool characters : {false, true}) {
      SCOPED_TRACE(std::string(characters ? "characters" : "bytes") + ", round " + std::to_string(round));
      ExpectPrefixModeMirrorsReversedList(words, inserted, {characters, characters});
    }
  }
}

// A byte list that is not UTF-8 is reversed byte by byte, even when
// characters were asked for (it is read as bytes).
TEST(PrefixMode, ByteListsThatAreNotUtf8AreReversedByBytes) {
  std::mt19937 random(61);
  std::vector<std::string> words = RandomPrefixedList(random);
  for (std::size_t i = 0; i < words.size(); i += 7) words[i] += "\xE9\xFF";
  ExpectPrefixModeMirrorsReversedList(words, {"re\xE9", "\xFFka"}, {true, false});
}

// The facade reads backwards too: labels, stems, new words and the saved
// list all read forwards.
TEST(PrefixMode, TheAnalysisShowsPrefixesAndKeepsWordsForwards) {
  AnalysisSettings settings;
  settings.min_words = 1;
  settings.min_suffixes = 1;
  settings.read_backwards = true;
  const std::unique_ptr<Analysis> analysis =
      Analysis::FromText("do redo undo make remake unmake take retake", settings);
  ASSERT_EQ(analysis->RankedGroups().size(), 1u);
  const GroupId main = analysis->RankedGroups()[0].id;
  EXPECT_EQ(analysis->Label(main), "{}- re- un-");
  std::vector<std::string> stems = analysis->Stems(main);
  std::sort(stems.begin(), stems.end());
  EXPECT_EQ(stems, (std::vector<std::string>{"do", "make"}));
  const std::vector<GroupId> lacking = analysis->SuspiciousGroups(main, 1);
  ASSERT_EQ(lacking.size(), 1u);
  EXPECT_EQ(analysis->Label(lacking[0]), "{}- re-");
  EXPECT_EQ(analysis->NewWords(lacking[0], main), std::vector<std::string>{"untake"});

  analysis->InsertWords({"untake"});
  ASSERT_EQ(analysis->RankedGroups().size(), 1u);
  EXPECT_EQ(analysis->RankedGroups()[0].stems, 3u);
  test::TempDir dir;
  ASSERT_FALSE(analysis->Save(dir.PathOf("saved")));
  std::vector<std::string> saved = Lines(test::ReadFile(dir.PathOf("saved")));
  std::sort(saved.begin(), saved.end());
  EXPECT_EQ(saved, (std::vector<std::string>{"do", "make", "redo", "remake", "retake", "take", "undo", "unmake",
                                             "untake"}));
}

}  // namespace
}  // namespace tarvo
