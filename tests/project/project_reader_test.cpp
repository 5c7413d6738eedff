#include "project/project_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/file_util.h"
#include "common/format_error.h"
#include "project/project_writer.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

using ::testing::AnyOf;
using ::testing::EndsWith;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

constexpr char kHead[] =
    "Slideforge_Project version1.0\r\n4 1\r\n15 378 0 0 \r\n";
constexpr char kTimingAndPaths[] =
    "0 5 29.97 720 480 1 0.0333667000333667 reserved5 reserved6 \r\n"
    "0 6 (none) 8 /out.avi 0  reserved7 reserved8 \r\n"
    "0  6 /a.jpg 0  0  \r\n";

// A one-row project whose line 4 is given.
std::string WithOptionsLine(const std::string& line) { return kHead + line + "\r\n" + kTimingAndPaths; }

std::string ErrorOf(const std::string& text) {
  try {
    ParseProject(text);
  } catch (const FormatError& error) {
    return error.what();
  }
  return "(read without error)";
}

TEST(ProjectReader, ReadsBackWhatWasWritten) {
  ProjectRecord record;
  record.list.SetColumnCount(6);
  record.column_widths = {15, 378, 0, 0, 7, 8};
  record.list.AddPath("/pics/two words.jpg");
  record.list.SetCell(0, kEffectsColumn, "2<Brighter=50><Blur Gaussian=3>");
  record.list.SetCell(0, 5, "line\r\nbreak");
  record.list.AddPath("/pics/b.jpg");
  record.maintain_aspect = false;
  record.border_width = 10;
  record.avi_output = false;
  record.open_file_when_finished = true;
  record.resize_method = 1;
  record.gif_loops = 65536;
  record.gif_transparency = 2;
  record.gif_disposal = 1;
  record.include_audio = true;
  record.media_type = 0;
  record.frames_per_second = "12.5";
  record.audio_path = "/snd/a b.wav";
  record.background_path = "/back.jpg";
  // The writer writes every field, so a record read back whole writes the same text.
  EXPECT_EQ(FormatProject(ParseProject(FormatProject(record))), FormatProject(record));

  record.repeat_seconds = "0.033366700033366700033366700033367";
  const ProjectRecord back = ParseProject(FormatProject(record));
  EXPECT_EQ(back.repeat_seconds, "0.0333667000333667");

  const CompileSettings settings = SettingsFromRecord(back);
  EXPECT_EQ(settings.frames_per_second, 12.5);
  EXPECT_EQ(settings.resize_method, ResizeMethod::kSmooth);
  EXPECT_EQ(settings.gif_loops, 65536);
}

TEST(ProjectReader, RefusesOtherHeadersAndVersions) {
  EXPECT_EQ(ErrorOf("slideforge_project version1.0\r\n"),
            "This file is not a valid Slideforge project. File not opened.");
  EXPECT_EQ(ErrorOf("Slideforge_Project version2.0\r\n4 1\r\n"),
            "This project file is version2.0 This release of Slideforge can only read version 1.0. File not opened.");
}

TEST(ProjectReader, OutOfRangeIndicesFallBackToZero) {
  ProjectRecord record = ParseProject(WithOptionsLine("1 1 0 0 2 <125><7:32> r r r"));
  EXPECT_EQ(record.pixel_format + record.resize_method + record.gif_transparency + record.gif_disposal, 0);

  std::string text = WithOptionsLine("1 1 150 0 1 <100><0:00> r r r");
  text.replace(text.find("0 5 29.97"), 9, "0 9 29.97");
  record = ParseProject(text);
  EXPECT_EQ(record.media_type, 0);
  EXPECT_EQ(record.border_width, 99) << "the border keeps within its field's range";

  // A filler word where the groups stand: AVI, not opened when finished, standard resize.
  record = ParseProject(WithOptionsLine("1 1 0 0 1 reserved1 reserved2 reserved3 reserved4"));
  EXPECT_FALSE(record.has_groups);
  EXPECT_TRUE(record.avi_output && !record.open_file_when_finished);
}

TEST(ProjectReader, StopsAtTheFirstDamagedField) {
  EXPECT_EQ(ErrorOf(WithOptionsLine("1 1 0 0 1 <1x0><0:00> r r r")),
            "Project file is damaged: the output and GIF settings on line 4 are not readable.");
  EXPECT_EQ(ErrorOf(WithOptionsLine("1 one 0 0 1 <100><0:00> r r r")),
            "Project file is damaged: the zoom setting on line 4 is not a number.");
  // Counts that the rest of the file cannot hold are refused before anything is made.
  EXPECT_EQ(ErrorOf("Slideforge_Project version1.0\r\n4 99999999\r\n15 378 0 0 \r\n"),
            "Project file is damaged: the row count on line 2 is out of range.");
  std::string huge = WithOptionsLine("1 1 0 0 1 <100><0:00> r r r");
  huge.replace(huge.find("6 /a.jpg"), 1, "99999999999999");
  EXPECT_EQ(ErrorOf(huge), "Project file is damaged: the cell text at row 1 has an impossible length.");
}

