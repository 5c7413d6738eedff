// The AVI compile end to end on small frames: what the file holds (read back
// with our reader and, where installed, ffprobe), the texts the window is
// given, the sound track, stopping, and every way it ends early.
#include <gtest/gtest.h>

#include <algorithm>

#include "avi/avi_file.h"
#include "avi/avi_reader.h"
#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "effects/apply_list_of_effects.h"
#include "image/fitting.h"
#include "image/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

AviFile ReadBack(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return ReadAviFile(bytes);
}

const AviStream* StreamOf(const AviFile& file, const std::string& type) {
  for (const auto& stream : file.streams) {
    if (stream && stream->header.type == type) return &*stream;
  }
  return nullptr;
}

std::size_t VideoFrames(const std::string& path) {
  const AviFile file = ReadBack(path);
  const AviStream* video = StreamOf(file, "vids");
  return video ? video->chunks.size() : 0;
}

// The picture as the compile must show it: loaded, given its effects, fitted.
Bitmap Expected(const std::string& path, const std::string& effects, const CompileSettings& s) {
  test::RecordingReporter quiet;
  Bitmap picture;
  LoadImage(picture, path, quiet);
  ApplyListOfEffects(picture, effects, quiet);
  EXPECT_EQ(GetAspectedImage(picture, s.background_picture, s.resize_method, s.zoom_in, s.maintain_aspect,
                             s.pixel_format, s.border_size_height, s.border_size_width, s.frame_height,
                             s.frame_width, quiet),
            0);
  return picture;
}

void ExpectDecodesCleanly(const std::string& path) {
  if (!test::HaveProgram("ffmpeg")) return;
  std::string errors;
  EXPECT_EQ(test::RunCommand("ffmpeg -v error -xerror -i '" + path + "' -f null - 2>&1", &errors), 0);
  EXPECT_EQ(errors, "");
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

    const std::vector<Bitmap> expected = {
        Expected(wide, "1<Invert Colors=1>", rig.settings), Expected(tall, "", rig.settings),
        Expected(tall, "", rig.settings), Expected(wide, "2<Brighter=60><Mosaic=3>", rig.settings)};
    ASSERT_FALSE(test::SamePixels(expected[0], Expected(wide, "", rig.settings)));  // the effect shows
    AviReader reader(rig.reporter);
    ASSERT_TRUE(reader.InitAvi(rig.settings.output_path));
    const auto info = reader.GetAviInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->length, 4u);
    EXPECT_EQ(info->rate, 2500000u);
    for (std::size_t k = 0; k < expected.size(); ++k) {
      Bitmap frame(32, 24);
      reader.GetFrame(frame, 32, 24, static_cast<std::int64_t>(k));
      EXPECT_EQ(test::FirstDifference(frame, expected[k]), "") << "frame " << k << ", " << static_cast<int>(depth);
    }
    EXPECT_TRUE(rig.reporter.Errors().empty());
    ExpectDecodesCleanly(rig.settings.output_path);
  }
}

