// What the window tells the user: Settings and its messages, the title,
// the status line, the commands that cannot run, and the texts.
#include <QCheckBox>
#include <QGroupBox>

#include "qt_test_support.h"
#include "ui/logic/new_words_logic.h"
#include "ui/logic/settings_logic.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/settings_view.h"

namespace tarvo::ui::qt::test {
namespace {

// Runs Settings from the menu; `fill` types into the dialog, which is then
// ended with OK.
void ChangeSettings(MainWindowView& view, std::function<void(DialogView*)> fill) {
  WhenModalOpens<DialogView>([fill](DialogView* dialog) {
    fill(dialog);
    ButtonOf(dialog, "ok")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
}

void TypeInto(DialogView* dialog, const char* id, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(Child(dialog, id));
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST_F(MainWindowTest, SettingsOkRanksAgainAtOnce) {
  files.push_back(dir.Write("small.txt", "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\n"));
  OpenSample();
  EXPECT_TRUE(ShownRows(Control("mainGroups")).isEmpty());
  EXPECT_FALSE(Control("findNow")->isEnabled());
  EXPECT_EQ(TextOf(&view, "status"),
            QStringLiteral("Opened small.txt: 8 words. No group has more than 15 stems and 5 suffixes: lower the "
                           "minimums in Edit > Settings."));

  ChangeSettings(view, [](DialogView* dialog) {
    TypeInto(dialog, "minWords", QStringLiteral("1"));
    TypeInto(dialog, "minSuffixes", QStringLiteral("1"));
  });
  EXPECT_FALSE(ShownRows(Control("mainGroups")).isEmpty());
  EXPECT_TRUE(Control("findNow")->isEnabled());

  ChangeSettings(view, [](DialogView* dialog) { TypeInto(dialog, "groupsShown", QStringLiteral("1")); });
  EXPECT_EQ(ShownRows(Control("mainGroups")).size(), 1);
}

TEST_F(MainWindowTest, SettingsNamesTheWrongFieldAndKeepsTheFocusThere) {
  OpenSample();
  bool checked = false;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    auto* min_words = qobject_cast<QLineEdit*>(Child(dialog, "minWords"));
    min_words->selectAll();
    QTest::keyClicks(min_words, QStringLiteral("0x"));  // the x is refused: digits only
    EXPECT_EQ(min_words->text(), QStringLiteral("0"));
    WhenModalOpens<QMessageBox>(
        [&, dialog, min_words](QMessageBox* box) {
          EXPECT_EQ(box->text(), QStringLiteral("Please enter a whole number between 1 and 2,147,483,647 for "
                                                "\"Minimum number of words\"."));
          EXPECT_EQ(box->windowTitle(), QStringLiteral("Tarvo"));
          box->accept();
          QTimer::singleShot(0, [&, dialog, min_words] {
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), min_words);
            checked = true;
            ButtonOf(dialog, "cancel")->click();
          });
        },
        dialog);
    ButtonOf(dialog, "ok")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
  EXPECT_TRUE(checked);
  EXPECT_EQ(logic.settings().min_words, 15u);
}

TEST_F(MainWindowTest, SettingsHelpExplainsTheFieldsAndTheModeOffersToReadTheListAgain) {
  OpenSample();
  MessageBoxes boxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes});
  ChangeSettings(view, [](DialogView* dialog) {
    ButtonOf(dialog, "help")->click();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_F1);
    qobject_cast<QCheckBox*>(Child(dialog, "readAsCharacters"))->click();
  });
  ASSERT_EQ(boxes.texts.size(), 3);
  EXPECT_EQ(boxes.texts[0], boxes.texts[1]);  // the Help button and F1
  for (const char* caption : {kMinWordsCaption, kMinSuffixesCaption, kWordWeightCaption, kSuffixWeightCaption,
                              kGroupsShownCaption, kBufferSizeCaption, kReadAsCharactersCaption,
                              kReadBackwardsCaption}) {
    EXPECT_TRUE(boxes.texts[0].contains(QString::fromUtf8(caption))) << caption;
  }
  EXPECT_EQ(boxes.texts[2], QStringLiteral("Read sample.txt again now, in the new mode (characters)?"));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (characters) - Tarvo"));

