// The main window as a resizable window: its lists grow with it, it comes
// back at the size and splitter position it was closed with, the groups
// table sorts by a click on a header, and the captions and the status bar
// carry the numbers.
#include <QHeaderView>
#include <QSplitter>
#include <QStatusBar>
#include <QToolTip>

#include "qt_test_support.h"
#include "ui/logic/new_words_logic.h"
#include "ui/qt/elided_label.h"
#include "ui/qt/program_icon.h"

namespace tarvo::ui::qt::test {
namespace {

// The cells of the table's column with the given header, top to bottom.
QStringList ColumnNamed(QWidget* table, const QString& header) {
  QAbstractItemView* view = ListOf(table);
  for (int column = 0; column < view->model()->columnCount(); ++column) {
    if (view->model()->headerData(column, Qt::Horizontal).toString() == header) return ShownColumn(table, column);
  }
  ADD_FAILURE() << "no column " << header.toStdString();
  return {};
}

void ClickHeader(QWidget* table, const QString& title) {
  QHeaderView* header = qobject_cast<QTableView*>(table)->horizontalHeader();
  for (int column = 0; column < header->count(); ++column) {
    if (header->model()->headerData(column, Qt::Horizontal).toString() != title) continue;
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    return;
  }
  ADD_FAILURE() << "no column " << title.toStdString();
}

QList<int> Numbers(const QStringList& cells) {
  QList<int> numbers;
  for (const QString& cell : cells) numbers << QLocale().toInt(cell);
  return numbers;
}

TEST_F(MainWindowTest, TheGroupsTableSortsByAClickOnAHeaderAndADoubleClickShowsThatRowsStems) {
  OpenSample();
  QWidget* groups = Control("mainGroups");
  EXPECT_EQ(TextOf(&view, "status"), QStringLiteral("Opened sample.txt: 1,139 words, 6 main groups."));
  const QStringList ranked = ShownRows(groups);
  ASSERT_EQ(ranked.size(), 6);
  EXPECT_EQ(ColumnNamed(groups, QStringLiteral("Rank")),
            QStringList({"1", "2", "3", "4", "5", "6"}));
  const QStringList scores = ColumnNamed(groups, QStringLiteral("Score"));
  for (int row = 1; row < scores.size(); ++row) EXPECT_GE(scores[row - 1].toDouble(), scores[row].toDouble());
  EXPECT_EQ(scores[0].section(QLatin1Char('.'), 1).size(), 6);  // six decimals, as tarvo-cli groups prints

  ClickHeader(groups, QStringLiteral("Stems"));
  QList<int> stems = Numbers(ColumnNamed(groups, QStringLiteral("Stems")));
  EXPECT_TRUE(std::is_sorted(stems.begin(), stems.end()));
  ClickHeader(groups, QStringLiteral("Stems"));
  stems = Numbers(ColumnNamed(groups, QStringLiteral("Stems")));
  EXPECT_TRUE(std::is_sorted(stems.rbegin(), stems.rend()));

  // Sorted by label: a double-click on the last row shows that group's
  // stems, as many as its Stems cell says.
  ClickHeader(groups, QStringLiteral("Label"));
  const QStringList labels = ShownRows(groups);
  EXPECT_TRUE(std::is_sorted(labels.begin(), labels.end(), [](const QString& a, const QString& b) {
    return ListLess(a.toStdString(), b.toStdString());
  }));
  const int last = static_cast<int>(labels.size()) - 1;
  DoubleClickRow(groups, last);
  const QStringList words = ShownRows(Control("words"));
  EXPECT_EQ(words.size(), Numbers(ColumnNamed(groups, QStringLiteral("Stems")))[last]);
  EXPECT_EQ(TextOf(&view, "wordsCaption"), QStringLiteral("Words of the chosen group: %1").arg(words.size()));
  EXPECT_EQ(TextOf(&view, "groupsCaption"), QStringLiteral("Main suffix groups: 6"));
  EXPECT_EQ(SelectedRows(groups), QStringList{labels[last]});
  const QModelIndex label_cell = ListOf(groups)->model()->index(last, NameColumn(ListOf(groups)));
  EXPECT_EQ(label_cell.data(Qt::ToolTipRole).toString(), labels[last]);

  // Find Now works on that group, whatever row it is shown in.
  QString main_group;
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    main_group = TextOf(dialog, "mainGroupLabel");
    EXPECT_EQ(TextOf(dialog, "suspiciousCaption"),
              QStringLiteral("Suspicious suffix groups: %1").arg(ShownRows(Child(dialog, "suspiciousGroups")).size()));
    ButtonOf(dialog, "cancel")->click();
  });
  ButtonOf(&view, "findNow")->click();
  EXPECT_EQ(main_group, labels[last]);
}

TEST_F(MainWindowTest, TheStatusBarShowsTheOpenListsNumbers) {
  EXPECT_FALSE(Control("summaryFile")->isVisible());
  OpenSample();
  EXPECT_EQ(TextOf(&view, "summaryFile"), QStringLiteral("sample.txt"));
  EXPECT_EQ(TextOf(&view, "summaryMode"), QStringLiteral("bytes"));
  // The sample's words are all different.
  EXPECT_EQ(TextOf(&view, "summaryWords"), QStringLiteral("%1 words").arg(QLocale().toString(1139)));
  EXPECT_EQ(TextOf(&view, "summaryStates"),
            QStringLiteral("%1 states").arg(QLocale().toString(logic.automaton().count() - 1)));
  EXPECT_EQ(TextOf(&view, "summaryGroups"), QStringLiteral("6 main groups"));
  const QString time = TextOf(&view, "summaryTime");
  EXPECT_TRUE(time.startsWith(QStringLiteral("Open: "))) << time.toStdString();
  for (const char* name : {"summaryFile", "summaryMode", "summaryWords", "summaryStates", "summaryTime"}) {
    EXPECT_TRUE(Control(name)->isVisible()) << name;
  }
}

