// Effect previews worked out away from the interface thread: a picture, the
// steps to apply in order and the noise generator's state to start from give
// the full-size result, the same bytes a compile of that list would make from
// that state, and its picture fitted for display. A newer request supersedes
// an older one, which stops at its next checkpoint.
//   EffectPreviewRunner runner([&](PreviewResult result) { post result to the window });
//   const std::uint64_t id = runner.Submit(std::move(request));
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/progress_observer.h"
#include "effects/effect_editing.h"
#include "image/bitmap.h"

namespace sf {

struct PreviewRequest {
  Bitmap source;                  // the picture at full size, any pixel format
  std::vector<EffectStep> steps;  // applied in order to a 24-bit copy
  std::uint64_t noise_state = 1;  // the generator's state the steps start from
  Bitmap display_background;      // behind the fitted picture
  int display_width = 320;
  int display_height = 240;
};

enum class PreviewStatus {
  kDone,
  kNotFound,    // missing_name is not in the catalogue; the later steps did not run
  kFailed,      // failure holds the failure's own description
  kSuperseded,  // a newer request came before this one ended
};

struct PreviewResult {
  std::uint64_t id = 0;
  PreviewStatus status = PreviewStatus::kDone;
  Bitmap picture;  // the full-size result, 24-bit
  Bitmap fitted;   // the result fitted into the display box
  std::uint64_t noise_state_after = 1;
  std::size_t steps_done = 0;  // the steps applied before the result was made or the work stopped
  std::string missing_name;
  std::string failure;
};

// Works the request out on the calling thread, with the generator's state of
// that thread set from the request. The observer's StopRequested() is tested
// before each step; its ProcessEvents() runs between Blur Gaussian's passes and
// may throw PreviewSuperseded to end the work there.
PreviewResult RunEffectPreview(const PreviewRequest& request, ProgressObserver* observer = nullptr);

struct PreviewSuperseded {};

// One worker thread that works out the latest request. `done` runs on the
// worker thread for every request it started, superseded ones included.
class EffectPreviewRunner {
 public:
  using Done = std::function<void(PreviewResult result)>;
  explicit EffectPreviewRunner(Done done);
  // Stops the running request and waits for the thread.
  ~EffectPreviewRunner();
  EffectPreviewRunner(const EffectPreviewRunner&) = delete;
  EffectPreviewRunner& operator=(const EffectPreviewRunner&) = delete;

  // Queues the request in place of any waiting one and marks the running one
  // superseded. Returns the request's id, which its result carries.
  std::uint64_t Submit(PreviewRequest request);
  // Drops the waiting request and marks the running one superseded.
  void Cancel();
  // The id of the newest request; results with another id are stale.
  std::uint64_t Latest() const { return m_latest.load(); }

 private:
  class Checkpoints;
  void Work();

  Done m_done;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::optional<PreviewRequest> m_pending;
  std::uint64_t m_pending_id = 0;
  std::atomic<std::uint64_t> m_latest{0};
  bool m_quit = false;
  std::thread m_thread;
};

}  // namespace sf
