// Hostile and faulty inputs: binary files, refused words, very wide
// alphabets, huge repetitions and tokens, files that cannot be read or
// written, write failures in the middle of a file, and running out of
// memory. The engine must give sensible results or report the failure, and
// tarvo-cli must exit with the documented code and message.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "automaton/build_automaton.h"
#include "automaton/open_word_list.h"
#include "cli/cli_options.h"
#include "lexicon/errors.h"
#include "lexicon/word_file_writer.h"
#include "test_support.h"
#include "write_faults.h"

namespace tarvo {
namespace {

using test::CliResult;
using test::CliRun;
using test::EngineCheck;
using test::RunCli;

// The value printed on the "key: value" line of tarvo-cli stats.
std::string StatsValue(const std::string& stats, const std::string& key) {
  const std::size_t at = stats.find(key + ": ");
  if (at == std::string::npos) return "(missing)";
  const std::size_t start = at + key.size() + 2;
  return stats.substr(start, stats.find('\n', start) - start);
}

// Opens the file as a word list and checks the result against the model of
// the file's bytes. Only for small files: the check visits every state.
void ExpectOpensLikeTheModel(const std::string& path) {
  const std::string content = test::ReadFile(path);
  const test::Split split = test::ReferenceSplit(content);
  test::AcceptanceModel accepted;
  for (const std::string& word : split.words) accepted.Insert(word);

  WordTree tree;
  SuffixAutomaton automaton;
  const OpenReport report = OpenWordList(path, 10000, tree, automaton);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report.stats.words, split.words.size());
  EXPECT_EQ(report.stats.long_tokens_skipped, split.long_tokens);
  EXPECT_EQ(report.stats.words_refused, accepted.refused());
  const test::SuffixModel model(accepted.accepted());
  EngineCheck check(automaton, model);
  ASSERT_EQ(check.Structure(), "");
  AnalysisSettings settings;
  settings.min_words = settings.min_suffixes = 1;
  const std::vector<std::uint32_t> ranked = automaton.RankMainGroups(settings);
  ASSERT_EQ(check.Ranking(settings, ranked), "");
  if (!ranked.empty()) {
    ASSERT_EQ(check.Group(ranked[0], {0, 1, 2}), "");
  }
}

TEST(HostileInput, BinaryFilesOpenAsListsOfTheirTokens) {
  test::TempDir dir;
  const std::string program = test::ReadFile(TARVO_CLI_PATH);
  ASSERT_GT(program.size(), 100000u);
  // Pieces of an executable (its header, middle and end) and random bytes
  // of every value, through the engine and the model.
  std::mt19937 random(11);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  for (const std::string& piece : {program.substr(0, 4096), program.substr(program.size() / 2, 4096),
                                   program.substr(program.size() - 4096), noise}) {
    ExpectOpensLikeTheModel(dir.Write("piece", piece));
    if (HasFatalFailure()) return;
  }

  // The whole executable through tarvo-cli: every token read, and save-all
  // writes each accepted token once.
  const test::Split split = test::ReferenceSplit(program);
  const CliResult stats = RunCli({"stats", TARVO_CLI_PATH});
  ASSERT_EQ(stats.exit_code, 0) << stats.err;
  EXPECT_EQ(StatsValue(stats.out, "words read"), std::to_string(split.words.size()));
  EXPECT_EQ(StatsValue(stats.out, "long tokens skipped"), std::to_string(split.long_tokens));
  const CliResult save = RunCli({"save-all", TARVO_CLI_PATH, dir.PathOf("saved")});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  const test::Split saved = test::ReferenceSplit(test::ReadFile(dir.PathOf("saved")));
  const std::set<std::string> tokens(split.words.begin(), split.words.end());
  const std::set<std::string> saved_set(saved.words.begin(), saved.words.end());
  EXPECT_EQ(saved_set.size(), saved.words.size());
  EXPECT_EQ(std::to_string(saved.words.size()), StatsValue(stats.out, "distinct words"));
  EXPECT_TRUE(std::includes(tokens.begin(), tokens.end(), saved_set.begin(), saved_set.end()));
}

TEST(HostileInput, AHundredAndTwentySeventhChildIsRefusedInFilesAndUpdates) {
  test::TempDir dir;
  // 130 words with distinct first bytes, and 130 more below "\x7e" "b":
  // four of each are refused, the last ones in file order.
  std::vector<std::string> words;
  for (int k = 0; k < 130; ++k) words.push_back(std::string(1, static_cast<char>(0x7e + k)) + "z");
  for (int k = 0; k < 130; ++k) words.push_back("\x7e" "b" + std::string(1, static_cast<char>(0x7e + k)));
  const std::string path = dir.Write("list", test::AsLines(words));
  ExpectOpensLikeTheModel(path);
  if (HasFatalFailure()) return;

  WordTree tree;
  SuffixAutomaton automaton;
  const OpenReport report = OpenWordList(path, 10000, tree, automaton);
  EXPECT_EQ(report.stats.words_refused, 8u);
  const std::uint32_t nodes = tree.node_count();
  // Update: a new first byte is refused and leaves the tree as it was; a
  // word below an existing child is stored.
  EXPECT_FALSE(tree.Insert("\x01new"));
  EXPECT_EQ(tree.node_count(), nodes);
  EXPECT_TRUE(tree.Insert("\x7e" "zz"));
  BuildAutomaton(tree, automaton);
  test::AcceptanceModel accepted;
  for (const std::string& word : words) accepted.Insert(word);
  accepted.Insert("\x7e" "zz");
  const test::SuffixModel model(accepted.accepted());
  EXPECT_EQ(EngineCheck(automaton, model).Structure(), "");

  const CliResult stats = RunCli({"stats", path});
  ASSERT_EQ(stats.exit_code, 0);
  EXPECT_EQ(StatsValue(stats.out, "words refused"), "8");
  EXPECT_EQ(StatsValue(stats.out, "distinct words"), "252");
  EXPECT_NE(stats.err.find("8 word(s) refused"), std::string::npos);
}

TEST(HostileInput, EveryByteValueInOneListKeepsItsCode) {
  test::TempDir dir;
  // All 249 bytes that can be in a word, spread over three parents so that
  // none needs more than 126 children; about half get codes of 128 and up.
  std::vector<std::string> words;
  std::string alphabet;
  for (int c = 1; c < 256; ++c) {
    if (test::ReferenceSplit(std::string(1, static_cast<char>(c))).words.empty()) continue;
    alphabet += static_cast<char>(c);
    const char lead = "xyz"[alphabet.size() % 3];
    words.push_back(std::string(1, lead) + static_cast<char>(c));
    words.push_back(std::string(1, lead) + static_cast<char>(c) + "q");
  }
  ASSERT_EQ(alphabet.size(), 249u);
  const std::string path = dir.Write("list", test::AsLines(words));
  ExpectOpensLikeTheModel(path);
  if (HasFatalFailure()) return;

  // tarvo-cli order: 256 lines, every code once.
  const CliResult order = RunCli({"order", path});
  ASSERT_EQ(order.exit_code, 0);
  std::set<int> codes;
  std::istringstream lines(order.out);
  for (int byte, code; lines >> byte >> code;) codes.insert(code);
  EXPECT_EQ(codes.size(), 256u);
  EXPECT_EQ(*codes.rbegin(), 255);
  // Saved and opened again: the same words in the same order.
  ASSERT_EQ(RunCli({"save-all", path, dir.PathOf("saved")}).exit_code, 0);
  ASSERT_EQ(RunCli({"save-all", dir.PathOf("saved"), dir.PathOf("again")}).exit_code, 0);
  EXPECT_EQ(test::ReadFile(dir.PathOf("again")), test::ReadFile(dir.PathOf("saved")));
  const test::Split saved = test::ReferenceSplit(test::ReadFile(dir.PathOf("saved")));
  EXPECT_EQ(std::set<std::string>(saved.words.begin(), saved.words.end()),
            std::set<std::string>(words.begin(), words.end()));
}

TEST(HostileInput, AMillionCopiesOfOneWord) {
  test::TempDir dir;
  std::string content;
  content.reserve(7000000);
  for (int k = 0; k < 1000000; ++k) content += "walked\n";
  const std::string path = dir.Write("list", content);
  WordTree tree;
  SuffixAutomaton automaton;
  const OpenReport report = OpenWordList(path, 10000, tree, automaton);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report.stats.words, 1000000u);
  EXPECT_EQ(tree.node_count(), 7u);
  const test::SuffixModel model({"walked"});
  EXPECT_EQ(EngineCheck(automaton, model).Structure(), "");
  EXPECT_EQ(automaton.count(), 8u);

