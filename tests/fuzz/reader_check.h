// The check shared by the two word reader targets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine_checks.h"
#include "fuzz_support.h"
#include "lexicon/word_reader.h"

namespace tarvo::fuzz {

// Reads the file at path, whose bytes are `content`, and requires exactly
// the tokens of the reference split.
inline void CheckReader(const std::string& path, std::string_view content) {
  const test::Split expected = test::ReferenceSplit(content);
  WordListStats stats;
  std::vector<std::string> words;
  const std::error_code error = test::ForEachWordInFile(path, stats, [&](std::string_view word) {
    Require(word.size() >= 1 && word.size() <= kMaxWordLength, "a word of length " + std::to_string(word.size()));
    words.emplace_back(word);
  });
  Require(!error, "the reader failed on a readable file");
  Require(words.size() == expected.words.size(),
          "read " + std::to_string(words.size()) + " words, expected " + std::to_string(expected.words.size()));
  for (std::size_t k = 0; k < words.size(); ++k) {
    Require(words[k] == expected.words[k], "word " + std::to_string(k) + " differs");
  }
  Require(stats.words == words.size(), "the word count differs from the words handed out");
  Require(stats.long_tokens_skipped == expected.long_tokens,
          "skipped " + std::to_string(stats.long_tokens_skipped) + " long tokens, expected " +
              std::to_string(expected.long_tokens));
}

}  // namespace tarvo::fuzz
