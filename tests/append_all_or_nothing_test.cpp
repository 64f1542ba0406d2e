// Appending words is all or nothing: whatever fails, and wherever, the file
// is left with exactly its former bytes, so that saving the same words
// again later neither duplicates them nor turns half a word into a word.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "lexicon/word_file_writer.h"
#include "lexicon/errors.h"
#include "test_support.h"
#include "write_faults.h"

namespace tarvo {
namespace {

using test::SetWriteBudget;
using test::WriteFault;
using test::WriteWithinBudget;

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::size_t FilesIn(const std::string& folder) {
  std::size_t files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  return files;
}

// Appends through the budgeted write call; true when Commit succeeded.
bool AppendWithBudget(const std::string& path, const std::vector<std::string>& words, std::size_t budget,
                      WriteFault fault, int* error) {
  SetWriteBudget(budget, fault);
  WordFileWriter writer(WriteWithinBudget);
  if (writer.OpenForAppend(path)) return false;
  for (const std::string& word : words) writer.WriteLine(word);
  const std::error_code committed = writer.Commit();
  *error = committed.value();
  return !committed;
}

TEST(AppendAllOrNothing, AFailureAtAnyByteLeavesTheFormerBytes) {
  test::TempDir dir;
  const std::vector<std::string> words = {"second", "third"};
  // Files ending inside a word (the line end put first is part of the
  // append), after a line end, and empty.
  for (const std::string former : {"first", "first\n", ""}) {
    const std::string appended = (former == "first" ? "\n" : "") + test::AsLines(words);
    for (WriteFault fault : {WriteFault::kError, WriteFault::kWritesNothing}) {
      const std::string path = dir.Write("list.txt", former);
      for (std::size_t budget = 0; budget < appended.size(); ++budget) {
        int error = 0;
        EXPECT_FALSE(AppendWithBudget(path, words, budget, fault, &error)) << budget;
        EXPECT_EQ(error, EIO) << budget;
        ASSERT_EQ(test::ReadFile(path), former) << "failure after " << budget << " bytes";
      }
      int error = 0;
      EXPECT_TRUE(AppendWithBudget(path, words, appended.size(), fault, &error));
      EXPECT_EQ(test::ReadFile(path), former + appended);
    }
  }

  // More than one buffer: the first megabyte has reached the file when the
  // write fails, and it is taken back too. So is an append given up without
  // Commit.
  std::vector<std::string> many;
  for (int i = 0; i < 200000; ++i) many.push_back("word" + std::to_string(i));
  const std::string path = dir.Write("large.txt", "old\nlast");
  int error = 0;
  EXPECT_FALSE(AppendWithBudget(path, many, (1 << 20) + 100, WriteFault::kError, &error));
  EXPECT_EQ(test::ReadFile(path), "old\nlast");
  {
    WordFileWriter writer;
    ASSERT_EQ(writer.OpenForAppend(path), std::error_code());
    for (const std::string& word : many) writer.WriteLine(word);
  }
  EXPECT_EQ(test::ReadFile(path), "old\nlast");
  EXPECT_EQ(AppendWordsToFile(path, many), std::error_code());
  EXPECT_EQ(test::ReadFile(path), "old\nlast\n" + test::AsLines(many));
  EXPECT_EQ(FilesIn(dir.path()), 2u);
}

TEST(AppendAllOrNothing, AFileMadeByAFailedAppendIsRemovedAgain) {
  test::TempDir dir;
  const std::string path = dir.PathOf("new.txt");
  int error = 0;
  EXPECT_FALSE(AppendWithBudget(path, {"word"}, 2, WriteFault::kError, &error));
  EXPECT_FALSE(Exists(path));
  {
    WordFileWriter writer;
    ASSERT_EQ(writer.OpenForAppend(path), std::error_code());
    writer.WriteLine("dropped");
  }
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(FilesIn(dir.path()), 0u);

  // Through a dangling link the file it names is made, and removed again
  // when the append fails; the link stays.
  const std::string link = dir.PathOf("link");
  ASSERT_EQ(::symlink("target.txt", link.c_str()), 0);
  EXPECT_FALSE(AppendWithBudget(link, {"word"}, 2, WriteFault::kError, &error));
  EXPECT_FALSE(Exists(dir.PathOf("target.txt")));
  EXPECT_EQ(AppendWordsToFile(link, {"word"}), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("target.txt")), "word\n");
  EXPECT_EQ(AppendWordsToFile(link, {"more"}), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("target.txt")), "word\nmore\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST(AppendAllOrNothing, ReadOnlyFilesAreRefusedEvenForRoot) {
  test::TempDir dir;
  const std::string path = dir.Write("list.txt", "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(AppendWordsToFile(path, {"new"}), ErrnoError(EACCES));
  EXPECT_EQ(test::ReadFile(path), "old\n");
}

}  // namespace
}  // namespace tarvo
