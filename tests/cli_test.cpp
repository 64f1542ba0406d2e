#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/cli_options.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::Lines;

using test::RunCli;

const std::string kWalkTalk = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\n";

TEST(Cli, GroupsOfTheSampleListFollowTheRecordFormat) {
  test::CliResult result = RunCli({"groups", TARVO_SAMPLE_LIST});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::vector<std::string> lines = Lines(result.out);
  ASSERT_GE(lines.size(), 3u);
  for (const std::string& line : lines) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 5u) << line;
    EXPECT_GT(std::stoul(fields[1]), 15u);
    EXPECT_GT(std::stoul(fields[2]), 5u);
    EXPECT_EQ(fields[3], [&] {
      char score[64];
      std::snprintf(score, sizeof score, "%.6f", std::log(std::stod(fields[2])) + std::log(std::stod(fields[1])));
      return std::string(score);
    }());
    EXPECT_EQ(fields[4][0], '-');
  }
}

TEST(Cli, DumpOrderAndStatsOfASmallList) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  test::CliResult dump = RunCli({"dump", list});
  ASSERT_EQ(dump.exit_code, 0);
  EXPECT_EQ(dump.out,
            "1\t1\t4\t1\t\n2\t0\t2\t1\td1\n3\t1\t2\t3\te2 s1\n4\t0\t2\t3\tk3\n"
            "5\t0\t2\t3\tl4\n6\t0\t2\t3\ta5\n7\t0\t1\t6\tt6 w6\n");
  test::CliResult order = RunCli({"order", list});
  std::vector<std::string> lines = Lines(order.out);
  ASSERT_EQ(lines.size(), 256u);
  EXPECT_EQ(lines['a'], "97\t0");  // a, k, l, t, w... a occurs 6 times
  test::CliResult stats = RunCli({"stats", list});
  EXPECT_NE(stats.out.find("distinct words: 6\n"), std::string::npos);
  EXPECT_NE(stats.out.find("tree nodes: 15\n"), std::string::npos);
  EXPECT_NE(stats.out.find("states: 7\n"), std::string::npos);
}

TEST(Cli, InsertAddsWordsInTheOpenedOrderAndRebuilds) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  const std::string more = dir.Write("more", "jump jumps\njumped");
  test::CliResult result = RunCli({"groups", list, "--insert", more, "--min-words=2", "--min-suffixes", "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Lines(result.out).at(0), "3\t3\t3\t2.197225\t-{} -ed -s");
  test::CliResult save = RunCli({"save-all", list, dir.PathOf("out"), "--insert", more});
  ASSERT_EQ(save.exit_code, 0);
  EXPECT_EQ(save.out, "");
  EXPECT_EQ(Lines(test::ReadFile(dir.PathOf("out"))).size(), 9u);
}

// Many unsorted words over two files go in collected, not one by one; every
// word of the list and of both files is saved once, a repeated one too.
TEST(Cli, InsertedFilesLoseAndRepeatNoWord) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  std::vector<std::string> expected = Lines(kWalkTalk);
  std::string first;
  std::string second;
  for (int k = 0; k < 400; ++k) {
    // k * 7919 % 400 visits every number below 400 once, out of order.
    const std::string word = "w" + std::to_string(k * 7919 % 400) + (k % 3 == 0 ? "s" : "ed");
    (k % 2 == 0 ? first : second) += word + "\n";
    expected.push_back(word);
  }
  second += "walks\n";  // already in the list
  test::CliResult save = RunCli({"save-all", list, dir.PathOf("out"), "--insert", dir.Write("first", first),
                                 "--insert", dir.Write("second", second)});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  std::vector<std::string> saved = Lines(test::ReadFile(dir.PathOf("out")));
  std::sort(saved.begin(), saved.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(saved, expected);
}

TEST(Cli, ErrorsGoToStderrWithTheirExitCodes) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  test::CliResult missing = RunCli({"groups", dir.PathOf("nope")});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "tarvo-cli: cannot open '" + dir.PathOf("nope") + "': No such file or directory\n");
  EXPECT_EQ(RunCli({"groups", dir.path()}).exit_code, 1);
  EXPECT_EQ(RunCli({"groups", list, "--insert", dir.PathOf("nope")}).exit_code, 1);

  test::CliResult full = RunCli({"save-all", list, "/dev/full"});
  EXPECT_EQ(full.exit_code, 1);
  EXPECT_EQ(full.out, "");
  EXPECT_NE(full.err.find("No space left on device"), std::string::npos);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"groups", list, "--min-words", "0"},
           {"groups", list, "--buffer-size", "9"},
           {"groups", list, "--suffix-weight", "101"},
           {"groups", list, "--groups", "2147483648"},
           {"groups", list, "--word-weight", "x"},
           {"groups", list, "--bogus", "1"},
           {"frobnicate", list},
           {"groups"},
           {"groups", list, "extra"},
       }) {
    test::CliResult result = RunCli(bad);
    EXPECT_EQ(result.exit_code, 2) << bad.back();
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_NE(RunCli({"groups", list, "--buffer-size", "9"}).err.find("from 10 to 2147483647"), std::string::npos);
}

