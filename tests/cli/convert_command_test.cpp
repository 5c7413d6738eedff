// slideforge convert, run as a separate program: the files it writes, the
// closing line, and the exit status of a run that stopped or wrote nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class ConvertCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = test::MakeTempDir();
    WriteBmpFile(test::MakeGradient(100, 50), m_dir + "/wide.bmp");
    WriteBmpFile(test::MakeGradient(30, 60, PixelFormat::kBits8), m_dir + "/tall.BMP");
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  int Run(const std::string& arguments, std::string* output) {
    return test::RunCommand("cd '" + m_dir + "' && '" + test::SlideforgeBinary() + "' convert " + arguments + " 2>&1",
                            output);
  }
  Bitmap Read(const std::string& name, std::string* kind = nullptr) {
    return ReadPicture(m_dir + "/out/" + name, kind);
  }

  std::string m_dir;
};

TEST_F(ConvertCommand, ResizesAndWritesTheChosenFormat) {
  std::string output;
  ASSERT_EQ(Run("wide.bmp tall.BMP --out out --format jpg --size 40x40 --aspect 1 --smooth --quality 80 "
                "--effects '1<Brighter=20>'",
                &output),
            0)
      << output;
  EXPECT_EQ(output, "100% - 2 of 2 processed. 0 skipped.\n");
  std::string kind;
  const Bitmap wide = Read("wide.jpg", &kind);
  EXPECT_EQ(kind, "JPEG");
  EXPECT_EQ(wide.Width(), 40);
  EXPECT_EQ(wide.Height(), 20);
  EXPECT_EQ(Read("tall.jpg").Width(), 19);  // 40 / 60 as a double lies just below 2 / 3

  // Same type kept, depth forced, postfix names for the existing files.
  ASSERT_EQ(Run("wide.bmp tall.BMP --out out --depth 4 --if-exists postfix", &output), 0) << output;
  EXPECT_EQ(Read("wide.bmp").Format(), PixelFormat::kBits4);
  EXPECT_EQ(Read("tall.BMP").Width(), 30);
  ASSERT_EQ(Run("wide.bmp --out out --if-exists postfix", &output), 0);
  EXPECT_EQ(Read("wide_New.bmp").Format(), PixelFormat::kBits24);
  ASSERT_EQ(Run("wide.bmp --out out --format gif --name pre_", &output), 0);
  EXPECT_EQ(Read("wide.gif").Format(), PixelFormat::kBits8);
  if (test::HaveProgram("identify")) {
    std::string identified;
    test::RunCommand("identify -format '%m %w %h' '" + m_dir + "/out/wide.gif'", &identified);
    EXPECT_EQ(identified, "GIF 100 50");
  }
}

TEST_F(ConvertCommand, StoppedOrEmptyRunsAndUsageErrorsFail) {
  std::string output;
  ASSERT_EQ(Run("wide.bmp --out out", &output), 0);
  EXPECT_EQ(Run("wide.bmp --out out --if-exists abort", &output), 1);
  EXPECT_EQ(output, "Process aborted to avoid file overwrite of file name:\n\n" + m_dir + "/out/wide.bmp\n");
  EXPECT_EQ(Run("wide.bmp --out out --if-exists skip", &output), 1);
  EXPECT_EQ(output, "100% - 1 of 1 processed. 1 skipped.\n");
  EXPECT_EQ(Run("missing.bmp --out out", &output), 1);
  EXPECT_NE(output.find("Image list is now empty after validating files."), std::string::npos);

  EXPECT_EQ(Run("wide.bmp", &output), 2);
  EXPECT_EQ(Run("wide.bmp --out out --format png", &output), 2);
  EXPECT_EQ(Run("wide.bmp --out out --format jpg --depth 8", &output), 2);
  EXPECT_EQ(Run("wide.bmp --out out --aspect 4", &output), 2);
  EXPECT_EQ(Run("wide.bmp --out out --size 0x10", &output), 2);
  EXPECT_EQ(Run("wide.bmp --out out --quality 101", &output), 2);
}

}  // namespace
}  // namespace sf
