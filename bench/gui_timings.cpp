// gui-timings: times the long steps of the real window on a word list,
// offscreen, and how long the window went without repainting during each:
// Open (as File > Open does it, with the time to the first repaint of its
// progress dialog and to the groups shown), Show words of the group with
// the most stems among the ranked ones, Find Now (the New words dialog
// opened and shown) from the best group with distance 2, Automatic, Select
// all + Add of up to 100,000 possible new words, Update with them, and
// Save as.
//
// A timer asks the main window to repaint every 10 ms, as an animation or
// a window being moved over it would; the longest gap between two of its
// paints is how long the GUI thread was busy. The goal is 100 ms at most.
//
//   QT_QPA_PLATFORM=offscreen gui-timings WORDLIST [DISTANCE]
#include <QAbstractScrollArea>
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/qt_host.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Records, from Start(), when the main window, a progress dialog and the
// groups list paint.
class PaintLog : public QObject {
 public:
  PaintLog(QWidget* window, QWidget* groups) : window_(window), groups_(groups) { qApp->installEventFilter(this); }

  void Start() {
    start_ = Clock::now();
    window_paints_.clear();
    groups_paints_.clear();
    first_progress_paint_.reset();
  }
  Clock::time_point start() const { return start_; }

  // The longest time the window went without a paint, from Start() to end.
  Clock::duration LongestGap(Clock::time_point end) const {
    Clock::duration longest{};
    Clock::time_point last = start_;
    for (Clock::time_point paint : window_paints_) {
      if (paint > end) break;
      longest = std::max(longest, paint - last);
      last = paint;
    }
    return std::max(longest, end - last);
  }
  std::optional<Clock::time_point> first_progress_paint() const { return first_progress_paint_; }
  // The first paint of the groups list at or after `time`.
  std::optional<Clock::time_point> GroupsPaintAfter(Clock::time_point time) const {
    for (Clock::time_point paint : groups_paints_) {
      if (paint >= time) return paint;
    }
    return std::nullopt;
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    const Clock::time_point now = Clock::now();
    if (receiver == window_) window_paints_.push_back(now);
    if (receiver == groups_) groups_paints_.push_back(now);
    if (!first_progress_paint_ && qobject_cast<QProgressDialog*>(receiver) != nullptr) first_progress_paint_ = now;
    return false;
  }

 private:
  QWidget* window_;
  QWidget* groups_;
  Clock::time_point start_;
  std::vector<Clock::time_point> window_paints_;
  std::vector<Clock::time_point> groups_paints_;
  std::optional<Clock::time_point> first_progress_paint_;
};

