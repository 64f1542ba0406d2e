// LongTaskRunner: runs the host's long tasks on worker threads.
//
// While the work runs, the GUI thread waits in an event loop of its own, so
// the windows repaint and timers fire, but they take no input: an
// application event filter drops the mouse, keys, shortcuts, drops and
// close requests meant for any window but the progress dialog. That dialog,
// a busy indicator with the task's caption and, when the task allows it, a
// Cancel button, shows application-modal once the work has run longer than
// the progress delay, so that quick work does not flash a window.
//
// Cancel returns at once. The worker cannot be stopped: it runs on to its
// end on the data it owns, and is joined at a later task or when the runner
// is destroyed.
//
//   LongTaskRunner runner;
//   bool done = runner.Run({"Saving...", LongTask::Cancel::kNotAllowed, [&] { Save(); }});
#pragma once

#include <QThread>
#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "ui/platform/host.h"

namespace tarvo::ui::qt {

class LongTaskRunner {
 public:
  LongTaskRunner() = default;
  // Waits for the workers still running after a Cancel.
  ~LongTaskRunner();
  LongTaskRunner(const LongTaskRunner&) = delete;
  LongTaskRunner& operator=(const LongTaskRunner&) = delete;

  // As PlatformHost::RunLongTask.
  bool Run(const LongTask& task);

  // How long the work runs before the progress dialog shows.
  void set_progress_delay(std::chrono::milliseconds delay) { progress_delay_ = delay; }

 private:
  // A thread that runs one task's work and keeps what it threw.
  class Worker : public QThread {
   public:
    explicit Worker(std::function<void()> work) : work_(std::move(work)) {}
    std::exception_ptr error() const { return error_; }

   private:
    void run() override;

    std::function<void()> work_;
    std::exception_ptr error_;
  };

  // Joins the cancelled workers that have ended.
  void JoinEndedWorkers();

  std::chrono::milliseconds progress_delay_{150};
  std::vector<std::unique_ptr<Worker>> cancelled_;
};

}  // namespace tarvo::ui::qt
