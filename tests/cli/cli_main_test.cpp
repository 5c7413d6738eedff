#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/corpus.h"

namespace sf::cli {
namespace {

TEST(CliMain, OneProjectFileStartsTheWindowAndEverythingElseIsACommand) {
  using Words = std::vector<std::string>;
  EXPECT_TRUE(IsProjectToOpen(Words{"show.sfg"}));
  EXPECT_TRUE(IsProjectToOpen(Words{"/home/me/My Show.SFG"}));
  EXPECT_FALSE(IsProjectToOpen(Words{".sfg"}));
  EXPECT_FALSE(IsProjectToOpen(Words{"compile", "show.sfg"}));
  EXPECT_FALSE(IsProjectToOpen(Words{"show.sfg", "--yes"}));
  EXPECT_FALSE(IsProjectToOpen(Words{"show.avi"}));
}

TEST(CliMain, VersionIsPrinted) {
  std::ostringstream out;
  std::streambuf* old = std::cout.rdbuf(out.rdbuf());
  const int status = sf::cli::Run(std::vector<std::string>{"--version"});
  std::cout.rdbuf(old);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.str(), "slideforge " SLIDEFORGE_VERSION "\n");
}

// A job starts without the windows' or the video encoders' libraries (they
// cost tens of milliseconds at every start); their plugins bring them in.
TEST(CliMain, TheBinaryLoadsNeitherQtNorFfmpegUntilTheyAreNeeded) {
  const char* binary = std::getenv("SLIDEFORGE_BINARY");
  ASSERT_NE(binary, nullptr);
  std::string needed;
  ASSERT_EQ(test::RunCommand(std::string("readelf -d '") + binary + "' | grep NEEDED", &needed), 0);
  EXPECT_NE(needed.find("libjpeg"), std::string::npos) << needed;
  EXPECT_EQ(needed.find("libQt6"), std::string::npos) << needed;
  EXPECT_EQ(needed.find("libav"), std::string::npos) << needed;

  const std::string folder = std::string(binary).substr(0, std::string(binary).rfind('/'));
  std::string plugins;
  test::RunCommand("readelf -d '" + folder + "/slideforge-ffmpeg.so' '" + folder + "/slideforge-desktop.so'", &plugins);
  EXPECT_NE(plugins.find("libavcodec"), std::string::npos);
  EXPECT_NE(plugins.find("libQt6Widgets"), std::string::npos);
}

}  // namespace
}  // namespace sf::cli
