#include "gif/gif_player.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <exception>

#include "gif/gif_image.h"
#include "gif/gif_playback.h"

namespace sf {

long long SteadyPlayerClock::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool SteadyPlayerClock::Wait(int ms) {
  std::unique_lock lock(m_mutex);
  return !m_wake.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)), [this] { return m_cancelled; });
}

void SteadyPlayerClock::Cancel() {
  {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
  }
  m_wake.notify_all();
}

void PlayGifAnimation(const TGIFImage& image, GifPlayerClock& clock, const GifFrameSink& sink) {
  const GifPlayback plan = PlanGifPlayback(image);
  if (plan.pass.empty()) return;
  const TGIFDrawOptions options = image.DrawOptions();
  GifCompositor compositor(image);
  int passes_left = plan.passes;
  for (;;) {
    for (std::size_t i = 0; i < plan.pass.size(); ++i) {
      const int frame = plan.pass[i].frame;
      const long long started = clock.NowMs();
      sink(compositor.ComposeTo(frame), frame);
      if (plan.paused) return;
      const bool last_of_pass = i + 1 == plan.pass.size();
      if (last_of_pass && !plan.endless && passes_left <= 1) return;
      const long long took = std::clamp(clock.NowMs() - started, 0LL, static_cast<long long>(INT_MAX));
      const int wait = GifFrameWait(GifPlaybackDelay(image.Frame(frame), options), image.AnimationSpeed(),
                                    static_cast<int>(took));
      if (!clock.Wait(wait)) return;
    }
    if (!plan.endless) --passes_left;
  }
}

GifPlayer::GifPlayer(const TGIFImage& image, GifFrameSink sink, std::unique_ptr<GifPlayerClock> clock)
    : m_clock(clock ? std::move(clock) : std::make_unique<SteadyPlayerClock>()) {
  m_thread = std::thread([&image, sink = std::move(sink), this] {
    // A frame that cannot be drawn ends the playback; the last frame shown stays.
    try {
      PlayGifAnimation(image, *m_clock, sink);
    } catch (const std::exception&) {
    }
  });
}

GifPlayer::~GifPlayer() { Stop(); }

void GifPlayer::Stop() {
  m_clock->Cancel();
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace sf
