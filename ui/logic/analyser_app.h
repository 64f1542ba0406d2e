// CAnalyserApp: the application object.
//
// It runs the main window modally and the program ends when that window
// closes. The About command is its own. It takes no command-line options.
#pragma once

#include "ui/logic/analyser_dlg.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

class CAnalyserApp {
 public:
  explicit CAnalyserApp(IPlatformHost& host) : host_(host) {}

  // Creates the main window, runs it until it closes and returns its result.
  int InitInstance() {
    CAnalyserDlg window(host_);
    main_window_ = &window;
    const int result = host_.RunModal(window);
    main_window_ = nullptr;
    return result;
  }

  // Edit > "&About" (and the system menu's About item where there is one).
  void OnAppAbout() { host_.ShowAbout(); }

  CAnalyserDlg* GetMainWnd() { return main_window_; }

 private:
  IPlatformHost& host_;
  CAnalyserDlg* main_window_ = nullptr;
};

}  // namespace tarvo::ui
