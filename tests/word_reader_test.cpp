#include "lexicon/word_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <random>

#include "lexicon/errors.h"
#include "lexicon/word_blocks.h"
#include "test_support.h"

namespace tarvo {
namespace {

// The reference split: maximal runs of non-separator bytes, over-long ones dropped.
std::vector<std::string> ReferenceSplit(const std::string& text) {
  std::vector<std::string> words;
  std::string current;
  auto finish = [&] {
    if (!current.empty() && current.size() <= kMaxWordLength) words.push_back(current);
    current.clear();
  };
  for (char c : text) {
    if (std::string(" \t\n\v\f\r", 6).find(c) != std::string::npos || c == '\0') finish();
    else current += c;
  }
  finish();
  return words;
}

std::vector<std::string> ReadAll(const std::string& path, WordListStats& stats) {
  std::vector<std::string> words;
  EXPECT_EQ(test::ForEachWordInFile(path, stats, [&](std::string_view word) { words.emplace_back(word); }),
            std::error_code())
      << path;
  return words;
}

TEST(WordReader, SplitsLikeFormattedReadsWithByteZeroAsSeparator) {
  test::TempDir dir;
  const std::string cases[] = {
      "",
      " \t\n\v\f\r ",
      "one two\tthree\nfour",
      "crlf\r\nlines\r\n",
      std::string("nul\0inside\0\0x", 14),
      "\xc3\xa4iti \xff\x80 end",
      std::string(255, 'a') + " " + std::string(256, 'b') + " tail " + std::string(256, 'c'),
  };
  for (const std::string& text : cases) {
    WordListStats stats;
    std::vector<std::string> words = ReadAll(dir.Write("list", text), stats);
    EXPECT_EQ(words, ReferenceSplit(text)) << "input: " << text;
    EXPECT_EQ(stats.words, words.size());
  }
}

TEST(WordReader, TokensAcrossBlockBoundariesAreKeptWholeOrSkippedWhole) {
  // Random text several megabytes long, with tokens of every length around
  // the limit, so that many tokens straddle the reader's block boundaries.
  std::mt19937 random(7);
  std::string text;
  std::uint64_t long_tokens = 0;
  while (text.size() < (5u << 20)) {
    const int length = std::uniform_int_distribution<int>(1, 300)(random);
    if (length > 255) ++long_tokens;
    for (int i = 0; i < length; ++i) text += static_cast<char>('a' + random() % 26);
    text += " \n\r\t"[random() % 4];
  }
  test::TempDir dir;
  WordListStats stats;
  EXPECT_EQ(ReadAll(dir.Write("big", text), stats), ReferenceSplit(text));
  EXPECT_EQ(stats.long_tokens_skipped, long_tokens);
}

TEST(WordReader, AnyBytesSplitLikeTheReference) {
  // Words of every byte value, control bytes that are not separators among
  // them, next to every separator at every offset: the reader looks for
  // separators sixteen bytes at a time, and must find the first one in
  // each group wherever it lies, and never take another control byte for
  // one.
  std::mt19937 random(11);
  const std::string separators(" \t\n\v\f\r\0", 7);
  std::string text;
  while (text.size() < (3u << 20)) {
    const int length = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < length; ++i) {
      const auto byte = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
      text += separators.find(byte) == std::string::npos ? byte : '\x01';
    }
    const int between = std::uniform_int_distribution<int>(1, 3)(random);
    for (int i = 0; i < between; ++i) text += separators[random() % separators.size()];
  }
  test::TempDir dir;
  WordListStats stats;
  EXPECT_EQ(ReadAll(dir.Write("bytes", text), stats), ReferenceSplit(text));
}

TEST(WordReader, ReportsFilesThatCannotBeRead) {
  test::TempDir dir;
  WordListStats stats;
  EXPECT_EQ(test::ForEachWordInFile(dir.PathOf("missing"), stats, [](std::string_view) {}), ErrnoError(ENOENT));
  EXPECT_EQ(test::ForEachWordInFile(dir.path(), stats, [](std::string_view) {}), ErrnoError(EISDIR));
  EXPECT_EQ(test::ForEachWordInFile("", stats, [](std::string_view) {}), ErrnoError(ENOENT));
  // The engine's own conditions read as sentences of their own.
  EXPECT_EQ(std::error_code(EngineError::kTooManyNodes).category().name(), std::string("tarvo"));
  EXPECT_NE(FileErrorText("cannot open", "list", EngineError::kTooManyNodes).find("more than 2147483647 nodes"),
            std::string::npos);
}


TEST(WordBlock, HoldsEveryWordWholeWhateverItsLength) {
  // Words of every length up to the longest, and enough long ones that the
  // block's room for codes (32 bytes a word at first) must grow twice. Each
  // is copied in from a buffer of its own size, so that the sanitizer build
  // catches a copy that reads past a word. The words come back whole, and
  // reversed one by one.
  std::mt19937 random(5);
  std::vector<std::string> words;
  for (int k = 0; k < 16 * 1024; ++k) {
    const auto length = static_cast<std::size_t>(k < 4096 ? k % 256 : random() % 256);
    std::string word(length, '\0');
    for (char& c : word) c = static_cast<char>('a' + random() % 26);
    words.push_back(word);
  }
  WordBlock block;
  std::size_t bytes = 0;
  for (const std::string& word : words) {
    ASSERT_FALSE(block.full());
    const auto copy = std::make_unique<char[]>(word.size());
    std::copy(word.begin(), word.end(), copy.get());
    block.Add(std::string_view(copy.get(), word.size()));
    bytes += word.size();
  }
  EXPECT_TRUE(block.full());
  ASSERT_GT(bytes, 2 * 16 * 1024 * 32u);
  std::vector<std::string> held;
  block.ForEachWord([&](std::string_view word) { held.emplace_back(word); });
  EXPECT_EQ(held, words);
  EXPECT_EQ(block.codes().size(), bytes);
  block.ReverseWords();
  held.clear();
  block.ForEachWord([&](std::string_view word) { held.emplace_back(word.rbegin(), word.rend()); });
  EXPECT_EQ(held, words);
  block.Clear();
  EXPECT_EQ(block.size(), 0u);
  EXPECT_TRUE(block.codes().empty());
}

}  // namespace
}  // namespace tarvo
