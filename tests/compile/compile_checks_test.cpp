// A compile that cannot produce what was asked refuses before anything is
// asked or written: an output that is a folder or one of the compile's own
// inputs (whatever spelling or link names it), a frame rate no video has, or
// a row's display time that cannot be used.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "support/pictures.h"

namespace sf {
namespace {

std::string Refusal(const std::string& output, const std::string& what) {
  return "The output file \"" + output + "\" is " + what +
         ". Compiling would write over it; choose another output file.";
}

void ExpectRefusedAndUntouched(test::CompileRig& rig, const std::string& what, const std::string& victim) {
  const std::vector<std::uint8_t> before = ReadWholeFile(victim);
  const CompileResult result = rig.Run();
  EXPECT_EQ(result.outcome, CompileOutcome::kRefused);
  EXPECT_EQ(rig.reporter.Texts(), std::vector<std::string>{Refusal(rig.settings.output_path, what)});
  EXPECT_EQ(rig.host.entered, 0) << "refused before the busy state";
  EXPECT_EQ(ReadWholeFile(victim), before);
}

TEST(CompileChecks, APictureOfTheListIsNeverWrittenOver) {
  for (const char* kind : {"gif", "avi"}) {
    SCOPED_TRACE(kind);
    test::CompileRig rig;
    rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
    const std::string picture = rig.Path(std::string("party.") + kind);
    WriteWholeFile(picture, "the user's own file");
    rig.list.AddPath(picture);
    rig.settings.output_path = picture;
    ExpectRefusedAndUntouched(rig, "the picture in row 2 of the list", picture);
  }
}

TEST(CompileChecks, OtherSpellingsAndLinksAreTheSameFile) {
  test::CompileRig rig;
  const std::string picture = rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
  std::filesystem::create_directory(rig.Path("sub"));
  std::filesystem::create_symlink(picture, rig.Path("link.gif"));
  for (const std::string& output : {rig.Path("link.gif"), rig.Path("sub/../link.gif")}) {
    SCOPED_TRACE(output);
    rig.reporter.entries.clear();
    rig.settings.output_path = output;
    ExpectRefusedAndUntouched(rig, "the picture in row 1 of the list", picture);
  }
}

TEST(CompileChecks, TheProjectSoundTrackAndBackgroundAreProtectedToo) {
  test::CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
  rig.project_path = rig.Path("show.avi");
  WriteWholeFile(rig.project_path, "project text");
  rig.settings.output_path = rig.project_path;
  ExpectRefusedAndUntouched(rig, "the project file", rig.project_path);

  test::CompileRig sound;
  sound.AddPicture("a.bmp", test::MakeGradient(20, 10));
  sound.settings.audio_path = sound.Path("music.avi");
  WriteWholeFile(sound.settings.audio_path, "RIFF");
  sound.settings.output_path = sound.settings.audio_path;
  ExpectRefusedAndUntouched(sound, "the sound track", sound.settings.audio_path);

  test::CompileRig background;
  background.AddPicture("a.bmp", test::MakeGradient(20, 10));
  background.settings.background_path = background.Path("back.gif");
  WriteWholeFile(background.settings.background_path, "GIF89a");
  background.settings.output_path = background.settings.background_path;
  ExpectRefusedAndUntouched(background, "the background picture", background.settings.background_path);
}

TEST(CompileChecks, AFolderOrAnImpossibleFrameRateIsRefusedWithItsReason) {
  test::CompileRig folder;
  folder.AddPicture("a.bmp", test::MakeGradient(20, 10));
  folder.settings.output_path = folder.Path("clips.gif");
  std::filesystem::create_directory(folder.settings.output_path);
  EXPECT_EQ(folder.Run().outcome, CompileOutcome::kRefused);
  EXPECT_EQ(folder.reporter.Texts(), std::vector<std::string>{"The output file \"" + folder.settings.output_path +
                                                              "\" is a folder. Choose a file name for the output."});

  const std::string not_positive = "Frames per second must be a valid number greater than zero.";
  const std::string too_high =
      "The frame rate is too high for an AVI file, which can play at most 42949 frames per second.";
  struct Case {
    double rate;
    const char* output;
    std::string refusal;  // empty: the compile goes ahead
  };
  for (const Case& c : {Case{0, "out.avi", not_positive}, Case{-25, "out.gif", not_positive},
                        Case{std::nan(""), "out.avi", not_positive}, Case{1e308, "out.avi", too_high},
                        Case{42949.673, "out.avi", too_high}, Case{42949.672, "out.avi", ""},
                        Case{1e308, "out.gif", ""}}) {
    SCOPED_TRACE(std::to_string(c.rate) + " " + c.output);
    test::CompileRig rig;
    rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
    rig.settings.frames_per_second = c.rate;
    rig.settings.output_path = rig.Path(c.output);
    const CompileResult result = rig.Run();
    if (c.refusal.empty()) {
      EXPECT_EQ(result.outcome, CompileOutcome::kCompleted);
    } else {
      EXPECT_EQ(result.outcome, CompileOutcome::kRefused);
      EXPECT_EQ(rig.reporter.Texts(), std::vector<std::string>{c.refusal});
      EXPECT_FALSE(PathExists(rig.settings.output_path));
    }
  }
}

TEST(CompileChecks, AnOrdinaryExistingOutputIsStillOffered) {
  test::CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
  WriteWholeFile(rig.settings.output_path, "old video");
  rig.reporter.answers = {false};
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kOverwriteDeclined);
  EXPECT_EQ(rig.reporter.Texts(), std::vector<std::string>{"Output file name already exists. Overwrite?"});
}

TEST(CompileChecks, AnUnusableDisplayTimeIsRefusedBeforeAnythingIsWritten) {
  for (const char* kind : {"gif", "avi", "mp4"}) {
    SCOPED_TRACE(kind);
    test::CompileRig rig;
    rig.settings.output_path = rig.Path(std::string("out.") + kind);
    rig.AddPicture("a.bmp", test::MakeGradient(20, 10));
    rig.AddPicture("b.bmp", test::MakeGradient(20, 10));
    rig.list.SetCellAdding(0, kDisplayTimeColumn, "2");
    rig.list.SetCellAdding(1, kDisplayTimeColumn, "-3");
    const CompileResult result = rig.Run();
    EXPECT_EQ(result.outcome, CompileOutcome::kRefused);
    EXPECT_EQ(rig.reporter.Texts(),
              std::vector<std::string>{"The display time in row 2 of the list cannot be used: \"-3\" is not a number "
                                       "of seconds from 0 to 86400."});
    EXPECT_EQ(rig.host.entered, 0) << "refused before the busy state";
    EXPECT_FALSE(std::filesystem::exists(rig.settings.output_path));
  }
}

}  // namespace
}  // namespace sf
