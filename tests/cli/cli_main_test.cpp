#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

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

}  // namespace
}  // namespace sf::cli
