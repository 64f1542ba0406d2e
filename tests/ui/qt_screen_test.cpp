// What the main window and the New words dialog show after each command,
// double-click and key: the widgets, not the logic's models.
#include <algorithm>

#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

bool SortedAsListBoxes(const QStringList& rows) {
  return std::is_sorted(rows.begin(), rows.end(),
                        [](const QString& a, const QString& b) { return ListLess(a.toStdString(), b.toStdString()); });
}

TEST_F(MainWindowTest, ADoubleClickOrEnterOnAGroupShowsItsStems) {
  OpenSample();
  QWidget* groups = Control("mainGroups");
  QWidget* words = Control("words");
  ASSERT_GE(ShownRows(groups).size(), 3);
  EXPECT_TRUE(ShownRows(words).isEmpty());

  DoubleClickRow(groups, 1);
  const QStringList stems = ShownRows(words);
  EXPECT_EQ(stems.size(), static_cast<int>(logic.automaton().WordCount(logic.ranked_groups()[1])));
  EXPECT_TRUE(SortedAsListBoxes(stems));

  // Enter on a selected group does what a double-click does, and the window
  // stays open.
  ClickRow(groups, 2);
  groups->setFocus();
  QTest::keyClick(groups, Qt::Key_Return);
  EXPECT_EQ(ShownRows(words).size(), static_cast<int>(logic.automaton().WordCount(logic.ranked_groups()[2])));
  EXPECT_TRUE(view.isVisible());
}

TEST_F(MainWindowTest, ADoubleClickOnASuspiciousGroupShowsItsStemsAndPossibleWords) {
  OpenSample();
  bool checked = false;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    ASSERT_GT(ShownRows(Child(dialog, "suspiciousGroups")).size(), 1);
    EXPECT_TRUE(ShownRows(Child(dialog, "groupWords")).isEmpty());
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 1);
    const QStringList stems = ShownRows(Child(dialog, "groupWords"));
    const QStringList possible = ShownRows(Child(dialog, "possibleWords"));
    EXPECT_FALSE(stems.isEmpty());
    // At distance 2 each stem takes the two suffixes its group lacks.
    EXPECT_EQ(possible.size(), 2 * stems.size());
    checked = true;
    ButtonOf(dialog, "cancel")->click();
  });
  ButtonOf(&view, "findNow")->click();
  EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, OpenAndUpdateLeaveNoStaleStemsAndUpdateKeepsTheSelectedGroup) {
  OpenSample();
  QWidget* groups = Control("mainGroups");
  QWidget* words = Control("words");
  // Row 2's stems shown; Find Now adds every word one of its suspicious
  // groups could take. Update then keeps row 2's group selected wherever it
  // is ranked now, and its stems shown, with the new ones among them.
  DoubleClickRow(groups, 2);
  const QStringList selected = SelectedRows(groups);
  ASSERT_EQ(selected.size(), 1);
  const QStringList stems_before = ShownRows(words);
  ASSERT_FALSE(stems_before.isEmpty());
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    // A suspicious group whose suffixes are all the main group's: its stems
    // join the main group once they take the suffixes they lack.
    const QStringList main_suffixes = TextOf(dialog, "mainGroupLabel").split(QLatin1Char(' '));
    const QStringList suspicious = ShownRows(Child(dialog, "suspiciousGroups"));
    const auto subset = std::find_if(suspicious.begin(), suspicious.end(), [&](const QString& label) {
      const QStringList suffixes = label.split(QLatin1Char(' '));
      return std::all_of(suffixes.begin(), suffixes.end(), [&](const QString& s) { return main_suffixes.contains(s); });
    });
    ASSERT_NE(subset, suspicious.end());
    DoubleClickRow(Child(dialog, "suspiciousGroups"), static_cast<int>(subset - suspicious.begin()));
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ASSERT_TRUE(Control("update")->isEnabled());
  ButtonOf(&view, "update")->click();
  EXPECT_EQ(SelectedRows(groups), selected);
  const int row = ShownRows(groups).indexOf(selected.front());
  ASSERT_GE(row, 0);
  const QStringList stems_after = ShownRows(words);
  EXPECT_EQ(stems_after.size(), static_cast<int>(logic.automaton().WordCount(logic.ranked_groups()[row])));
  EXPECT_GT(stems_after.size(), stems_before.size());
  for (const QString& stem : stems_before) EXPECT_TRUE(stems_after.contains(stem)) << stem.toStdString();

  // Another list: nothing of the old one stays on screen.
  files.push_back(dir.Write("other.txt", "cat\ncats\ndog\ndogs\n"));
  MessageBoxes boxes({QMessageBox::No});  // do not save the added words
  ASSERT_TRUE(ClickMenuItem(view, Command::kOpen));
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Do you want to save changes?")});
  EXPECT_TRUE(ShownRows(words).isEmpty());
  EXPECT_TRUE(ShownRows(groups).isEmpty());
}

TEST_F(MainWindowTest, SingleSelectionListsKeepTheirSelectedRow) {
  OpenSample();
  QWidget* groups = Control("mainGroups");
  ClickRow(groups, 1);
  const QStringList selected = SelectedRows(groups);
  ASSERT_EQ(selected, QStringList{ShownRows(groups)[1]});

  // A click below the last row, and a Ctrl+click on the selected row.
  QAbstractItemView* list = ListOf(groups);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
  EXPECT_EQ(SelectedRows(groups), selected);
  ClickRow(groups, 1, Qt::ControlModifier);
  EXPECT_EQ(SelectedRows(groups), selected);

  // Find Now works on that group, and so does the New words dialog's list.
  QString main_group;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    main_group = TextOf(dialog, "mainGroupLabel");
    QWidget* suspicious = Child(dialog, "suspiciousGroups");
    const QStringList first = SelectedRows(suspicious);
    EXPECT_EQ(first.size(), 1);
    QAbstractItemView* suspicious_view = ListOf(suspicious);
    QTest::mouseClick(suspicious_view->viewport(), Qt::LeftButton, {},
                      QPoint(10, suspicious_view->viewport()->height() - 5));
    EXPECT_EQ(SelectedRows(suspicious), first);
    ButtonOf(dialog, "cancel")->click();
  });
  ButtonOf(&view, "findNow")->click();
  EXPECT_EQ(main_group, selected.front());
}

}  // namespace
}  // namespace tarvo::ui::qt::test
