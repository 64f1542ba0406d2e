// Filling the variable parts into a translated sentence.
#include "ui/platform/translation.h"

#include <gtest/gtest.h>

namespace tarvo::ui {
namespace {

TEST(FillInTest, PlaceholdersTakeTheirArgumentsInAnyOrderAndNothingElse) {
  EXPECT_EQ(FillIn("Opened %1: %2.", {"polish", "3 words"}), "Opened polish: 3 words.");
  // A translation may put the parts in another order, or use one twice.
  EXPECT_EQ(FillIn("%2 in %1, %2", {"a", "b"}), "b in a, b");
  // An argument is inserted as it stands, even when it holds a placeholder.
  EXPECT_EQ(FillIn("%1 and %2", {"%2", "x"}), "%2 and x");
  // A % without an argument's number stays: 50 %, %3 with two arguments, %0, a final %.
  EXPECT_EQ(FillIn("50 % of %3 %0 %", {"a", "b"}), "50 % of %3 %0 %");
  EXPECT_EQ(Translate("Context", "As it stands"), "As it stands");
}

}  // namespace
}  // namespace tarvo::ui
