#include "project/project_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "common/file_util.h"
#include "project/project_reader.h"
#include "project/project_state.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

// Two pictures with the start settings and an output file of 21 characters.
ProjectRecord TwoPictures() {
  ProjectRecord record;
  record.list.AddPath("D:\\Pics\\beach1.jpg");
  record.list.AddPath("D:\\Pics\\beach2.jpg");
  record.output_path = "D:\\Videos\\holiday.avi";
  return record;
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(ProjectWriter, WritesTheWorkedExampleByteForByte) {
  const std::string expected =
      "Slideforge_Project version1.0\r\n"
      "4 2\r\n"
      "15 378 0 0 \r\n"
      "1 1 0 0 1 <100><0:00> reserved2 reserved3 reserved4 \r\n"
      "0 5 29.97 720 480 1 0.0333667000333667 reserved5 reserved6 \r\n"
      "0 6 (none) 21 D:\\Videos\\holiday.avi 0  reserved7 reserved8 \r\n"
      "0  18 D:\\Pics\\beach1.jpg 0  0  \r\n"
      "0  18 D:\\Pics\\beach2.jpg 0  0  \r\n";
  EXPECT_EQ(FormatProject(TwoPictures()), expected);

  // Saved and opened again, it writes the same bytes.
  const std::string path = test::MakeTempDir() + "/holiday.sfg";
  ProjectState state;
  state.SaveAsChosen(path);
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  ASSERT_TRUE(SaveProject(TwoPictures(), state, reporter, progress));
  EXPECT_EQ(ReadText(path), expected);
  const std::optional<ProjectRecord> opened = OpenProjectFile(path, reporter, progress);
  ASSERT_TRUE(opened);
  EXPECT_EQ(FormatProject(*opened), expected);
}

TEST(ProjectWriter, TheOptimisedGifTakesTheSecondFillerWordOfLine4) {
  ProjectRecord record = TwoPictures();
  record.avi_output = false;
  record.gif_optimise = true;
  const std::string text = FormatProject(record);
  EXPECT_NE(text.find("\r\n1 1 0 0 1 <000><0:00> reserved2 gif-optimise reserved4 \r\n"), std::string::npos);
  const ProjectRecord back = ParseProject(text);
  EXPECT_TRUE(back.gif_optimise);
  EXPECT_TRUE(SettingsFromRecord(back).gif_optimise);
  EXPECT_EQ(FormatProject(back), text);

  // Without it, and for any other word there, the classic GIF.
  record.gif_optimise = false;
  const std::string classic = FormatProject(record);
  EXPECT_NE(classic.find("<000><0:00> reserved2 reserved3 reserved4 \r\n"), std::string::npos);
  EXPECT_FALSE(ParseProject(classic).gif_optimise);
  std::string other = text;
  other.replace(other.find("gif-optimise"), 12, "gif-optimised");
  EXPECT_FALSE(ParseProject(other).gif_optimise);

  // With the MP4 and WebM encoding in the first filler, each keeps its own.
  record.gif_optimise = true;
  record.video_encoding = VideoEncoding{18, 5};
  const std::string both = FormatProject(record);
  EXPECT_NE(both.find("<000><0:00> <18:medium> gif-optimise reserved4 \r\n"), std::string::npos);
  const ProjectRecord both_back = ParseProject(both);
  EXPECT_TRUE(both_back.gif_optimise);
  EXPECT_EQ(both_back.video_encoding, (VideoEncoding{18, 5}));
  EXPECT_EQ(FormatProject(both_back), both);
}

TEST(ProjectWriter, TransitionsInTheVideoTakeTheFirstFillerWordOfLine5) {
  ProjectRecord record = TwoPictures();
  record.list.SetCell(1, kTransitionColumn, "4");
  record.show_transitions = true;
  record.transition_seconds = 1.5;
  const std::string text = FormatProject(record);
  EXPECT_NE(text.find(" 0.0333667000333667 <transitions:1.5> reserved6 \r\n"), std::string::npos);
  const ProjectRecord back = ParseProject(text);
  EXPECT_TRUE(back.show_transitions);
  EXPECT_EQ(SettingsFromRecord(back).transition_seconds, 1.5);
  EXPECT_EQ(FormatProject(back), text);

  // Off it is the filler; a damaged word or an unusable time leaves them off.
  record.show_transitions = false;
  EXPECT_NE(FormatProject(record).find(" reserved5 reserved6 \r\n"), std::string::npos);
  for (const char* word : {"<transitions:>", "<transitions:0>", "<transitions:-2>", "<transitions:1e9>",
                           "<transitions:abc>", "<transitions:2", "transitions:2>"}) {
    std::string other = text;
    other.replace(other.find("<transitions:1.5>"), 17, word);
    const ProjectRecord read = ParseProject(other);
    EXPECT_FALSE(read.show_transitions) << word;
    EXPECT_EQ(read.transition_seconds, kDefaultTransitionSeconds) << word;
  }
}

TEST(ProjectWriter, CountsBytesAndKeepsNumberFieldsOneWord) {
  ProjectRecord record = TwoPictures();
  record.list.SetCell(1, kPathColumn, "/home/ann/Café.jpg");  // é is two bytes
  record.frames_per_second = "";                           // an edit left empty
  const std::string text = FormatProject(record);
  EXPECT_NE(text.find("0  19 /home/ann/Café.jpg 0  0  \r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n0 5 29.97 720 480 1 "), std::string::npos);
}

TEST(ProjectWriter, SavingShowsProgressEveryFiveRowsAndClearsTheFlag) {
  const std::string path = test::MakeTempDir() + "/trip.sfg";
  ProjectRecord record;
  for (int i = 0; i < 11; ++i) record.list.AddPath("/p/" + std::to_string(i) + ".jpg");
  ProjectState state;
  state.SetModified();
  state.SaveAsChosen(path);
  test::RecordingReporter reporter;
  test::RecordingProgress progress;

  ASSERT_TRUE(SaveProject(record, state, reporter, progress));
  EXPECT_EQ(ReadText(path), FormatProject(record));
  EXPECT_EQ(progress.progress_texts, (std::vector<std::string>{
                                         "0% - complete. Saving path 0 of 10",
                                         "50% - complete. Saving path 5 of 10",
                                         "100% - complete. Saving path 10 of 10",
                                         "100% - complete. Saving finished.",
                                     }));
  EXPECT_EQ(progress.remembered, "Project saved successfully.");
  EXPECT_FALSE(state.Modified());
  EXPECT_TRUE(state.SaveEnabled());
  EXPECT_EQ(state.Title(), "Slideforge - " + path);
}

TEST(ProjectWriter, AReadOnlyFileIsReplacedOnlyWhenThePersonAgrees) {
  const std::string path = test::MakeTempDir() + "/locked.sfg";
  WriteWholeFile(path, "old");
  chmod(path.c_str(), 0444);
  ProjectState state;
  state.SaveAsChosen(path);
  test::RecordingReporter reporter;
  test::RecordingProgress progress;

  reporter.answers = {false};
  EXPECT_FALSE(SaveProject(TwoPictures(), state, reporter, progress));
  EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{
                                  "The project file being saved is read-only. Do you want Slideforge.exe to make "
                                  "this file write able?",
                                  "Project NOT saved.",
                              }));
  EXPECT_EQ(ReadText(path), "old");

  reporter.answers = {true};
  EXPECT_TRUE(SaveProject(TwoPictures(), state, reporter, progress));
  EXPECT_EQ(ReadText(path), FormatProject(TwoPictures()));
}

TEST(ProjectWriter, AFailedWriteLeavesThePreviousFile) {
  // A name so long that the temporary file beside it cannot be made.
  const std::string path = test::MakeTempDir() + "/" + std::string(250, 'p') + ".sfg";
  WriteWholeFile(path, "previous");
  ProjectState state;
  state.SaveAsChosen(path);
  test::RecordingReporter reporter;
  test::RecordingProgress progress;

  EXPECT_FALSE(SaveProject(TwoPictures(), state, reporter, progress));
  EXPECT_EQ(reporter.Errors(),
            (std::vector<std::string>{"Project was not saved. Please make sure the disk is not write protected."}));
  EXPECT_EQ(ReadText(path), "previous");
  EXPECT_TRUE(state.SaveEnabled()) << "Save Project is back as it was";
}

}  // namespace
}  // namespace sf
