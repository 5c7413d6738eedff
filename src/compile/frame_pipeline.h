// Worker threads that prepare the rows of a compile ahead of the row being
// written, a few rows ahead at most, handed out strictly in list order. A row
// whose effects draw noise starts from the generator state the nearest earlier
// such row left, so the frames and the generator's states are those of a
// one-at-a-time compile; a row that drew noise unexpectedly is prepared again
// in order. Each row's messages are told when the row is taken.
//   FramePipeline pipeline(list, recipe, 2, NoiseRandomState());
//   PreparedFrame prepared = pipeline.Take(row, reporter);
//   SetNoiseRandomState(prepared.noise_state_after);
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/deferred_reporter.h"
#include "compile/frame_preparation.h"
#include "compile/slide_motion.h"

namespace sf {

class ImageList;
class Reporter;

class FramePipeline {
 public:
  // Starts the threads at once; the list and the recipe must outlive the pipeline.
  FramePipeline(const ImageList& list, const FrameRecipe& recipe, int threads, std::uint64_t noise_state);
  ~FramePipeline();
  FramePipeline(const FramePipeline&) = delete;
  FramePipeline& operator=(const FramePipeline&) = delete;

  // Waits for the next row's frame (rows are taken 0, 1, 2, ...), tells its
  // messages and rethrows what its preparation threw.
  PreparedFrame Take(int row, Reporter& reporter);

 private:
  struct Row {
    std::string path;
    std::string effects;
    bool draws_noise = false;
    std::optional<MotionPath> motion;
  };
  struct Slot {
    std::optional<PreparedFrame> frame;
    DeferredReporter messages;
    std::exception_ptr failure;
    std::uint64_t noise_start = 0;
    bool done = false;
  };

  void Work();
  std::uint64_t NoiseStartFor(int row);

  std::vector<Row> m_rows;
  const FrameRecipe m_recipe;
  const std::uint64_t m_noise_state;
  const int m_ahead;
  std::uint64_t m_state;   // the generator as a one-at-a-time compile leaves it at the row taken next
  bool m_in_order = false; // a row drew noise unexpectedly: the rest is prepared in order

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Slot> m_slots;
  int m_next = 0;    // the next row a thread takes
  int m_taken = 0;   // the rows taken so far
  bool m_quit = false;
  std::vector<std::thread> m_threads;
};

}  // namespace sf
