// CAnalyserApp: the application object.
//
// It runs the main window modally and the program ends when that window
// closes. The About command is its own. The program's one argument names a
// word list to open at the start.
#pragma once

#include <string>

#include "ui/logic/analyser_dlg.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

class CAnalyserApp {
 public:
  explicit CAnalyserApp(IPlatformHost& host) : host_(host) {}

  // Creates the main window, opens list_to_open (unless empty), runs the
  // window until it closes and returns its result.
  int InitInstance(const std::string& list_to_open = {}) {
    CAnalyserDlg window(host_);
    window.SetListToOpen(list_to_open);
    return host_.RunModal(window);
  }

  // Edit > "&About" (and the system menu's About item where there is one).
  void OnAppAbout() { host_.ShowAbout(); }

 private:
  IPlatformHost& host_;
};

}  // namespace tarvo::ui
