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
    const QStringList groups = ShownRows(Control("mainGroups"));
    const auto main = std::find_if(groups.begin(), groups.end(), [](const QString& label) {
      return label.split(QLatin1Char(' ')).size() == 3 && label.contains(QStringLiteral("-s")) &&
             label.contains(QStringLiteral("-{}")) && label.contains(QStringLiteral("-ed"));
    });
    ASSERT_NE(main, groups.end());
    ClickRow(Control("mainGroups"), static_cast<int>(main - groups.begin()));
    auto* distance = qobject_cast<QLineEdit*>(Control("distance"));
    distance->selectAll();
    QTest::keyClicks(distance, QStringLiteral("1"));
    bool used = false;
    WhenModalOpens<DialogView>([&](DialogView* dialog) {
      use(dialog);
      used = true;
      if (!dialog->isVisible()) return;
      MessageBoxes discard({QMessageBox::Yes});  // the words collected, if any
      ButtonOf(dialog, "cancel")->click();
    });
    ButtonOf(&view, "findNow")->click();
    EXPECT_TRUE(used);
  }

  // Double-clicks the suspicious group of Walk and walk.
  static void ShowWalkGroup(DialogView* dialog) {
    QWidget* suspicious = Child(dialog, "suspiciousGroups");
    for (int row = 0; row < ShownRows(suspicious).size(); ++row) {
      DoubleClickRow(suspicious, row);
      if (ShownRows(Child(dialog, "groupWords")).contains(QStringLiteral("walk"))) return;
    }
    ADD_FAILURE() << "no suspicious group holds walk";
  }
};

TEST_F(NewWordsTest, AddKeepsOneOfTwoWordsThatDifferOnlyInLetterCase) {
  RunDialog([](DialogView* dialog) {
    ShowWalkGroup(dialog);
    EXPECT_EQ(ShownRows(Child(dialog, "possibleWords")),
              QStringList({QStringLiteral("Walks"), QStringLiteral("walks")}));
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    EXPECT_EQ(ShownRows(Child(dialog, "wordsToAdd")), QStringList{QStringLiteral("Walks")});
  });
}

TEST_F(NewWordsTest, RowsSelectedWithTheMouseAreTheOnesAddedAndTheStatusFollows) {
  RunDialog([](DialogView* dialog) {
    // The empty lists say what fills them, until they are filled.
    EXPECT_EQ(PlaceholderOf(Child(dialog, "groupWords")),
              QStringLiteral("Double-click a suspicious group to list its stems."));
    EXPECT_EQ(PlaceholderOf(Child(dialog, "possibleWords")),
              QStringLiteral("Double-click a suspicious group to see the new words it proposes."));
    EXPECT_EQ(PlaceholderOf(Child(dialog, "wordsToAdd")),
              QStringLiteral("Select possible new words and press Add, or press Automatic."));
    ShowWalkGroup(dialog);
    EXPECT_EQ(PlaceholderOf(Child(dialog, "groupWords")), QString());
    EXPECT_EQ(PlaceholderOf(Child(dialog, "possibleWords")), QString());
    ButtonOf(dialog, "add")->click();
    EXPECT_EQ(TextOf(dialog, "status"), QStringLiteral("Select the words to add among the possible new words first."));
    QWidget* possible = Child(dialog, "possibleWords");
    ClickRow(possible, 1);
    EXPECT_EQ(SelectedRows(possible), QStringList{QStringLiteral("walks")});
    ButtonOf(dialog, "add")->click();
    EXPECT_EQ(ShownRows(Child(dialog, "wordsToAdd")), QStringList{QStringLiteral("walks")});
    EXPECT_EQ(PlaceholderOf(Child(dialog, "wordsToAdd")), QString());
    EXPECT_EQ(TextOf(dialog, "status"), QStringLiteral("1 word to be added."));
    ButtonOf(dialog, "add")->click();
    EXPECT_EQ(TextOf(dialog, "status"),
              QStringLiteral("The selected words are already among the words to be added."));
  });
}

TEST_F(NewWordsTest, OkAfterEveryRowWasRemovedLeavesNothingToUpdate) {
  RunDialog([](DialogView* dialog) {
    ShowWalkGroup(dialog);
    ClickRow(Child(dialog, "possibleWords"), 1);
    ButtonOf(dialog, "add")->click();
    QWidget* to_add = Child(dialog, "wordsToAdd");
    ASSERT_EQ(ShownRows(to_add).size(), 1);
    ClickRow(to_add, 0);
    ButtonOf(dialog, "removeSelected")->click();
    EXPECT_TRUE(ShownRows(to_add).isEmpty());
    ButtonOf(dialog, "ok")->click();
  });
  EXPECT_FALSE(Control("update")->isEnabled());
  EXPECT_FALSE(view.MenuAction(Command::kSave)->isEnabled());
  EXPECT_EQ(view.windowTitle(), QStringLiteral("case.txt (bytes) - Tarvo"));
}