TEST(ProjectReader, EveryCutShortFileFailsCleanly) {
  ProjectRecord record;
  for (const char* path : {"/p/one.jpg", "/p/two.jpg", "/p/three and more.jpg"}) record.list.AddPath(path);
  record.audio_path = "/snd/x.wav";
  const std::string text = FormatProject(record);

  // The last thing read is the separator of the last (empty) cell: its trailing
  // space and the CR LF may go, nothing before them.
  for (std::size_t length = 0; length + 3 < text.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THAT(
        [&] { (void)(ParseProject(text.substr(0, length))); },
        ThrowsMessage<FormatError>(AnyOf(EndsWith(" File not opened."), StartsWith("Project file is damaged: "))));
  }
  EXPECT_EQ(ParseProject(text.substr(0, text.size() - 3)).list.Path(2), "/p/three and more.jpg");
  EXPECT_EQ(ErrorOf(text.substr(0, text.find("three") + 3)),
            "Project file is damaged: the cell text at row 3 is cut short.");
}

TEST(ProjectReader, AnyChangedByteReadsOrFailsCleanly) {
  ProjectRecord record;
  record.list.AddPath("/p/a b.jpg");
  record.list.AddPath("/p/c.jpg");
  const std::string text = FormatProject(record);
  for (std::size_t at = 0; at < text.size(); ++at) {
    for (const char c : {'9', '-', ' ', '<', 'x', '\0'}) {
      std::string changed = text;
      changed[at] = c;
      try {
        EXPECT_GE(ParseProject(changed).list.RowCount(), 1) << changed;
      } catch (const FormatError&) {
      }
    }
  }
}

TEST(ProjectReader, OpeningReportsProgressAndRefusals) {
  const std::string dir = test::MakeTempDir();
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  EXPECT_FALSE(OpenProjectFile(dir + "/none.sfg", reporter, progress));
  EXPECT_EQ(reporter.Errors(),
            (std::vector<std::string>{"Unable to open project file. Please make sure the disk is accessible."}));

  const std::string one_row = dir + "/one.sfg";
  WriteWholeFile(one_row, WithOptionsLine("1 1 0 0 1 <100><0:00> r r r"));
  const auto record = OpenProjectFile(one_row, reporter, progress);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->output_path, "/out.avi");
  EXPECT_EQ(progress.progress_texts, (std::vector<std::string>{"50% - complete. Reading in image 1 of 1",
                                                               "100% - complete. Project opened."}));
}

}  // namespace
}  // namespace sf

namespace sf {
namespace {

// The video encoding lives in the first filler word, so a project without it
// (every older file) reads and writes byte for byte as before, and a reader
// that knows nothing of it skips it.
TEST(ProjectReader, TheVideoEncodingRidesInAFillerWord) {
  const std::string old_project = WithOptionsLine("1 1 0 0 1 <100><0:00> reserved2 reserved3 reserved4 ");
  const ProjectRecord old_record = ParseProject(old_project);
  EXPECT_EQ(old_record.video_encoding, VideoEncoding{});
  EXPECT_EQ(FormatProject(old_record), old_project);

  ProjectRecord record = old_record;
  record.video_encoding = {30, 7};
  const std::string text = FormatProject(record);
  EXPECT_NE(text.find("<100><0:00> <30:slower> reserved3 reserved4 \r\n"), std::string::npos) << text;
  const ProjectRecord back = ParseProject(text);
  EXPECT_EQ(back.video_encoding, (VideoEncoding{30, 7}));
  EXPECT_EQ(SettingsFromRecord(back).video_encoding, (VideoEncoding{30, 7}));
  EXPECT_EQ(FormatProject(back), text);

  for (const char* filler : {"<52:fast>", "<20:placebo>", "<x:fast>", "<20fast>", "<:>", "anything"}) {
    EXPECT_EQ(ParseProject(WithOptionsLine(std::string("1 1 0 0 1 <100><0:00> ") + filler + " r3 r4")).video_encoding,
              VideoEncoding{})
        << filler;
  }
}

// Turning photos upright rides in the third filler word: "upright" there is on,
// any other word (every older file) is off, and such a file saves again byte
// for byte, so the setting never changes what today's readers see.
TEST(ProjectReader, TheUprightSettingRidesInTheThirdFiller) {
  const std::string old_project = WithOptionsLine("1 1 0 0 1 <100><0:00> <30:slower> gif-optimise reserved4 ");
  const ProjectRecord old_record = ParseProject(old_project);
  EXPECT_FALSE(old_record.upright);
  EXPECT_FALSE(SettingsFromRecord(old_record).upright);
  EXPECT_EQ(FormatProject(old_record), old_project);

  ProjectRecord record = old_record;
  record.upright = true;
  const std::string text = FormatProject(record);
  EXPECT_NE(text.find("\r\n1 1 0 0 1 <100><0:00> <30:slower> gif-optimise upright \r\n"), std::string::npos) << text;
  const ProjectRecord back = ParseProject(text);
  EXPECT_TRUE(back.upright);
  EXPECT_TRUE(back.gif_optimise) << "the neighbouring words keep their meaning";
  EXPECT_EQ(back.video_encoding, (VideoEncoding{30, 7}));
  EXPECT_TRUE(SettingsFromRecord(back).upright);
  EXPECT_EQ(FormatProject(back), text);

  for (const char* filler : {"reserved4", "Upright", "upright2", "1", "r4"}) {
    EXPECT_FALSE(ParseProject(WithOptionsLine(std::string("1 1 0 0 1 <100><0:00> r2 r3 ") + filler)).upright)
        << filler;
  }
}

}  // namespace
}  // namespace sf
