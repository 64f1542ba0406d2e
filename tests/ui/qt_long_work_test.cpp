// Long work in the real window: during an Open of a large list the window
// repaints and shows progress but takes no input, Cancel keeps the list
// that was open, and the groups show once the work is done.
#include <QProgressDialog>
#include <chrono>

#include "qt_test_support.h"

namespace tarvo::ui::qt::test {
namespace {

// 400,000 words: made-up stems of two-letter syllables, most with five
// endings and every third one lacking "er", so that groups qualify.
std::string LargeList() {
  static constexpr const char* kSyllables[] = {"ka", "lo", "mi", "ne", "pu", "ra", "si", "to",
                                               "va", "ze", "bo", "du", "fa", "gi", "ho", "ju"};
  std::string text;
  for (int i = 0; i < 80'000; ++i) {
    std::string stem;
    for (int n = i;; n /= 16) {
      stem += kSyllables[n % 16];
      if (n < 16) break;
    }
    for (const char* ending : {"", "s", "ed", "ing", "er"}) {
      if (i % 3 == 0 && std::string_view(ending) == "er") continue;
      text += stem + ending + '\n';
    }
  }
  return text;
}

class LongWorkTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The progress dialog shows at once, so that a test can see it however
    // fast the machine.
    host.SetProgressDelay(std::chrono::milliseconds(0));
    large_path = dir.Write("large.txt", LargeList());
  }

  std::string large_path;
};

TEST_F(LongWorkTest, DuringOpenTheWindowRepaintsShowsProgressAndTakesNoInput) {
  OpenSample();
  const std::size_t asked = requests.size();
  auto* distance = qobject_cast<QLineEdit*>(Control("distance"));
  const QString distance_before = distance->text();

  int ticks = 0;
  QString caption;
  bool cancellable = false;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    ++ticks;
    auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    if (progress == nullptr || !progress->isVisible() || !caption.isEmpty()) return;
    caption = progress->labelText();
    cancellable = progress->findChild<QPushButton*>() != nullptr;
    // Typing, Ctrl+O and the close box all reach the main window in vain.
    QTest::mouseClick(distance, Qt::LeftButton);
    QTest::keyClicks(distance, QStringLiteral("7"));
    QTest::keyClick(&view, Qt::Key_O, Qt::ControlModifier);
    view.close();
  });
  timer.start();
  files.push_back(large_path);
  OpenSample();
  timer.stop();

  // The timer can only have fired inside the Open: the GUI thread ran.
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(caption, QStringLiteral("Opening large.txt..."));
  EXPECT_TRUE(cancellable);
  EXPECT_EQ(distance->text(), distance_before);
  EXPECT_EQ(requests.size(), asked + 1);
  EXPECT_TRUE(view.isVisible());

  EXPECT_EQ(view.windowTitle(), QStringLiteral("large.txt (bytes) - Tarvo"));
  EXPECT_FALSE(ShownRows(Control("mainGroups")).isEmpty());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LongWorkTest, CancelKeepsTheListThatWasOpenAndTheNextOpenShowsItsGroups) {
  OpenSample();
  DoubleClickRow(Control("mainGroups"), 1);
  const QStringList groups = ShownRows(Control("mainGroups"));
  const QStringList stems = ShownRows(Control("words"));
  ASSERT_FALSE(stems.isEmpty());

  WhenModalOpens<QProgressDialog>([](QProgressDialog* progress) {
    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
  });
  files.push_back(large_path);
  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("sample.txt (bytes) - Tarvo"));
  EXPECT_EQ(ShownRows(Control("mainGroups")), groups);
  EXPECT_EQ(SelectedRows(Control("mainGroups")), QStringList{groups[1]});
  EXPECT_EQ(ShownRows(Control("words")), stems);
  EXPECT_EQ(TextOf(&view, "status"), QStringLiteral("Opening large.txt was cancelled; sample.txt stays open."));

  // The cancelled work may still be running: a new Open runs beside it.
  files.push_back(large_path);
  OpenSample();
  EXPECT_EQ(view.windowTitle(), QStringLiteral("large.txt (bytes) - Tarvo"));
  EXPECT_FALSE(ShownRows(Control("mainGroups")).isEmpty());
  EXPECT_TRUE(ShownRows(Control("words")).isEmpty());
}

}  // namespace
}  // namespace tarvo::ui::qt::test