// Opens the New words dialog on the sample list's first group and hands it
// to `use`; the dialog is cancelled afterwards if `use` left it open.
void WithNewWordsDialog(MainWindowView& view, std::function<void(DialogView*)> use) {
  bool used = false;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    use(dialog);
    used = true;
    if (!dialog->isVisible()) return;
    MessageBoxes discard({QMessageBox::Yes});
    ButtonOf(dialog, "cancel")->click();
  });
  ButtonOf(&view, "findNow")->click();
  EXPECT_TRUE(used);
}

TEST_F(MainWindowTest, TheDistanceTakesDigitsAndEnterReanalysesWithoutTheOldGroupsWords) {
  OpenSample();
  WithNewWordsDialog(view, [](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ASSERT_FALSE(ShownRows(Child(dialog, "groupWords")).isEmpty());
    const QStringList at_two = ShownRows(Child(dialog, "suspiciousGroups"));
    auto* distance = qobject_cast<QLineEdit*>(Child(dialog, "distance"));
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, QStringLiteral("-a1 "));
    EXPECT_EQ(distance->text(), QStringLiteral("1"));
    QTest::keyClick(distance, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(ShownRows(Child(dialog, "suspiciousGroups")), at_two);
    EXPECT_TRUE(ShownRows(Child(dialog, "groupWords")).isEmpty());
    EXPECT_TRUE(ShownRows(Child(dialog, "possibleWords")).isEmpty());
    const qsizetype found = ShownRows(Child(dialog, "suspiciousGroups")).size();
    EXPECT_EQ(TextOf(dialog, "status"),
              QStringLiteral("%1 suspicious group%2 found.").arg(found).arg(found == 1 ? "" : "s"));

    // No number at all: said, and the focus stays in the field.
    MessageBoxes boxes;
    distance->selectAll();
    QTest::keyClick(distance, Qt::Key_Backspace);
    QTest::keyClick(distance, Qt::Key_Return);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].startsWith(QStringLiteral("Please enter the distance")));
    EXPECT_EQ(dialog->focusWidget(), distance);

    // A distance no group is at: Automatic cannot run, and the status says why.
    QTest::keyClicks(distance, QStringLiteral("40"));
    QTest::keyClick(distance, Qt::Key_Return);
    EXPECT_TRUE(ShownRows(Child(dialog, "suspiciousGroups")).isEmpty());
    EXPECT_FALSE(Child(dialog, "automatic")->isEnabled());
    EXPECT_EQ(TextOf(dialog, "status"),
              QStringLiteral("No group lacks exactly 40 suffixes of the main group."));
  });
}

TEST_F(MainWindowTest, EscapeCancelAndAutomaticAskBeforeDroppingTheWordsToBeAdded) {
  OpenSample();
  WithNewWordsDialog(view, [](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ClickRow(Child(dialog, "possibleWords"), 0);
    ButtonOf(dialog, "add")->click();
    const QStringList picked = ShownRows(Child(dialog, "wordsToAdd"));
    ASSERT_EQ(picked.size(), 1);

    MessageBoxes boxes({QMessageBox::No});  // then Enter: the default, No
    ButtonOf(dialog, "automatic")->click();
    QTest::keyClick(Child(dialog, "suspiciousGroups"), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ShownRows(Child(dialog, "wordsToAdd")), picked);
    EXPECT_EQ(boxes.texts, QStringList({QStringLiteral("Automatic replaces the 1 word to be added. Do you want to go on?"),
                                        QStringLiteral("Discard the 1 word to be added?")}));
    EXPECT_EQ(boxes.default_no, QList<bool>({true, true}));

    boxes.Queue(QMessageBox::Yes);
    ButtonOf(dialog, "cancel")->click();
    EXPECT_FALSE(dialog->isVisible());
  });
  EXPECT_FALSE(Control("update")->isEnabled());
}

TEST_F(MainWindowTest, TabFollowsTheNewWordsDialogsLayout) {
  OpenSample();
  WithNewWordsDialog(view, [](DialogView* dialog) {
    // OK is still disabled, so Tab passes it by.
    const QList<const char*> expected = {"suspiciousGroups", "distance", "reanalyse", "automatic",
                                 "groupWords", "possibleWords",    "selectAll", "clearAll",
                                 "add",      "wordsToAdd",        "removeSelected", "cancel"};
    Child(dialog, "suspiciousGroups")->setFocus();
    QList<const char*> visited;
    for (int step = 0; step < expected.size(); ++step) {
      for (const char* id : expected) {
        if (dialog->focusWidget() == Child(dialog, id)) visited << id;
      }
      QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
  });
}

}  // namespace
}  // namespace tarvo::ui::qt::test