TEST(AviCompile, ShowsProgressTitleCheckpointsAndTheEnd) {
  CompileRig rig;
  for (int i = 0; i < 20; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  const CompileResult result = rig.Run();
  EXPECT_EQ(result.outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(result.frames_written, 20);
  // Rows 1 and 15 are checkpoints; the last row is selected at the end.
  EXPECT_EQ(rig.host.selected, (std::vector<int>{1, 15, 19}));
  // The validation's progress comes first.
  const std::vector<std::string>& texts = rig.progress.progress_texts;
  EXPECT_NE(std::find(texts.begin(), texts.end(), "0% - Creating AVI"), texts.end());
  EXPECT_EQ(rig.progress.progress_texts.back(), "100% - Complete - 20 of 20 total frames.");
  EXPECT_EQ(rig.progress.percents.back(), 0);
  EXPECT_EQ(rig.progress.title, "100% Slideforge");
  EXPECT_EQ(rig.progress.remembered, "Process completed successfuly.");
  EXPECT_EQ(rig.host.entered, 1);
  EXPECT_EQ(rig.host.left, 1);
  // A validation that removed nothing during a compile says nothing.
  EXPECT_TRUE(rig.reporter.entries.empty());

  CompileRig fractional;
  fractional.settings.repeat_value = 1.5;
  for (int i = 0; i < 3; ++i) fractional.AddPicture("a.bmp", test::MakeGradient(8, 8));
  EXPECT_EQ(fractional.Run().frames_written, 4);
  EXPECT_EQ(fractional.progress.progress_texts.back(), "100% - Complete - 4 of 4 total frames.");
  EXPECT_EQ(VideoFrames(fractional.settings.output_path), 4u);
}

TEST(AviCompile, AddsTheSoundTrackWholeOrAsksWhenItCannot) {
  CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.include_audio = true;
  rig.settings.audio_path = rig.Path("tone.wav");
  const std::vector<std::uint8_t> wav = test::MakeWav(2, 44100, 16, 30000 * 4);
  WriteWholeFile(rig.settings.audio_path, std::string(wav.begin(), wav.end()));
  ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  const AviFile file = ReadBack(rig.settings.output_path);
  const AviStream* audio = StreamOf(file, "auds");
  ASSERT_NE(audio, nullptr);
  std::uint64_t bytes = 0;
  for (const auto& chunk : audio->chunks) bytes += chunk.size;
  EXPECT_EQ(bytes, 30000u * 4);  // written whole, though the video lasts 1/25 s
  EXPECT_EQ(audio->header.rate, 176400u);
  ExpectDecodesCleanly(rig.settings.output_path);

  const std::string question =
      "Error adding WAV file. Please make sure that the audio file is a valid PCM WAV file. \n- "
      "CompileBtnClick()\n\n Do you wish to continue without audio?";
  for (const bool go_on : {false, true}) {
    CompileRig damaged;
    damaged.AddPicture("a.bmp", test::MakeGradient(8, 8));
    damaged.settings.include_audio = true;
    damaged.settings.audio_path = damaged.Path("bad.wav");
    WriteWholeFile(damaged.settings.audio_path, "RIFF....WAVE not really");
    damaged.reporter.answers = {go_on};
    const CompileResult result = damaged.Run();
    ASSERT_EQ(damaged.reporter.entries.size(), 1u);
    EXPECT_EQ(damaged.reporter.entries[0].text, question);
    if (go_on) {
      EXPECT_EQ(result.outcome, CompileOutcome::kCompleted);
      EXPECT_EQ(StreamOf(ReadBack(damaged.settings.output_path), "auds"), nullptr);
    } else {
      EXPECT_EQ(result.outcome, CompileOutcome::kFailed);
      EXPECT_EQ(damaged.progress.remembered, "Error compiling AVI. Stopped due to invalid WAV audio file.");
      EXPECT_EQ(damaged.progress.progress_texts.back(), "0% - Creating AVI - ERROR");
      EXPECT_EQ(damaged.host.left, 1);
    }
  }

  // A sound track gone by compile time is dropped by the validation: no question.
  CompileRig gone;
  gone.AddPicture("a.bmp", test::MakeGradient(8, 8));
  gone.settings.include_audio = true;
  gone.settings.audio_path = gone.Path("gone.wav");
  EXPECT_EQ(gone.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(gone.reporter.Texts(), (std::vector<std::string>{
                                       "Audio file not found:\n" + gone.Path("gone.wav") +
                                       "\nAudio file will be removed from project."}));
  EXPECT_EQ(gone.settings.audio_path, "(none)");
  EXPECT_FALSE(gone.settings.include_audio);
}

TEST(AviCompile, StopAndCancelLeaveAShorterValidFile) {
  CompileRig rig;
  for (int i = 0; i < 4; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.repeat_value = 2;
  test::StopAfterFrames stopping(3);
  const CompileResult result = rig.Run(stopping);
  EXPECT_EQ(result.outcome, CompileOutcome::kStopped);
  EXPECT_EQ(result.frames_written, 3);
  EXPECT_EQ(stopping.remembered, "Process stopped by user.");
  EXPECT_EQ(stopping.percents.back(), 0);
  EXPECT_EQ(rig.host.left, 1);
  EXPECT_EQ(VideoFrames(rig.settings.output_path), 3u);
  ExpectDecodesCleanly(rig.settings.output_path);

  // At the checkpoint of row 1, after row 0's two frames.
  CompileRig checkpoint;
  for (int i = 0; i < 3; ++i) checkpoint.AddPicture("a.bmp", test::MakeGradient(8, 8));
  checkpoint.settings.repeat_value = 2;
  test::StopAtCheckpoint at_checkpoint(checkpoint.host);
  EXPECT_EQ(checkpoint.Run(at_checkpoint).outcome, CompileOutcome::kStopped);
  EXPECT_EQ(at_checkpoint.progress_texts.back(), "50% - Complete - 3 of 6 total frames.");
  EXPECT_EQ(at_checkpoint.remembered, "Process stopped by user.");
  EXPECT_EQ(VideoFrames(checkpoint.settings.output_path), 2u);
  ExpectDecodesCleanly(checkpoint.settings.output_path);

  CompileRig cancelled;
  cancelled.AddPicture("a.bmp", test::MakeGradient(8, 8));
  cancelled.chooser.emplace(std::nullopt);
  EXPECT_EQ(cancelled.Run().outcome, CompileOutcome::kStopped);
  EXPECT_EQ(cancelled.progress.remembered, "Process stopped by user.");
  EXPECT_EQ(VideoFrames(cancelled.settings.output_path), 0u);
}

TEST(AviCompile, EndsEarlyOnAnAnswerAnEmptyListOrAnUnwritableFile) {
  CompileRig declined;
  declined.AddPicture("a.bmp", test::MakeGradient(8, 8));
  WriteWholeFile(declined.settings.output_path, "keep me");
  declined.reporter.answers = {false};
  EXPECT_EQ(declined.Run().outcome, CompileOutcome::kOverwriteDeclined);
  EXPECT_EQ(declined.reporter.Texts(), (std::vector<std::string>{"Output file name already exists. Overwrite?"}));
  EXPECT_EQ(declined.host.output_choices, 1);
  EXPECT_EQ(declined.host.entered, 0);
  EXPECT_EQ(ReadWholeFile(declined.settings.output_path).size(), 7u);

  // Every picture gone: logged, reported, and the old output left alone.
  CompileRig empty;
  empty.list.AddPath(empty.Path("gone1.bmp"));
  empty.list.AddPath(empty.Path("gone2.bmp"));
  WriteWholeFile(empty.settings.output_path, "keep me");
  EXPECT_EQ(empty.Run().outcome, CompileOutcome::kListEmpty);
  EXPECT_EQ(empty.reporter.Errors().back(),
            "AVI Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
            "found.\n\n- SaveAsAVI()");
  const auto log = ReadWholeFile(empty.Path("deleted.log"));
  EXPECT_EQ(std::string(log.begin(), log.end()),
            "Total image file paths not found: 2\r\n\r\nList of image files deleted from project:\r\n\r\n" +
                empty.Path("gone1.bmp") + "\r\n" + empty.Path("gone2.bmp") + "\r\n");
  EXPECT_EQ(ReadWholeFile(empty.settings.output_path).size(), 7u);
  EXPECT_EQ(empty.host.left, 1);

  CompileRig unwritable;
  unwritable.AddPicture("a.bmp", test::MakeGradient(8, 8));
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
  const std::vector<std::string> errors = rig.reporter.Errors();
  EXPECT_EQ(errors.back(), "Error adjusting image to fit.\nGetAspectedImage()");

  AviReader reader(rig.reporter);
  ASSERT_TRUE(reader.InitAvi(rig.settings.output_path));
  Bitmap frame(32, 24);
  reader.GetFrame(frame, 32, 24, 0);
  EXPECT_EQ(test::FirstDifference(frame, test::MakeSolid(32, 24, Rgb{200, 40, 90})), "");
}

}  // namespace
}  // namespace sf
