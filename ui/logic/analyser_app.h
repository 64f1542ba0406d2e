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
    return host_.RunModal(window);
  }

  // Edit > "&About" (and the system menu's About item where there is one).
  void OnAppAbout() { host_.ShowAbout(); }

 private:
  IPlatformHost& host_;
};

}  // namespace tarvo::ui