  // Prefix mode is offered the same way, and the title and status bar show it.
  boxes.Queue(QMessageBox::Yes);
  ChangeSettings(view, [](DialogView* dialog) { qobject_cast<QCheckBox*>(Child(dialog, "readBackwards"))->click(); });
  ASSERT_EQ(boxes.texts.size(), 4);
  EXPECT_EQ(boxes.texts[3], QStringLiteral("Read sample.txt again now, in the new mode (characters, prefixes)?"));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (characters, prefixes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, "summaryMode"), QStringLiteral("characters, prefixes"));
}

TEST_F(MainWindowTest, TitleStatusAndMenuStatesFollowTheWords) {
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Tarvo"));
  EXPECT_EQ(TextOf(&view, "status"), QString());
  // Nothing open: Save and Save as cannot run, and clicking them does nothing.
  EXPECT_FALSE(ClickMenuItem(view, Command::kSave));
  EXPECT_FALSE(ClickMenuItem(view, Command::kSaveAs));
  EXPECT_TRUE(requests.empty());

  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, "status"), QStringLiteral("Opened sample.txt: 1,139 words, 6 main groups."));
  EXPECT_FALSE(view.MenuAction(Command::kSave)->isEnabled());
  EXPECT_TRUE(view.MenuAction(Command::kSaveAs)->isEnabled());

  int added = 0;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    added = static_cast<int>(ShownRows(Child(dialog, "wordsToAdd")).size());
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ASSERT_GT(added, 1);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt* (bytes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, "status"), QString::number(added) + QStringLiteral(" new words wait for Update."));
  EXPECT_TRUE(view.MenuAction(Command::kSave)->isEnabled());

  // Ctrl+S: update first, then append; the status line says how many.
  MessageBoxes boxes({QMessageBox::Yes});
  PressKeys(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Do you want to update before saving?")});
  EXPECT_EQ(TextOf(&view, "status"), QStringLiteral("Appended %1 words to sample.txt.").arg(added));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));
  EXPECT_FALSE(view.MenuAction(Command::kSave)->isEnabled());
}

// Every text a window shows before a list is opened: its title, labels,
// buttons, group boxes, menus and column headers.
QStringList ShownTexts(QWidget* window) {
  QStringList texts{window->windowTitle()};
  for (const QLabel* label : window->findChildren<QLabel*>()) texts << label->text();
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
  for (const QGroupBox* box : window->findChildren<QGroupBox*>()) texts << box->title();
  for (const QAction* action : window->findChildren<QAction*>()) texts << action->text();
  for (const QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
    for (int column = 0; column < view->model()->columnCount(); ++column) {
      texts << view->model()->headerData(column, Qt::Horizontal).toString();
    }
  }
  return texts;
}

TEST(Texts, CaptionsAreSpelledAndTheProgramHasOneName) {
  QtHost host;
  MainWindowLogic main_logic(host);
  MainWindowView main_view(main_logic, host);
  main_view.ShowModeless();
  SettingsLogic settings_logic(host);
  SettingsView settings_view(settings_logic);
  SuffixAutomaton automaton;
  std::vector<std::string> pending;
  NewWordsLogic new_words_logic(host, automaton, pending, 0, "2");
  NewWordsView new_words_view(new_words_logic, DisplayEncoding::kUtf8);

  QStringList texts;
  for (QWidget* window : std::initializer_list<QWidget*>{&main_view, &settings_view, &new_words_view}) {
    texts << ShownTexts(window);
  }
  EXPECT_GT(texts.size(), 40);
  for (const QString& text : texts) {
    for (const char* wrong : {"choosen", "suffixgroup", "automat ", "listbox", "Buffersize", "analyser"}) {
      EXPECT_FALSE(text.contains(QString::fromLatin1(wrong), Qt::CaseInsensitive)) << text.toStdString();
    }
    EXPECT_FALSE(text.endsWith(QLatin1Char(' '))) << text.toStdString();
  }
  EXPECT_EQ(main_view.windowTitle(), QStringLiteral("Tarvo"));
  EXPECT_TRUE(texts.contains(QString::fromUtf8(kMinWordsCaption)));
  main_view.close();
}

}  // namespace
}  // namespace tarvo::ui::qt::test