  const CliResult stats = RunCli({"stats", path});
  ASSERT_EQ(stats.exit_code, 0);
  EXPECT_EQ(StatsValue(stats.out, "words read"), "1000000");
  EXPECT_EQ(StatsValue(stats.out, "distinct words"), "1");
  EXPECT_EQ(stats.err, "");
}

TEST(HostileInput, AHundredMegabyteTokenIsSkippedWhole) {
  test::TempDir dir;
  const std::string path = dir.PathOf("list");
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string block(1 << 20, 'x');
    std::fputs("before ", file);
    for (int k = 0; k < 100; ++k) std::fwrite(block.data(), 1, block.size(), file);
    // A second long token runs into the end of the file.
    std::fputs(" after\n", file);
    std::fwrite(block.data(), 1, 300, file);
    ASSERT_EQ(std::fclose(file), 0);
  }
  WordTree tree;
  SuffixAutomaton automaton;
  const OpenReport report = OpenWordList(path, 10000, tree, automaton);
  ASSERT_TRUE(report.ok());
  EXPECT_EQ(report.stats.words, 2u);
  EXPECT_EQ(report.stats.long_tokens_skipped, 2u);
  const test::SuffixModel model({"before", "after"});
  EXPECT_EQ(EngineCheck(automaton, model).Structure(), "");

  const CliResult stats = RunCli({"stats", path});
  ASSERT_EQ(stats.exit_code, 0);
  EXPECT_EQ(StatsValue(stats.out, "distinct words"), "2");
  EXPECT_EQ(StatsValue(stats.out, "long tokens skipped"), "2");
  EXPECT_NE(stats.err.find("2 token(s) longer than 255 bytes skipped"), std::string::npos);
}

