#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "cli/cli_options.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::RunCli;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

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

}  // namespace
}  // namespace tarvo
