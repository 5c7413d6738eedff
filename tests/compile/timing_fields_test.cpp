#include "compile/timing_fields.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(TimingFields, RepeatIsTheMasterAndSecondsFollow) {
  TimingFields timing;
  EXPECT_EQ(timing.SecondsText(), "0.0333667000333667");
  TimingEffects fx = timing.RepeatTextChanged("2");
  EXPECT_EQ(timing.SecondsText(), "0.0667334000667334");
  EXPECT_TRUE(fx.refresh_readouts && fx.set_modified);

  // A new frame rate keeps the frames per picture and recomputes the seconds.
  timing.FramesPerSecondTextChanged("25");
  EXPECT_EQ(timing.RepeatText(), "2");
  EXPECT_EQ(timing.SecondsText(), "0.08");
  EXPECT_EQ(timing.MediaType(), 0) << "typing a frame rate makes the media type Custom";

  // Typed seconds set the repeat value and are not written back.
  timing.FramesPerSecondTextChanged("29.97");
  fx = timing.SecondsTextChanged("2");
  EXPECT_EQ(timing.RepeatText(), "59.94");
  EXPECT_EQ(timing.SecondsText(), "2");
  EXPECT_TRUE(fx.refresh_readouts) << "the repeat handler ran";
  EXPECT_FALSE(timing.RepeatGuard() || timing.SecondsGuard());
}

TEST(TimingFields, AFailedHandlerLeavesItsGuardSet) {
  TimingFields timing;
  EXPECT_FALSE(timing.RepeatTextChanged("abc").refresh_readouts);
  EXPECT_TRUE(timing.RepeatGuard());
  // While the repeat guard stays set, typed seconds do not reach the repeat edit.
  timing.SecondsTextChanged("3");
  EXPECT_EQ(timing.RepeatText(), "abc");
  // The next full run clears it.
  timing.RepeatTextChanged("1");
  timing.SecondsTextChanged("2");
  EXPECT_EQ(timing.RepeatText(), "59.94");
}

TEST(TimingFields, PresetsStayChosenUntilTheUserChangesASize) {
  TimingFields timing;
  timing.RepeatTextChanged("2");
  EXPECT_TRUE(timing.MediaTypeChosen(7).set_modified);  // "HD Low 720p60"
  EXPECT_EQ(timing.FramesPerSecondText(), "60");
  EXPECT_EQ(timing.Height(), 720);
  EXPECT_EQ(timing.MediaType(), 7);
  EXPECT_EQ(timing.SecondsText(), "0.0333333333333333");
  timing.WidthChanged(1000);
  EXPECT_EQ(timing.MediaType(), 0);

  // A project's values are written under the guard, so its media type stays.
  timing.LoadProjectValues(2, "25", 352, 240, "3", "0.12");
  EXPECT_EQ(timing.MediaType(), 2);
  EXPECT_EQ(timing.SecondsText(), "0.12");
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

  timing.FramesPerSecondTextChanged("-3");
  EXPECT_EQ(timing.FramesPerSecondLeft().error, "Frames per second must be a valid number greater than zero.");
  EXPECT_EQ(timing.FramesPerSecondText(), "29.97");

  // Seconds of 0 with a repeat of 2: both edits go back to one frame.
  timing.RepeatTextChanged("2");
  timing.SecondsTextChanged("0");
  fx = timing.SecondsLeft();
  EXPECT_EQ(fx.error, "The repeat each frame value needs to be one or greater.");
  EXPECT_EQ(fx.focus, TimingEdit::kRepeatSeconds);
  EXPECT_EQ(timing.RepeatText(), "1");
  EXPECT_EQ(timing.SecondsText(), "0.0333667000333667");
}

}  // namespace
}  // namespace sf
