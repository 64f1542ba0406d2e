// What the window tells the user: Settings and its messages, the title,
// the status line, the commands that cannot run, and the texts.
#include <QCheckBox>

#include "qt_test_support.h"
#include "ui/dialog_templates.h"

namespace tarvo::ui::qt::test {
namespace {

// Runs Settings from the menu; `fill` types into the dialog, which is then
// ended with OK.
void ChangeSettings(MainWindowView& view, std::function<void(DialogView*)> fill) {
  WhenModalOpens<DialogView>([fill](DialogView* dialog) {
    fill(dialog);
    ButtonOf(dialog, kIdOkButton)->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
}

void TypeInto(DialogView* dialog, int id, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(dialog->Control(id));
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

TEST_F(MainWindowTest, SettingsOkRanksAgainAtOnce) {
  files.push_back(dir.Write("small.txt", "walk\nwalks\nwalked\ntalk\ntalks\ntalked\njump\njumped\n"));
  OpenSample();
  EXPECT_TRUE(ShownRows(Control(kMainGroupsList)).isEmpty());
  EXPECT_FALSE(Control(kFindNowButton)->isEnabled());
  EXPECT_EQ(TextOf(&view, kStatusText),
            QStringLiteral("Opened small.txt: 8 words. No group has more than 15 stems and 5 suffixes: lower the "
                           "minimums in Edit > Settings."));

  ChangeSettings(view, [](DialogView* dialog) {
    TypeInto(dialog, kMinWordsEdit, QStringLiteral("1"));
    TypeInto(dialog, kMinSuffixesEdit, QStringLiteral("1"));
  });
  EXPECT_FALSE(ShownRows(Control(kMainGroupsList)).isEmpty());
  EXPECT_TRUE(Control(kFindNowButton)->isEnabled());

  ChangeSettings(view, [](DialogView* dialog) { TypeInto(dialog, kGroupsShownEdit, QStringLiteral("1")); });
  EXPECT_EQ(ShownRows(Control(kMainGroupsList)).size(), 1);
}

TEST_F(MainWindowTest, SettingsNamesTheWrongFieldAndKeepsTheFocusThere) {
  OpenSample();
  bool checked = false;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    auto* min_words = qobject_cast<QLineEdit*>(dialog->Control(kMinWordsEdit));
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
            ButtonOf(dialog, kIdCancelButton)->click();
          });
        },
        dialog);
    ButtonOf(dialog, kIdOkButton)->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
  EXPECT_TRUE(checked);
  EXPECT_EQ(logic.settings().min_words, 15u);
}

TEST_F(MainWindowTest, SettingsHelpExplainsTheFieldsAndTheModeOffersToReadTheListAgain) {
  OpenSample();
  MessageBoxes boxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes});
  ChangeSettings(view, [](DialogView* dialog) {
    ButtonOf(dialog, kIdHelpButton)->click();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_F1);
    qobject_cast<QCheckBox*>(dialog->Control(kReadAsCharactersCheck))->click();
  });
  ASSERT_EQ(boxes.texts.size(), 3);
  EXPECT_EQ(boxes.texts[0], boxes.texts[1]);  // the Help button and F1
  for (const char* caption : {kMinWordsCaption, kMinSuffixesCaption, kWordWeightCaption, kSuffixWeightCaption,
                              kGroupsShownCaption, kBufferSizeCaption, kReadAsCharactersCaption}) {
    EXPECT_TRUE(boxes.texts[0].contains(QString::fromUtf8(caption))) << caption;
  }
  EXPECT_EQ(boxes.texts[2], QStringLiteral("Read sample.txt again now, as characters?"));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (characters) - Tarvo"));
}

TEST_F(MainWindowTest, TitleStatusAndMenuStatesFollowTheWords) {
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Tarvo"));
  EXPECT_EQ(TextOf(&view, kStatusText), QString());
  // Nothing open: Save and Save as cannot run, and clicking them does nothing.
  EXPECT_FALSE(ClickMenuItem(view, Command::kSave));
  EXPECT_FALSE(ClickMenuItem(view, Command::kSaveAs));
  EXPECT_TRUE(requests.empty());

  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, kStatusText), QStringLiteral("Opened sample.txt: 1,139 words, 6 main groups."));
  EXPECT_FALSE(view.MenuAction(Command::kSave)->isEnabled());
  EXPECT_TRUE(view.MenuAction(Command::kSaveAs)->isEnabled());

  int added = 0;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    DoubleClickRow(dialog->Control(kSuspiciousList), 0);
    ButtonOf(dialog, kSelectAllButton)->click();
    ButtonOf(dialog, kAddButton)->click();
    added = static_cast<int>(ShownRows(dialog->Control(kToBeAddedList)).size());
    ButtonOf(dialog, kIdOkButton)->click();
  });
  ButtonOf(&view, kFindNowButton)->click();
  ASSERT_GT(added, 1);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt* (bytes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, kStatusText), QString::number(added) + QStringLiteral(" new words wait for Update."));
  EXPECT_TRUE(view.MenuAction(Command::kSave)->isEnabled());

  // Ctrl+S: update first, then append; the status line says how many.
  MessageBoxes boxes({QMessageBox::Yes});
  PressKeys(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Do you want to update before saving?")});
  EXPECT_EQ(TextOf(&view, kStatusText), QStringLiteral("Appended %1 words to sample.txt.").arg(added));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));
  EXPECT_FALSE(view.MenuAction(Command::kSave)->isEnabled());
}

TEST(Texts, CaptionsAreSpelledAndTheProgramHasOneName) {
  QStringList texts;
  for (const DialogTemplate* dialog : {&MainDialogTemplate(), &SettingsDialogTemplate(), &NewWordsDialogTemplate()}) {
    texts << QString::fromUtf8(dialog->caption);
    for (const ControlTemplate& control : dialog->controls) texts << QString::fromUtf8(control.text);
  }
  for (const MenuTemplate& menu : MainMenuTemplate()) {
    texts << QString::fromUtf8(menu.text);
    for (const MenuItemTemplate& item : menu.items) {
      if (item.text != nullptr) texts << QString::fromUtf8(item.text);
    }
  }
  for (const QString& text : texts) {
    for (const char* wrong : {"choosen", "suffixgroup", "automat ", "listbox", "Buffersize", "analyser"}) {
      EXPECT_FALSE(text.contains(QString::fromLatin1(wrong), Qt::CaseInsensitive)) << text.toStdString();
    }
    EXPECT_FALSE(text.endsWith(QLatin1Char(' '))) << text.toStdString();
  }
  EXPECT_EQ(QString::fromUtf8(MainDialogTemplate().caption), QStringLiteral("Tarvo"));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
