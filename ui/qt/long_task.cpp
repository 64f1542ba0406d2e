#include "ui/qt/long_task.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>

#include "ui/logic/wording.h"

namespace tarvo::ui::qt {
namespace {

// A busy indicator that Escape and the close box cancel when the task
// allows it, and that stays up otherwise.
class ProgressDialog : public QProgressDialog {
 public:
  ProgressDialog(const LongTask& task, QWidget* parent)
      : QProgressDialog(parent), cancellable_(task.cancel == LongTask::Cancel::kAllowed) {
    setWindowTitle(QString::fromUtf8(kProgramName));
    setLabelText(QString::fromUtf8(task.caption.c_str()));
    setRange(0, 0);
    setWindowModality(Qt::ApplicationModal);
    if (!cancellable_) setCancelButton(nullptr);
  }

  void reject() override {
    if (cancellable_) emit canceled();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    reject();
  }

 private:
  const bool cancellable_;
};

// For its life, drops the user's input to every window but `open_window`;
// a close request is refused, so that no window goes away while work runs.
class InputBlocker : public QObject {
 public:
  explicit InputBlocker(QWidget* open_window) : open_window_(open_window) { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!IsInput(event->type())) return false;
    // Keys reach a window's shortcuts (the menu commands) as Shortcut
    // events sent to the action, not to a widget.
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr) return event->type() == QEvent::Shortcut;
    if (widget->window() == open_window_) return false;
    event->ignore();  // a close event left accepted would close the window
    return true;
  }

 private:
  static bool IsInput(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::InputMethod:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::Close:
        return true;
      default:
        return false;
    }
  }

  QWidget* open_window_;
};

// The window the progress dialog stands over: the modal dialog that runs
// the command, or the active window.
QWidget* CommandWindow() {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : QApplication::activeWindow();
}

}  // namespace

void LongTaskRunner::Worker::run() {
  try {
    work_();
  } catch (...) {
    error_ = std::current_exception();
  }
}

LongTaskRunner::~LongTaskRunner() {
  for (const auto& worker : cancelled_) worker->wait();
}

void LongTaskRunner::JoinEndedWorkers() {
  std::erase_if(cancelled_, [](const std::unique_ptr<Worker>& worker) {
    if (!worker->isFinished()) return false;
    worker->wait();
    return true;
  });
}

bool LongTaskRunner::Run(const LongTask& task) {
  JoinEndedWorkers();
  auto worker = std::make_unique<Worker>(task.work);
  ProgressDialog progress(task, CommandWindow());
  const InputBlocker blocker(&progress);
  QEventLoop loop;
  bool cancelled = false;
  // The worker's finished signal crosses threads as a queued call, so the
  // loop cannot miss it even when the work ends before the loop runs.
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&cancelled, &loop] {
    cancelled = true;
    loop.quit();
  });
  QTimer::singleShot(progress_delay_, &progress, [&progress] { progress.show(); });
  QApplication::setOverrideCursor(Qt::BusyCursor);
  worker->start();
  loop.exec();
  QApplication::restoreOverrideCursor();
  if (cancelled) {
    // The worker holds only its own data; it is joined once it ends.
    cancelled_.push_back(std::move(worker));
    return false;
  }
  worker->wait();
  if (worker->error()) std::rethrow_exception(worker->error());
  return true;
}

}  // namespace tarvo::ui::qt
