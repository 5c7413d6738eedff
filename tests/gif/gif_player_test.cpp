// The player's schedule on a clock that only counts (frames in order, each
// wait less half the time the frame took to show, passes, speed 0, cancelling)
// and the background player stopping while it waits.
#include "gif/gif_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>

#include "gif/gif_image.h"
#include "gif_fixture.h"

namespace sf {
namespace {

using ::testing::ElementsAre;

// Time moves only when the player waits or a frame is shown; the clock
// cancels itself after a number of waits.
class CountingClock final : public GifPlayerClock {
 public:
  long long NowMs() override { return now; }
  bool Wait(int ms) override {
    if (cancelled) return false;
    waits.push_back(ms);
    now += ms;
    if (static_cast<int>(waits.size()) == cancel_after) cancelled = true;
    return !cancelled;
  }
  void Cancel() override { cancelled = true; }

  long long now = 0;
  std::vector<int> waits;
  int cancel_after = -1;
  bool cancelled = false;
};

struct Played {
  std::vector<int> frames;
  std::vector<long long> shown_at;
  std::vector<Rgb> colours;
};

// Plays the image; showing a frame takes draw_ms of the clock's time.
Played Play(const TGIFImage& image, CountingClock& clock, int draw_ms = 0) {
  Played played;
  PlayGifAnimation(image, clock, [&](const Bitmap& canvas, int frame) {
    played.frames.push_back(frame);
    played.shown_at.push_back(clock.now);
    played.colours.push_back(canvas.PixelColor(0, 0));
    clock.now += draw_ms;
  });
  return played;
}

TEST(GifPlayer, EachFrameWaitsItsDelayInTwelveMillisecondUnitsLessHalfItsDrawingTime) {
  // No graphic control extension and delay 0 play 10 units, 1 is raised to 3.
  auto image = test::TimedAnimation({-1, 0, 1, 50}, -1);
  CountingClock clock;
  const Played played = Play(*image, clock, 40);
  EXPECT_THAT(played.frames, ElementsAre(0, 1, 2, 3));
  // Played once: no wait after the last frame, which stays on the surface.
  EXPECT_THAT(clock.waits, ElementsAre(100, 100, 16));
  EXPECT_THAT(played.shown_at, ElementsAre(0, 140, 280, 336));
  EXPECT_EQ(played.colours.back(), (Rgb{30, 30, 30}));

  image->SetAnimationSpeed(200);
  CountingClock fast;
  Play(*image, fast);
  EXPECT_THAT(fast.waits, ElementsAre(60, 60, 18));
}

TEST(GifPlayer, TheLoopExtensionGivesThePasses) {
  auto twice = test::TimedAnimation({5, 5, 5}, 2);
  CountingClock clock;
  EXPECT_THAT(Play(*twice, clock).frames, ElementsAre(0, 1, 2, 0, 1, 2));
  EXPECT_EQ(clock.waits.size(), 5u);

  // A count of 0 repeats until the wait is cancelled.
  auto endless = test::TimedAnimation({5, 5}, 0);
  CountingClock cancelling;
  cancelling.cancel_after = 7;
  EXPECT_THAT(Play(*endless, cancelling).frames, ElementsAre(0, 1, 0, 1, 0, 1, 0));

  // Without goLoop the first pass is the only one.
  TGIFDrawOptions options = endless->DrawOptions();
  options.Exclude(TGIFDrawOption::goLoop);
  endless->SetDrawOptions(options);
  CountingClock once;
  EXPECT_THAT(Play(*endless, once).frames, ElementsAre(0, 1));
}

TEST(GifPlayer, SpeedZeroShowsTheFirstFrameOnly) {
  auto image = test::TimedAnimation({5, 5}, 0);
  image->SetAnimationSpeed(0);
  CountingClock clock;
  EXPECT_THAT(Play(*image, clock).frames, ElementsAre(0));
  EXPECT_TRUE(clock.waits.empty());
}

TEST(GifPlayer, StopWakesTheWaitingThreadAndNoFrameFollows) {
  // 1000 units: twelve seconds before the second frame.
  auto image = test::TimedAnimation({1000, 1000}, 0);
  std::atomic<int> shown = 0;
  auto player = std::make_unique<GifPlayer>(*image, [&](const Bitmap&, int) { ++shown; });
  while (shown == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto before = std::chrono::steady_clock::now();
  player->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
  EXPECT_EQ(shown, 1);
  player.reset();  // stopping twice is harmless
  EXPECT_EQ(shown, 1);
}

TEST(GifPlayer, AFailureToShowAFrameEndsPlaybackOnItsThread) {
  auto image = test::TimedAnimation({5, 5}, 0);
  std::atomic<int> shown = 0;
  GifPlayer player(*image, [&](const Bitmap&, int) {
    ++shown;
    throw std::runtime_error("out of memory");
  });
  player.Stop();
  EXPECT_LE(shown, 1);
}

}  // namespace
}  // namespace sf
