#include "lexicon/task_pipeline.h"

#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace tarvo {
namespace {

// Every task's result reaches take, in task order, whatever the number of
// workers, of slots per worker and of tasks (fewer tasks than slots, or
// many more).
TEST(TaskPipeline, TakesEveryResultInTaskOrder) {
  for (const unsigned workers : {1u, 2u, 3u, 8u}) {
    for (const unsigned slots_per_worker : {1u, 2u, 8u}) {
      for (const std::size_t tasks : {std::size_t{0}, std::size_t{1}, std::size_t{5}, std::size_t{1000}}) {
        TaskPipeline pipeline(workers, slots_per_worker);
        std::vector<std::size_t> results(pipeline.slots());
        std::vector<std::size_t> taken;
        const bool all = pipeline.Run(
            tasks, [&](std::size_t task, unsigned slot) { results[slot] = task * task; },
            [&](std::size_t task, unsigned slot) {
              EXPECT_EQ(results[slot], task * task) << "a slot was reused before it was taken";
              taken.push_back(task);
              return true;
            });
        EXPECT_TRUE(all);
        ASSERT_EQ(taken.size(), tasks) << workers << " workers, " << slots_per_worker << " slots each";
        for (std::size_t k = 0; k < tasks; ++k) EXPECT_EQ(taken[k], k);
      }
    }
  }
}

// A take that returns false ends the run: nothing after it is taken, and
// the workers start at most a slot's worth of tasks beyond it.
TEST(TaskPipeline, StopsWhenTakeSaysSo) {
  TaskPipeline pipeline(2);
  std::atomic<std::size_t> started{0};
  std::vector<std::size_t> taken;
  const bool all = pipeline.Run(
      1000, [&](std::size_t, unsigned) { ++started; },
      [&](std::size_t task, unsigned) {
        taken.push_back(task);
        return task != 10;
      });
  EXPECT_FALSE(all);
  EXPECT_EQ(taken.size(), 11u);
  EXPECT_LE(started.load(), 11 + pipeline.slots());
}

// An exception from a worker's task or from take reaches the caller, after
// every worker has stopped; the pipeline can run again afterwards.
TEST(TaskPipeline, PassesExceptionsToTheCaller) {
  TaskPipeline pipeline(2);
  std::vector<std::size_t> taken;
  const auto take = [&](std::size_t task, unsigned) {
    taken.push_back(task);
    return true;
  };
  EXPECT_THROW(pipeline.Run(
                   100,
                   [](std::size_t task, unsigned) {
                     if (task == 42) throw std::runtime_error("work");
                   },
                   take),
               std::runtime_error);
  EXPECT_LT(taken.size(), 43u);
  EXPECT_THROW(pipeline.Run(
                   100, [](std::size_t, unsigned) {},
                   [](std::size_t task, unsigned) {
                     if (task == 7) throw std::logic_error("take");
                     return true;
                   }),
               std::logic_error);
  taken.clear();
  EXPECT_TRUE(pipeline.Run(20, [](std::size_t, unsigned) {}, take));
  EXPECT_EQ(taken.size(), 20u);
}

}  // namespace
}  // namespace tarvo
