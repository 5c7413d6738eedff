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

// A GIF whose screen is 0 pixels wide loads, but no frame can show it.
TEST_F(InfoCommand, AnEmptyPictureIsToldApart) {
  const std::string gif = Path("zero.gif");
  WriteWholeFile(gif, std::string("GIF89a\x00\x00\x74\x01\x80\x00\x00"
                                  "\x00\x00\x00\xff\xff\xff"
                                  "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                                  36));
  std::string out;
  EXPECT_EQ(Run("'" + gif + "'", &out, "2>&1"), 1);
  EXPECT_EQ(out, gif + "\tGIF\t0x372\t8\n" + gif +
                     ": the picture is empty (0 pixels wide or high) and cannot be fitted onto a frame; an AVI "
                     "compile shows the background alone in its place and a GIF compile stops.\n");
}

}  // namespace
}  // namespace sf
