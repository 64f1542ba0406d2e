#include "lexicon/utf8.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tarvo/analysis.h"

namespace tarvo {
namespace {

// Valid exactly when the text splits into well-formed sequences, one after
// another, as Utf8SequenceLength finds them.
bool ValidSequenceBySequence(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

TEST(Utf8, WholeTextCheckAgreesWithTheSequences) {
  // Every text of one or two bytes.
  for (unsigned a = 0; a < 256; ++a) {
    const std::string one(1, static_cast<char>(a));
    ASSERT_EQ(IsValidUtf8(one), ValidSequenceBySequence(one)) << a;
    for (unsigned b = 0; b < 256; ++b) {
      const std::string two = one + static_cast<char>(b);
      ASSERT_EQ(IsValidUtf8(two), ValidSequenceBySequence(two)) << a << ' ' << b;
    }
  }
  // Texts of three to five bytes from the bytes at the edges of every range
  // a sequence's bytes may take.
  const std::vector<unsigned char> edges = {0x00, 0x41, 0x7f, 0x80, 0x8f, 0x90, 0x9f, 0xa0, 0xbf, 0xc0, 0xc1, 0xc2,
                                            0xdf, 0xe0, 0xe1, 0xec, 0xed, 0xee, 0xef, 0xf0, 0xf1, 0xf3, 0xf4, 0xf5, 0xff};
  std::vector<std::string> texts = {""};
  for (int length = 1; length <= 5; ++length) {
    std::vector<std::string> longer;
    for (const std::string& text : texts) {
      for (const unsigned char byte : edges) longer.push_back(text + static_cast<char>(byte));
    }
    texts = std::move(longer);
    if (length < 3) continue;
    for (const std::string& text : texts) ASSERT_EQ(IsValidUtf8(text), ValidSequenceBySequence(text));
  }
}

TEST(Utf8, LongTextsAgreeWithTheSequencesWhereverTheyBreak) {
  // Long texts are checked in two halves: texts of characters of every
  // length, some with one byte changed, so that sequences are cut short,
  // continued too far or broken around the middle as well as anywhere else.
  std::mt19937 random(3);
  const std::vector<std::uint32_t> points = {'a', 0x7f, 0x80, 0x15b, 0x7ff, 0x800, 0x20ac, 0xd7ff, 0xe000, 0xffff,
                                             0x10000, 0x1f600, 0x10ffff};
  int invalid = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int characters = std::uniform_int_distribution<int>(10, 120)(random);
    for (int k = 0; k < characters; ++k) AppendUtf8(text, points[random() % points.size()]);
    if (round % 2 == 1) {
      const std::size_t middle = text.size() / 2 + random() % 9 - 4;
      const std::size_t at = round % 4 == 1 ? middle : random() % text.size();
      text[at] = static_cast<char>(std::uniform_int_distribution<int>(0x80, 0xff)(random));
    }
    const bool valid = ValidSequenceBySequence(text);
    invalid += valid ? 0 : 1;
    ASSERT_EQ(IsValidUtf8(text), valid) << round;
  }
  EXPECT_GT(invalid, 5000);
}

TEST(Utf8, EachWordOfAListIsCheckedOnItsOwn) {
  const auto not_utf8 = [](const std::string& list) {
    return Analysis::FromText(list, AnalysisSettings{})->read_summary().words_not_utf8;
  };
  EXPECT_EQ(not_utf8("\xc5\x9bpi \xc5\x9bpij \xe2\x82\xac \xf0\x9f\x98\x80\n"), 0u);
  // Words that make valid UTF-8 only when joined: the lead byte of a
  // sequence ends one word, its continuation bytes start the next.
  EXPECT_EQ(not_utf8("ok\n\xc5\n\x9bpi\n"), 2u);
  EXPECT_EQ(not_utf8("ok\n\xe2\x82\n\xac\n\xf0\n\x9f\x98\x80\nok\n"), 4u);
  // A continuation byte starting a word after a complete one.
  EXPECT_EQ(not_utf8("\xc5\x9b \x9b"), 1u);
  // Read backwards, the words are checked as the list has them.
  AnalysisSettings backwards;
  backwards.read_backwards = true;
  EXPECT_EQ(Analysis::FromText("\xc5\x9bpi \xc5\x9bpij\n", backwards)->read_summary().words_not_utf8, 0u);
  EXPECT_EQ(Analysis::FromText("\xc5\n\x9bpi\n", backwards)->read_summary().words_not_utf8, 2u);
}

}  // namespace
}  // namespace tarvo