// Runs tarvo-cli so that permission bits apply: as it is, or, when the
// tests run as root (who reads and writes past them), as user nobody.
// Returns false when that is not possible here.
bool RunUnprivileged(const std::vector<std::string>& args, const test::TempDir& dir, CliResult& result) {
  CliRun how;
  if (::geteuid() == 0) {
    how.as_nobody = true;
    // Let nobody into the folder; its files keep their own permissions.
    if (::chmod(dir.path().c_str(), 0755) != 0) return false;
  }
  result = RunCli(args, how);
  return result.exit_code != test::kChildSetupFailed && result.exit_code != test::kChildExecFailed;
}

TEST(HostileInput, ListsThatCannotBeReadExitWithCode1) {
  test::TempDir dir;
  const std::string list = dir.Write("list", "walk\nwalks\n");
  struct Case {
    std::string path;
    std::string reason;
  };
  for (const Case& c : {Case{"", "No such file or directory"}, Case{dir.path(), "Is a directory"},
                        Case{dir.PathOf("missing"), "No such file or directory"}}) {
    const CliResult result = RunCli({"groups", c.path});
    EXPECT_EQ(result.exit_code, 1) << c.path;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tarvo-cli: cannot open '" + c.path + "': " + c.reason + "\n");
    if (c.path.empty()) continue;  // an empty --insert is a usage error
    const CliResult insert = RunCli({"groups", list, "--insert", c.path});
    EXPECT_EQ(insert.exit_code, 1) << c.path;
    EXPECT_EQ(insert.err, "tarvo-cli: cannot open '" + c.path + "': " + c.reason + "\n");
  }

  const std::string locked = dir.Write("locked", "walk\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  CliResult result;
  if (!RunUnprivileged({"groups", locked}, dir, result)) {
    GTEST_SKIP() << "running as root without a way to run as another user: permission bits "
                    "do not stop root from reading";
  }
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tarvo-cli: cannot open '" + locked + "': Permission denied\n");
  ASSERT_TRUE(RunUnprivileged({"groups", list, "--insert", locked}, dir, result));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "tarvo-cli: cannot open '" + locked + "': Permission denied\n");
}

