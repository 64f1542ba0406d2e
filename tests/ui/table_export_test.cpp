// Spreadsheet export: the quoting, the careful write, and the exported
// tables of the main groups.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include <sys/resource.h>

#include "automaton/open_word_list.h"
#include "test_support.h"
#include "ui/logic/exported_tables.h"
#include "ui/logic/table_export.h"
#include "ui/platform/list_model.h"

namespace tarvo::ui {
namespace {

using tarvo::test::ReadFile;
using tarvo::test::TempDir;

TEST(TableText, QuotesExactlyTheCellsThatNeedQuotes) {
  const Table table = {
      {"plain", "a,b", "say \"hi\"", "two\nlines", "cr\r", " lead", "trail ", "in side", "tab\there", ""},
      {"", ""},
      {""},
      {"caf\xe9", "\xff\xfe", "-{} -ed -s", "=1+1"},
  };
  EXPECT_EQ(TableText(table, TableFormat::kCsv),
            "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",\" lead\",\"trail \",in side,tab\there,\n"
            ",\n"
            "\"\"\n"
            "caf\xe9,\xff\xfe,-{} -ed -s,=1+1\n");
  EXPECT_EQ(TableText(table, TableFormat::kTsv),
            "plain\ta,b\t\"say \"\"hi\"\"\"\t\"two\nlines\"\t\"cr\r\"\t\" lead\"\t\"trail \"\tin side\t\"tab\there\"\t\n"
            "\t\n"
            "\"\"\n"
            "caf\xe9\t\xff\xfe\t-{} -ed -s\t=1+1\n");
}

TEST(ExportTable, WritesTheFormatTheNameAsksFor) {
  EXPECT_EQ(FormatOfPath("a/b.TSV"), TableFormat::kTsv);
  EXPECT_EQ(FormatOfPath("groups.tab"), TableFormat::kTsv);
  EXPECT_EQ(FormatOfPath("groups.tsv.csv"), TableFormat::kCsv);
  EXPECT_EQ(FormatOfPath("tsv"), TableFormat::kCsv);

  TempDir dir;
  const Table table = {{"word"}, {"a,b"}, {"x\ty"}};
  for (const std::string name : {"out.csv", "out.tsv", "out"}) {
    const std::string path = dir.Write(name, "an older, longer file\n");
    ASSERT_FALSE(ExportTable(path, table)) << name;
    EXPECT_EQ(ReadFile(path), TableText(table, FormatOfPath(name))) << name;
  }
}

TEST(ExportTable, AFailedWriteLeavesTheOldFileAsItWas) {
  TempDir dir;
  const Table big(20000, TableRow{"walked", "talked"});
  EXPECT_EQ(ExportTable(dir.path(), big), std::errc::is_a_directory);

  // The file size limit stops the write half way.
  const std::string path = dir.Write("groups.csv", "old\n");
  struct rlimit limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const struct rlimit small = {4096, limit.rlim_max};
  const auto former_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::error_code error = ExportTable(path, big);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, former_handler);
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadFile(path), "old\n");
  EXPECT_EQ(tarvo::test::FileNamesIn(dir.path()), (std::set<std::string>{"groups.csv"}));
}

TEST(MainGroupsTable, AgreesWithTarvoCliGroupsAndListsEveryStem) {
  AnalysisSettings settings;
  settings.word_weight = -0.5f;
  settings.suffix_weight = 3.25f;
  WordTree tree;
  SuffixAutomaton automaton;
  ASSERT_TRUE(OpenWordList(TARVO_SAMPLE_LIST, settings.buffer_size, tree, automaton, false).ok());
  const std::vector<std::uint32_t> ranked = automaton.RankMainGroups(settings);
  const Table table = MainGroupsTable(automaton, ranked, settings, true);

  // tarvo-cli groups: group, stems, suffixes, score, label.
  const test::CliResult cli = test::RunCli({"groups", TARVO_SAMPLE_LIST, "--word-weight=-0.5", "--suffix-weight=3.25"});
  ASSERT_EQ(cli.exit_code, 0) << cli.err;
  Table expected = {{"rank", "label", "stems", "suffixes", "score", "stems list"}};
  std::istringstream lines(cli.out);
  for (std::string group, stems, suffixes, score, label;
       std::getline(lines, group, '\t') && std::getline(lines, stems, '\t') &&
       std::getline(lines, suffixes, '\t') && std::getline(lines, score, '\t') && std::getline(lines, label);) {
    std::vector<std::string> words = automaton.GetWords(static_cast<std::uint32_t>(std::stoul(group)));
    std::sort(words.begin(), words.end(), ListLess);
    std::string stems_list;
    for (const std::string& word : words) stems_list += (stems_list.empty() ? "" : " ") + word;
    expected.push_back({std::to_string(expected.size()), label, stems, suffixes, score, stems_list});
  }
  EXPECT_EQ(table, expected);
  EXPECT_EQ(MainGroupsTable(automaton, ranked, settings, false)[1].size(), 5u);
}

}  // namespace
}  // namespace tarvo::ui
