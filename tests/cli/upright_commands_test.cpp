// The commands on a phone photo stored sideways: compile turns the frames as
// the project's upright setting says, info reports the size the photo shows
// at, and make and convert turn it unless told --no-auto-orient.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "avi/avi_reader.h"
#include "common/file_util.h"
#include "image/bitmap_orientation.h"
#include "image/bmp_writer.h"
#include "image/jpeg_reader.h"
#include "image/jpeg_writer.h"
#include "loader/load_image.h"
#include "project/project_writer.h"
#include "support/corpus.h"
#include "support/exif_jpeg.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

constexpr int kFrameWidth = 96;
constexpr int kFrameHeight = 64;

class UprightCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = test::MakeTempDir();
    Bitmap picture = test::MakeGradient(36, 24);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 9; ++x) picture.SetPixelColor(x, y, Rgb{255, 255, 255});
    }
    const std::vector<std::uint8_t> plain = EncodeJpeg(picture, 92);
    m_stored = DecodeJpeg(plain);
    const auto sideways = test::WithExifOrientation(plain, 6, test::ByteOrder::kMotorola);
    WriteWholeFile(m_dir + "/sideways.jpg", std::string(sideways.begin(), sideways.end()));
  }

  // Compiles a one-row project and returns its first frame.
  Bitmap FirstFrame(const std::string& picture, bool upright) {
    ProjectRecord record;
    record.list.AddPath(picture);
    record.frame_width = kFrameWidth;
    record.frame_height = kFrameHeight;
    record.output_path = m_dir + "/show.avi";
    record.upright = upright;
    const std::string project = m_dir + "/show.sfg";
    WriteWholeFile(project, FormatProject(record));
    std::string output;
    EXPECT_EQ(test::RunCommand("'" + test::SlideforgeBinary() + "' compile '" + project + "' --yes 2>&1 </dev/null",
                               &output),
              0)
        << output;
    test::RecordingReporter reporter;
    AviReader reader(reporter);
    EXPECT_TRUE(reader.InitAvi(record.output_path));
    Bitmap frame(kFrameWidth, kFrameHeight);
    reader.GetFrame(frame, kFrameWidth, kFrameHeight, 0);
    return frame;
  }

  // The first frame of a one-picture show made straight from the picture.
  Bitmap MadeFrame(const std::string& picture, const std::string& options) {
    const std::string avi = m_dir + "/made.avi";
    std::string output;
    EXPECT_EQ(test::RunCommand("'" + test::SlideforgeBinary() + "' make '" + picture + "' -o '" + avi +
                                   "' --size 96x64 --seconds 0.04 --transition none --yes " + options +
                                   " 2>&1 </dev/null",
                               &output),
              0)
        << output;
    test::RecordingReporter reporter;
    AviReader reader(reporter);
    EXPECT_TRUE(reader.InitAvi(avi));
    Bitmap frame(kFrameWidth, kFrameHeight);
    reader.GetFrame(frame, kFrameWidth, kFrameHeight, 0);
    return frame;
  }

  std::string m_dir;
  Bitmap m_stored;
};

TEST_F(UprightCommandsTest, TheProjectsSettingTurnsTheFrames) {
  // The same pixels turned beforehand and stored as a BMP give the frame an
  // upright compile must show.
  WriteBmpFile(OrientBitmap(m_stored, ExifOrientation::kRotate90), m_dir + "/turned.bmp");
  WriteBmpFile(m_stored, m_dir + "/stored.bmp");
  const Bitmap turned = FirstFrame(m_dir + "/turned.bmp", true);
  const Bitmap as_stored = FirstFrame(m_dir + "/stored.bmp", true);
  ASSERT_FALSE(test::SamePixels(turned, as_stored));

  EXPECT_EQ(test::FirstDifference(FirstFrame(m_dir + "/sideways.jpg", true), turned), "");
  EXPECT_EQ(test::FirstDifference(FirstFrame(m_dir + "/sideways.jpg", false), as_stored), "");
}

TEST_F(UprightCommandsTest, InfoReportsTheUprightSize) {
  std::string output;
  ASSERT_EQ(test::RunCommand("'" + test::SlideforgeBinary() + "' info '" + m_dir + "/sideways.jpg'", &output), 0);
  EXPECT_EQ(output, m_dir + "/sideways.jpg\tJPEG\t24x36\t24\n");
}

TEST_F(UprightCommandsTest, ConvertTurnsUnlessToldNot) {
  const std::string slideforge = "'" + test::SlideforgeBinary() + "' convert '" + m_dir + "/sideways.jpg' --out '" +
                                 m_dir + "/out' --format bmp --if-exists overwrite";
  std::string output;
  ASSERT_EQ(test::RunCommand(slideforge + " 2>&1", &output), 0) << output;
  EXPECT_EQ(test::FirstDifference(ReadPicture(m_dir + "/out/sideways.bmp", nullptr),
                                  OrientBitmap(m_stored, ExifOrientation::kRotate90)),
            "");
  ASSERT_EQ(test::RunCommand(slideforge + " --no-auto-orient 2>&1", &output), 0) << output;
  EXPECT_EQ(test::FirstDifference(ReadPicture(m_dir + "/out/sideways.bmp", nullptr), m_stored), "");
}

TEST_F(UprightCommandsTest, MakeTurnsUnlessToldNotAndSavesTheChoice) {
  WriteBmpFile(OrientBitmap(m_stored, ExifOrientation::kRotate90), m_dir + "/turned.bmp");
  WriteBmpFile(m_stored, m_dir + "/stored.bmp");
  const Bitmap turned = MadeFrame(m_dir + "/turned.bmp", "");
  ASSERT_FALSE(test::SamePixels(turned, MadeFrame(m_dir + "/stored.bmp", "")));
  EXPECT_EQ(test::FirstDifference(MadeFrame(m_dir + "/sideways.jpg", "--save-project '" + m_dir + "/on.sfg'"), turned),
            "");
  EXPECT_EQ(test::FirstDifference(MadeFrame(m_dir + "/sideways.jpg", "--no-auto-orient --save-project '" + m_dir +
                                                                         "/off.sfg'"),
                                  MadeFrame(m_dir + "/stored.bmp", "")),
            "");
  const auto line_4_says_upright = [](const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end()).find(" upright \r\n") != std::string::npos;
  };
  EXPECT_TRUE(line_4_says_upright(m_dir + "/on.sfg"));
  EXPECT_FALSE(line_4_says_upright(m_dir + "/off.sfg"));
}

}  // namespace
}  // namespace sf
