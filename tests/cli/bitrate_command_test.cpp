// slideforge bitrate, run as a separate program: the name: value lines of the
// presets with options laid over them, the messages of a failed calculation
// and the usage errors.
#include <gtest/gtest.h>

#include <string>

#include "support/corpus.h"

namespace sf {
namespace {

int RunBitrate(const std::string& words, std::string* out, const std::string& redirect = "2>/dev/null") {
  return test::RunCommand("'" + test::SlideforgeBinary() + "' bitrate " + words + " " + redirect, out);
}

// The value of the line "name: value", or "(missing)".
std::string Value(const std::string& out, const std::string& name) {
  const std::string lines = "\n" + out;
  const std::string start = "\n" + name + ": ";
  const auto at = lines.find(start);
  if (at == std::string::npos) return "(missing)";
  const auto begin = at + start.size();
  return lines.substr(begin, lines.find('\n', begin) - begin);
}

TEST(BitrateCommand, PrintsEveryResultOfTheDvdPreset) {
  std::string out;
  ASSERT_EQ(RunBitrate("", &out), 0);
  EXPECT_EQ(out,
            "dvd max: 9570\n"
            "cdvd max: 9570\n"
            "svcd max: 2556\n"
            "overhead: 92\n"
            "audio size kb: 151200\n"
            "audio size mb: 147\n"
            "bitrate kbps: 6548\n"
            "bitrate bps: 6548308\n"
            "video size kb: 4316512\n"
            "video size mb: 4215\n"
            "total iso size mb: 25\n");
}

TEST(BitrateCommand, OptionsOverrideTheTypesPreset) {
  std::string out;
  // The SVCD preset with one disc instead of two.
  ASSERT_EQ(RunBitrate("--type SVCD --discs 1", &out), 0);
  EXPECT_EQ(out,
            "dvd max: 9570\n"
            "cdvd max: 9570\n"
            "svcd max: 2591\n"
            "overhead: 15\n"
            "audio size kb: 129600\n"
            "audio size mb: 126\n"
            "bitrate kbps: 1010\n"
            "bitrate bps: 1010419\n"
            "video size kb: 666048\n"
            "video size mb: 650\n"
            "total iso size mb: 5\n");

  // The DVD preset spelt out in full, 30 minutes, kilobits of 1024 bits: the cap.
  ASSERT_EQ(RunBitrate("--type=DVD --minutes 30 --audio 224 --tracks 1 --size 4480 --unit MB --discs 1 --kilobit 1024 "
                "--free 25",
                &out),
            0);
  EXPECT_EQ(Value(out, "dvd max"), "9346");
  EXPECT_EQ(Value(out, "bitrate kbps"), "9346");
  EXPECT_EQ(Value(out, "bitrate bps"), "9570304");
  ASSERT_EQ(RunBitrate("--minutes 30 --kilobit 1024 --ignore-max", &out), 0);
  EXPECT_EQ(Value(out, "bitrate kbps"), "19632");
  EXPECT_EQ(Value(out, "bitrate bps"), "20103677");
}

TEST(BitrateCommand, APlayingTimeOfZeroFailsWithTheCalculatorsMessages) {
  std::string out;
  std::string messages;
  EXPECT_EQ(RunBitrate("--minutes 0", &out), 1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(RunBitrate("--minutes 0", &messages, "2>&1 >/dev/null"), 1);
  EXPECT_EQ(messages, "Floating point division by zero\nUnable to calculate bitrate.\n");
}

TEST(BitrateCommand, BadOptionsAreUsageErrors) {
  for (const char* words : {"--type BluRay", "--unit TB", "--kilobit 1023", "--minutes ninety", "--discs 0",
                            "--tracks 1000", "--frames 3", "extra"}) {
    SCOPED_TRACE(words);
    std::string out;
    EXPECT_EQ(RunBitrate(words, &out), 2);
    EXPECT_EQ(out, "");
  }
  std::string help;
  ASSERT_EQ(RunBitrate("--help", &help), 0);
  for (const char* name : {"dvd max:", "overhead:", "audio size kb:", "bitrate bps:", "video size mb:",
                           "total iso size mb:", "--ignore-max"})
    EXPECT_NE(help.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace sf
