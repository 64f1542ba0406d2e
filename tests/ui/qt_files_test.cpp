// Files as the user meets them: the real file dialog, the question before
// a file is replaced, and a list named on the command line.
#include <QFileDialog>

#include "qt_test_support.h"
#include "ui/logic/application.h"

namespace tarvo::ui::qt::test {
namespace {

const std::string kList = "walk\nwalks\nwalked\ntalk\ntalks\ntalked\n";

// The names the file dialog lists (and lets the user pick) in its folder,
// sorted; it reads the folder in the background, so this waits a while for
// the names to become `expected`.
QStringList ListedNames(QFileDialog* dialog, const QStringList& expected) {
  auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
  QStringList names;
  // A timeout shows in the caller's comparison with what was listed.
  (void)QTest::qWaitFor([&] {
    names.clear();
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
      const QModelIndex index = view->model()->index(row, 0, root);
      if (!view->isRowHidden(row) && (index.flags() & Qt::ItemIsEnabled)) names << index.data().toString();
    }
    names.sort();
    return names == expected;
  });
  return names;
}

TEST(FileDialogs, OpenListsNamesWithoutADotUnderAllFilesAndTakesATypedNameAsItStands) {
  tarvo::test::TempDir dir;
  const std::string polish = dir.Write("polish", kList);
  dir.Write("other.txt", kList);
  QtHost host;  // no stand-in: Qt's own file dialog
  MainWindowLogic logic(host);
  host.SetMainWindow(&logic);
  MainWindowView view(logic, host);
  view.ShowModeless();

  bool checked = false;
  WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
    dialog->setDirectory(QString::fromStdString(dir.path()));
    EXPECT_EQ(dialog->nameFilters(), QStringList({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")}));
    const QStringList text_files{QStringLiteral("other.txt")};
    EXPECT_EQ(ListedNames(dialog, text_files), text_files);
    dialog->selectNameFilter(QStringLiteral("All files (*)"));
    const QStringList all_files{QStringLiteral("other.txt"), QStringLiteral("polish")};
    EXPECT_EQ(ListedNames(dialog, all_files), all_files);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->clear();
    QTest::keyClicks(name, QStringLiteral("polish"));
    checked = true;
    QTest::keyClick(name, Qt::Key_Return);
    // A dialog that found no such file would still be open.
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the file dialog did not take the typed name";
      dialog->reject();
    }
  });
  MessageBoxes boxes;  // Qt's own "file not found", should it come
  ASSERT_TRUE(ClickMenuItem(view, Command::kOpen));
  ASSERT_TRUE(checked);
  EXPECT_EQ(logic.current_path(), polish);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("polish (bytes) - Tarvo"));
  EXPECT_TRUE(boxes.texts.isEmpty());

  // The next Open starts in the folder of the list chosen last.
  QString folder;
  WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
    folder = dialog->directory().absolutePath();
    dialog->reject();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kOpen));
  EXPECT_EQ(folder, QDir(QString::fromStdString(dir.path())).absolutePath());
}

TEST(FileDialogs, NameFiltersShowThePatternsTheyMatch) {
  // Qt matches the patterns in the last parentheses of a name filter.
  EXPECT_EQ(NameFilters({{"Word lists", {"*.txt", "*.dic"}}, {"Everything", {"*"}}}),
            QStringList({QStringLiteral("Word lists (*.txt *.dic)"), QStringLiteral("Everything (*)")}));
  EXPECT_EQ(NameFilters({}), QStringList{});
}

TEST_F(MainWindowTest, SaveAsAsksBeforeReplacingAFileAndEnterKeepsIt) {
  OpenSample();
  const std::string other = dir.Write("other.txt", "cat\n");
  files.push_back(other);
  MessageBoxes boxes;  // answered with Enter: the default button
  ASSERT_TRUE(ClickMenuItem(view, Command::kSaveAs));
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("other.txt already exists. Do you want to replace it?")});
  EXPECT_EQ(boxes.default_no, QList<bool>{true});
  EXPECT_EQ(tarvo::test::ReadFile(other), "cat\n");
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));

  boxes.Queue(QMessageBox::Yes);
  files.push_back(other);
  ASSERT_TRUE(ClickMenuItem(view, Command::kSaveAs));
  EXPECT_EQ(tarvo::test::ReadFile(other).size(), tarvo::test::ReadFile(list_path).size());
  EXPECT_EQ(view.windowTitle(), QStringLiteral("other.txt (bytes) - Tarvo"));
}

TEST(CommandLine, TheProgramOpensTheListItIsGiven) {
  QtHost host;
  Application app(host);
  QStringList groups;
  QString title;
  WhenWindowOpens<MainWindowView>([&](MainWindowView* window) {
    groups = ShownRows(Child(window, "mainGroups"));
    title = window->windowTitle();
    window->close();
  });
  app.Run(TARVO_SAMPLE_LIST);
  EXPECT_GE(groups.size(), 3);
  EXPECT_EQ(title, QStringLiteral("sample-words.txt (bytes) - Tarvo"));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
