// The effects editor's rules: the slider staying on its track with values in
// range, the applied list's editing and buttons, reading entries back, and
// previews worked out on another thread giving the compile's bytes.
#include "effects/effect_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <future>
#include <mutex>

#include "effects/apply_list_of_effects.h"
#include "effects/effect_list_text.h"
#include "effects/effect_preview.h"
#include "effects/noise_random.h"
#include "support/pictures.h"

namespace sf {
namespace {

bool SameBytes(const Bitmap& a, const Bitmap& b) {
  return a.Format() == b.Format() && a.Width() == b.Width() && a.Height() == b.Height() &&
         std::ranges::equal(a.Storage(), b.Storage());
}

TEST(EffectEditing, ListsTheCatalogueSortedAndCaptionsRangesAsWholeNumbers) {
  const std::vector<std::string> names = SortedEffectNames();
  ASSERT_EQ(names.size(), 23u);
  EXPECT_EQ(names.front(), "Anti-alias");
  EXPECT_TRUE(std::ranges::is_sorted(names));
  const Bitmap fitted(320, 240);
  EffectRange range;
  ASSERT_FALSE(GetEffectSpecifications(fitted, "Emboss", range));
  EXPECT_EQ(RangeCaption(range), "(1 - 9)");
  ASSERT_FALSE(GetEffectSpecifications(fitted, "Blur Split", range));
  EXPECT_EQ(RangeCaption(range), "(1 - 319)");
}

TEST(EffectEditing, EverySliderPositionGivesAValueInRangeAndEveryValueAPositionOnTheTrack) {
  const SliderTrack track;
  ASSERT_EQ(track.Span(), 211);
  for (const double maximum : {2.0, 9.0, 100.0, 256.0, 319.0, 3000.0}) {
    int previous = 1;
    for (int left = track.LeftmostThumb(); left <= track.RightmostThumb(); ++left) {
      const int value = ValueForThumbLeft(track, left, maximum);
      EXPECT_GE(value, previous) << maximum << " at " << left;
      EXPECT_LE(value, static_cast<int>(maximum)) << maximum << " at " << left;
      previous = value;
    }
    EXPECT_EQ(ValueForThumbLeft(track, track.LeftmostThumb(), maximum), 1);
    for (int value = 1; value <= static_cast<int>(maximum); ++value) {
      const int left = ThumbLeftForValue(track, value, maximum);
      ASSERT_GE(left, track.LeftmostThumb()) << maximum << " value " << value;
      ASSERT_LE(left, track.RightmostThumb()) << maximum << " value " << value;
    }
  }
  // The thumb's travel is one pixel short of the span, so at the right end the
  // slider gives the maximum only for small ranges; the box reaches the rest.
  EXPECT_EQ(ValueForThumbLeft(track, track.RightmostThumb(), 9), 9);
  EXPECT_EQ(ValueForThumbLeft(track, track.RightmostThumb(), 256), 255);
  EXPECT_EQ(ThumbLeftForValue(track, 256, 256), track.RightmostThumb());
}

TEST(EffectEditing, DragsAndTrackPressesStopAtTheTrackEnds) {
  const SliderTrack track;
  EXPECT_EQ(DraggedThumbLeft(track, 100, 7), 107);
  EXPECT_EQ(DraggedThumbLeft(track, 100, -7), 93);
  EXPECT_EQ(DraggedThumbLeft(track, 100, 500), track.RightmostThumb());
  EXPECT_EQ(DraggedThumbLeft(track, 100, -500), track.LeftmostThumb());
  // Touching the margin counts as reaching the end.
  EXPECT_EQ(DraggedThumbLeft(track, 100, track.width - 2 - track.thumb_width - 100), track.RightmostThumb());
  EXPECT_EQ(DraggedThumbLeft(track, 100, -98), track.LeftmostThumb());
  EXPECT_EQ(PressedThumbLeft(track, 50), 50);
  EXPECT_EQ(PressedThumbLeft(track, 0), track.LeftmostThumb());
  EXPECT_EQ(PressedThumbLeft(track, track.width - 5), track.RightmostThumb());
}

TEST(EffectEditing, AppliedListEditingFollowsTheSelection) {
  AppliedList list;
  EXPECT_FALSE(ButtonsForAppliedCount(0).preview_all);
  AddAppliedEntry(list, EffectEntryText("Brighter", "50"));
  AddAppliedEntry(list, EffectEntryText("Brighter", "50"));
  AddAppliedEntry(list, "Mosaic=10");
  EXPECT_EQ(list.entries, (std::vector<std::string>{"Brighter=50", "Brighter=50", "Mosaic=10"}));
  EXPECT_EQ(list.selected, 0);

  MoveAppliedEntryUp(list);  // already at the top
  EXPECT_EQ(list.selected, 0);
  MoveAppliedEntryDown(list);
  MoveAppliedEntryDown(list);
  EXPECT_EQ(list.entries.back(), "Brighter=50");
  EXPECT_EQ(list.entries[1], "Mosaic=10");
  EXPECT_EQ(list.selected, 2);
  MoveAppliedEntryDown(list);  // already at the bottom
  EXPECT_EQ(list.selected, 2);

  RemoveAppliedEntry(list);  // the last: the one before it is selected
  EXPECT_EQ(list.selected, 1);
  list.selected = 0;
  RemoveAppliedEntry(list);  // the same index stays selected
  EXPECT_EQ(list.entries, (std::vector<std::string>{"Mosaic=10"}));
  EXPECT_EQ(list.selected, 0);
  const AppliedListButtons one = ButtonsForAppliedCount(1);
  EXPECT_TRUE(one.preview_all && one.remove && !one.move_up && !one.move_down);
  RemoveAppliedEntry(list);
  EXPECT_TRUE(list.entries.empty());
  EXPECT_EQ(list.selected, -1);
  RemoveAppliedEntry(list);  // nothing left to remove
  EXPECT_EQ(FormatEffectList(list.entries), "");
}

TEST(EffectEditing, EntriesReadBackAsNameAndRealValue) {
  const EffectStep step = ReadEffectEntry("Blur Gaussian=3");
  EXPECT_EQ(step.name, "Blur Gaussian");
  EXPECT_EQ(step.value, 3.0);
  EXPECT_EQ(ReadEffectEntry("Fisheye=2.5").value, 2.5);
  for (const char* bad : {"Brighter", "Brighter=", "Brighter=5x", "Brighter=1=2", "Brighter=nan"})
    EXPECT_THROW(ReadEffectEntry(bad), EffectListError) << bad;
}

// The steps of a list, as the editor hands them to a preview.
std::vector<EffectStep> Steps(std::initializer_list<const char*> entries) {
  std::vector<EffectStep> steps;
  for (const char* entry : entries) steps.push_back(ReadEffectEntry(entry));
  return steps;
}

TEST(EffectPreview, AnotherThreadGivesTheCompileBytesFromTheSameNoiseState) {
  const Bitmap source = test::MakeGradient(41, 23, PixelFormat::kBits8);
  SetNoiseRandomState(0x1234567);
  const std::uint64_t start = NoiseRandomState();
  Bitmap compiled = source;
  compiled.SetPixelFormat(PixelFormat::kBits24);
  SilentReporter reporter;
  ApplyListOfEffects(compiled, "3<Noise Mono=100><Twist=50><Noise Color=30>", reporter);
  const std::uint64_t compiled_after = NoiseRandomState();

  SetNoiseRandomState(start);
  PreviewRequest request;
  request.source = source;
  request.steps = Steps({"Noise Mono=100", "Twist=50", "Noise Color=30"});
  request.noise_state = start;
  const PreviewResult result = std::async(std::launch::async, [&] { return RunEffectPreview(request); }).get();
  ASSERT_EQ(result.status, PreviewStatus::kDone) << result.failure;
  EXPECT_TRUE(SameBytes(result.picture, compiled));
  EXPECT_EQ(result.noise_state_after, compiled_after);
  EXPECT_EQ(NoiseRandomState(), start);  // this thread's generator did not move
  EXPECT_EQ(result.fitted.Width(), 320);
  EXPECT_EQ(result.fitted.Height(), 240);
}

TEST(EffectPreview, AMissingNameStopsTheStepsThere) {
  PreviewRequest request;
  request.source = test::MakeSolid(4, 4, Rgb{10, 20, 30});
  request.steps = Steps({"Brighter=50", "brighter=50", "Noise Mono=100"});
  const std::uint64_t start = request.noise_state;
  const PreviewResult result = RunEffectPreview(request);
  EXPECT_EQ(result.status, PreviewStatus::kNotFound);
  EXPECT_EQ(result.missing_name, "brighter");
  EXPECT_EQ(result.noise_state_after, start);  // the noise step never ran
}

TEST(EffectPreview, ANewerRequestSupersedesTheRunningOne) {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<PreviewResult> results;
  EffectPreviewRunner runner([&](PreviewResult result) {
    const std::lock_guard lock(mutex);
    results.push_back(std::move(result));
    arrived.notify_one();
  });
  PreviewRequest slow;
  slow.source = test::MakeGradient(600, 600);
  slow.steps = Steps({"Blur Gaussian=150", "Blur Gaussian=150"});
  const std::uint64_t first = runner.Submit(std::move(slow));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  PreviewRequest quick;
  quick.source = test::MakeGradient(8, 8);
  quick.steps = Steps({"Darker=100"});
  const std::uint64_t second = runner.Submit(std::move(quick));
  EXPECT_EQ(runner.Latest(), second);

  std::unique_lock lock(mutex);
  ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(30), [&] {
    return !results.empty() && results.back().id == second;
  }));
  for (const PreviewResult& result : results) {
    if (result.id == first) EXPECT_EQ(result.status, PreviewStatus::kSuperseded);
  }
  EXPECT_EQ(results.back().status, PreviewStatus::kDone);
  EXPECT_EQ(results.back().picture.Width(), 8);
}

}  // namespace
}  // namespace sf
