// slideforge info, run as a separate program: one line per picture that loads,
// the loader's messages on stderr for the others, and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "image/jpeg_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class InfoCommand : public ::testing::Test {
 protected:
  void SetUp() override { m_dir = test::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  int Run(const std::string& words, std::string* out, const std::string& redirect = "2>/dev/null") const {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' info " + words + " " + redirect, out);
  }

  std::string m_dir;
};

TEST_F(InfoCommand, OneLinePerPictureAndTheLoadersMessagesForTheOthers) {
  WriteBmpFile(test::MakeGradient(9, 7, PixelFormat::kBits8), Path("a.bmp"));
  WriteJpegFile(test::MakeGradient(20, 10), Path("b.gif"), 80);  // JFIF content wins over the name
  WriteWholeFile(Path("Bad.BMP"), "not a picture");
  const std::string words = "'" + Path("a.bmp") + "' '" + Path("Bad.BMP") + "' '" + Path("b.gif") + "'";
  std::string out;
  EXPECT_EQ(Run(words, &out), 1);
  EXPECT_EQ(out, Path("a.bmp") + "\tBitmap\t9x7\t8\n" + Path("b.gif") + "\tJPEG\t20x10\t24\n");

  std::string messages;
  EXPECT_EQ(Run("'" + Path("Bad.BMP") + "'", &messages, "2>&1 >/dev/null"), 1);
  EXPECT_EQ(messages, "Not a BMP file\nError loading image file '" + ToLowerAscii(Path("Bad.BMP")) +
                          "'\n\nLoadImage()\n");
  EXPECT_EQ(Run("", &messages), 2) << "no picture given";
  EXPECT_EQ(Run("'" + Path("a.bmp") + "'", &out), 0);
}

}  // namespace
}  // namespace sf
