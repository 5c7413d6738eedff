// slideforge extract-avi, run as a separate program: the files written, the
// range options and the exit status with its messages for each failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "avi/avi_writer.h"
#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class ExtractAviCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    auto writer = AviWriter::Open(Path("in.avi"), 100000.0, 25);
    for (int i = 0; i < 12; ++i) {
      ASSERT_EQ(writer->AddFrame(test::MakeSolid(5, 4, Rgb{static_cast<std::uint8_t>(10 * i), 0, 0})), AVIERR_OK);
    }
    ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  // The exit status; stdout and stderr go to *output.
  int Run(const std::string& arguments, std::string* output = nullptr) const {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' extract-avi " + arguments + " 2>&1", output);
  }

  std::string m_dir = test::MakeTempDir();
};

TEST_F(ExtractAviCommand, WritesTheChosenRange) {
  std::string output;
  ASSERT_EQ(Run("'" + Path("in.avi") + "' '" + Path("f") + "' --from 3 --to 5 --reverse", &output), 0);
  EXPECT_EQ(output, "Frames Processed/Percent: 3 / 100%\n");
  EXPECT_TRUE(FileExists(Path("f02.bmp")));
  EXPECT_TRUE(FileExists(Path("f04.bmp")));
  EXPECT_FALSE(FileExists(Path("f05.bmp")));
  ASSERT_EQ(Run("'" + Path("in.avi") + "' '" + Path("all") + "'"), 0);
  EXPECT_TRUE(FileExists(Path("all00.bmp")));
  EXPECT_TRUE(FileExists(Path("all11.bmp")));
}

TEST_F(ExtractAviCommand, FailsWithTheReadersAndTheRoutinesMessages) {
  std::string output;
  EXPECT_EQ(Run("'" + Path("in.avi") + "' '" + Path("f") + "' --to 13", &output), 1);
  EXPECT_EQ(output, "Invalid frame range. - ExtractBtnClick()\n");
  EXPECT_EQ(Run("'" + Path("none.avi") + "' '" + Path("f") + "'", &output), 1);
  EXPECT_EQ(output, "Unable to open AVI file:\n\"" + Path("none.avi") +
                        "\"\n - InitAvi()\nUnable to find compatible video stream in AVI. This AVI format is "
                        "unknown. It is possibly compressed with an unknown codec - GetAviInfo()\n");
  EXPECT_EQ(Run("'" + Path("in.avi") + "'"), 2);
  EXPECT_EQ(Run("'" + Path("in.avi") + "' x --from two"), 2);
}

}  // namespace
}  // namespace sf
