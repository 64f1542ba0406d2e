// Saving on a full disk. A small tmpfs is mounted for each test where the
// process may mount one (root with CAP_SYS_ADMIN) and filled up; a save
// that does not fit must fail and leave every file as it was, so that the
// words can be saved again once there is room, once each.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lexicon/word_file_writer.h"
#include "lexicon/errors.h"
#include "test_support.h"

namespace tarvo {
namespace {

using Names = std::set<std::string>;

// About 18 KB of words: several pages of the disk.
std::vector<std::string> Words() {
  std::vector<std::string> words;
  for (int i = 1000; i < 3000; ++i) words.push_back("word" + std::to_string(i));
  return words;
}

class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::mkdir(disk_.c_str(), 0755), 0);
    if (::mount("tarvo-test", disk_.c_str(), "tmpfs", 0, "size=256k") != 0) {
      GTEST_SKIP() << "cannot mount a tmpfs (" << std::strerror(errno)
                   << "): that needs root with CAP_SYS_ADMIN";
    }
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(disk_.c_str(), MNT_DETACH);
  }

  // Fills the disk with a file "filler", then frees `pages` pages of it.
  void FillLeaving(std::size_t pages) {
    const std::string filler = disk_ + "/filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(page_, 'x');
    while (::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size())) {
    }
    struct stat info;
    ASSERT_EQ(::fstat(fd, &info), 0);
    const off_t full = info.st_size / page_ * page_;
    ASSERT_GE(full, static_cast<off_t>(pages * page_));
    ASSERT_EQ(::ftruncate(fd, full - static_cast<off_t>(pages * page_)), 0);
    ::close(fd);
  }
  void MakeRoom() { ASSERT_EQ(::unlink((disk_ + "/filler").c_str()), 0); }

  test::TempDir dir_;
  const std::string disk_ = dir_.PathOf("disk");
  const std::size_t page_ = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  bool mounted_ = false;
};

TEST_F(FullDisk, AnAppendThatDoesNotFitLeavesTheFileAsItWas) {
  const std::string list = disk_ + "/list.txt";
  std::ofstream(list) << "old\nlast";
  const std::vector<std::string> words = Words();
  FillLeaving(1);
  // Saved twice, as a user would after the first failure: neither leaves
  // part of the words behind.
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(AppendWordsToFile(list, words), ErrnoError(ENOSPC));
    EXPECT_EQ(test::ReadFile(list), "old\nlast");
  }
  // A file the append made is not left behind.
  FillLeaving(0);
  EXPECT_NE(AppendWordsToFile(disk_ + "/new.txt", words), std::error_code());
  EXPECT_EQ(test::FileNamesIn(disk_), (Names{"filler", "list.txt"}));

  MakeRoom();
  EXPECT_EQ(AppendWordsToFile(list, words), std::error_code());
  EXPECT_EQ(test::ReadFile(list), "old\nlast\n" + test::AsLines(words));
}

TEST_F(FullDisk, ASaveThatDoesNotFitKeepsTheOldList) {
  const std::vector<std::string> words = Words();
  const std::string source = dir_.Write("source", test::AsLines(words));
  const std::string single = disk_ + "/single.txt";
  const std::string linked = disk_ + "/linked.txt";
  std::ofstream(single) << "old\n";
  std::ofstream(linked) << "old\n";
  ASSERT_EQ(::link(linked.c_str(), (disk_ + "/other-name.txt").c_str()), 0);
  const Names names = {"filler", "linked.txt", "other-name.txt", "single.txt"};

  // One free page: enough for a backup of the hard-linked list, not for
  // the new list.
  for (std::size_t free_pages : {1, 0}) {
    FillLeaving(free_pages);
    for (const std::string& target : {single, linked}) {
      const test::CliResult result = test::RunCli({"save-all", source, target});
      EXPECT_EQ(result.exit_code, 1) << target;
      EXPECT_EQ(result.err, "tarvo-cli: cannot write '" + target + "': No space left on device\n");
      EXPECT_EQ(test::ReadFile(target), "old\n");
      EXPECT_EQ(test::FileNamesIn(disk_), names);
    }
    EXPECT_EQ(test::ReadFile(disk_ + "/other-name.txt"), "old\n");
    MakeRoom();
  }

  const std::string reference = dir_.PathOf("reference");
  ASSERT_EQ(test::RunCli({"save-all", source, reference}).exit_code, 0);
  for (const std::string& target : {single, linked}) {
    ASSERT_EQ(test::RunCli({"save-all", source, target}).exit_code, 0);
    EXPECT_EQ(test::ReadFile(target), test::ReadFile(reference));
  }
  EXPECT_EQ(test::ReadFile(disk_ + "/other-name.txt"), test::ReadFile(reference));
}

}  // namespace
}  // namespace tarvo
