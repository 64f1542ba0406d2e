// What the window keeps between runs and the other ways to open a list:
// the settings and the distance, File > Open Recent, and a dropped file.
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "qt_test_support.h"
#include "ui/qt/recent_files_menu.h"

namespace tarvo::ui::qt::test {
namespace {

// The items of Open Recent as the menu shows them.
QStringList RecentItems(MainWindowView& view) {
  QStringList items;
  for (QAction* item : view.recent_files()->actions()) items << item->text();
  return items;
}

// Opens File > Open Recent with clicks and clicks the item with the text.
void ClickRecentItem(MainWindowView& view, const QString& text) {
  QAction* file_action = view.menuBar()->actions().front();
  QMenu* file = file_action->menu();
  QTest::mouseClick(view.menuBar(), Qt::LeftButton, {}, view.menuBar()->actionGeometry(file_action).center());
  QMenu* recent = view.recent_files();
  QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(recent->menuAction()).center());
  ASSERT_TRUE(QTest::qWaitFor([recent] { return recent->isVisible(); }));
  for (QAction* item : recent->actions()) {
    if (item->text() != text) continue;
    QTest::mouseClick(recent, Qt::LeftButton, {}, recent->actionGeometry(item).center());
    return;
  }
  ADD_FAILURE() << "Open Recent has no item " << text.toStdString();
  file->close();
}

void Drop(QWidget* target, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const QPoint centre = target->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

TEST_F(MainWindowTest, SettingsAndTheDistanceComeBackInTheNextWindow) {
  WhenModalOpens<DialogView>([](DialogView* dialog) {
    auto* min_words = qobject_cast<QLineEdit*>(Child(dialog, "minWords"));
    min_words->selectAll();
    QTest::keyClicks(min_words, QStringLiteral("7"));
    ButtonOf(dialog, "ok")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
  auto* distance = qobject_cast<QLineEdit*>(Control("distance"));
  distance->selectAll();
  QTest::keyClicks(distance, QStringLiteral("3"));
  ASSERT_TRUE(ClickMenuItem(view, Command::kExit));

  MainWindowLogic next_logic(host);
  MainWindowView next(next_logic, host);
  next.ShowModeless();
  EXPECT_EQ(qobject_cast<QLineEdit*>(Child(&next, "distance"))->text(), QStringLiteral("3"));
  QString min_words;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    min_words = qobject_cast<QLineEdit*>(Child(dialog, "minWords"))->text();
    ButtonOf(dialog, "cancel")->click();
  });
  ASSERT_TRUE(ClickMenuItem(next, Command::kSettings));
  EXPECT_EQ(min_words, QStringLiteral("7"));
  next.close();
}

TEST_F(MainWindowTest, OpenRecentOpensAListAndDropsOneThatIsGone) {
  EXPECT_EQ(RecentItems(view), QStringList({QString(), QStringLiteral("&Clear Menu")}));
  const std::string first = dir.Write("first.txt", "walk\nwalks\n");
  const std::string second = dir.Write("second & more.txt", "talk\ntalks\n");
  files = {first, second};
  OpenSample();
  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("second & more.txt (bytes) - Tarvo"));
  const QStringList listed{QStringLiteral("&1 second && more.txt"), QStringLiteral("&2 first.txt"), QString(),
                           QStringLiteral("&Clear Menu")};
  EXPECT_EQ(RecentItems(view), listed);

  ClickRecentItem(view, QStringLiteral("&2 first.txt"));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("first.txt (bytes) - Tarvo"));
  EXPECT_EQ(RecentItems(view).mid(0, 2),
            QStringList({QStringLiteral("&1 first.txt"), QStringLiteral("&2 second && more.txt")}));

  // The next window lists them too; one whose file is gone is reported and
  // taken off, and the open list stays open.
  MainWindowLogic next_logic(host);
  MainWindowView next(next_logic, host);
  next.ShowModeless();
  EXPECT_EQ(RecentItems(next), RecentItems(view));
  std::filesystem::remove(second);
  {
    MessageBoxes boxes;
    ClickRecentItem(next, QStringLiteral("&2 second && more.txt"));
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].endsWith(QStringLiteral("no longer exists; it was taken off the recent files.")));
  }
  EXPECT_EQ(RecentItems(next), QStringList({QStringLiteral("&1 first.txt"), QString(), QStringLiteral("&Clear Menu")}));
  EXPECT_EQ(next.windowTitle(), QStringLiteral("Tarvo"));

  ClickRecentItem(next, QStringLiteral("&Clear Menu"));
  EXPECT_EQ(RecentItems(next), QStringList({QString(), QStringLiteral("&Clear Menu")}));
  next.close();
}

TEST_F(MainWindowTest, AListDroppedOnTheWindowIsOpenedAfterTheUnsavedWordsQuestion) {
  OpenSample();
  WhenModalOpens<DialogView>([](DialogView* dialog) {
    DoubleClickRow(Child(dialog, "suspiciousGroups"), 0);
    ButtonOf(dialog, "selectAll")->click();
    ButtonOf(dialog, "add")->click();
    ButtonOf(dialog, "ok")->click();
  });
  ButtonOf(&view, "findNow")->click();
  ASSERT_TRUE(Control("update")->isEnabled());

  const std::string dropped = dir.Write("dropped.txt", "walk\nwalks\n");
  MessageBoxes boxes({QMessageBox::Cancel});
  Drop(&view, dropped);
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt* (bytes) - Tarvo"));
  boxes.Queue(QMessageBox::No);
  Drop(&view, dropped);
  EXPECT_EQ(boxes.texts, QStringList({QStringLiteral("Do you want to save changes?"),
                                      QStringLiteral("Do you want to save changes?")}));
  EXPECT_EQ(view.windowTitle(), QStringLiteral("dropped.txt (bytes) - Tarvo"));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
