// Rows prepared ahead on several threads must give the file a one-at-a-time
// compile gives, byte for byte, for every output kind, also when effects draw
// from the noise generator between plain rows; and Stop must still leave a
// valid shorter file.
#include <gtest/gtest.h>

#include "avi/avi_reader.h"
#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "effects/noise_random.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

// Seven rows, three of them drawing noise, over a motion and a transition.
void FillNoisyShow(CompileRig& rig) {
  rig.settings.repeat_value = 2.5;
  rig.settings.show_transitions = true;
  rig.settings.transition_seconds = 0.05;
  const std::string a = rig.AddPicture("a.bmp", test::MakeGradient(40, 30));
  const std::string b = rig.AddPicture("b.bmp", test::MakeSolid(20, 36, Rgb{90, 160, 30}), "1<Noise Color=40>");
  rig.AddPicture("a.bmp", {}, "1<Invert Colors=1>");
  rig.AddPicture("b.bmp", {}, "2<Noise Mono=30><Brighter=10>");
  rig.AddPicture("a.bmp", {});
  rig.AddPicture("a.bmp", {}, "1<Emboss Noise=1>");
  rig.AddPicture("b.bmp", {});
  rig.list.SetCell(3, kTransitionColumn, "4");
  rig.list.SetColumnCount(kMotionColumn + 1);
  rig.list.SetCell(4, kMotionColumn, "Zoom In");
}

std::vector<std::uint8_t> CompileWith(int threads, const std::string& output, std::optional<Compression> codec,
                                      bool optimise = false) {
  SetNoiseRandomState(12345);
  CompileRig rig;
  FillNoisyShow(rig);
  rig.preparation_threads = threads;
  rig.settings.output_path = rig.Path(output);
  rig.settings.gif_optimise = optimise;
  if (codec) rig.chooser.emplace(*codec);
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_TRUE(rig.reporter.Errors().empty());
  return ReadWholeFile(rig.settings.output_path);
}

TEST(ParallelCompile, EveryOutputKindIsTheOneAtATimeFileByteForByte) {
  struct Kind {
    const char* output;
    std::optional<Compression> codec;
    bool optimise;
  };
  const Kind kinds[] = {{"show.avi", std::nullopt, false},
                        {"show.avi", Compression{Codec::kMotionJpeg, 85}, false},
                        {"show.gif", std::nullopt, false},
                        {"show.gif", std::nullopt, true}};
  for (const Kind& kind : kinds) {
    const std::vector<std::uint8_t> alone = CompileWith(1, kind.output, kind.codec, kind.optimise);
    ASSERT_FALSE(alone.empty());
    for (const int threads : {2, 4}) {
      EXPECT_EQ(CompileWith(threads, kind.output, kind.codec, kind.optimise), alone)
          << kind.output << (kind.codec ? " mjpeg" : "") << (kind.optimise ? " optimised" : "") << " on " << threads
          << " threads";
    }
  }
}

TEST(ParallelCompile, StopLeavesAValidShorterAvi) {
  CompileRig rig;
  FillNoisyShow(rig);
  rig.preparation_threads = 4;
  test::StopAfterFrames stop(5);
  EXPECT_EQ(rig.Run(stop).outcome, CompileOutcome::kStopped);
  test::RecordingReporter reporter;
  AviReader reader(reporter);
  ASSERT_TRUE(reader.InitAvi(rig.settings.output_path));
  const std::optional<AviStreamHeader> info = reader.GetAviInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->length, 5u);
}

}  // namespace
}  // namespace sf
