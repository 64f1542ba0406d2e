// The real Qt widgets, driven headless (offscreen) through their controls:
// menu actions, clicks, double-clicks and typing. Only the file dialog's
// answer comes from the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "test_support.h"
#include "ui/logic/analyser_dlg.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_host.h"
#include "ui/resource_ids.h"

namespace tarvo::ui::qt {
namespace {

// Runs `action` on the next modal window that opens on top of `below`.
void WhenModalOpens(std::function<void(QWidget*)> action, QWidget* below = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action, below] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == below) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

QStringList ViewRows(QWidget* list) {
  auto* view = qobject_cast<QListView*>(list);
  QStringList rows;
  for (int row = 0; row < view->model()->rowCount(); ++row) {
    rows << view->model()->index(row, 0).data().toString();
  }
  return rows;
}

void DoubleClickRow(QWidget* list, int row) {
  auto* view = qobject_cast<QListView*>(list);
  const QRect rect = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

QPushButton* ButtonOf(DialogView* view, int id) { return qobject_cast<QPushButton*>(view->Control(id)); }

class QtWidgets : public ::testing::Test {
 protected:
  void SetUp() override {
    list_path = dir.PathOf("sample.txt");
    std::filesystem::copy_file(TARVO_SAMPLE_LIST, list_path);
    host.SetFileChooser([this](const FileDialogRequest&) { return std::optional<std::string>(list_path); });
    host.SetMainWindow(&logic);
    view.ShowModeless();
  }

  void OpenSample() { view.MenuAction(kCmdOpen)->trigger(); }

  tarvo::test::TempDir dir;
  std::string list_path;
  QtHost host;
  CAnalyserDlg logic{host};
  MainWindowView view{logic, host};
};

TEST_F(QtWidgets, OpenShowsTheGroupsAndADoubleClickTheirWords) {
  EXPECT_EQ(view.windowTitle(), QStringLiteral("Suffix analyser"));
  EXPECT_FALSE(view.Control(kFindNowButton)->isEnabled());
  EXPECT_FALSE(view.Control(kUpdateButton)->isEnabled());
  EXPECT_EQ(qobject_cast<QLineEdit*>(view.Control(kDistanceEdit))->text(), QStringLiteral("2"));

  OpenSample();
  const QStringList groups = ViewRows(view.Control(kMainGroupsList));
  ASSERT_EQ(groups.size(), static_cast<int>(logic.ranked_groups().size()));
  ASSERT_GE(groups.size(), 3);
  for (int k = 0; k < groups.size(); ++k) {
    EXPECT_EQ(groups[k].toStdString(), logic.main_groups().GetText(k));
  }
  EXPECT_TRUE(view.Control(kFindNowButton)->isEnabled());
  EXPECT_TRUE(view.windowTitle().endsWith(QStringLiteral("sample.txt (bytes)")));

  DoubleClickRow(view.Control(kMainGroupsList), 1);
  const QStringList words = ViewRows(view.Control(kWordsList));
  EXPECT_EQ(words.size(), static_cast<int>(logic.automaton().WordCount(logic.ranked_groups()[1])));
  EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), [](const QString& a, const QString& b) {
    return ListBoxLess(a.toStdString(), b.toStdString());
  }));
}

TEST_F(QtWidgets, SettingsRefusesAValueOutOfBoundsAndKeepsTheFocusThere) {
  OpenSample();
  bool checked = false;
  WhenModalOpens([&](QWidget* settings) {
    auto* dialog = qobject_cast<DialogView*>(settings);
    ASSERT_NE(dialog, nullptr);
    auto* min_words = qobject_cast<QLineEdit*>(dialog->Control(kMinWordsEdit));
    min_words->selectAll();
    QTest::keyClicks(min_words, QStringLiteral("0x"));  // the x is refused: digits only
    EXPECT_EQ(min_words->text(), QStringLiteral("0"));
    WhenModalOpens(
        [&, dialog, min_words](QWidget* message) {
          auto* box = qobject_cast<QMessageBox*>(message);
          ASSERT_NE(box, nullptr);
          EXPECT_EQ(box->text(), QStringLiteral("Please enter an integer between 1 and 2147483647."));
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
  view.MenuAction(kCmdSettings)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(logic.settings().min_words, 15u);
}

TEST_F(QtWidgets, TypicalRunFindsAddsUpdatesAndSaves) {
  OpenSample();
  const std::string before = tarvo::test::ReadFile(list_path);
  std::vector<std::string> chosen;
  WhenModalOpens([&](QWidget* modal) {
    auto* dialog = qobject_cast<DialogView*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("New words generation"));
    EXPECT_FALSE(dialog->Control(kIdOkButton)->isEnabled());
    ASSERT_GT(ViewRows(dialog->Control(kSuspiciousList)).size(), 0);
    DoubleClickRow(dialog->Control(kSuspiciousList), 0);
    const QStringList stems = ViewRows(dialog->Control(kGroupWordsList));
    const QStringList possible = ViewRows(dialog->Control(kPossibleWordsList));
    EXPECT_EQ(possible.size(), 2 * stems.size());
    ButtonOf(dialog, kSelectAllButton)->click();
    ButtonOf(dialog, kAddButton)->click();
    for (const QString& word : ViewRows(dialog->Control(kToBeAddedList))) chosen.push_back(word.toStdString());
    EXPECT_TRUE(dialog->Control(kIdOkButton)->isEnabled());
    ButtonOf(dialog, kIdOkButton)->click();
  });
  ButtonOf(&view, kFindNowButton)->click();
  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(logic.pending_words(), chosen);
  EXPECT_TRUE(view.Control(kUpdateButton)->isEnabled());

  ButtonOf(&view, kUpdateButton)->click();
  EXPECT_FALSE(view.Control(kUpdateButton)->isEnabled());
  view.MenuAction(kCmdSave)->trigger();
  std::string expected = before;
  for (const std::string& word : chosen) expected += word + "\n";
  EXPECT_EQ(tarvo::test::ReadFile(list_path), expected);
}

}  // namespace
}  // namespace tarvo::ui::qt

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
