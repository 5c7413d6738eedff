// The classic animated GIF compile, byte for byte: hashes of the files the
// compile wrote before the optimised GIF existed, for lists that exercise the
// colour merging, the 8-bit frames, the delays and the transparency with both
// draw methods.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "effects/noise_random.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ULL;
  return hash;
}

std::uint64_t ClassicHash(PixelFormat format, int transparency, int disposal, double repeat) {
  SetNoiseRandomState(1);
  CompileRig rig;
  rig.settings.output_path = rig.Path("out.gif");
  rig.settings.pixel_format = format;
  rig.settings.gif_transparency = transparency;
  rig.settings.gif_disposal = disposal;
  rig.settings.gif_loops = 7;
  rig.settings.frames_per_second = 30;
  rig.settings.repeat_value = repeat;
  rig.AddPicture("a.bmp", test::MakeGradient(40, 30));
  rig.AddPicture("b.bmp", test::MakeGradient(17, 45), "1<Invert Colors=1>");
  rig.AddPicture("c.bmp", test::MakeSolid(10, 10, Rgb{200, 30, 90}));
  rig.AddPicture("d.bmp", test::MakeGradient(64, 8), "1<Noise Color=40>");
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  return Fnv1a(ReadWholeFile(rig.settings.output_path));
}

TEST(GifClassicBytes, AreThoseOfTheCompileBeforeTheOptimisedGif) {
  EXPECT_EQ(ClassicHash(PixelFormat::kBits24, 0, 0, 1.0), 13284749396896219986ULL);
  EXPECT_EQ(ClassicHash(PixelFormat::kBits24, 1, 0, 2.5), 12858139606503670458ULL);
  EXPECT_EQ(ClassicHash(PixelFormat::kBits8, 2, 1, 1.5), 2197393681985317842ULL);
}

}  // namespace
}  // namespace sf
