// The window in prefix mode, through its widgets: the groups are those of
// the words' prefixes, and every word shown or saved reads forwards.
#include <algorithm>

#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

QStringList Sorted(QStringList texts) {
  texts.sort();
  return texts;
}

TEST_F(MainWindowTest, PrefixModeShowsPrefixGroupsAndSavesWordsForwards) {
  // Four stems take the prefixes ka-, mo- and ve-; "tuli" lacks ve-.
  std::string words;
  for (const char* stem : {"sanu", "pelo", "rima", "dosa"}) {
    for (const char* prefix : {"", "ka", "mo", "ve"}) words += std::string(prefix) + stem + "\n";
  }
  words += "tuli\nkatuli\nmotuli\n";
  const std::string list = dir.Write("prefixed.txt", words);
  files.push_back(list);

  WhenModalOpens<DialogView>([](DialogView* dialog) {
    for (const char* field : {"minWords", "minSuffixes"}) {
      auto* edit = qobject_cast<QLineEdit*>(Child(dialog, field));
      edit->selectAll();
      QTest::keyClicks(edit, QStringLiteral("2"));
    }
    QTest::mouseClick(Child(dialog, "readBackwards"), Qt::LeftButton);
    ButtonOf(dialog, "ok")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("prefixed.txt (bytes, prefixes) - Tarvo"));
  EXPECT_EQ(TextOf(&view, "summaryMode"), QStringLiteral("bytes, prefixes"));
  EXPECT_EQ(TextOf(&view, "groupsCaption"), QStringLiteral("Main prefix groups: 1"));

  // The one main group: its label lists prefixes, its stems read forwards.
  const QStringList groups = ShownRows(Control("mainGroups"));
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(Sorted(groups[0].split(QLatin1Char(' '))),
            QStringList({QStringLiteral("ka-"), QStringLiteral("mo-"), QStringLiteral("ve-"), QStringLiteral("{}-")}));
  DoubleClickRow(Control("mainGroups"), 0);
  EXPECT_EQ(ShownRows(Control("words")), QStringList({QStringLiteral("dosa"), QStringLiteral("pelo"),
                                                      QStringLiteral("rima"), QStringLiteral("sanu")}));

  // Find Now at distance 1: tuli's group proposes "vetuli", which is added.
  auto* distance = qobject_cast<QLineEdit*>(Control("distance"));
  distance->selectAll();
  QTest::keyClicks(distance, QStringLiteral("1"));
  QStringList proposed;
  QString suspicious_caption;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    suspicious_caption = TextOf(dialog, "suspiciousCaption");
    QWidget* suspicious = Child(dialog, "suspiciousGroups");
    for (int row = 0; row < ShownRows(suspicious).size(); ++row) {
      DoubleClickRow(suspicious, row);
      if (ShownRows(Child(dialog, "groupWords")) == QStringList{QStringLiteral("tuli")}) break;
    }
    proposed = ShownRows(Child(dialog, "possibleWords"));
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  EXPECT_EQ(proposed, QStringList{QStringLiteral("vetuli")});
  EXPECT_TRUE(suspicious_caption.startsWith(QStringLiteral("Suspicious prefix groups: "))) << suspicious_caption.toStdString();

  // Update: tuli joins the main group; Save appends the word forwards.
  ButtonOf(&view, "update")->click();
  DoubleClickRow(Control("mainGroups"), 0);
  EXPECT_TRUE(ShownRows(Control("words")).contains(QStringLiteral("tuli")));
  MessageBoxes boxes;
  PressKeys(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(boxes.texts.isEmpty());
  EXPECT_EQ(tarvo::test::ReadFile(list), words + "vetuli\n");
  EXPECT_EQ(view.windowTitle(), QStringLiteral("prefixed.txt (bytes, prefixes) - Tarvo"));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
