// TaskPipeline: numbered tasks worked on by several threads at once, their
// results taken one by one in task order on the calling thread.
//
// The results live in `slots()` holders that the caller owns: a task writes
// its result into holder task % slots(), and a holder is given to a new task
// only after the calling thread has taken the previous one. So the workers
// run at most slots() tasks ahead of the calling thread, and the caller's
// memory stays bounded however many tasks there are.
//
//   TaskPipeline pipeline;
//   std::vector<Result> results(pipeline.slots());
//   bool all = pipeline.Run(tasks,
//       [&](std::size_t task, unsigned slot) { results[slot] = Work(task); },
//       [&](std::size_t task, unsigned slot) { return Take(task, results[slot]); });
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tarvo {

class TaskPipeline {
 public:
  // One worker per processor, or `workers`; at least one and at most
  // kMostWorkers. Each worker may run `slots_per_worker` tasks ahead of the
  // calling thread (at least one).
  TaskPipeline() : TaskPipeline(std::thread::hardware_concurrency()) {}
  explicit TaskPipeline(unsigned workers, unsigned slots_per_worker = 2)
      : workers_(std::clamp(workers, 1u, kMostWorkers)), slots_per_worker_(std::max(slots_per_worker, 1u)) {}
  TaskPipeline(const TaskPipeline&) = delete;
  TaskPipeline& operator=(const TaskPipeline&) = delete;

  unsigned slots() const { return slots_per_worker_ * workers_; }

  // Runs work(task, slot) for tasks 0 to tasks - 1 on the worker threads and
  // take(task, slot) on the calling thread, in task order, each as soon as
  // the task's work is done. When take returns false, no later task is
  // taken, and the workers start no further task. Returns true when every
  // task was taken. An exception thrown by work or take stops the pipeline
  // the same way and is rethrown here once every worker has finished.
  template <typename Work, typename Take>
  bool Run(std::size_t tasks, Work&& work, Take&& take);

  static constexpr unsigned kMostWorkers = 8;

 private:
  static constexpr std::size_t kNoTask = static_cast<std::size_t>(-1);

  template <typename Work>
  void WorkerLoop(std::size_t tasks, Work& work);
  // Ends the run early, keeping the first exception caught, if any.
  void Stop(std::exception_ptr error);

  const unsigned workers_;
  const unsigned slots_per_worker_;
  std::mutex mutex_;
  std::condition_variable task_done_;  // a slot was filled, or the run stopped
  std::condition_variable slot_free_;  // a slot was taken, or the run stopped
  std::vector<std::size_t> task_in_slot_;  // the task whose result is ready in each slot
  std::size_t next_task_ = 0;               // the next task a worker will start
  std::size_t next_taken_ = 0;              // the next task the calling thread will take
  bool stopped_ = false;
  std::exception_ptr error_;
};

inline void TaskPipeline::Stop(std::exception_ptr error) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    if (error && !error_) error_ = error;
  }
  task_done_.notify_all();
  slot_free_.notify_all();
}

template <typename Work>
void TaskPipeline::WorkerLoop(std::size_t tasks, Work& work) {
  for (;;) {
    std::size_t task;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      slot_free_.wait(lock, [&] { return stopped_ || next_task_ >= tasks || next_task_ < next_taken_ + slots(); });
      if (stopped_ || next_task_ >= tasks) return;
      task = next_task_++;
    }
    try {
      work(task, static_cast<unsigned>(task % slots()));
    } catch (...) {
      Stop(std::current_exception());
      return;
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      task_in_slot_[task % slots()] = task;
    }
    task_done_.notify_all();
  }
}

template <typename Work, typename Take>
bool TaskPipeline::Run(std::size_t tasks, Work&& work, Take&& take) {
  task_in_slot_.assign(slots(), kNoTask);
  next_task_ = next_taken_ = 0;
  stopped_ = false;
  error_ = nullptr;
  std::vector<std::thread> threads;
  threads.reserve(workers_);
  for (unsigned k = 0; k < workers_ && k < tasks; ++k) {
    try {
      threads.emplace_back([&] { WorkerLoop(tasks, work); });
    } catch (const std::system_error&) {
      break;  // the system has no more threads to give: fewer workers
    }
  }
  // Without a worker, the calling thread does each task's work itself.
  const bool work_here = threads.empty();
  std::size_t task = 0;
  for (; task < tasks; ++task) {
    const auto slot = static_cast<unsigned>(task % slots());
    if (work_here) {
      try {
        work(task, slot);
      } catch (...) {
        Stop(std::current_exception());
        break;
      }
    } else {
      std::unique_lock<std::mutex> lock(mutex_);
      task_done_.wait(lock, [&] { return stopped_ || task_in_slot_[slot] == task; });
      if (stopped_) break;
    }
    bool go_on = false;
    try {
      go_on = take(task, slot);
    } catch (...) {
      Stop(std::current_exception());
      break;
    }
    if (!go_on) break;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      next_taken_ = task + 1;
    }
    slot_free_.notify_all();
  }
  Stop(nullptr);
  for (std::thread& thread : threads) thread.join();
  if (error_) std::rethrow_exception(error_);
  return task == tasks;
}

}  // namespace tarvo
