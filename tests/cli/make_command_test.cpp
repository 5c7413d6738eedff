// slideforge make, run as a separate program: a folder becomes a show in
// natural order, its frame count is the rows' frames whatever the
// transitions, the saved project compiles to the same file, and bad inputs
// are refused with the user's own words.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

int Slideforge(const std::string& arguments, std::string* output = nullptr) {
  return test::RunCommand("'" + test::SlideforgeBinary() + "' " + arguments + " 2>&1 </dev/null", output);
}

std::string Probe(const std::string& path) {
  std::string out;
  test::RunCommand("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames "
                   "-of csv=p=0 '" + path + "'",
                   &out);
  return out;
}

// Three pictures named so that a plain sort would put p10 before p9.
std::string MakeFolder() {
  const std::string dir = test::MakeTempDir();
  std::filesystem::create_directory(dir + "/photos");
  WriteBmpFile(test::MakeGradient(80, 60), dir + "/photos/p1.bmp");
  WriteBmpFile(test::MakeSolid(60, 80, Rgb{200, 40, 30}), dir + "/photos/p9.bmp");
  WriteBmpFile(test::MakeSolid(80, 40, Rgb{20, 40, 230}), dir + "/photos/p10.bmp");
  WriteWholeFile(dir + "/photos/notes.txt", "not a picture");
  return dir;
}

TEST(MakeCommand, AFolderBecomesAShowWhoseProjectCompilesToTheSameFile) {
  const std::string dir = MakeFolder();
  std::string out;
  ASSERT_EQ(Slideforge("make '" + dir + "/photos' -o '" + dir + "/show.avi' --size 64x48 --fps 10 --seconds 1 "
                       "--transition-seconds 0.5 --motion zoom-in --save-project '" + dir + "/show.sfg' --yes",
                       &out),
            0)
      << out;
  EXPECT_TRUE(out.ends_with("\n" + dir + "/show.avi\n")) << out;

  // Natural order, a fade into every row after the first, a zoom on each.
  const std::vector<std::uint8_t> bytes = ReadWholeFile(dir + "/show.sfg");
  const std::string project(bytes.begin(), bytes.end());
  const std::size_t p1 = project.find("/photos/p1.bmp");
  const std::size_t p9 = project.find("/photos/p9.bmp");
  const std::size_t p10 = project.find("/photos/p10.bmp");
  ASSERT_NE(p10, std::string::npos);
  EXPECT_LT(p1, p9);
  EXPECT_LT(p9, p10);
  EXPECT_EQ(project.find("notes.txt"), std::string::npos);
  EXPECT_NE(project.find("<transitions:0.5>"), std::string::npos);
  EXPECT_NE(project.find(" 1 4 "), std::string::npos);
  EXPECT_NE(project.find("7 Zoom In"), std::string::npos);

  ASSERT_EQ(Slideforge("compile '" + dir + "/show.sfg' -o '" + dir + "/again.avi' --yes", &out), 0) << out;
  EXPECT_EQ(ReadWholeFile(dir + "/again.avi"), ReadWholeFile(dir + "/show.avi"));
  if (test::HaveProgram("ffprobe")) {
    EXPECT_EQ(Probe(dir + "/show.avi"), "30\n");
  }
}

TEST(MakeCommand, GifAndMp4ShowsHoldEveryRowsFrames) {
  if (!test::HaveProgram("ffprobe")) GTEST_SKIP() << "ffprobe not installed";
  const std::string dir = MakeFolder();
  for (const char* name : {"show.gif", "show.mp4"}) {
    std::string out;
    ASSERT_EQ(Slideforge("make '" + dir + "/photos/p9.bmp' '" + dir + "/photos' -o '" + dir + "/" + name +
                         "' --size 64x48 --fps 10 --seconds 0.8 --transition page-flip-up --motion pan --yes",
                         &out),
              0)
        << out;
    // Four rows of 8 frames: the transitions overlap, they add nothing.
    EXPECT_EQ(Probe(dir + "/" + name), "32\n") << name;
  }
}

TEST(MakeCommand, RefusesWhatItCannotUseInTheUsersWords) {
  const std::string dir = MakeFolder();
  std::string out;
  EXPECT_EQ(Slideforge("make '" + dir + "/photos'", &out), 2);
  EXPECT_NE(out.find("expected -o OUT"), std::string::npos) << out;
  EXPECT_EQ(Slideforge("make '" + dir + "/photos' -o x.avi --transition wipe", &out), 2);
  EXPECT_NE(out.find("--transition must be none, fade"), std::string::npos) << out;
  EXPECT_EQ(Slideforge("make '" + dir + "/photos' -o x.avi --seconds 0", &out), 2);
  EXPECT_EQ(Slideforge("make '" + dir + "/photos' -o x.gif --audio a.wav", &out), 2);
  EXPECT_NE(out.find("--audio applies to AVI, MP4 and WebM output only"), std::string::npos) << out;

  std::filesystem::create_directory(dir + "/empty");
  EXPECT_EQ(Slideforge("make '" + dir + "/empty' -o '" + dir + "/x.avi'", &out), 1);
  EXPECT_NE(out.find("The folder " + dir + "/empty holds no pictures."), std::string::npos) << out;
  EXPECT_EQ(Slideforge("make '" + dir + "/missing.jpg' -o '" + dir + "/x.avi'", &out), 1);
  EXPECT_NE(out.find("The picture or folder " + dir + "/missing.jpg was not found."), std::string::npos) << out;
  EXPECT_FALSE(PathExists(dir + "/x.avi"));
}

}  // namespace
}  // namespace sf
