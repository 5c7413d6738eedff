#include "project/reopen_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_util.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

std::vector<std::string> Entries(const ReopenHistory& history) {
  std::vector<std::string> entries;
  for (int slot = 0; slot < history.Count(); ++slot) entries.push_back(history.Caption(slot));
  return entries;
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(ReopenHistory, WritesTheFileFormat) {
  ReopenHistory history;
  history.Add("D:\\Work\\trip1.sfg");
  history.Add("D:\\Work\\trip2.sfg");
  EXPECT_EQ(history.Format(), "2\r\n17 D:\\Work\\trip2.sfg\r\n17 D:\\Work\\trip1.sfg\r\n0 \r\n0 \r\n0 \r\n");
}

TEST(ReopenHistory, LoadingDropsProjectsThatHaveGone) {
  const std::string dir = test::MakeTempDir();
  std::vector<std::string> paths;
  std::string text = "5\r\n";
  for (int i = 1; i <= 5; ++i) {
    paths.push_back(dir + "/p" + std::to_string(i) + ".sfg");
    if (i != 2 && i != 4) WriteWholeFile(paths.back(), "x");
    text += std::to_string(paths.back().size()) + " " + paths.back() + "\r\n";
  }
  WriteWholeFile(dir + "/Reopen.dat", text);

  ReopenHistory history;
  history.Load(dir + "/Reopen.dat");
  EXPECT_EQ(Entries(history), (std::vector<std::string>{paths[0], paths[2], paths[4]}));
  EXPECT_FALSE(history.Shown(3));

  // A missing or damaged file gives an empty history.
  WriteWholeFile(dir + "/bad.dat", "five\r\n");
  history.Load(dir + "/bad.dat");
  EXPECT_FALSE(history.MenuEnabled());
}

TEST(ReopenHistory, NewPathsGoOnTopAndKnownOnesStay) {
  ReopenHistory history;
  for (const char* path : {"/a.sfg", "/b.sfg", "/c.sfg", "/d.sfg", "/e.sfg"}) history.Add(path);
  history.Add("/c.sfg");
  EXPECT_EQ(Entries(history), (std::vector<std::string>{"/e.sfg", "/d.sfg", "/c.sfg", "/b.sfg", "/a.sfg"}));
  history.Add("/f.sfg");
  EXPECT_EQ(Entries(history), (std::vector<std::string>{"/f.sfg", "/e.sfg", "/d.sfg", "/c.sfg", "/b.sfg"}));
  history.Add("/F.sfg");
  EXPECT_EQ(history.Caption(0), "/F.sfg") << "letter case makes a new entry";
}

TEST(ReopenHistory, ClearingAndSavingAtExit) {
  const std::string dir = test::MakeTempDir();
  const std::string file = dir + "/Reopen.dat";
  test::RecordingReporter reporter;
  ReopenHistory history;
  history.SaveAtExit(file, reporter);
  EXPECT_FALSE(PathExists(file)) << "an empty history writes nothing";

  history.Add("/a.sfg");
  EXPECT_TRUE(history.Clear(file, reporter));
  EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{"Clear reopen history?"}));
  EXPECT_EQ(ReadText(file), "0\r\n0 \r\n0 \r\n0 \r\n0 \r\n0 \r\n");

  const std::string unwritable = dir + "/missing/Reopen.dat";
  history.Add("/a.sfg");
  history.SaveAtExit(unwritable, reporter);
  EXPECT_TRUE(history.Clear(unwritable, reporter));
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{
                                   "Unable to save the 'Reopen' menu list to disk.",
                                   "Unable to clear history in data file:\n\n" + unwritable +
                                       ".\n\nPlease make sure that this file is accessible and not write protected.",
                               }));
}

}  // namespace
}  // namespace sf
