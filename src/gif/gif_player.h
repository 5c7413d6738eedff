// Plays an animation: frames composed one after the other with their disposal
// methods, each handed to a sink, then the frame's wait (12 ms units, less half
// the time the frame took to compose and show), over the passes the loop
// extension asks for. The player runs on a thread of its own; the clock it
// waits with can be replaced, so that the schedule is seen without waiting.
//   GifPlayer player(image, [&](const Bitmap& canvas, int frame) { Post(canvas); });
//   ...  player.Stop();   // no sink call after this returns
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "image/bitmap.h"

namespace sf {

class TGIFImage;

// What playback measures and waits with.
class GifPlayerClock {
 public:
  virtual ~GifPlayerClock() = default;
  virtual long long NowMs() = 0;
  // Waits ms milliseconds; false when Cancel() cut it short. Once cancelled,
  // every later wait returns false at once.
  virtual bool Wait(int ms) = 0;
  virtual void Cancel() = 0;
};

// The steady clock, with waits that Cancel() wakes from any thread.
class SteadyPlayerClock final : public GifPlayerClock {
 public:
  long long NowMs() override;
  bool Wait(int ms) override;
  void Cancel() override;

 private:
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_cancelled = false;
};

// Called with the canvas as it stands once frame (an index in the image) is
// drawn; the canvas is only valid during the call.
using GifFrameSink = std::function<void(const Bitmap& canvas, int frame)>;

// Plays on the calling thread until the last pass ends (its last frame is the
// last one handed over) or a wait is cancelled. An endless animation ends
// only by cancelling; at speed 0 only the first frame is shown.
void PlayGifAnimation(const TGIFImage& image, GifPlayerClock& clock, const GifFrameSink& sink);

// PlayGifAnimation on a background thread. The image must not change while
// the player lives; Stop() (or destruction) cancels the wait and joins. A
// failure to draw a frame ends playback there.
class GifPlayer {
 public:
  GifPlayer(const TGIFImage& image, GifFrameSink sink, std::unique_ptr<GifPlayerClock> clock = nullptr);
  GifPlayer(const GifPlayer&) = delete;
  GifPlayer& operator=(const GifPlayer&) = delete;
  ~GifPlayer();

  void Stop();

 private:
  std::unique_ptr<GifPlayerClock> m_clock;
  std::thread m_thread;
};

}  // namespace sf
