// slideforge extract-avi, run as a separate program: the files of the chosen
// range, and the exit status with the messages of each kind of failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "avi/avi_writer.h"
#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

TEST(ExtractAviCommand, WritesTheRangeOrSaysWhyNot) {
  const std::string dir = test::MakeTempDir();
  auto writer = AviWriter::Open(dir + "/in.avi", 100000.0, 25);
  for (int i = 0; i < 12; ++i) ASSERT_EQ(writer->AddFrame(test::MakeGradient(5, 4)), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  const auto run = [&](const std::string& arguments, std::string* output) {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' extract-avi " + arguments + " 2>&1", output);
  };
  const std::string video = "'" + dir + "/in.avi' '" + dir + "/f'";
  std::string output;
  ASSERT_EQ(run(video + " --from 3 --to 5 --reverse", &output), 0);
  EXPECT_EQ(output, "Frames Processed/Percent: 3 / 100%\n");
  EXPECT_TRUE(FileExists(dir + "/f02.bmp") && FileExists(dir + "/f04.bmp"));
  EXPECT_FALSE(FileExists(dir + "/f05.bmp"));

  EXPECT_EQ(run(video + " --to 13", &output), 1);
  EXPECT_EQ(output, "Invalid frame range. - ExtractBtnClick()\n");
  EXPECT_EQ(run("'" + dir + "/none.avi' x", &output), 1);
  EXPECT_EQ(output, "Unable to open AVI file:\n\"" + dir +
                        "/none.avi\"\n - InitAvi()\nUnable to find compatible video stream in AVI. This AVI format is "
                        "unknown. It is possibly compressed with an unknown codec - GetAviInfo()\n");
  EXPECT_EQ(run("'" + dir + "/in.avi'", &output), 2);
  EXPECT_EQ(run(video + " --from two", &output), 2);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sf