// Runs the step, lets the window paint what it shows, and prints the time,
// the longest gap between repaints and a detail computed after the step.
void Report(PaintLog& log, const char* name, const std::function<void()>& step,
            const std::function<std::string()>& detail) {
  log.Start();
  step();
  QApplication::processEvents();
  const Clock::time_point end = Clock::now();
  std::printf("%-36s %8.3f s  longest repaint gap %5.0f ms  %s\n", name, Seconds(end - log.start()),
              Seconds(log.LongestGap(end)) * 1000, detail().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: gui-timings WORDLIST [DISTANCE]\n");
    return 2;
  }
  using namespace tarvo::ui;
  const std::string list = argv[1];
  const std::string distance = argc == 3 ? argv[2] : "2";
  qt::QtHost host;
  host.SetFileChooser([&](const FileDialogRequest&) { return std::optional<std::string>(list); });
  MainWindowLogic window(host);
  host.SetMainWindow(&window);
  qt::MainWindowView view(window, host);
  view.ShowModeless();
  QApplication::processEvents();

  auto* groups_list = view.findChild<QAbstractScrollArea*>(QStringLiteral("mainGroups"));
  PaintLog log(&view, groups_list->viewport());
  QTimer repaint;
  repaint.setInterval(10);
  QObject::connect(&repaint, &QTimer::timeout, &view, [&view] { view.update(); });
  repaint.start();

  // Open as the menu command runs it: the view's command returns once the
  // groups are in the list, which shows them at its next paint.
  log.Start();
  view.MenuAction(Command::kOpen)->trigger();
  const Clock::time_point returned = Clock::now();
  while (!log.GroupsPaintAfter(returned) && Clock::now() - returned < std::chrono::seconds(10)) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  const Clock::time_point shown = log.GroupsPaintAfter(returned).value_or(Clock::now());
  std::printf("Open until the groups are shown     %8.3f s  longest repaint gap %5.0f ms  %d groups\n",
              Seconds(shown - log.start()), Seconds(log.LongestGap(shown)) * 1000, window.main_groups().RowCount());
  if (const auto progress = log.first_progress_paint()) {
    std::printf("  first repaint with progress shown %8.3f s\n", Seconds(*progress - log.start()));
  } else {
    std::printf("  no progress shown (the work took less than the delay)\n");
  }
  std::printf("  the work (Open's own measure)     %8.3f s\n", window.Summary().last_step_seconds);
  if (window.ranked_groups().empty()) return 1;

  int biggest = 0;
  for (int row = 1; row < static_cast<int>(window.ranked_groups().size()); ++row) {
    if (window.automaton().WordCount(window.ranked_groups()[row]) >
        window.automaton().WordCount(window.ranked_groups()[biggest])) {
      biggest = row;
    }
  }
  window.main_groups().SetCurrentRow(biggest);
  Report(
      log, "Show words (largest ranked group)",
      [&] {
        window.OnMainGroupsDoubleClick();
        view.SyncFromModels();
      },
      [&] { return std::to_string(window.words().RowCount()) + " words"; });

  NewWordsLogic dialog(host, window.automaton(), window.pending_words(), window.ranked_groups().front(), distance);
  qt::NewWordsView dialog_view(dialog, window.display_encoding());
  Report(
      log, "Find Now (dialog shown)", [&] { dialog_view.ShowModeless(); },
      [&] { return std::to_string(dialog.candidates().size()) + " suspicious groups"; });
  Report(
      log, "Automatic",
      [&] {
        dialog.OnAutomatic();
        dialog_view.SyncFromModels();
      },
      [&] { return std::to_string(dialog.words_to_add().RowCount()) + " words to be added"; });

  // Select all + Add of 100,000 possible new words into an empty list: the
  // Automatic words, topped up with words of the list (the stems of the
  // accepting leaf state) when there are fewer.
  std::vector<std::string> possible;
  for (int row = 0; row < dialog.words_to_add().RowCount() && possible.size() < 100000; ++row) {
    possible.push_back(dialog.words_to_add().RowText(row));
  }
  for (std::string& word : window.automaton().GetWords(1)) {
    if (possible.size() == 100000) break;
    possible.push_back(std::move(word));
  }
  dialog.possible_words().Clear();
  dialog.possible_words().AddRows(possible);
  dialog.words_to_add().Clear();
  dialog_view.SyncFromModels();
  Report(
      log, "Select all + Add",
      [&] {
        dialog.OnSelectAll();
        dialog_view.SyncFromModels();
        dialog.OnAdd();
        dialog_view.SyncFromModels();
      },
      [&] { return std::to_string(dialog.words_to_add().RowCount()) + " of " + std::to_string(possible.size()) + " possible new words added"; });
  dialog_view.hide();

  // Update with the words added: inserted, the automaton rebuilt, ranked.
  for (int row = 0; row < dialog.words_to_add().RowCount(); ++row) {
    window.pending_words().push_back(dialog.words_to_add().RowText(row));
  }
  view.SyncFromModels();  // enables Update
  Report(
      log, "Update", [&] { view.findChild<QPushButton*>(QStringLiteral("update"))->click(); },
      [&] { return std::to_string(window.added_words().size()) + " words inserted"; });

  const std::string copy = (std::filesystem::temp_directory_path() / "tarvo-gui-timings.txt").string();
  host.SetFileChooser([&](const FileDialogRequest&) { return std::optional<std::string>(copy); });
  std::filesystem::remove(copy);
  Report(
      log, "Save as (whole list)", [&] { view.MenuAction(Command::kSaveAs)->trigger(); },
      [&] { return std::string(std::filesystem::exists(copy) ? "written" : "failed"); });
  std::filesystem::remove(copy);
  return 0;
}
