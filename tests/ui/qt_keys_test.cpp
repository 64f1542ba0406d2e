// Keys and menus of the main window: Enter, Escape, the close box, the
// menus' mnemonics and the standard shortcuts.
#include <QSet>

#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

// The mnemonic letter of a text, lower case, or 0.
QChar Mnemonic(const QString& text) {
  const qsizetype at = text.indexOf(QLatin1Char('&'));
  return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

TEST_F(MainWindowTest, EnterRunsWhatTheFocusedControlOffersAndEscapeDoesNothing) {
  auto* distance = qobject_cast<QLineEdit*>(Control("distance"));
  // Nothing open: Find Now is disabled, and Enter in the distance field
  // does nothing at all.
  distance->setFocus();
  QTest::keyClick(distance, Qt::Key_Return);
  EXPECT_TRUE(view.isVisible());

  OpenSample();
  distance->setFocus();
  distance->selectAll();
  QTest::keyClicks(distance, QStringLiteral("1"));
  QString distance_in_dialog;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    distance_in_dialog = qobject_cast<QLineEdit*>(Child(dialog, "distance"))->text();
    ButtonOf(dialog, "cancel")->click();
  });
  QTest::keyClick(distance, Qt::Key_Return);
  EXPECT_EQ(distance_in_dialog, QStringLiteral("1"));

  // Enter on the stems list, and Escape anywhere, leave the window open.
  DoubleClickRow(Control("mainGroups"), 0);
  const QStringList stems = ShownRows(Control("words"));
  Control("words")->setFocus();
  QTest::keyClick(Control("words"), Qt::Key_Return);
  for (const char* id : {"words", "mainGroups", "distance"}) {
    Control(id)->setFocus();
    QTest::keyClick(Control(id), Qt::Key_Escape);
  }
  EXPECT_TRUE(view.isVisible());
  EXPECT_FALSE(logic.ended());
  EXPECT_EQ(ShownRows(Control("words")), stems);
  EXPECT_FALSE(ShownRows(Control("mainGroups")).isEmpty());
}

TEST_F(MainWindowTest, TheCloseBoxAndCtrlQEndTheProgramAskingWhenWordsAreUnsaved) {
  OpenSample();
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ASSERT_TRUE(Control("update")->isEnabled());

  MessageBoxes boxes({QMessageBox::Cancel, QMessageBox::No});
  view.close();  // the close box
  EXPECT_TRUE(view.isVisible());
  PressKeys(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(boxes.texts, QStringList({QStringLiteral("Do you want to save changes?"),
                                      QStringLiteral("Do you want to save changes?")}));
}

TEST_F(MainWindowTest, ExitAfterUpdateAsksOnlyWhetherToSaveAndAppends) {
  OpenSample();
  const std::string before = tarvo::test::ReadFile(list_path);
  QStringList chosen;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    chosen = ShownRows(Child(dialog, "wordsToAdd"));
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ButtonOf(&view, "update")->click();

  MessageBoxes boxes({QMessageBox::Yes});
  ButtonOf(&view, "exit")->click();
  EXPECT_FALSE(view.isVisible());
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Do you want to save changes?")});
  std::string expected = before;
  for (const QString& word : chosen) expected += word.toStdString() + "\n";
  EXPECT_EQ(tarvo::test::ReadFile(list_path), expected);
}

TEST_F(MainWindowTest, MenusHaveMnemonicsWithoutClashesAndTheStandardShortcuts) {
  // Alt+letter opens a menu or presses a button: no letter does both, and
  // no two items of a menu share one.
  QSet<QChar> window_letters;
  for (QAction* menu_action : view.menuBar()->actions()) {
    const QChar letter = Mnemonic(menu_action->text());
    EXPECT_FALSE(letter.isNull()) << menu_action->text().toStdString();
    EXPECT_FALSE(window_letters.contains(letter)) << menu_action->text().toStdString();
    window_letters.insert(letter);
    QSet<QChar> item_letters;
    for (QAction* item : menu_action->menu()->actions()) {
      if (item->isSeparator()) continue;
      const QChar item_letter = Mnemonic(item->text());
      EXPECT_FALSE(item_letter.isNull()) << item->text().toStdString();
      EXPECT_FALSE(item_letters.contains(item_letter)) << item->text().toStdString();
      item_letters.insert(item_letter);
    }
  }
  for (const char* id : {"findNow", "update", "exit"}) {
    const QString text = ButtonOf(&view, id)->text();
    EXPECT_FALSE(window_letters.contains(Mnemonic(text))) << text.toStdString();
    window_letters.insert(Mnemonic(text));
  }

  // Alt+F opens the File menu.
  PressKeys(Qt::Key_F, Qt::AltModifier);
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup, view.menuBar()->actions()[0]->menu());
  qobject_cast<QMenu*>(popup)->close();

  // Ctrl+O opens, Ctrl+Shift+S saves as (here declining to replace the
  // file), Ctrl+, opens Settings and Ctrl+Q ends the program.
  PressKeys(Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].mode, FileDialogRequest::Mode::kOpen);
  EXPECT_FALSE(ShownRows(Control("mainGroups")).isEmpty());
  {
    MessageBoxes boxes({QMessageBox::No});
    PressKeys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].mode, FileDialogRequest::Mode::kSave);
    EXPECT_EQ(boxes.texts.size(), 1);
  }
  bool settings_shown = false;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    settings_shown = dialog->windowTitle() == QStringLiteral("Settings");
    ButtonOf(dialog, "cancel")->click();
  });
  PressKeys(Qt::Key_Comma, Qt::ControlModifier);
  EXPECT_TRUE(settings_shown);
  PressKeys(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(view.isVisible());
}

TEST(Shortcuts, SaveIsCtrlSAndEveryCommandHasAKey) {
  EXPECT_EQ(ShortcutKeys(StandardShortcut::kSave).value(0), QKeySequence(QStringLiteral("Ctrl+S")));
  for (StandardShortcut shortcut : {StandardShortcut::kOpen, StandardShortcut::kSave, StandardShortcut::kSaveAs,
                                    StandardShortcut::kQuit, StandardShortcut::kPreferences}) {
    EXPECT_FALSE(ShortcutKeys(shortcut).isEmpty());
  }
  EXPECT_TRUE(ShortcutKeys(StandardShortcut::kNone).isEmpty());
}

}  // namespace
}  // namespace tarvo::ui::qt::test
