// The typical run through the real widgets: Open, Find Now, the New words
// dialog, Update and Save, each by clicks, double-clicks and menus.
#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

TEST_F(MainWindowTest, TypicalRunFindsAddsUpdatesAndSaves) {
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Tarvo"));
  EXPECT_FALSE(Control(kFindNowButton)->isEnabled());
  EXPECT_FALSE(Control(kUpdateButton)->isEnabled());
  EXPECT_EQ(qobject_cast<QLineEdit*>(Control(kDistanceEdit))->text(), QStringLiteral("2"));

  OpenSample();
  const std::string before = tarvo::test::ReadFile(list_path);
  QStringList chosen;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New words generation"));
    EXPECT_FALSE(dialog->Control(kIdOkButton)->isEnabled());
    DoubleClickRow(dialog->Control(kSuspiciousList), 0);
    ButtonOf(dialog, kSelectAllButton)->click();
    ButtonOf(dialog, kAddButton)->click();
    chosen = ShownRows(dialog->Control(kToBeAddedList));
    EXPECT_TRUE(dialog->Control(kIdOkButton)->isEnabled());
    ButtonOf(dialog, kIdOkButton)->click();
  });
  ButtonOf(&view, kFindNowButton)->click();
  ASSERT_FALSE(chosen.isEmpty());
  EXPECT_TRUE(Control(kUpdateButton)->isEnabled());

  ButtonOf(&view, kUpdateButton)->click();
  EXPECT_FALSE(Control(kUpdateButton)->isEnabled());
  ASSERT_TRUE(ClickMenuItem(view, Command::kSave));
  std::string expected = before;
  for (const QString& word : chosen) expected += word.toStdString() + "\n";
  EXPECT_EQ(tarvo::test::ReadFile(list_path), expected);
}

}  // namespace
}  // namespace tarvo::ui::qt::test
