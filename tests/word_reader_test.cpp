#include "lexicon/word_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

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
  ForEachWordInFile(path, stats, [&](std::string_view word) { words.emplace_back(word); });
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
    EXPECT_EQ(stats.error, 0);
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

TEST(WordReader, ReportsFilesThatCannotBeRead) {
  test::TempDir dir;
  WordListStats stats;
  EXPECT_FALSE(ForEachWordInFile(dir.PathOf("missing"), stats, [](std::string_view) {}));
  EXPECT_EQ(stats.error, ENOENT);
  EXPECT_FALSE(ForEachWordInFile(dir.path(), stats, [](std::string_view) {}));
  EXPECT_EQ(stats.error, EISDIR);
  EXPECT_FALSE(ForEachWordInFile("", stats, [](std::string_view) {}));
  EXPECT_EQ(stats.error, ENOENT);
}

}  // namespace
}  // namespace tarvo
