// The AVI compile on small frames: what the file holds, read back with our
// reader, the texts the window is given, the sound-track question, stopping,
// and the ways it ends early. ffprobe and ffmpeg check the files end to end in
// tests/cli/compile_command_test.cpp.
#include <gtest/gtest.h>

#include "avi/avi_file.h"
#include "avi/avi_reader.h"
#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "effects/apply_list_of_effects.h"
#include "image/fitting.h"
#include "loader/load_image.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

std::size_t VideoFrames(const std::string& path) {
  const AviFile file = ReadAviFile(ReadWholeFile(path));
  for (const auto& stream : file.streams) {
    if (stream && stream->header.type == "vids") return stream->chunks.size();
  }
  return 0;
}

Bitmap FrameOf(const std::string& avi, std::int64_t k) {
  test::RecordingReporter reporter;
  AviReader reader(reporter);
  EXPECT_TRUE(reader.InitAvi(avi));
  Bitmap frame(32, 24);
  reader.GetFrame(frame, 32, 24, k);
  return frame;
}

// The picture as the compile must show it: loaded, given its effects, fitted.
Bitmap Expected(const std::string& path, const std::string& effects, const CompileSettings& s) {
  test::RecordingReporter quiet;
  Bitmap picture;
  LoadImage(picture, path, quiet);
  ApplyListOfEffects(picture, effects, quiet);
  GetAspectedImage(picture, s.background_picture, s.resize_method, s.zoom_in, s.maintain_aspect, s.pixel_format,
                   s.border_size_height, s.border_size_width, s.frame_height, s.frame_width, quiet);
  return picture;
}

CompileRig OneRow() {
  CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  return rig;
}

TEST(AviCompile, EveryFrameIsTheFittedPictureWithItsEffects) {
  for (const PixelFormat depth : {PixelFormat::kBits24, PixelFormat::kBits8}) {
    CompileRig rig;
    rig.settings.pixel_format = depth;
    rig.settings.border_size_width = 10;
    rig.settings.repeat_value = 1.5;  // rows get 1, 2, 1 frames
    rig.settings.background_picture = test::MakeSolid(4, 4, Rgb{0, 128, 255});
    const std::string wide = rig.AddPicture("wide.bmp", test::MakeGradient(40, 17), "1<Invert Colors=1>");
    const std::string tall = rig.AddPicture("tall.bmp", test::MakeGradient(9, 50, PixelFormat::kBits8));
    rig.AddPicture("wide.bmp", {}, "2<Brighter=60><Mosaic=3>");
    ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
    EXPECT_TRUE(rig.reporter.Errors().empty());

    const Bitmap expected[] = {Expected(wide, "1<Invert Colors=1>", rig.settings), Expected(tall, "", rig.settings),
                               Expected(tall, "", rig.settings),
                               Expected(wide, "2<Brighter=60><Mosaic=3>", rig.settings)};
    ASSERT_FALSE(test::SamePixels(expected[0], Expected(wide, "", rig.settings)));  // the effect shows
    EXPECT_EQ(VideoFrames(rig.settings.output_path), 4u);
    for (std::int64_t k = 0; k < 4; ++k) {
      EXPECT_EQ(test::FirstDifference(FrameOf(rig.settings.output_path, k), expected[k]), "")
          << "frame " << k << " at " << static_cast<int>(depth) << " bits";
    }
  }
}

