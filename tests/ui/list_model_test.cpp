#include "ui/platform/list_model.h"

#include <gtest/gtest.h>

#include "fake_host.h"
#include "ui/platform/display_text.h"

namespace tarvo::ui {
namespace {

using test::Rows;

TEST(ListBoxModel, SortedRowsIgnoreCaseThenBytesAndBatchesMatchSingleAdds) {
  ListModel one_by_one(ListModel::Order::kSorted, ListModel::Selection::kMultiple);
  ListModel batch(ListModel::Order::kSorted, ListModel::Selection::kMultiple);
  const std::vector<std::string> words = {"b", "B", "a", "\xe4", "ab", "A", "b", ""};
  batch.AddRow("Aa");
  one_by_one.AddRow("Aa");
  batch.SetSelected(0, true);
  for (const std::string& w : words) one_by_one.AddRow(w);
  batch.AddRows(words);
  EXPECT_EQ(Rows(batch), Rows(one_by_one));
  EXPECT_EQ(Rows(batch), (std::vector<std::string>{"", "A", "a", "Aa", "ab", "B", "b", "b", "\xe4"}));
  EXPECT_TRUE(batch.IsSelected(3));  // the selection moved with its row
  EXPECT_EQ(batch.SelectedCount(), 1);
  EXPECT_EQ(batch.FindRow("AB"), 4);
  EXPECT_EQ(batch.FindRow("c"), ListModel::kNone);
}

TEST(ListBoxModel, SelectionRangesDeletesAndCurrentRow) {
  ListModel multi(ListModel::Order::kUnsorted, ListModel::Selection::kMultiple);
  multi.AddRows({"z", "y", "x", "w"});
  EXPECT_EQ(Rows(multi), (std::vector<std::string>{"z", "y", "x", "w"}));
  multi.SelectRange(0, 3);
  EXPECT_EQ(multi.SelectedCount(), 4);
  multi.SelectRange(2, 1);
  EXPECT_EQ(multi.SelectedCount(), 2);
  multi.DeleteSelectedRows();
  EXPECT_EQ(Rows(multi), (std::vector<std::string>{"y", "x"}));
  EXPECT_EQ(multi.FindRow("X"), 1);

  ListModel single(ListModel::Order::kSorted, ListModel::Selection::kSingle);
  single.AddRow("m");
  single.SetCurrentRow(0);
  single.AddRow("a");  // inserted above: the selection follows its row
  EXPECT_EQ(single.CurrentRow(), 1);
  single.DeleteRow(0);
  EXPECT_EQ(single.CurrentRow(), 0);
  single.SetCurrentRow(5);
  EXPECT_EQ(single.CurrentRow(), ListModel::kNone);
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
