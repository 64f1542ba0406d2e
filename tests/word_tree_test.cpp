#include "lexicon/word_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "lexicon/errors.h"
#include "lexicon/word_file_writer.h"
#include "lexicon/word_list_loader.h"
#include "test_support.h"

namespace tarvo {
namespace {

std::vector<int> Label(const WordTree& tree, std::uint32_t node) {
  const std::uint8_t* row = tree.LabelRow(node);
  return std::vector<int>(row, row + SlotCount(row[0]));
}

std::vector<int> Links(const WordTree& tree, std::uint32_t node) {
  const LinkRowView row = tree.LinkRow(node);
  std::vector<int> links;
  for (unsigned slot = 1; slot < SlotCount(tree.LabelRow(node)[0]); ++slot) links.push_back(row[slot - 1]);
  return links;
}

// A tree configured so that `a` has code 0 and `b` code 1.
WordTree AbTree() {
  WordTree tree;
  tree.Reset();
  SymbolTable order = IdentitySymbolTable();
  std::swap(order['a'], order[0]);
  std::swap(order['b'], order[1]);
  tree.Configure(order, 10);
  return tree;
}

TEST(WordTree, InsertBuildsTheDocumentedRows) {
  WordTree tree = AbTree();
  EXPECT_TRUE(tree.IsEmpty());
  tree.Insert("ab");
  EXPECT_EQ(Label(tree, 0), (std::vector<int>{2, 0}));
  EXPECT_EQ(Links(tree, 0), (std::vector<int>{1}));
  EXPECT_EQ(Label(tree, 1), (std::vector<int>{2, 1}));
  EXPECT_EQ(Links(tree, 1), (std::vector<int>{2}));
  EXPECT_EQ(Label(tree, 2), (std::vector<int>{129}));
  tree.Insert("a");
  EXPECT_EQ(Label(tree, 1), (std::vector<int>{130, 1}));
  EXPECT_EQ(tree.node_count(), 3u);
  tree.Insert("b");
  EXPECT_EQ(Label(tree, 0), (std::vector<int>{3, 0, 1}));
  EXPECT_EQ(Links(tree, 0), (std::vector<int>{1, 3}));
  EXPECT_EQ(Label(tree, 3), (std::vector<int>{129}));
  EXPECT_EQ(tree.node_count(), 4u);

  // Duplicates and prefixes add no node; a code below all others takes slot 1.
  tree.Insert("ab");
  tree.Insert("a");
  EXPECT_EQ(tree.node_count(), 4u);
  WordTree below = AbTree();
  below.Insert("b");
  below.Insert("a");
  EXPECT_EQ(Label(below, 0), (std::vector<int>{3, 0, 1}));
  EXPECT_EQ(Links(below, 0), (std::vector<int>{2, 1}));

  // The empty word marks the root final; the tree still has other words.
  tree.Insert("");
  EXPECT_TRUE(IsFinal(tree.LabelRow(0)[0]));
  EXPECT_FALSE(tree.IsEmpty());
}

TEST(WordTree, EmptyWordAloneKeepsTreeEmpty) {
  WordTree tree = AbTree();
  tree.Insert("");
  EXPECT_TRUE(tree.IsEmpty());
  EXPECT_TRUE(IsFinal(tree.LabelRow(0)[0]));
}

TEST(WordTree, GrowthStepAndCapacityAfterLoad) {
  test::TempDir dir;
  WordTree tree;
  EXPECT_EQ(tree.capacity(), 1u);
  tree.Reset();
  tree.Configure(IdentitySymbolTable(), 0);
  EXPECT_EQ(tree.growth_step(), 1000u);
  tree.Reset();
  tree.Configure(IdentitySymbolTable(), 2);
  EXPECT_EQ(tree.growth_step(), 2u);

  tree.Reset();
  EXPECT_EQ(tree.capacity(), 2u);
  tree.Configure(IdentitySymbolTable(), 10);
  EXPECT_EQ(tree.capacity(), 10u);
  // Nine nodes: the root and "abcdefgh"; a loaded tree is trimmed to them.
  ASSERT_TRUE(LoadWordList(dir.Write("list", "abcdefgh\n"), 10, false, tree).ok());
  EXPECT_EQ(tree.node_count(), 9u);
  EXPECT_EQ(tree.capacity(), 9u);
  tree.Insert("b");
  EXPECT_EQ(tree.capacity(), 19u);
  EXPECT_EQ(LoadWordList(dir.PathOf("missing"), 10, false, tree).error, ErrnoError(ENOENT));
  EXPECT_EQ(tree.node_count(), 10u);
}

TEST(WordTree, RefusesAHundredAndTwentySeventhChildWithoutDamage) {
  WordTree tree;
  tree.Reset();
  tree.Configure(IdentitySymbolTable(), 10);
  for (int c = 1; c <= 126; ++c) {
    std::string word = {static_cast<char>(c), 'x'};
    EXPECT_TRUE(tree.Insert(word)) << c;
  }
  std::vector<int> root = Label(tree, 0);
  const std::uint32_t nodes = tree.node_count();
  EXPECT_EQ(root[0], 127);
  EXPECT_FALSE(tree.Insert("\x80y"));
  EXPECT_EQ(Label(tree, 0), root);
  EXPECT_EQ(tree.node_count(), nodes);
  // Existing children still take further words.
  EXPECT_TRUE(tree.Insert("\x05xyz"));
}

TEST(WordTree, SaveAllWritesDepthFirstInCodeOrderAndReloadsTheSameWords) {
  test::TempDir dir;
  WordTree tree = AbTree();
  for (const char* word : {"b", "ab", "a"}) tree.Insert(word);
  ASSERT_EQ(tree.SaveAll(dir.PathOf("out.txt")), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("out.txt")), "a\nab\nb\n");

