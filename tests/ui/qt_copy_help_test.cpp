// Copy and Copy all on real list and table views, and the help window.
#include <QClipboard>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "qt_test_support.h"
#include "ui/qt/copy_rows.h"
#include "ui/qt/help_window.h"

namespace tarvo::ui::qt::test {
namespace {

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

// A window holding one view, shown and active, with a window-wide action
// on the Copy key that the view must win over.
class CopyTest : public ::testing::Test {
 protected:
  void Show(QAbstractItemView* view) {
    view->setParent(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    window_copy.setShortcuts(QKeySequence::Copy);
    window.addAction(&window_copy);
    QObject::connect(&window_copy, &QAction::triggered, [this] { ++window_copies; });
    EnableCopy(view);
    window.resize(400, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }

  static void PressCopy(QWidget* view) { QTest::keySequence(view, QKeySequence(QKeySequence::Copy)); }

  // Opens the view's context menu with a right click at `at` (in the
  // viewport), as the platform delivers it, and clicks the item that has
  // `text`; returns whether it was enabled. Like any right click, it first
  // selects the row under it, or clears the selection on empty space.
  static bool ClickContextItem(QAbstractItemView* view, QPoint at, const QString& text) {
    QTest::mouseClick(view->window()->windowHandle(), Qt::RightButton, {}, view->viewport()->mapTo(view->window(), at));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_NE(menu, nullptr);
    for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>()) {
      if (action->text().remove(QLatin1Char('&')) != text) continue;
      const bool enabled = action->isEnabled();
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
      if (menu->isVisible()) menu->close();
      return enabled;
    }
    ADD_FAILURE() << "no item " << text.toStdString();
    return false;
  }

  QWidget window;
  QAction window_copy;
  int window_copies = 0;
};

TEST_F(CopyTest, ATableCopiesItsSelectedRowsAsShownAndAllRowsFromItsMenu) {
  QStandardItemModel model(0, 3);
  model.setHorizontalHeaderLabels({QStringLiteral("label"), QStringLiteral("stems"), QStringLiteral("note")});
  const std::pair<const char*, int> groups[] = {{"-{} -s", 40}, {"-a -b", 7}, {"-e -es", 120}, {"-{} -ed", 18}};
  for (const auto& [label, stems] : groups) {
    QList<QStandardItem*> row{new QStandardItem(QString::fromUtf8(label)), new QStandardItem,
                              new QStandardItem(QStringLiteral("hidden"))};
    row[1]->setData(stems, Qt::DisplayRole);
    model.appendRow(row);
  }
  // Sorted by a proxy, so that the view's order is not the data's.
  QSortFilterProxyModel sorted;
  sorted.setSourceModel(&model);
  auto* table = new QTableView;
  table->setModel(&sorted);
  table->setSortingEnabled(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setColumnHidden(2, true);
  Show(table);
  table->horizontalHeader()->moveSection(1, 0);  // stems first
  table->sortByColumn(1, Qt::DescendingOrder);

  const QPoint empty_space(5, table->viewport()->height() - 5);
  EXPECT_FALSE(ClickContextItem(table, empty_space, QStringLiteral("Copy")));
  EXPECT_EQ(Clipboard(), QStringLiteral("before"));

  auto row_centre = [table](int row) { return table->visualRect(table->model()->index(row, 0)).center(); };
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row_centre(3));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, row_centre(1));
  PressCopy(table);
  EXPECT_EQ(Clipboard(), QStringLiteral("40\t-{} -s\n7\t-a -b"));
  EXPECT_EQ(window_copies, 0);

  EXPECT_TRUE(ClickContextItem(table, empty_space, QStringLiteral("Copy all")));
  EXPECT_EQ(Clipboard(), QStringLiteral("120\t-e -es\n40\t-{} -s\n18\t-{} -ed\n7\t-a -b"));
}

TEST_F(CopyTest, AListCopiesItsSelectedRowsWithTheCopyKey) {
  QStringListModel model({QStringLiteral("walk"), QStringLiteral("caf\u00e9"), QStringLiteral("talk"),
                          QStringLiteral("jump")});
  auto* list = new QListView;
  list->setModel(&model);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setRowHidden(2, true);
  Show(list);
  list->selectAll();
  PressCopy(list);
  EXPECT_EQ(Clipboard(), QStringLiteral("walk\ncaf\u00e9\njump"));
  EXPECT_EQ(window_copies, 0);

  // A right click on a row selects it for the context menu's Copy.
  list->clearSelection();
  EXPECT_TRUE(ClickContextItem(list, RowCentre(list, 1), QStringLiteral("Copy")));
  EXPECT_EQ(Clipboard(), QStringLiteral("caf\u00e9"));
}

TEST(HelpWindow, OpensBesideTheMainWindowOnceAndFollowsItsSize) {
  QWidget main_window;
  main_window.show();
  HelpWindow* help = ShowHelp(&main_window);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_FALSE(help->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  const QString text = help->browser()->toPlainText();
  for (const char* part : {"Find Now", "word weight \u00d7 ln(stems) + suffix weight \u00d7 ln(suffixes)",
                           "Automatic", "Update", "Save As", "Read UTF-8 lists as characters"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
  }

  const QSize browser_before = help->browser()->size();
  help->resize(help->width() + 100, help->height() + 80);
  QApplication::processEvents();
  EXPECT_EQ(help->browser()->size(), browser_before + QSize(100, 80));

  // Escape closes it; asking again brings back the same window.
  QTest::keyClick(help, Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
  EXPECT_EQ(ShowHelp(&main_window), help);
  EXPECT_TRUE(help->isVisible());
}

}  // namespace
}  // namespace tarvo::ui::qt::test
