#include "compile/timing_fields.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(TimingFields, StartsAtTheDvdPreset) {
  const TimingFields timing;
  EXPECT_EQ(timing.FramesPerSecondText(), "29.97");
  EXPECT_EQ(timing.RepeatText(), "1");
  EXPECT_EQ(timing.SecondsText(), "0.0333667000333667");
  EXPECT_EQ(timing.MediaType(), 5);
}

TEST(TimingFields, RepeatIsTheMasterAndSecondsFollow) {
  TimingFields timing;
  TimingEffects fx = timing.RepeatTextChanged("2");
  EXPECT_EQ(timing.SecondsText(), "0.0667334000667334");
  EXPECT_EQ(timing.SecondsHint(), "0.0667334000667334");
  EXPECT_TRUE(fx.refresh_readouts);
  EXPECT_TRUE(fx.set_modified);

  // A new frame rate keeps the frames per picture and recomputes the seconds.
  fx = timing.FramesPerSecondTextChanged("25");
  EXPECT_EQ(timing.RepeatText(), "2");
  EXPECT_EQ(timing.SecondsText(), "0.08");
  EXPECT_EQ(timing.MediaType(), 0) << "typing a frame rate makes the media type Custom";
}

TEST(TimingFields, TypedSecondsSetTheRepeatWithoutWritingBack) {
  TimingFields timing;
  const TimingEffects fx = timing.SecondsTextChanged("2");
  EXPECT_EQ(timing.RepeatText(), "59.94");
  EXPECT_EQ(timing.SecondsText(), "2");
  EXPECT_EQ(timing.SecondsHint(), "2");
  EXPECT_TRUE(fx.refresh_readouts) << "the repeat handler ran";
  EXPECT_FALSE(timing.RepeatGuard());
  EXPECT_FALSE(timing.SecondsGuard());

  // Seconds of 0 couple nothing.
  timing.SecondsTextChanged("0");
  EXPECT_EQ(timing.RepeatText(), "59.94");
}

TEST(TimingFields, AFailedHandlerLeavesItsGuardSet) {
  TimingFields timing;
  TimingEffects fx = timing.RepeatTextChanged("abc");
  EXPECT_TRUE(timing.RepeatGuard());
  EXPECT_FALSE(fx.refresh_readouts);
  EXPECT_EQ(timing.SecondsText(), "0.0333667000333667");

  // While the repeat guard stays set, typed seconds do not reach the repeat edit.
  timing.SecondsTextChanged("3");
  EXPECT_EQ(timing.RepeatText(), "abc");

  // The next full run clears it.
  timing.RepeatTextChanged("1");
  EXPECT_FALSE(timing.RepeatGuard());
  timing.SecondsTextChanged("2");
  EXPECT_EQ(timing.RepeatText(), "59.94");

  // A frame rate of 0 stops the handler at the division.
  timing.FramesPerSecondTextChanged("0");
  EXPECT_TRUE(timing.RepeatGuard());
}

TEST(TimingFields, PresetsStayChosenUntilTheUserChangesASize) {
  TimingFields timing;
  timing.RepeatTextChanged("2");
  const TimingEffects fx = timing.MediaTypeChosen(7);  // "HD Low 720p60"
  EXPECT_EQ(timing.FramesPerSecondText(), "60");
  EXPECT_EQ(timing.Width(), 1280);
  EXPECT_EQ(timing.Height(), 720);
  EXPECT_EQ(timing.MediaType(), 7);
  EXPECT_EQ(timing.RepeatText(), "2");
  EXPECT_EQ(timing.SecondsText(), "0.0333333333333333");
  EXPECT_TRUE(fx.set_modified);

  timing.WidthChanged(1000);
  EXPECT_EQ(timing.MediaType(), 0);

  const TimingEffects custom = timing.MediaTypeChosen(0);
  EXPECT_EQ(timing.Width(), 1000);
  EXPECT_FALSE(custom.set_modified);
}

TEST(TimingFields, LeavingAnEditChecksItsValue) {
  TimingFields timing;
  timing.RepeatTextChanged("0.5");
  TimingEffects fx = timing.RepeatLeft();
  EXPECT_EQ(fx.error, "This must be a valid number greater than one or equal to one.");
  EXPECT_EQ(timing.RepeatText(), "1");
  EXPECT_EQ(fx.focus, TimingEdit::kRepeatValue);

  timing.RepeatTextChanged("abc");
  EXPECT_EQ(timing.RepeatLeft().error, "This must be a valid number greater than or equal to one.");
  EXPECT_TRUE(timing.RepeatLeft().error.empty());

  timing.FramesPerSecondTextChanged("-3");
  fx = timing.FramesPerSecondLeft();
  EXPECT_EQ(fx.error, "Frames per second must be a valid number greater than zero.");
  EXPECT_EQ(timing.FramesPerSecondText(), "29.97");
  EXPECT_EQ(timing.MediaType(), 0) << "the written default runs the change handler";
}

TEST(TimingFields, LeavingZeroSecondsResetsBothEdits) {
  TimingFields timing;
  timing.RepeatTextChanged("2");
  timing.SecondsTextChanged("0");
  const TimingEffects fx = timing.SecondsLeft();
  EXPECT_EQ(fx.error, "The repeat each frame value needs to be one or greater.");
  EXPECT_EQ(fx.focus, TimingEdit::kRepeatSeconds);
  EXPECT_EQ(timing.RepeatText(), "1");
  EXPECT_EQ(timing.SecondsText(), "0.0333667000333667");
}

TEST(TimingFields, ProjectValuesKeepTheirMediaType) {
  TimingFields timing;
  timing.LoadProjectValues(2, "25", 352, 240, "3", "0.12");
  EXPECT_EQ(timing.MediaType(), 2);
  EXPECT_EQ(timing.FramesPerSecondText(), "25");
  EXPECT_EQ(timing.RepeatText(), "3");
  EXPECT_EQ(timing.SecondsText(), "0.12");
}

}  // namespace
}  // namespace sf
