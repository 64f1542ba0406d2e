#include "lexicon/alphabet_order.h"

#include <gtest/gtest.h>

#include "lexicon/word_list_loader.h"
#include "lexicon/word_tree.h"
#include "test_support.h"

namespace tarvo {
namespace {

// The order a list is coded by once it is read.
SymbolTable OrderOf(const std::string& text) {
  test::TempDir dir;
  WordTree tree;
  EXPECT_TRUE(LoadWordList(dir.Write("list", text), 10, false, tree).ok());
  return tree.char_to_code();
}

TEST(AlphabetOrder, DealsCodesByFrequencyThenByteValue) {
  SymbolTable table = OrderOf("ab\nba\nc\n");
  EXPECT_EQ(table['a'], 0);
  EXPECT_EQ(table['b'], 1);
  EXPECT_EQ(table['c'], 2);
  EXPECT_EQ(table[0], 3);
  for (unsigned c = 1; c <= 96; ++c) EXPECT_EQ(table[c], c + 3) << c;
  for (unsigned c = 100; c < 256; ++c) EXPECT_EQ(table[c], c) << c;

  // Ties go to the lower byte value; a high byte comes after an equally
  // frequent ASCII letter.
  EXPECT_LT(OrderOf("ba")['a'], OrderOf("ba")['b']);
  EXPECT_LT(OrderOf("\xe4z")['z'], OrderOf("\xe4z")[0xe4]);
  // Doubling the list and dropping the final line end change nothing.
  EXPECT_EQ(OrderOf("walk talks\ntalked"), OrderOf("walk talks\ntalked\nwalk talks\ntalked\n"));
}

TEST(AlphabetOrder, EmptyListGivesIdentityAndFullAlphabetPutsByteZeroLast) {
  EXPECT_EQ(OrderOf(""), IdentitySymbolTable());
  EXPECT_EQ(OrderOf(" \r\n\t "), IdentitySymbolTable());

  std::string every_byte;
  for (unsigned c = 1; c < 256; ++c) {
    if (!IsWordSeparator(static_cast<unsigned char>(c))) every_byte += static_cast<char>(c);
  }
  SymbolTable table = OrderOf(every_byte);
  // The occurring bytes share one count, so they take codes in byte order;
  // byte 0 follows them and the separators come last.
  EXPECT_EQ(table[0], every_byte.size());
  EXPECT_EQ(table['\t'], every_byte.size() + 1);
  SymbolTable with_separators_used = AlphabetOrder::OrderFromCounts([] {
    std::array<std::uint64_t, 256> all{};
    for (unsigned c = 1; c < 256; ++c) all[c] = 1;
    return all;
  }());
  EXPECT_EQ(with_separators_used[0], 255);
  EXPECT_EQ(with_separators_used[1], 0);
}


}  // namespace
}  // namespace tarvo