TEST(Cli, WarnsOnceAboutSkippedTokens) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk + std::string(256, 'x') + "\n" + std::string(300, 'y'));
  test::CliResult result = RunCli({"stats", list});
  ASSERT_EQ(result.exit_code, 0);
  EXPECT_NE(result.out.find("long tokens skipped: 2\n"), std::string::npos);
  EXPECT_EQ(Lines(result.err).size(), 1u);
}

TEST(CliOptions, ParsesOptionsAnywhereAndChecksBounds) {
  cli::ParseResult parsed = cli::ParseCommandLine(
      {"--word-weight=-0.5", "groups", "list.txt", "--suffix-weight", "100", "--insert", "a", "--insert=b"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.options.word_list, "list.txt");
  EXPECT_EQ(parsed.options.settings.word_weight, -0.5f);
  EXPECT_EQ(parsed.options.settings.suffix_weight, 100.0f);
  EXPECT_EQ(parsed.options.insert_files, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--suffix-weight", "0.99"}).ok);
  EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--word-weight", "inf"}).ok);
  EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--min-words"}).ok);
  EXPECT_TRUE(cli::ParseCommandLine({"groups", "l", "--min-words", "2147483647"}).ok);
}

// Every integer option accepts its lowest allowed value and refuses the
// value below it; --limit and --distance start at 0, below which no plain
// decimal number lies.
TEST(CliOptions, IntegerOptionsAcceptTheirLowerBound) {
  using Read = std::function<std::uint32_t(const cli::CliOptions&)>;
  struct Bound {
    std::vector<std::string> command;  // a command line the option applies to
    const char* option;
    std::uint32_t lowest;
    Read value;
  };
  const std::vector<std::string> groups = {"groups", "l"};
  const std::vector<Bound> bounds = {
      {groups, "--min-words", 1, [](const cli::CliOptions& o) { return o.settings.min_words; }},
      {groups, "--min-suffixes", 1, [](const cli::CliOptions& o) { return o.settings.min_suffixes; }},
      {groups, "--groups", 1, [](const cli::CliOptions& o) { return o.settings.groups_shown; }},
      {groups, "--buffer-size", 10, [](const cli::CliOptions& o) { return o.settings.buffer_size; }},
      {{"distance", "l", "1", "2"}, "--limit", 0, [](const cli::CliOptions& o) { return o.limit.value_or(99); }},
      {{"suspicious", "l", "1"}, "--distance", 0, [](const cli::CliOptions& o) { return o.distance; }},
  };
  for (const Bound& bound : bounds) {
    std::vector<std::string> args = bound.command;
    args.push_back(std::string(bound.option) + "=" + std::to_string(bound.lowest));
    cli::ParseResult parsed = cli::ParseCommandLine(args);
    ASSERT_TRUE(parsed.ok) << bound.option << ": " << parsed.error;
    EXPECT_EQ(bound.value(parsed.options), bound.lowest) << bound.option;
    const std::string below = bound.lowest > 0 ? std::to_string(bound.lowest - 1) : "-1";
    args.back() = std::string(bound.option) + "=" + below;
    EXPECT_FALSE(cli::ParseCommandLine(args).ok) << args.back();
  }
}

TEST(Cli, RunsWithEveryIntegerOptionAtItsLowerBound) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  // Four groups have 2 stems and 3 suffixes; a list of one keeps the first.
  test::CliResult groups =
      RunCli({"groups", list, "--min-words", "1", "--min-suffixes", "1", "--groups", "1", "--buffer-size", "10"});
  ASSERT_EQ(groups.exit_code, 0) << groups.err;
  EXPECT_EQ(groups.out, "3\t2\t3\t1.791759\t-{} -ed -s\n");
  // A limit of 0 stops the walk before its first suffix.
  test::CliResult limited = RunCli({"distance", list, "3", "1", "--limit", "0"});
  ASSERT_EQ(limited.exit_code, 0) << limited.err;
  EXPECT_EQ(limited.out, "0\n");
  // Only the group itself lacks none of its own suffixes.
  test::CliResult same = RunCli({"suspicious", list, "3", "--distance", "0"});
  ASSERT_EQ(same.exit_code, 0) << same.err;
  EXPECT_EQ(same.out, "3\t2\t3\t-{} -ed -s\n");
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

TEST(Cli, GroupCommandsOnTheWorkedExamples) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk + "jump\njumped\nkick\nkicked\n");
  // The walk/talk group is 10 and the jump/kick group 3 in this list's build.
  EXPECT_EQ(RunCli({"label", list, "10"}).out, "-{} -ed -s\n");
  EXPECT_EQ(RunCli({"suffixes", list, "10"}).out, "\ned\ns\n");
  EXPECT_EQ(RunCli({"words", list, "10"}).out, "walk\ntalk\n");
  EXPECT_EQ(RunCli({"distance", list, "10", "3"}).out, "1\n");
  EXPECT_EQ(RunCli({"distance", list, "3", "10"}).out, "0\n");
  EXPECT_EQ(RunCli({"distance", list, "14", "1", "--limit", "2"}).out, "2\n");
  EXPECT_EQ(RunCli({"suspicious", list, "10", "--distance", "1"}).out, "3\t2\t2\t-{} -ed\n");
  EXPECT_EQ(RunCli({"suspicious", list, "10", "--distance=4294967295"}).out, "");
  EXPECT_EQ(RunCli({"differing", list, "3", "10"}).out, "s\n");
  EXPECT_EQ(RunCli({"generate", list, "3", "10"}).out, "jumps\nkicks\n");
  EXPECT_EQ(RunCli({"automatic", list, "10", "--distance", "1"}).out, "jumps\nkicks\n");

  test::CliResult dot = RunCli({"dot", list, "10"});
  ASSERT_EQ(dot.exit_code, 0);
  EXPECT_EQ(dot.out.rfind("digraph", 0), 0u);
  EXPECT_NE(dot.out.find("10 -> 2 [label=\"e\"]"), std::string::npos);
  EXPECT_NE(dot.out.find("1 [shape=doublecircle"), std::string::npos);
  EXPECT_EQ(dot.out.find("14 ["), std::string::npos);  // the start state is not below 10
}