TEST(HostileInput, UnwritableTargetsAreReportedAndLeftAlone) {
  test::TempDir dir;
  const std::string list = dir.Write("list", "walk\nwalks\n");
  // No file can be made in /proc, whoever runs the program.
  CliResult proc = RunCli({"save-all", list, "/proc/version"});
  EXPECT_EQ(proc.exit_code, 1);
  EXPECT_EQ(proc.err.rfind("tarvo-cli: cannot write '/proc/version': ", 0), 0u) << proc.err;
  CliResult full = RunCli({"save-all", list, "/dev/full"});
  EXPECT_EQ(full.exit_code, 1);
  EXPECT_EQ(full.err, "tarvo-cli: cannot write '/dev/full': No space left on device\n");

  // Output to a full device: reported, not silently lost.
  CliRun to_full_device;
  to_full_device.stdout_path = "/dev/full";
  const CliResult out = RunCli({"groups", TARVO_SAMPLE_LIST}, to_full_device);
  EXPECT_EQ(out.exit_code, 1);
  EXPECT_EQ(out.err, "tarvo-cli: cannot write the output: No space left on device\n");

  // A folder the program may not write to: the old file stays as it was.
  const std::string locked_dir = dir.PathOf("locked");
  ASSERT_EQ(::mkdir(locked_dir.c_str(), 0755), 0);
  const std::string target = locked_dir + "/words.txt";
  dir.Write("locked/words.txt", "old\n");
  ASSERT_EQ(::chmod(locked_dir.c_str(), 0555), 0);
  struct Unlock {
    std::string path;
    ~Unlock() { ::chmod(path.c_str(), 0755); }  // so that the folder can be removed
  } unlock{locked_dir};
  CliResult result;
  if (!RunUnprivileged({"save-all", list, target}, dir, result)) {
    GTEST_SKIP() << "running as root without a way to run as another user: permission bits "
                    "do not stop root from writing";
  }
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "tarvo-cli: cannot write '" + target + "': Permission denied\n");
  EXPECT_EQ(test::ReadFile(target), "old\n");
  EXPECT_EQ(test::FileNamesIn(locked_dir).size(), 1u);
}

