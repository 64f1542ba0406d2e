// Application: the program's top level.
//
// It runs the main window and the program ends when that window closes.
// The program's one argument names a word list to open at the start.
#pragma once

#include <string>

#include "ui/logic/main_window_logic.h"
#include "ui/platform/host.h"

namespace tarvo::ui {

class Application {
 public:
  explicit Application(PlatformHost& host) : host_(host) {}

  // Creates the main window, opens list_to_open (unless empty), runs the
  // window until it closes and returns its result.
  Answer Run(const std::string& list_to_open = {}) {
    MainWindowLogic window(host_);
    window.SetListToOpen(list_to_open);
    return host_.RunModal(window);
  }

 private:
  PlatformHost& host_;
};

}  // namespace tarvo::ui
