// The New words dialog through its widgets: what reaches "Words to be
// added" and what OK hands to the main window.
#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

// A main window on a list whose group "-{} -ed -s" (talk, jump) is one
// suffix away from the group of "Walk" and "walk"; the New words dialog is
// opened on that main group at distance 1 and handed to `use`.
class NewWordsTest : public MainWindowTest {
 protected:
  void RunDialog(std::function<void(DialogView*)> use) {
    files.push_back(dir.Write("case.txt", "talk\ntalks\ntalked\njump\njumps\njumped\nWalk\nWalked\nwalk\nwalked\n"));
    logic.settings().min_words = 1;
    logic.settings().min_suffixes = 1;
    OpenSample();
    const QStringList groups = ShownRows(Control(kMainGroupsList));
    const auto main = std::find_if(groups.begin(), groups.end(), [](const QString& label) {
      return label.split(QLatin1Char(' ')).size() == 3 && label.contains(QStringLiteral("-s")) &&
             label.contains(QStringLiteral("-{}")) && label.contains(QStringLiteral("-ed"));
    });
    ASSERT_NE(main, groups.end());
    ClickRow(Control(kMainGroupsList), static_cast<int>(main - groups.begin()));
    auto* distance = qobject_cast<QLineEdit*>(Control(kDistanceEdit));
    distance->selectAll();
    QTest::keyClicks(distance, QStringLiteral("1"));
    bool used = false;
    WhenModalOpens<DialogView>([&](DialogView* dialog) {
      use(dialog);
      used = true;
      if (dialog->isVisible()) ButtonOf(dialog, kIdCancelButton)->click();
    });
    ButtonOf(&view, kFindNowButton)->click();
    EXPECT_TRUE(used);
  }

  // Double-clicks the suspicious group of Walk and walk.
  static void ShowWalkGroup(DialogView* dialog) {
    QWidget* suspicious = dialog->Control(kSuspiciousList);
    for (int row = 0; row < ShownRows(suspicious).size(); ++row) {
      DoubleClickRow(suspicious, row);
      if (ShownRows(dialog->Control(kGroupWordsList)).contains(QStringLiteral("walk"))) return;
    }
    ADD_FAILURE() << "no suspicious group holds walk";
  }
};

TEST_F(NewWordsTest, AddKeepsOneOfTwoWordsThatDifferOnlyInLetterCase) {
  RunDialog([](DialogView* dialog) {
    ShowWalkGroup(dialog);
    EXPECT_EQ(ShownRows(dialog->Control(kPossibleWordsList)),
              QStringList({QStringLiteral("Walks"), QStringLiteral("walks")}));
    ButtonOf(dialog, kSelectAllButton)->click();
    ButtonOf(dialog, kAddButton)->click();
    EXPECT_EQ(ShownRows(dialog->Control(kToBeAddedList)), QStringList{QStringLiteral("Walks")});
  });
}

TEST_F(NewWordsTest, RowsSelectedWithTheMouseAreTheOnesAdded) {
  RunDialog([](DialogView* dialog) {
    ShowWalkGroup(dialog);
    QWidget* possible = dialog->Control(kPossibleWordsList);
    ClickRow(possible, 1);
    EXPECT_EQ(SelectedRows(possible), QStringList{QStringLiteral("walks")});
    ButtonOf(dialog, kAddButton)->click();
    EXPECT_EQ(ShownRows(dialog->Control(kToBeAddedList)), QStringList{QStringLiteral("walks")});
  });
}

TEST_F(NewWordsTest, OkAfterEveryRowWasRemovedLeavesNothingToUpdate) {
  RunDialog([](DialogView* dialog) {
    ShowWalkGroup(dialog);
    ClickRow(dialog->Control(kPossibleWordsList), 1);
    ButtonOf(dialog, kAddButton)->click();
    QWidget* to_add = dialog->Control(kToBeAddedList);
    ASSERT_EQ(ShownRows(to_add).size(), 1);
    ClickRow(to_add, 0);
    ButtonOf(dialog, kRemoveSelectedButton)->click();
    EXPECT_TRUE(ShownRows(to_add).isEmpty());
    ButtonOf(dialog, kIdOkButton)->click();
  });
  EXPECT_FALSE(Control(kUpdateButton)->isEnabled());
  EXPECT_FALSE(view.MenuAction(kCmdSave)->isEnabled());
  EXPECT_EQ(view.windowTitle(), QStringLiteral("case.txt (bytes) - Tarvo"));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