  WordTree reversed;
  reversed.Reset();
  SymbolTable order = IdentitySymbolTable();
  std::swap(order['b'], order[0]);
  std::swap(order['a'], order[1]);
  reversed.Configure(order, 10);
  for (const char* word : {"a", "ab", "b"}) reversed.Insert(word);
  ASSERT_EQ(reversed.SaveAll(dir.PathOf("out2.txt")), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("out2.txt")), "b\na\nab\n");

  // Saved, read back (in its own order, which is the same) and saved
  // again: the same file.
  WordTree reloaded;
  ASSERT_TRUE(LoadWordList(dir.PathOf("out.txt"), 10, false, reloaded).ok());
  ASSERT_EQ(reloaded.SaveAll(dir.PathOf("again.txt")), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("again.txt")), "a\nab\nb\n");

  // The root alone empties the file.
  WordTree empty = AbTree();
  ASSERT_EQ(empty.SaveAll(dir.PathOf("out.txt")), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("out.txt")), "");
}

TEST(WordTree, FailedSaveReportsAndLeavesTheOldFileWhole) {
  test::TempDir dir;
  WordTree tree = AbTree();
  tree.Insert("ab");
  EXPECT_EQ(tree.SaveAll(dir.PathOf("no/such/folder.txt")), ErrnoError(ENOENT));
  EXPECT_EQ(tree.SaveAll(dir.path()), ErrnoError(EISDIR));
  const std::error_code full = tree.SaveAll("/dev/full");
  EXPECT_EQ(full, ErrnoError(ENOSPC));
  EXPECT_EQ(FileErrorText("cannot write", "/dev/full", full), "cannot write '/dev/full': No space left on device");

  // A failure in the middle of writing: the file being replaced stays whole
  // and no temporary file is left behind.
  const std::string target = dir.Write("list.txt", "old\ncontent\n");
  {
    WordFileWriter writer;
    ASSERT_EQ(writer.OpenForReplace(target), std::error_code());
    writer.WriteLine("partial");
  }  // destroyed without Commit: discarded
  EXPECT_EQ(test::ReadFile(target), "old\ncontent\n");
  ASSERT_EQ(tree.SaveAll(target), std::error_code());
  EXPECT_EQ(test::ReadFile(target), "ab\n");
  std::size_t files = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);
}

TEST(AppendWords, KeepsWordsApartAndReportsFailures) {
  test::TempDir dir;
  const std::string path = dir.Write("list.txt", "last");
  EXPECT_EQ(AppendWordsToFile(path, {"new", "words"}), std::error_code());
  EXPECT_EQ(test::ReadFile(path), "last\nnew\nwords\n");
  EXPECT_EQ(AppendWordsToFile(path, {"more"}), std::error_code());
  EXPECT_EQ(test::ReadFile(path), "last\nnew\nwords\nmore\n");
  // An empty list creates the file and writes nothing, even after a word
  // without a line end.
  EXPECT_EQ(AppendWordsToFile(dir.PathOf("created.txt"), {}), std::error_code());
  EXPECT_EQ(test::ReadFile(dir.PathOf("created.txt")), "");
  const std::string unterminated = dir.Write("u.txt", "w");
  EXPECT_EQ(AppendWordsToFile(unterminated, {}), std::error_code());
  EXPECT_EQ(test::ReadFile(unterminated), "w");

  EXPECT_EQ(AppendWordsToFile("/dev/full", {"lost?"}), ErrnoError(ENOSPC));
  EXPECT_EQ(AppendWordsToFile(dir.PathOf("none/x.txt"), {"w"}), ErrnoError(ENOENT));
}

}  // namespace
}  // namespace tarvo
