// The main window's Export, Copy and Help, reached as a user reaches them:
// the menus and Ctrl+C in the groups table.
#include <QClipboard>
#include <QTableView>
#include <QTextBrowser>

#include "qt_test_support.h"
#include "ui/logic/wording.h"
#include "ui/qt/help_window.h"

namespace tarvo::ui::qt::test {
namespace {

TEST_F(MainWindowTest, ExportCopyAndHelpFromTheWindow) {
  // Nothing to export before a list is open.
  EXPECT_FALSE(ClickMenuItem(view, Command::kExportGroups));
  OpenSample();

  const std::string table = dir.PathOf("groups.csv");
  files.push_back(table);
  ASSERT_TRUE(ClickMenuItem(view, Command::kExportGroups));
  const std::string exported = tarvo::test::ReadFile(table);
  const QStringList groups = ShownRows(Control("mainGroups"));
  ASSERT_FALSE(groups.isEmpty());
  EXPECT_EQ(exported.substr(0, exported.find('\n')), "rank,label,stems,suffixes,score");
  EXPECT_NE(exported.find("1," + groups.front().toStdString() + ","), std::string::npos);
  EXPECT_EQ(TextOf(&view, "status"), QStringLiteral("Exported %1 groups to groups.csv.").arg(groups.size()));

  // Ctrl+C in the table copies the selected row as shown, a tab between cells.
  auto* table_view = qobject_cast<QTableView*>(Control("mainGroups"));
  ClickRow(table_view, 0);
  QTest::keySequence(table_view, QKeySequence(QKeySequence::Copy));
  const QStringList cells = QGuiApplication::clipboard()->text().split(QLatin1Char('\t'));
  ASSERT_EQ(cells.size(), 5);
  EXPECT_EQ(cells[0], QStringLiteral("1"));
  EXPECT_EQ(cells[1], groups.front());

  // Help > Tarvo Help (F1) shows the help window beside the main window.
  EXPECT_EQ(view.MenuAction(Command::kHelp)->shortcut(), QKeySequence(Qt::Key_F1));
  ASSERT_TRUE(ClickMenuItem(view, Command::kHelp));
  auto* help = view.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("suffix")));
  help->close();
}

TEST_F(MainWindowTest, HunspellDictionaryFromTheFileMenu) {
  EXPECT_FALSE(ClickMenuItem(view, Command::kExportHunspell));
  OpenSample();
  const std::string base = dir.PathOf("sample-dictionary");
  files.push_back(base + ".dic");
  ASSERT_TRUE(ClickMenuItem(view, Command::kExportHunspell));
  EXPECT_EQ(requests.back().default_extension, "dic");
  const std::string dictionary = tarvo::test::ReadFile(base + ".dic");
  const std::string stems = dictionary.substr(0, dictionary.find('\n'));
  EXPECT_EQ(std::stoul(stems) + 1, static_cast<unsigned long>(std::count(dictionary.begin(), dictionary.end(), '\n')));
  EXPECT_NE(tarvo::test::ReadFile(base + ".aff").find("\nSFX "), std::string::npos);
  EXPECT_TRUE(TextOf(&view, "status").startsWith(
      QStringLiteral("Exported the Hunspell dictionary sample-dictionary.aff and sample-dictionary.dic: %1 stems, ")
          .arg(QString::fromStdString(tarvo::ui::WithThousandsSeparators(std::stoul(stems))))));

  // Once more over the same files: the window asks, and Yes replaces them.
  MessageBoxes boxes({QMessageBox::Yes});
  files.push_back(base + ".dic");
  ASSERT_TRUE(ClickMenuItem(view, Command::kExportHunspell));
  ASSERT_EQ(boxes.texts.size(), 1);
  EXPECT_EQ(boxes.texts[0],
            QStringLiteral("sample-dictionary.aff and sample-dictionary.dic already exist. Do you want to replace them?"));
  EXPECT_TRUE(boxes.default_no[0]);
  EXPECT_EQ(tarvo::test::ReadFile(base + ".dic"), dictionary);
}

}  // namespace
}  // namespace tarvo::ui::qt::test
