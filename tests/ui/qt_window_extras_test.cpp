// The main window's Export, Copy and Help, reached as a user reaches them:
// the menus and Ctrl+C in the groups table.
#include <QClipboard>
#include <QTableView>
#include <QTextBrowser>

#include "qt_test_support.h"
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

}  // namespace
}  // namespace tarvo::ui::qt::test
