#include "ui/platform/list_box_model.h"

#include <gtest/gtest.h>

#include "fake_host.h"
#include "ui/platform/display_text.h"

namespace tarvo::ui {
namespace {

using test::Rows;

TEST(ListBoxModel, SortedRowsIgnoreCaseThenBytesAndBatchesMatchSingleAdds) {
  CListBoxModel one_by_one(CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple);
  CListBoxModel batch(CListBoxModel::Order::kSorted, CListBoxModel::Selection::kMultiple);
  const std::vector<std::string> words = {"b", "B", "a", "\xe4", "ab", "A", "b", ""};
  batch.AddString("Aa");
  one_by_one.AddString("Aa");
  batch.SetSel(0, true);
  for (const std::string& w : words) one_by_one.AddString(w);
  batch.AddStrings(words);
  EXPECT_EQ(Rows(batch), Rows(one_by_one));
  EXPECT_EQ(Rows(batch), (std::vector<std::string>{"", "A", "a", "Aa", "ab", "B", "b", "b", "\xe4"}));
  EXPECT_TRUE(batch.GetSel(3));  // the selection moved with its row
  EXPECT_EQ(batch.GetSelCount(), 1);
  EXPECT_EQ(batch.FindStringExact("AB"), 4);
  EXPECT_EQ(batch.FindStringExact("c"), CListBoxModel::kNone);
}

TEST(ListBoxModel, SelectionRangesDeletesAndCurrentRow) {
  CListBoxModel multi(CListBoxModel::Order::kUnsorted, CListBoxModel::Selection::kMultiple);
  multi.AddStrings({"z", "y", "x", "w"});
  EXPECT_EQ(Rows(multi), (std::vector<std::string>{"z", "y", "x", "w"}));
  multi.SelItemRangeEx(0, 3);
  EXPECT_EQ(multi.GetSelCount(), 4);
  multi.SelItemRangeEx(2, 1);
  EXPECT_EQ(multi.GetSelCount(), 2);
  multi.DeleteSelectedRows();
  EXPECT_EQ(Rows(multi), (std::vector<std::string>{"y", "x"}));
  EXPECT_EQ(multi.FindStringExact("X"), 1);

  CListBoxModel single(CListBoxModel::Order::kSorted, CListBoxModel::Selection::kSingle);
  single.AddString("m");
  single.SetCurSel(0);
  single.AddString("a");  // inserted above: the selection follows its row
  EXPECT_EQ(single.GetCurSel(), 1);
  single.DeleteString(0);
  EXPECT_EQ(single.GetCurSel(), 0);
  single.SetCurSel(5);
  EXPECT_EQ(single.GetCurSel(), CListBoxModel::kNone);
}

TEST(DisplayText, EveryByteStaysVisible) {
  EXPECT_EQ(DisplayText("kot\xc3\xb3w", DisplayEncoding::kUtf8), "kot\xc3\xb3w");
  // A suffix that starts inside a two-byte letter.
  EXPECT_EQ(DisplayText("\xb3w", DisplayEncoding::kUtf8), "\\xB3w");
  EXPECT_EQ(DisplayText("\xd0", DisplayEncoding::kUtf8), "\\xD0");
  EXPECT_EQ(DisplayText("a\x01" "b", DisplayEncoding::kUtf8), "a\\x01b");
  // Latin-1: each byte is one character.
  EXPECT_EQ(DisplayText("\xe4\xf6", DisplayEncoding::kLatin1), "\xc3\xa4\xc3\xb6");
  EXPECT_EQ(DisplayText("\x85", DisplayEncoding::kLatin1), "\\x85");
}

}  // namespace
}  // namespace tarvo::ui