// About 1.4 MB of distinct words, sorted.
std::vector<std::string> ManyWords() {
  std::mt19937 random(5);
  std::vector<std::string> words(160000);
  for (std::string& word : words) {
    for (int n = 4 + static_cast<int>(random() % 9); n > 0; --n) word += "abcdefgh\xe4"[random() % 9];
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

TEST(HostileInput, AWriteFailingMidwayLeavesTheSavedListWhole) {
  test::TempDir dir;
  const std::vector<std::string> words = ManyWords();
  test::Engine engine;
  test::BuildEngine(engine, words);
  ASSERT_EQ(engine.tree.SaveAll(dir.PathOf("reference")), std::error_code());
  const std::string complete = test::ReadFile(dir.PathOf("reference"));
  ASSERT_GT(complete.size(), std::size_t{5} << 18);  // more than one buffer of output

  // Save-all's way of writing, with the write failing after 1.25 MiB, in the
  // second block: the failure is reported and the file being replaced keeps
  // its words.
  const std::string target = dir.Write("list.txt", "old\nwords\n");
  test::SetWriteBudget(std::size_t{5} << 18);
  {
    WordFileWriter writer(test::WriteWithinBudget);
    ASSERT_EQ(writer.OpenForReplace(target), std::error_code());
    engine.tree.WriteWords(writer, std::string(), 0);
    EXPECT_EQ(writer.Commit(), ErrnoError(EIO));
  }
  EXPECT_EQ(test::ReadFile(target), "old\nwords\n");
  EXPECT_EQ(test::FileNamesIn(dir.path()).size(), 2u);  // no temporary file left

  // Short and interrupted writes lose nothing.
  {
    WordFileWriter writer(test::WriteInDribbles);
    ASSERT_EQ(writer.OpenForReplace(target), std::error_code());
    engine.tree.WriteWords(writer, std::string(), 0);
    EXPECT_EQ(writer.Commit(), std::error_code());
  }
  EXPECT_EQ(test::ReadFile(target), complete);
  EXPECT_EQ(test::FileNamesIn(dir.path()).size(), 2u);
}

TEST(HostileInput, SaveAllPastTheFileSizeLimitReportsAndKeepsTheOldFile) {
  test::TempDir dir;
  const std::vector<std::string> words = ManyWords();
  const std::string list = dir.Write("list", test::AsLines(words));
  const std::string target = dir.Write("target.txt", "old\nwords\n");
  // The list is several times the limit, so the write fails in the middle.
  CliRun small_files;
  small_files.file_size_limit = 65536;
  const CliResult result = RunCli({"save-all", list, target}, small_files);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tarvo-cli: cannot write '" + target + "': File too large\n");
  EXPECT_EQ(test::ReadFile(target), "old\nwords\n");
  EXPECT_EQ(test::FileNamesIn(dir.path()).size(), 2u);

  // Without the limit every word arrives.
  ASSERT_EQ(RunCli({"save-all", list, target}).exit_code, 0);
  const test::Split saved = test::ReferenceSplit(test::ReadFile(target));
  EXPECT_EQ(std::set<std::string>(saved.words.begin(), saved.words.end()),
            std::set<std::string>(words.begin(), words.end()));
}

TEST(HostileInput, RunningOutOfMemoryExitsWithCode3) {
  if (test::kUnderAddressSanitizer) {
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory up front, so the program cannot "
                    "start under an address-space limit, and its operator new ends the process "
                    "instead of throwing std::bad_alloc";
  }
  // The lowest limit under which the program starts at all.
  std::uint64_t limit = 0;
  for (std::uint64_t megabytes : {48, 64, 96, 128, 256}) {
    CliRun limited;
    limited.address_space_limit = megabytes << 20;
    if (RunCli({"--version"}, limited).exit_code == 0) {
      limit = megabytes << 20;
      break;
    }
  }
  ASSERT_NE(limit, 0u) << "tarvo-cli does not start under a 256 MB address-space limit";

  // Random words worth half the limit: their tree needs several times it.
  test::TempDir dir;
  const std::string path = dir.PathOf("list");
  {
    std::mt19937 random(3);
    std::string content;
    content.reserve(limit / 2 + 64);
    while (content.size() < limit / 2) {
      for (int n = 6 + static_cast<int>(random() % 8); n > 0; --n) content += static_cast<char>('a' + random() % 26);
      content += '\n';
    }
    dir.Write("list", content);
  }
  CliRun limited;
  limited.address_space_limit = limit;
  const CliResult result = RunCli({"stats", path}, limited);
  EXPECT_EQ(result.exit_code, 3);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tarvo-cli: out of memory\n");
}

TEST(HostileArguments, ValuesWithinTheirBoundsAreAcceptedHoweverWritten) {
  auto settings_of = [](std::vector<std::string> option) {
    option.insert(option.begin(), {"groups", "list"});
    const cli::ParseResult parsed = cli::ParseCommandLine(option);
    EXPECT_TRUE(parsed.ok) << option[2] << " " << option[3] << ": " << parsed.error;
    return parsed.options.settings;
  };
  // A weight too small for a normal float is still a finite number.
  EXPECT_EQ(settings_of({"--word-weight", "1e-40"}).word_weight, std::strtof("1e-40", nullptr));
  EXPECT_GT(settings_of({"--word-weight", "1e-40"}).word_weight, 0.0f);
  EXPECT_EQ(settings_of({"--word-weight", "-1e-45"}).word_weight, -std::strtof("1e-45", nullptr));
  // Leading zeros do not push a number out of its bounds.
  EXPECT_EQ(settings_of({"--groups", std::string(30, '0') + "3"}).groups_shown, 3u);
  EXPECT_EQ(settings_of({"--buffer-size=" + std::string(25, '0') + "2147483647"}).buffer_size, 2147483647u);
  const cli::ParseResult state = cli::ParseCommandLine({"label", "list", std::string(40, '0') + "7"});
  ASSERT_TRUE(state.ok) << state.error;
  EXPECT_EQ(state.options.states, std::vector<std::uint32_t>{7});

  // What lies outside stays refused.
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"groups", "l", "--word-weight", "1e39"},
           {"groups", "l", "--word-weight", "-1e39"},
           {"groups", "l", "--suffix-weight", "1e-40"},
           {"groups", "l", "--groups", std::string(30, '0') + "2147483648"},
           {"groups", "l", "--min-words", std::string(30, '0')},
           {"groups", "l", "--min-words", "99999999999999999999999999999999"},
           {"label", "l", "4294967296"},
       }) {
    EXPECT_FALSE(cli::ParseCommandLine(bad).ok) << bad[2] << " " << bad.back();
  }
}

}  // namespace
}  // namespace tarvo
