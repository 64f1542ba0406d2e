// Word lists read from streams: a pipe (tarvo-cli's "-"), a FIFO and
// /dev/stdin give exactly what the same bytes in a regular file give, in
// byte and in character mode; and memory follows the words of a list, not
// the size of its file.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lexicon/utf8.h"
#include "test_support.h"

namespace tarvo {
namespace {

using test::CliResult;
using test::CliRun;
using test::RunCli;

// Lists that take every path through the reader: ASCII, UTF-8 read as
// characters, lists that must fall back to bytes late in the file (a word
// that is not UTF-8, more than 255 distinct characters), long tokens,
// words the tree refuses, and lists larger than one read block.
std::vector<std::string> ListContents() {
  std::vector<std::string> lists;
  lists.push_back(test::AsLines(test::RandomWords(1, "abcde", 300, 7)));
  lists.push_back(test::AsLines(test::RandomWords(2, "a\xc3\xa4" "b", 300, 8)));
  lists.push_back(lists.back() + "tail\xff\n");
  std::string many_characters = lists[1];
  for (std::uint32_t point = 0x100; point < 0x100 + 300; ++point) AppendUtf8(many_characters, point), many_characters += '\n';
  lists.push_back(many_characters);
  std::string refused = "x " + std::string(300, 'y') + "\n";
  for (int c = 0x21; c < 0x21 + 130; ++c) refused += std::string(1, static_cast<char>(c)) + "z\n";
  lists.push_back(refused);
  std::string large;
  for (std::uint32_t seed = 3; large.size() <= (std::size_t{1} << 20); ++seed) {
    large += test::AsLines(test::RandomWords(seed, "abcdefgh\xc3\xa9", 200000, 9));
  }
  lists.push_back(large);
  // Read as characters, this one turns out not to be UTF-8 after the first
  // read block: the rest of a stream must be kept for the second reading.
  lists.push_back(lists.back() + "mid\xff\n" + lists.back());
  return lists;
}

// The outputs of one run, with the lines that depend on the clock dropped.
std::string Outputs(const std::vector<std::string>& args, const CliRun& how = {}) {
  const CliResult result = RunCli(args, how);
  std::string kept = "exit " + std::to_string(result.exit_code) + "\n";
  std::size_t start = 0;
  while (start < result.out.size()) {
    const std::size_t end = result.out.find('\n', start);
    const std::string line = result.out.substr(start, end - start + 1);
    if (line.find("seconds:") == std::string::npos) kept += line;
    start = end + 1;
  }
  return kept;
}

TEST(StreamInput, StandardInputReadsLikeTheSameFile) {
  test::TempDir dir;
  const std::vector<std::string> lists = ListContents();
  for (std::size_t k = 0; k < lists.size(); ++k) {
    const std::string path = dir.Write("list", lists[k]);
    for (const bool characters : {false, true}) {
      SCOPED_TRACE("list " + std::to_string(k) + (characters ? ", characters" : ", bytes"));
      const std::vector<std::string> mode = characters ? std::vector<std::string>{"--chars"} : std::vector<std::string>{};
      CliRun piped;
      piped.stdin_data = lists[k];
      for (const char* command : {"dump", "stats"}) {
        std::vector<std::string> from_file{command, path};
        std::vector<std::string> from_pipe{command, "-"};
        from_file.insert(from_file.end(), mode.begin(), mode.end());
        from_pipe.insert(from_pipe.end(), mode.begin(), mode.end());
        EXPECT_EQ(Outputs(from_pipe, piped), Outputs(from_file)) << command;
      }
      std::vector<std::string> save_file{"save-all", path, dir.PathOf("from-file")};
      std::vector<std::string> save_pipe{"save-all", "/dev/stdin", dir.PathOf("from-pipe")};
      save_file.insert(save_file.end(), mode.begin(), mode.end());
      save_pipe.insert(save_pipe.end(), mode.begin(), mode.end());
      ASSERT_EQ(RunCli(save_file).exit_code, 0);
      ASSERT_EQ(RunCli(save_pipe, piped).exit_code, 0);
      EXPECT_EQ(test::ReadFile(dir.PathOf("from-pipe")), test::ReadFile(dir.PathOf("from-file")));
      EXPECT_FALSE(test::ReadFile(dir.PathOf("from-file")).empty());
    }
  }
}

// Writes `content` into the FIFO once a reader has opened it; gives up
// after ten seconds without one.
void FeedFifo(const std::string& fifo, const std::string& content) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int fd = -1;
  while ((fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (fd < 0) return;
  ::fcntl(fd, F_SETFL, 0);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote = ::write(fd, content.data() + done, content.size() - done);
    if (wrote <= 0) break;
    done += static_cast<std::size_t>(wrote);
  }
  ::close(fd);
}

TEST(StreamInput, AFifoWithOneWriterReadsLikeTheSameFile) {
  test::TempDir dir;
  const std::vector<std::string> lists = ListContents();
  const std::string fifo = dir.PathOf("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::size_t k : {std::size_t{2}, std::size_t{6}}) {
    const std::string path = dir.Write("list", lists[k]);
    for (const bool characters : {false, true}) {
      std::vector<std::string> from_fifo{"dump", fifo};
      std::vector<std::string> from_file{"dump", path};
      if (characters) from_fifo.push_back("--chars"), from_file.push_back("--chars");
      std::thread writer(FeedFifo, fifo, lists[k]);
      const std::string fed = Outputs(from_fifo);
      writer.join();
      EXPECT_EQ(fed, Outputs(from_file)) << "list " << k << (characters ? ", characters" : ", bytes");
    }
  }
}

TEST(StreamInput, MemoryFollowsTheWordsNotTheFileSize) {
  if (test::kUnderAddressSanitizer) {
    GTEST_SKIP() << "AddressSanitizer reserves its shadow memory up front, so the program cannot "
                    "run under an address-space limit";
  }
  test::TempDir dir;
  // 100 MB of one word, and a 2 GB file of zero bytes (no word at all,
  // sparse, so it costs no disk) both open within 1 GB of address space.
  const std::string repeated = dir.PathOf("repeated");
  {
    std::string block;
    for (int k = 0; k < 100000; ++k) block += "walked\n";
    std::FILE* file = std::fopen(repeated.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (int k = 0; k < 143; ++k) ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), file), block.size());
    ASSERT_EQ(std::fclose(file), 0);
  }
  const std::string zeros = dir.PathOf("zeros");
  {
    const int fd = ::open(zeros.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
    ::close(fd);
  }
  CliRun limited;
  limited.address_space_limit = 1000000000;
  const CliResult words = RunCli({"stats", repeated}, limited);
  EXPECT_EQ(words.exit_code, 0) << words.err;
  EXPECT_NE(words.out.find("words read: 14300000\n"), std::string::npos);
  EXPECT_NE(words.out.find("tree nodes: 7\n"), std::string::npos);
  const CliResult nothing = RunCli({"stats", zeros}, limited);
  EXPECT_EQ(nothing.exit_code, 0) << nothing.err;
  EXPECT_NE(nothing.out.find("words read: 0\n"), std::string::npos);
}

}  // namespace
}  // namespace tarvo
