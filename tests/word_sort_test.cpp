// Sorting a part of the collected words by codes, letting the words that
// were read go while the rest stay, and finding where sorted neighbours part.
#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "lexicon/collected_words.h"
#include "lexicon/shared_prefix.h"
#include "lexicon/word_sort.h"

namespace tarvo {
namespace {

CodedWords Coded(const std::vector<std::string>& words) {
  CodedWords coded;
  for (const std::string& word : words) coded.Add(word);
  return coded;
}

// Words over a few codes, the lowest and the highest among them, many of
// them sharing long prefixes, with repeats, prefixes of others and the
// empty word: ranges large enough to be split by digit at every depth, and
// small ones sorted by comparing. Others share a stretch after their first
// code, so that several large ranges at one depth have one digit each.
std::vector<std::string> RandomWords(std::mt19937& random, std::size_t count) {
  static const std::string kCodes{'\0', '\x01', 'a', 'b', '\x7f', '\x80', '\xff'};
  auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  const std::string shared(1 + below(70), 'a');
  std::vector<std::string> words(count);
  for (std::string& word : words) {
    if (below(3) == 0) word = shared.substr(0, below(shared.size() + 1));
    else if (below(2) == 0) word = kCodes[below(kCodes.size())] + std::string("\x80\x01b");
    for (std::size_t n = below(9); n > 0; --n) word += kCodes[below(kCodes.size())];
  }
  for (std::size_t n = count / 10; n > 0; --n) words.push_back(words[below(words.size())]);
  words.emplace_back();
  std::shuffle(words.begin(), words.end(), random);
  return words;
}

TEST(WordSort, OrdersLikeAStableSortOfTheCodes) {
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::vector<std::string> words = RandomWords(random, seed % 4 == 0 ? 3 : 20 + random() % 3000);
    const CodedWords coded = Coded(words);
    std::vector<std::uint32_t> expected(words.size());
    std::iota(expected.begin(), expected.end(), 0u);
    // std::string compares its chars as unsigned bytes, as the codes are.
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return words[a] < words[b]; });
    WordSorter sorter;
    sorter.Sort(coded);
    ASSERT_TRUE(std::equal(sorter.order().begin(), sorter.order().end(), expected.begin(), expected.end()));
    ASSERT_TRUE(std::equal(sorter.starts().begin(), sorter.starts().end(), coded.Starts().begin()));
    // The same words behind codes they all share, which the sort is told of.
    std::vector<std::string> behind_shared;
    for (const std::string& word : words) behind_shared.push_back(std::string("\xff\0", 2) + word);
    sorter.Sort(Coded(behind_shared), 2);
    ASSERT_TRUE(std::equal(sorter.order().begin(), sorter.order().end(), expected.begin(), expected.end()));
  }
}

// The trie of the words, straight from its definition: every prefix of a
// word but the empty one is a node, held first by the lowest-numbered word
// with that prefix, its children the codes that follow it.
WordSorter::TrieShape ShapeOf(const std::vector<std::string>& words) {
  std::map<std::string, std::pair<std::uint32_t, std::set<char>>> nodes;
  for (std::uint32_t k = 0; k < words.size(); ++k) {
    for (std::size_t length = 1; length <= words[k].size(); ++length) {
      auto [node, added] = nodes.try_emplace(words[k].substr(0, length), k, std::set<char>());
      if (length < words[k].size()) node->second.second.insert(words[k][length]);
    }
  }
  WordSorter::TrieShape shape;
  shape.made.assign(words.size(), 0);
  for (const auto& [prefix, node] : nodes) {
    ++shape.made[node.first];
    ++shape.rows[node.second.size() + 1];
  }
  return shape;
}

TEST(WordSort, LearnsTheTrieItsWordsMake) {
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<std::string> words = RandomWords(random, seed % 4 == 0 ? 1 + seed % 3 : 20 + random() % 3000);
    // A word so often repeated that its copies are split by digit.
    if (seed % 4 != 0) words.insert(words.end(), 30, words[random() % words.size()]);
    // Alone, and behind codes they all share, which the sort is told of.
    for (const std::uint32_t shared : {0u, 2u}) {
      if (shared > 0) {
        for (std::string& word : words) word = std::string("\xff\0", 2) + word;
      }
      const WordSorter::TrieShape expected = ShapeOf(words);
      WordSorter sorter;
      WordSorter::TrieShape shape;
      sorter.Sort(Coded(words), shared, &shape);
      ASSERT_EQ(shape.made, expected.made);
      ASSERT_EQ(shape.rows, expected.rows);
    }
  }
}

