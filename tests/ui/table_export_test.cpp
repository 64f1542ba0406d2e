// Spreadsheet export: the quoting, the careful write, and the exported
// tables of the main groups.
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

#include "automaton/open_word_list.h"
#include "test_support.h"
#include "ui/logic/exported_tables.h"
#include "ui/logic/table_export.h"
#include "ui/platform/list_box_model.h"

namespace tarvo::ui {
namespace {

using tarvo::test::ReadFile;
using tarvo::test::TempDir;

// Reads CSV or TSV text the way RFC 4180 readers do.
Table ParseTable(const std::string& text, char separator) {
  Table table;
  TableRow row;
  std::string cell;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      cell += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == separator || c == '\n')) {
      row.push_back(std::move(cell));
      cell.clear();
      if (c == '\n') table.push_back(std::exchange(row, {}));
    } else {
      cell += c;
    }
  }
  return table;
}

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

TEST(TableText, EveryTableReadsBackCellForCell) {
  const std::string bytes = std::string(",\t\"\n\r a\xe9\xff\xc3", 11);
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    Table table(1 + random() % 4);
    const std::size_t columns = 1 + random() % 3;
    for (TableRow& row : table) {
      for (std::size_t column = 0; column < columns; ++column) {
        std::string& cell = row.emplace_back();
        for (unsigned length = random() % 5; length > 0; --length) cell += bytes[random() % bytes.size()];
      }
    }
    for (const TableFormat format : {TableFormat::kCsv, TableFormat::kTsv}) {
      const char separator = format == TableFormat::kTsv ? '\t' : ',';
      ASSERT_EQ(ParseTable(TableText(table, format), separator), table) << TableText(table, format);
    }
  }
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
    ASSERT_EQ(ExportTable(path, table), 0) << name;
    EXPECT_EQ(ReadFile(path), TableText(table, FormatOfPath(name))) << name;
  }
}

TEST(ExportTable, AFailedWriteLeavesTheOldFileAsItWas) {
  TempDir dir;
  const Table big(20000, TableRow{"walked", "talked"});
  EXPECT_EQ(ExportTable(dir.path(), big), EISDIR);

  // No write permission at all is refused even for root.
  const std::string read_only = dir.Write("read-only.csv", "old\n");
  ASSERT_EQ(::chmod(read_only.c_str(), 0444), 0);
  EXPECT_EQ(ExportTable(read_only, big), EACCES);
  EXPECT_EQ(ReadFile(read_only), "old\n");

  // The file size limit stops the write half way.
  const std::string path = dir.Write("groups.csv", "old\n");
  struct rlimit limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const struct rlimit small = {4096, limit.rlim_max};
  const auto former_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int error = ExportTable(path, big);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, former_handler);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(ReadFile(path), "old\n");
  EXPECT_EQ(tarvo::test::FileNamesIn(dir.path()), (std::set<std::string>{"groups.csv", "read-only.csv"}));
}

TEST(MainGroupsTable, AgreesWithTarvoCliGroupsAndListsEveryStem) {
  AnalysisSettings settings;
  settings.word_weight = -0.5f;
  settings.suffix_weight = 3.25f;
  WordTree tree;
  SuffixAutomaton automaton;
  ASSERT_TRUE(OpenWordList(TARVO_SAMPLE_LIST, settings.buffer_size, tree, automaton, false).ok);
  const std::vector<std::uint32_t> ranked = automaton.RankMainGroups(settings);
  const Table table = MainGroupsTable(automaton, ranked, settings, true);

  const test::CliResult cli = test::RunCli({"groups", TARVO_SAMPLE_LIST, "--word-weight=-0.5", "--suffix-weight=3.25"});
  ASSERT_EQ(cli.exit_code, 0) << cli.err;
  std::istringstream lines(cli.out);
  ASSERT_EQ(table.size(), ranked.size() + 1);
  EXPECT_EQ(table[0], (TableRow{"rank", "label", "stems", "suffixes", "score", "stems list"}));
  for (std::size_t rank = 1; rank < table.size(); ++rank) {
    std::string group, stems, suffixes, score, label;
    std::getline(lines, group, '\t');
    std::getline(lines, stems, '\t');
    std::getline(lines, suffixes, '\t');
    std::getline(lines, score, '\t');
    std::getline(lines, label);
    const TableRow& row = table[rank];
    EXPECT_EQ(row, (TableRow{std::to_string(rank), label, stems, suffixes, score, row.back()}));

    std::vector<std::string> listed;
    std::istringstream stems_list(row.back());
    for (std::string stem; stems_list >> stem;) listed.push_back(stem);
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), ListBoxLess)) << row.back();
    std::vector<std::string> expected = automaton.GetWords(ranked[rank - 1]);
    std::sort(expected.begin(), expected.end(), ListBoxLess);
    EXPECT_EQ(listed, expected);
  }
  EXPECT_EQ(MainGroupsTable(automaton, ranked, settings, false)[1].size(), 5u);
}

}  // namespace
}  // namespace tarvo::ui
