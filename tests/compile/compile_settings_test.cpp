#include "compile/compile_settings.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(CompileSettings, OutputKindAndChosenNames) {
  EXPECT_TRUE(IsAviOutput("/v/Holiday.AVI"));
  EXPECT_TRUE(IsAviOutput("/v/holidayavi")) << "the test looks at the last three letters only";
  EXPECT_EQ(ChooseOutputFile("/v/clip.mpg", OutputFileType::kAvi).path, "/v/clip.avi");
  EXPECT_EQ(ChooseOutputFile("/v/clip.avi", OutputFileType::kGif).kind, OutputFileType::kGif);

  const OutputChoice bare = ChooseOutputFile("/v/clip", OutputFileType::kAvi);
  EXPECT_EQ(bare.path, "/v/clip");
  EXPECT_FALSE(bare.kind) << "the controls stay as they were";
  EXPECT_FALSE(IsAviOutput(bare.path)) << "and it compiles as an animated GIF";
  EXPECT_EQ(ChooseOutputFile("/v/my.films/clip", OutputFileType::kAvi).path, "/v/my.films/clip");
}

}  // namespace
}  // namespace sf