// A part large enough to lie in pages of its own: letting its first words
// go keeps every later word, its length and its place in the list.
TEST(WordSort, WordsLetGoLeaveTheOthersIntact) {
  CollectedWords collected;
  std::vector<std::string> words;
  for (std::uint32_t k = 0; k < 1100000; ++k) {
    words.push_back("w" + std::to_string(k * 7919u % 1000003u));
    ASSERT_TRUE(collected.Add(words.back()));
  }
  const unsigned part = static_cast<unsigned char>('w');
  const LargeVector<std::uint32_t> starts = collected.part(part).Starts();
  for (const std::uint32_t kept : {1u, 5000u, 123457u, 1099999u}) {
    collected.ReleaseLeadingWords(part, kept - 1, starts[kept - 1]);
    for (std::uint32_t k = kept - 1; k < words.size(); k += 997) {
      ASSERT_EQ(collected.part(part).word(starts[k], k), words[k]) << k;
      ASSERT_EQ(collected.numbers(part)[k], k) << k;
    }
  }
}

// Words of every length around the 16 codes copied as one group, dealt out
// to their parts in blocks and then put in code order, come out whole: none
// cut short, none running into the next, none lost at a block's or part's end.
TEST(CollectedWords, BlocksDealtOutAndPutInOrderKeepEveryWordWhole) {
  std::mt19937 random(5);
  std::vector<std::string> words;
  for (std::size_t k = 0; k < 3000; ++k) {
    std::string word(random() % 40, '\0');
    for (char& code : word) code = static_cast<char>("abc\xff"[random() % 4]);
    words.push_back(word);
  }
  CollectedWords collected;
  for (std::size_t from = 0; from < words.size();) {
    const std::size_t count = std::min<std::size_t>(1 + random() % 50, words.size() - from);
    std::string block;  // exactly the block's codes, so that its last word ends the buffer
    std::vector<std::uint8_t> lengths;
    for (std::size_t k = from; k < from + count; ++k) {
      block += words[k];
      lengths.push_back(static_cast<std::uint8_t>(words[k].size()));
    }
    const std::vector<char> exact(block.begin(), block.end());
    ASSERT_TRUE(collected.AddWords(std::string_view(exact.data(), exact.size()), lengths));
    from += count;
  }
  std::vector<std::string> seen(words.size());
  for (unsigned first = 0; first < CollectedWords::kParts; ++first) {
    if (collected.part(first).empty()) continue;
    WordSorter sorter;
    sorter.Sort(collected.part(first), CollectedWords::SharedCodes(first));
    collected.ReorderPart(first, sorter.TakeOrder(), sorter.TakeStarts());
    const CodedWords& part = collected.part(first);
    std::uint32_t start = 0;
    std::string_view before;
    for (std::uint32_t k = 0; k < part.size(); ++k) {
      const std::string_view word = part.word(start, k);
      start += part.lengths[k];
      ASSERT_LE(before, word);
      before = word;
      seen[collected.numbers(first)[k]] = word;
    }
  }
  EXPECT_EQ(seen, words);
}

// Eight bytes are compared at once: the first differing byte must be found
// in any place of a group, in the bytes left after the last whole group, and
// where either word ends first, for bytes of any value. For two words side
// by side in one buffer, the groups also reach into the word after the
// shorter one, and at the buffer's end they must stop.
TEST(SharedPrefix, PartsWhereTheFirstDifferingCodeIs) {
  std::mt19937 random(3);
  for (int round = 0; round < 20000; ++round) {
    std::string a(random() % 40, '\0');
    for (char& code : a) code = static_cast<char>(random());
    std::string b = a.substr(0, random() % (a.size() + 1));
    for (std::size_t n = random() % 12; n > 0; --n) b += static_cast<char>(random() % 3 == 0 ? 0x80 : random());
    std::size_t expected = 0;
    while (expected < a.size() && expected < b.size() && a[expected] == b[expected]) ++expected;
    ASSERT_EQ(SharedPrefixLength(a, b), expected) << round;
    ASSERT_EQ(SharedPrefixLength(b, a), expected) << round;
    for (const bool a_first : {true, false}) {
      const std::string& first = a_first ? a : b;
      const std::string& second = a_first ? b : a;
      const std::string buffer = first + second;
      const std::string_view in_first(buffer.data(), first.size());
      const std::string_view in_second(buffer.data() + first.size(), second.size());
      const char* end = buffer.data() + buffer.size();
      ASSERT_EQ(SharedPrefixLength(in_first, in_second, end), expected) << round;
      ASSERT_EQ(SharedPrefixLength(in_second, in_first, end), expected) << round;
    }
  }
}

}  // namespace
}  // namespace tarvo
