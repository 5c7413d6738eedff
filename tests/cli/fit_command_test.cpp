// slideforge fit, run as a separate program: the placement it prints, the frame
// it writes, its options and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "image/bmp_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class FitCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = test::MakeTempDir();
    WriteBmpFile(test::MakeSolid(1000, 500, Rgb{255, 0, 0}), Path("wide.bmp"));
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  int Run(const std::string& in, const std::string& options, std::string* out = nullptr) const {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' fit '" + Path(in) + "' '" + Path("out.bmp") + "' " +
                                options + " 2>/dev/null",
                            out);
  }

  std::string m_dir;
};

TEST_F(FitCommand, PrintsThePlacementAndWritesTheFrame) {
  std::string out;
  ASSERT_EQ(Run("wide.bmp", "--size 720x480", &out), 0);
  EXPECT_EQ(out, "picture 720x360 at (0, 60) in frame 720x480\n");
  const Bitmap frame = ReadPicture(Path("out.bmp"), nullptr);
  EXPECT_EQ(frame.Width(), 720);
  EXPECT_EQ(frame.Height(), 480);
  EXPECT_EQ(frame.Format(), PixelFormat::kBits24);
  EXPECT_EQ(frame.PixelColor(0, 59), (Rgb{0, 0, 0})) << "the default background is black";
  EXPECT_EQ(frame.PixelColor(0, 60), (Rgb{255, 0, 0}));
}

TEST_F(FitCommand, OptionsReachTheFitting) {
  WriteBmpFile(test::MakeSolid(2, 2, Rgb{255, 255, 255}), Path("white.bmp"));
  std::string out;
  ASSERT_EQ(Run("wide.bmp", "--size 720x480 --border 10,5 --smooth --depth 8 --background '" + Path("white.bmp") + "'",
                &out),
            0);
  EXPECT_EQ(out, "picture 648x324 at (36, 78) in frame 720x480\n");
  const Bitmap frame = ReadPicture(Path("out.bmp"), nullptr);
  EXPECT_EQ(frame.Format(), PixelFormat::kBits8);
  EXPECT_EQ(frame.PixelColor(0, 0), (Rgb{255, 255, 255}));

  ASSERT_EQ(Run("wide.bmp", "--size 720x480 --no-aspect", &out), 0);
  EXPECT_EQ(out, "picture 720x480 at (0, 0) in frame 720x480\n");
  WriteBmpFile(test::MakeSolid(320, 240, Rgb{0, 0, 255}), Path("small.bmp"));
  ASSERT_EQ(Run("small.bmp", "--size 720x480 --no-zoom", &out), 0);
  EXPECT_EQ(out, "picture 320x240 at (200, 120) in frame 720x480\n");
}

TEST_F(FitCommand, UsageErrorsAndFailedLoads) {
  EXPECT_EQ(Run("wide.bmp", ""), 2) << "--size is required";
  EXPECT_EQ(Run("wide.bmp", "--size 720x480 --depth 16"), 2);
  EXPECT_EQ(Run("wide.bmp", "--size 720x480 --border 100,0"), 2);
  EXPECT_EQ(Run("missing.bmp", "--size 720x480"), 1);
  EXPECT_EQ(Run("wide.bmp", "--size 720x480 --background '" + Path("missing.jpg") + "'"), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("out.bmp")));
}

}  // namespace
}  // namespace sf
