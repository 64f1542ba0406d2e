// gui-timings: times the long steps of the real window on a word list,
// offscreen: Open until the groups are shown, Show words of the group with
// the most stems among the ranked ones, Find Now (the New words dialog
// opened and shown) from the best group with distance 2, Automatic, Select
// all + Add of up to 100,000 possible new words, and Save as.
//
//   QT_QPA_PLATFORM=offscreen gui-timings WORDLIST [DISTANCE]
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "ui/logic/main_window_logic.h"
#include "ui/logic/new_words_logic.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/new_words_view.h"
#include "ui/qt/qt_host.h"

namespace {

double Seconds(const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  QApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times the step, then prints it with a detail computed after it ran.
void Report(const char* name, const std::function<void()>& step, const std::function<std::string()>& detail) {
  const double seconds = Seconds(step);
  std::printf("%-36s %8.3f s  %s\n", name, seconds, detail().c_str());
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

  Report(
      "Open until the groups are shown",
      [&] {
        window.OnOpen();
        view.SyncFromModels();
      },
      [&] { return std::to_string(window.main_groups().RowCount()) + " groups"; });
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
      "Show words (largest ranked group)",
      [&] {
        window.OnMainGroupsDoubleClick();
        view.SyncFromModels();
      },
      [&] { return std::to_string(window.words().RowCount()) + " words"; });

  NewWordsLogic dialog(host, window.automaton(), window.pending_words(), window.ranked_groups().front(), distance);
  qt::NewWordsView dialog_view(dialog, window.display_encoding());
  Report(
      "Find Now (dialog shown)", [&] { dialog_view.ShowModeless(); },
      [&] { return std::to_string(dialog.candidates().size()) + " suspicious groups"; });
  Report(
      "Automatic",
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
      "Select all + Add",
      [&] {
        dialog.OnSelectAll();
        dialog_view.SyncFromModels();
        dialog.OnAdd();
        dialog_view.SyncFromModels();
      },
      [&] { return std::to_string(dialog.words_to_add().RowCount()) + " of " + std::to_string(possible.size()) + " possible new words added"; });

  const std::string copy = (std::filesystem::temp_directory_path() / "tarvo-gui-timings.txt").string();
  std::error_code error;
  Report(
      "Save as (whole list)", [&] { error = window.tree().SaveAll(copy); },
      [&] { return std::string(!error ? "written" : "failed"); });
  std::filesystem::remove(copy);
  return 0;
}
