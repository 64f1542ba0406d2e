// The typical run through the real widgets: Open, Find Now, the New words
// dialog, Update and Save, each by clicks, double-clicks and menus.
#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

TEST_F(MainWindowTest, TypicalRunFindsAddsUpdatesAndSaves) {
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Tarvo"));
  EXPECT_FALSE(Control("findNow")->isEnabled());
  EXPECT_FALSE(Control("update")->isEnabled());
  EXPECT_EQ(qobject_cast<QLineEdit*>(Control("distance"))->text(), QStringLiteral("2"));

  OpenSample();
  const std::string before = tarvo::test::ReadFile(list_path);
  QStringList chosen;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New words generation"));
    EXPECT_FALSE(Child(dialog, "ok")->isEnabled());
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    chosen = ShownRows(Child(dialog, "wordsToAdd"));
    EXPECT_TRUE(Child(dialog, "ok")->isEnabled());
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ASSERT_FALSE(chosen.isEmpty());
  EXPECT_TRUE(Control("update")->isEnabled());

  ButtonOf(&view, "update")->click();
  EXPECT_FALSE(Control("update")->isEnabled());
  ASSERT_TRUE(ClickMenuItem(view, Command::kSave));
  std::string expected = before;
  for (const QString& word : chosen) expected += word.toStdString() + "\n";
  EXPECT_EQ(tarvo::test::ReadFile(list_path), expected);
}

}  // namespace
}  // namespace tarvo::ui::qt::test