TEST(AviCompile, ShowsProgressTitleCheckpointsAndTheEnd) {
  CompileRig rig;
  for (int i = 0; i < 20; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  EXPECT_EQ(rig.Run().frames_written, 20);
  // Rows 1 and 15 are checkpoints; the last row is selected at the end.
  EXPECT_EQ(rig.host.selected, (std::vector<int>{1, 15, 19}));
  EXPECT_EQ(rig.progress.progress_texts.back(), "100% - Complete - 20 of 20 total frames.");
  EXPECT_EQ(rig.progress.percents.back(), 0);
  EXPECT_EQ(rig.progress.title, "100% Slideforge");
  EXPECT_EQ(rig.progress.remembered, "Process completed successfuly.");
  EXPECT_EQ(rig.host.entered, 1);
  EXPECT_EQ(rig.host.left, 1);
  // A validation that removed nothing during a compile says nothing.
  EXPECT_TRUE(rig.reporter.entries.empty());
}

// The reader's own sentence comes first, then the question.
TEST(AviCompile, AsksBeforeDroppingAChosenSoundTrack) {
  for (const bool go_on : {false, true}) {
    CompileRig rig = OneRow();
    rig.settings.include_audio = true;
    rig.settings.audio_path = rig.Path("bad.wav");
    WriteWholeFile(rig.settings.audio_path, "RIFF....WAVE not really");
    rig.reporter.answers = {go_on};
    const CompileResult result = rig.Run();
    EXPECT_EQ(rig.reporter.Texts(),
              (std::vector<std::string>{"WAV file is shorter than its 44-byte header",
                                        "Error adding WAV file. Please make sure that the audio file is a valid PCM "
                                        "WAV file. \n- CompileBtnClick()\n\n Do you wish to continue without audio?"}));
    EXPECT_EQ(result.outcome, go_on ? CompileOutcome::kCompleted : CompileOutcome::kFailed);
    if (!go_on) {
      EXPECT_EQ(rig.progress.remembered, "Error compiling AVI. Stopped due to invalid WAV audio file.");
      EXPECT_EQ(rig.progress.progress_texts.back(), "0% - Creating AVI - ERROR");
    }
  }

  // A sound track gone by compile time is dropped by the validation: no question.
  CompileRig gone = OneRow();
  gone.settings.include_audio = true;
  gone.settings.audio_path = gone.Path("gone.wav");
  EXPECT_EQ(gone.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(gone.reporter.Texts(), (std::vector<std::string>{"Audio file not found:\n" + gone.Path("gone.wav") +
                                                             "\nAudio file will be removed from project."}));
  EXPECT_EQ(gone.settings.audio_path, "(none)");
  EXPECT_FALSE(gone.settings.include_audio);
}

TEST(AviCompile, StopAndCancelLeaveAShorterFile) {
  CompileRig rig;
  for (int i = 0; i < 4; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.repeat_value = 2;
  test::StopAfterFrames after_frames(3);
  EXPECT_EQ(rig.Run(after_frames).frames_written, 3);
  EXPECT_EQ(after_frames.remembered, "Process stopped by user.");
  EXPECT_EQ(after_frames.percents.back(), 0);
  EXPECT_EQ(VideoFrames(rig.settings.output_path), 3u);

  // Again (overwriting), stopped at the checkpoint of row 1, after row 0's two frames.
  rig.host.selected.clear();
  test::StopAtCheckpoint at_checkpoint(rig.host);
  EXPECT_EQ(rig.Run(at_checkpoint).outcome, CompileOutcome::kStopped);
  EXPECT_EQ(at_checkpoint.progress_texts.back(), "37% - Complete - 3 of 8 total frames.");
  EXPECT_EQ(at_checkpoint.remembered, "Process stopped by user.");
  EXPECT_EQ(VideoFrames(rig.settings.output_path), 2u);

  CompileRig cancelled = OneRow();
  cancelled.chooser.emplace(std::nullopt);
  EXPECT_EQ(cancelled.Run().outcome, CompileOutcome::kStopped);
  EXPECT_EQ(cancelled.progress.remembered, "Process stopped by user.");
  EXPECT_EQ(VideoFrames(cancelled.settings.output_path), 0u);
}

// Watches the output while the frames go in: a compile killed at any of these
// moments would have left the old file whole.
class OutputWatcher final : public test::RecordingProgress {
 public:
  explicit OutputWatcher(std::string path) : m_path(std::move(path)) {}
  void Progress(const std::string& text, int percent) override {
    RecordingProgress::Progress(text, percent);
    if (!FileExists(m_path + ".part")) return;  // before the frames, or once it is in place
    part_written = true;
    old_file_whole = old_file_whole && ReadWholeFile(m_path).size() == 9u;
  }
  bool old_file_whole = true;
  bool part_written = false;

 private:
  std::string m_path;
};

TEST(AviCompile, TheOldFileStaysWholeUntilTheNewOneIsComplete) {
  CompileRig rig;
  for (int i = 0; i < 3; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  WriteWholeFile(rig.settings.output_path, "old video");
  OutputWatcher watcher(rig.settings.output_path);
  EXPECT_EQ(rig.Run(watcher).outcome, CompileOutcome::kCompleted);
  EXPECT_TRUE(watcher.old_file_whole);
  EXPECT_TRUE(watcher.part_written);
  EXPECT_EQ(VideoFrames(rig.settings.output_path), 3u);
  EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));
}

// Sizes that can be known before the first frame are refused before it.
TEST(AviCompile, RefusesAFileNoDriveOrFrameCountCouldHold) {
  CompileRig many = OneRow();
  many.settings.repeat_value = 5e9;
  EXPECT_EQ(many.Run().outcome, CompileOutcome::kFailed);
  EXPECT_EQ(many.reporter.Errors(), (std::vector<std::string>{"An AVI file holds at most 4294967295 frames; this "
                                                              "compile would write 5000000000. Lower the repeat value."}));
  EXPECT_EQ(many.progress.remembered, "Preparing AVI file... - ERROR. The AVI file would be too large.");
  EXPECT_FALSE(PathExists(many.settings.output_path + ".part"));

  // 10000 x 10000 at 24 bits, a million times: 286102326 MB (rounded up).
  CompileRig huge = OneRow();
  huge.settings.frame_width = 10000;
  huge.settings.frame_height = 10000;
  huge.settings.repeat_value = 1e6;
  EXPECT_EQ(huge.Run().outcome, CompileOutcome::kFailed);
  ASSERT_EQ(huge.reporter.Errors().size(), 1u);
  EXPECT_EQ(huge.reporter.Errors()[0].rfind("The AVI file would need 286102326 MB, but only ", 0), 0u)
      << huge.reporter.Errors()[0];
  EXPECT_FALSE(PathExists(huge.settings.output_path));
}

TEST(AviCompile, EndsEarlyOnAnAnswerAnEmptyListOrAnUnwritableFile) {
  CompileRig declined = OneRow();
  WriteWholeFile(declined.settings.output_path, "keep me");
  declined.reporter.answers = {false};
  EXPECT_EQ(declined.Run().outcome, CompileOutcome::kOverwriteDeclined);
  EXPECT_EQ(declined.reporter.Texts(), (std::vector<std::string>{"Output file name already exists. Overwrite?"}));
  EXPECT_EQ(declined.host.output_choices, 1);
  EXPECT_EQ(declined.host.entered, 0);
  EXPECT_EQ(ReadWholeFile(declined.settings.output_path).size(), 7u);

  // Every picture gone: logged, reported, and the old output left alone.
  CompileRig empty;
  empty.list.AddPath(empty.Path("gone.bmp"));
  WriteWholeFile(empty.settings.output_path, "keep me");
  EXPECT_EQ(empty.Run().outcome, CompileOutcome::kListEmpty);
  EXPECT_EQ(empty.reporter.Errors().back(),
            "AVI Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
            "found.\n\n- SaveAsAVI()");
  EXPECT_TRUE(FileExists(empty.Path("deleted.log")));
  EXPECT_EQ(ReadWholeFile(empty.settings.output_path).size(), 7u);
  EXPECT_EQ(empty.host.left, 1);

  CompileRig unwritable = OneRow();
  unwritable.settings.output_path = unwritable.Path("no/such/folder/out.avi");
  EXPECT_EQ(unwritable.Run().outcome, CompileOutcome::kFailed);
  EXPECT_EQ(unwritable.reporter.Errors(),
            (std::vector<std::string>{
                "Error creating AVI file. Please make sure file name is not already in use by another program."}));
  EXPECT_EQ(unwritable.progress.progress_texts.back(), "0% - Creating AVI - ERROR.");
  EXPECT_EQ(unwritable.progress.remembered, "Preparing AVI file... - ERROR. Unable to create AVI file.");
}

TEST(AviCompile, AFittingFailureWritesTheBackgroundAlone) {
  CompileRig rig;
  rig.settings.resize_method = ResizeMethod::kSmooth;  // an empty picture cannot be resampled smoothly
  rig.settings.background_picture = test::MakeSolid(3, 3, Rgb{200, 40, 90});
  WriteWholeFile(rig.Path("damaged.bmp"), "BM this is no bitmap");
  rig.list.AddPath(rig.Path("damaged.bmp"));
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(rig.reporter.Errors().back(), "Error adjusting image to fit.\nGetAspectedImage()");
  EXPECT_EQ(test::FirstDifference(FrameOf(rig.settings.output_path, 0), test::MakeSolid(32, 24, Rgb{200, 40, 90})),
            "");
}

TEST(AviCompile, RowsWithTheirOwnDisplayTimeGetTheirFrames) {
  CompileRig rig;
  rig.settings.frames_per_second = 25;
  rig.settings.repeat_value = 10;
  const char* times[] = {"1", "0.5", "", "0.04"};   // 25, 12, 10 and 1 frames
  for (const char* time : times) {
    rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
    rig.list.SetCellAdding(rig.list.LastRow(), kDisplayTimeColumn, time);
  }
  const CompileResult result = rig.Run();
  ASSERT_EQ(result.outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(result.total_frames, 48);
  EXPECT_EQ(result.frames_written, 48);
  EXPECT_EQ(VideoFrames(rig.settings.output_path), 48u);
}

}  // namespace
}  // namespace sf