TEST_F(MainWindowTest, EmptyListsSayWhatFillsThem) {
  QWidget* groups = Control("mainGroups");
  QWidget* words = Control("words");
  EXPECT_EQ(PlaceholderOf(groups), QStringLiteral("Open a word list with File > Open (%1) or by dropping it here.")
                                       .arg(QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText)));
  EXPECT_EQ(PlaceholderOf(words), QString());
  OpenSample();
  EXPECT_EQ(PlaceholderOf(groups), QString());
  EXPECT_EQ(PlaceholderOf(words), QStringLiteral("Double-click a group to list its stems."));
  DoubleClickRow(groups, 0);
  ASSERT_FALSE(ShownRows(words).isEmpty());
  EXPECT_EQ(PlaceholderOf(words), QString());

  // A list with no main group says where the minimums are.
  files.push_back(dir.Write("few.txt", "walk\nwalks\n"));
  OpenSample();
  ASSERT_TRUE(ShownRows(groups).isEmpty());
  EXPECT_EQ(PlaceholderOf(groups),
            QStringLiteral("No group has enough stems and suffixes: lower the minimums in Edit > Settings."));
  EXPECT_EQ(PlaceholderOf(words), QString());
}

TEST_F(MainWindowTest, AStatusTooLongForTheWindowIsCutWithAnEllipsisAndShownWholeAsATooltip) {
  OpenSample();
  const QString whole = QStringLiteral("Opened sample.txt: 1,139 words, 6 main groups.");
  auto* status = qobject_cast<ElidedLabel*>(Control("status"));
  ASSERT_NE(status, nullptr);
  // As narrow as the window goes: the status bar's numbers keep their room.
  const int narrowest = view.minimumSizeHint().width();
  view.resize(narrowest, 450);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.width() == narrowest; }));
  EXPECT_LE(status->geometry().right(), view.statusBar()->width());
  const QString shown = status->ShownText();
  EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << shown.toStdString();
  EXPECT_LE(status->fontMetrics().horizontalAdvance(shown), status->contentsRect().width());
  EXPECT_EQ(status->text(), whole);
  QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), status->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(status, &hover);
  EXPECT_EQ(QToolTip::text(), whole);

  view.resize(1400, 450);
  ASSERT_TRUE(QTest::qWaitFor([&] { return status->ShownText() == whole; }));
}

TEST_F(MainWindowTest, TheListsGrowWithTheWindowWhichComesBackAsItWasClosed) {
  OpenSample();
  QWidget* groups = Control("mainGroups");
  QWidget* words = Control("words");
  view.resize(700, 450);
  QApplication::processEvents();
  const QSize groups_small = groups->size();
  const QSize words_small = words->size();
  view.showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return groups->height() > groups_small.height(); }));
  EXPECT_GT(groups->width(), groups_small.width());
  EXPECT_GT(words->width(), words_small.width());
  EXPECT_GT(words->height(), words_small.height());
  view.showNormal();
  view.resize(820, 530);
  auto* splitter = view.findChild<QSplitter*>(QStringLiteral("groupsAndWords"));
  splitter->setSizes({250, 500});
  QApplication::processEvents();
  const QList<int> sizes = splitter->sizes();
  ASSERT_TRUE(ClickMenuItem(view, Command::kExit));
  EXPECT_FALSE(view.isVisible());

  MainWindowLogic next_logic(host);
  MainWindowView next(next_logic, host);
  next.ShowModeless();
  QApplication::processEvents();
  EXPECT_EQ(next.size(), QSize(820, 530));
  EXPECT_EQ(next.findChild<QSplitter*>(QStringLiteral("groupsAndWords"))->sizes(), sizes);
  next.close();
}

TEST_F(MainWindowTest, TheDialogsAreLaidOutToGrowWithTheirWindow) {
  OpenSample();
  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    QWidget* possible = Child(dialog, "possibleWords");
    QWidget* suspicious = Child(dialog, "suspiciousGroups");
    const QSize possible_before = possible->size();
    const QSize suspicious_before = suspicious->size();
    dialog->resize(dialog->width() + 300, dialog->height() + 200);
    QApplication::processEvents();
    EXPECT_GT(possible->width(), possible_before.width());
    EXPECT_GT(suspicious->height(), suspicious_before.height());
    ButtonOf(dialog, "cancel")->click();
  });
  ButtonOf(&view, "findNow")->click();

  WhenModalOpens<DialogView>([&](DialogView* dialog) {
    QWidget* min_words = Child(dialog, "minWords");
    const int before = min_words->width();
    dialog->resize(dialog->width() + 200, dialog->height());
    QApplication::processEvents();
    EXPECT_GT(min_words->width(), before);
    ButtonOf(dialog, "cancel")->click();
  });
  ASSERT_TRUE(ClickMenuItem(view, Command::kSettings));
}

TEST(ProgramIcon, HasABitmapForEverySizeAndScale) {
  const QIcon icon = ProgramIcon();
  EXPECT_EQ(icon.availableSizes().size(), 8);
  // At 2x a 32-pixel icon is the 64-pixel bitmap, not the 32 one blown up.
  const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
  EXPECT_EQ(sharp.size(), QSize(64, 64));
  EXPECT_EQ(sharp.toImage(), QImage(QStringLiteral(":/tarvo/icons/64.png")).convertToFormat(sharp.toImage().format()));
}

}  // namespace
}  // namespace tarvo::ui::qt::test