TEST(Cli, StateNumbersAreChecked) {
  test::TempDir dir;
  const std::string list = dir.Write("list", kWalkTalk);
  for (const char* bad : {"0", "8", "4294967296", "-1", "x"}) {
    test::CliResult result = RunCli({"label", list, bad});
    EXPECT_EQ(result.exit_code, 2) << bad;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_NE(RunCli({"words", list, "8"}).err.find("states are 1 to 7"), std::string::npos);
  EXPECT_EQ(RunCli({"label", list, "1"}).out, "-{}\n");
  EXPECT_EQ(RunCli({"groups", list, "--limit", "3"}).exit_code, 2);
  EXPECT_EQ(RunCli({"label", list, "3", "--distance", "3"}).exit_code, 2);
}

TEST(Cli, AnEmptyListHasNoWordsAndNoGroups) {
  test::TempDir dir;
  const std::string list = dir.Write("empty", " \n\t\n");
  test::CliResult stats = RunCli({"stats", list});
  ASSERT_EQ(stats.exit_code, 0) << stats.err;
  EXPECT_NE(stats.out.find("distinct words: 0\n"), std::string::npos) << stats.out;
  test::CliResult groups = RunCli({"groups", list, "--min-words=1", "--min-suffixes=1"});
  EXPECT_EQ(groups.exit_code, 0);
  EXPECT_EQ(groups.out, "");
  test::CliResult dump = RunCli({"dump", list});
  EXPECT_EQ(dump.exit_code, 0);
  EXPECT_EQ(Lines(dump.out).size(), 1u);
}

TEST(Cli, SaveAllRefusesToDropWordsOfTheListItSavesOver) {
  test::TempDir dir;
  // One token too long to store, and one word that would need a 127th
  // child under "x".
  std::string content = kWalkTalk + std::string(256, 'q') + "\n";
  for (int c = 0; c < 127; ++c) content += "x" + std::string(1, static_cast<char>(0x80 + c)) + "\n";
  const std::string list = dir.Write("list", content);
  ASSERT_EQ(::symlink(list.c_str(), dir.PathOf("symlink").c_str()), 0);
  ASSERT_EQ(::link(list.c_str(), dir.PathOf("hardlink").c_str()), 0);
  for (const std::string& out : {list, dir.PathOf("symlink"), dir.PathOf("hardlink")}) {
    test::CliResult refused = RunCli({"save-all", list, out});
    EXPECT_EQ(refused.exit_code, 1) << out;
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("tarvo-cli: 2 word(s) read cannot be stored and would be removed by saving over '" +
                               out + "'; use --force to save anyway\n"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(test::ReadFile(list), content);
  }
  // Another file is no loss: the list keeps its words.
  EXPECT_EQ(RunCli({"save-all", list, dir.PathOf("copy")}).exit_code, 0);
  EXPECT_EQ(Lines(test::ReadFile(dir.PathOf("copy"))).size(), 6u + 126u);

  // An --insert file counts as a list that is saved over.
  const std::string clean = dir.Write("clean", kWalkTalk);
  const std::string more = dir.Write("more", "jump\n" + std::string(300, 'j') + "\n");
  EXPECT_EQ(RunCli({"save-all", clean, more, "--insert", more}).exit_code, 1);
  EXPECT_EQ(RunCli({"save-all", clean, clean, "--insert", more}).exit_code, 1);
  EXPECT_EQ(test::ReadFile(more), "jump\n" + std::string(300, 'j') + "\n");
  EXPECT_EQ(RunCli({"save-all", clean, clean}).exit_code, 0);

  // --force saves what the tree holds.
  test::CliResult forced = RunCli({"save-all", list, list, "--force"});
  EXPECT_EQ(forced.exit_code, 0) << forced.err;
  EXPECT_EQ(Lines(test::ReadFile(list)).size(), 6u + 126u);
  EXPECT_EQ(RunCli({"groups", list, "--force"}).exit_code, 2);
}

TEST(CliOptions, DoubleDashEndsTheOptions) {
  cli::ParseResult parsed = cli::ParseCommandLine({"save-all", "--groups=3", "--", "--help", "-", "--force"});
  ASSERT_FALSE(parsed.ok);  // three positionals after save-all
  parsed = cli::ParseCommandLine({"--chars", "--", "save-all", "--help", "--force"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_FALSE(parsed.options.help);
  EXPECT_FALSE(parsed.options.force);
  EXPECT_TRUE(parsed.options.settings.read_as_characters);
  EXPECT_EQ(parsed.options.word_list, "--help");
  EXPECT_EQ(parsed.options.extra, (std::vector<std::string>{"--force"}));
  parsed = cli::ParseCommandLine({"label", "--", "-", "--"});
  EXPECT_FALSE(parsed.ok);  // "--" after "--" is a positional: not a state number
  parsed = cli::ParseCommandLine({"groups", "--", "-"});
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.options.word_list, "-");
  EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--", "--groups", "3"}).ok);
}

TEST(CliOptions, NumbersArePlainDecimalWithoutSpaces) {
  for (const char* bad : {" 3", "3 ", "0x10", "+3", "3.0", "1e1", ""}) {
    EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--groups", bad}).ok) << "'" << bad << "'";
  }
  for (const char* bad : {" 1", "1 ", "0x10", "0x1p3", "inf", "-infinity", "nan", "1e39", ".", "e5", "1e", "1.5.2",
                          "1,5", "--1"}) {
    EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--word-weight", bad}).ok) << "'" << bad << "'";
    EXPECT_FALSE(cli::ParseCommandLine({"groups", "l", "--suffix-weight", bad}).ok) << "'" << bad << "'";
  }
  const std::vector<std::pair<std::string, float>> good = {
      {"1e1", 10.0f}, {"-2.5E-1", -0.25f}, {".5", 0.5f}, {"5.", 5.0f}, {"+1.5", 1.5f}, {"007", 7.0f}, {"1e-40", 1e-40f}};
  for (const auto& [text, value] : good) {
    cli::ParseResult parsed = cli::ParseCommandLine({"groups", "l", "--word-weight", text});
    ASSERT_TRUE(parsed.ok) << text << ": " << parsed.error;
    EXPECT_EQ(parsed.options.settings.word_weight, value) << text;
  }
  EXPECT_EQ(cli::ParseCommandLine({"groups", "l", "--groups", "0010"}).options.settings.groups_shown, 10u);
}

// Words of a list in which `stems` stems take only the first of `endings`
// endings that the stems "m" and "n" take: generating the missing words
// of their group makes stems x (endings - 1) words.
std::vector<std::string> GroupLackingEndings(int stems, int endings) {
  auto letters = [](int n) {
    std::string text;
    for (int i = 0; i < 4; ++i, n /= 20) text += static_cast<char>('a' + n % 20);
    return text;
  };
  std::vector<std::string> words;
  for (int ending = 0; ending < endings; ++ending) {
    words.push_back("m-" + letters(ending));
    words.push_back("n-" + letters(ending));
  }
  for (int stem = 0; stem < stems; ++stem) words.push_back("s" + letters(stem) + "-" + letters(0));
  return words;
}

struct LackingGroupList {
  std::string path;
  std::string main;        // the state of "m" and "n"
  std::string suspicious;  // the state of the other stems
};

LackingGroupList WriteLackingGroupList(const test::TempDir& dir, int stems, int endings) {
  const std::vector<std::string> words = GroupLackingEndings(stems, endings);
  test::Engine engine;
  test::BuildEngine(engine, words);
  return {dir.Write("lacking", test::AsLines(words)),
          std::to_string(test::StateOfPrefix(engine.automaton, "m")),
          std::to_string(test::StateOfPrefix(engine.automaton, "saaaa"))};
}

TEST(Cli, GenerateAndAutomaticWriteEachWordAsItIsMade) {
  test::TempDir dir;
  const LackingGroupList small = WriteLackingGroupList(dir, 3, 4);
  std::vector<std::string> generated = Lines(RunCli({"generate", small.path, small.suspicious, small.main}).out);
  std::sort(generated.begin(), generated.end());
  EXPECT_EQ(generated, (std::vector<std::string>{"saaaa-baaa", "saaaa-caaa", "saaaa-daaa", "sbaaa-baaa", "sbaaa-caaa",
                                                 "sbaaa-daaa", "scaaa-baaa", "scaaa-caaa", "scaaa-daaa"}));
  if (test::kUnderAddressSanitizer) GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
  // Ten million words would take over 300 MB as a list of strings; written
  // as they are made they need no more than the list itself.
  const LackingGroupList large = WriteLackingGroupList(dir, 3163, 3163);
  std::uint64_t starts = 0;
  for (std::uint64_t megabytes : {48, 64, 96, 128, 256}) {
    if (RunCli({"--version"}, test::CliRun{megabytes << 20, 0, false, "", {}}).exit_code == 0) {
      starts = megabytes << 20;
      break;
    }
  }
  ASSERT_NE(starts, 0u);
  const test::CliRun limited{starts + (64 << 20), 0, false, "/dev/null", {}};
  for (const std::vector<std::string>& args : {
           std::vector<std::string>{"generate", large.path, large.suspicious, large.main},
           std::vector<std::string>{"automatic", large.path, large.main, "--distance", "3162"},
       }) {
    test::CliResult result = RunCli(args, limited);
    EXPECT_EQ(result.exit_code, 0) << args[0] << ": " << result.err;
  }
}

struct PipeRun {
  int status = 0;
  std::string first_line;
  std::string err;
};

// Runs tarvo-cli into a pipe, reads one line and closes the pipe. With
// SIGPIPE ignored in the program, the failed write itself must end the
// command. A walk that went on would take minutes of processor time, so the
// child is given 60 seconds of it.
PipeRun ReadOneLineAndClose(const std::vector<std::string>& args, bool ignore_sigpipe) {
  test::TempDir dir;
  const std::string err_path = dir.PathOf("err");
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_ends[0]);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const struct rlimit cpu = {60, 60};
    if (err < 0 || ::dup2(pipe_ends[1], 1) < 0 || ::dup2(err, 2) < 0 || ::setrlimit(RLIMIT_CPU, &cpu) != 0) {
      ::_exit(test::kChildSetupFailed);
    }
    ::signal(SIGPIPE, ignore_sigpipe ? SIG_IGN : SIG_DFL);
    std::vector<char*> argv{const_cast<char*>(TARVO_CLI_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(TARVO_CLI_PATH, argv.data());
    ::_exit(test::kChildExecFailed);
  }
  ::close(pipe_ends[1]);
  PipeRun run;
  for (char c; ::read(pipe_ends[0], &c, 1) == 1 && c != '\n';) run.first_line += c;
  ::close(pipe_ends[0]);
  ::waitpid(child, &run.status, 0);
  run.err = test::ReadFile(err_path);
  return run;
}

TEST(Cli, AClosedPipeEndsGenerateAndAutomaticAtOnce) {
  test::TempDir dir;
  // A billion words (31623 stems lacking 31623 endings each).
  const LackingGroupList list = WriteLackingGroupList(dir, 31623, 31624);
  for (const std::vector<std::string>& args : {
           std::vector<std::string>{"generate", list.path, list.suspicious, list.main},
           std::vector<std::string>{"automatic", list.path, list.main, "--distance", "31623"},
       }) {
    // The first word is a stem of the group with an ending it lacks.
    const PipeRun killed = ReadOneLineAndClose(args, false);
    EXPECT_TRUE(killed.first_line.size() == 10 && killed.first_line[0] == 's' && killed.first_line[5] == '-' &&
                killed.first_line.substr(5) != "-aaaa")
        << args[0] << ": " << killed.first_line;
    EXPECT_TRUE(WIFSIGNALED(killed.status) && WTERMSIG(killed.status) == SIGPIPE) << args[0] << ": " << killed.status;

    const PipeRun failed = ReadOneLineAndClose(args, true);
    EXPECT_EQ(failed.first_line, killed.first_line) << args[0];
    ASSERT_TRUE(WIFEXITED(failed.status)) << args[0] << ": " << failed.status;
    EXPECT_EQ(WEXITSTATUS(failed.status), 1) << args[0];
    EXPECT_NE(failed.err.find("cannot write the output: Broken pipe"), std::string::npos) << failed.err;
  }
}

}  // namespace
}  // namespace tarvo
