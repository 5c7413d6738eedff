// slideforge effects, run as a separate program on files drawn in code: the
// written picture, the exit status for each kind of failure and the messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "image/bmp_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class EffectsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = test::MakeTempDir();
    WriteBmpFile(test::MakeGradient(7, 5, PixelFormat::kBits8), Path("in.bmp"));
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  // The exit status; the command's stderr is appended to *messages.
  int Run(const std::string& list, std::string* messages = nullptr) const {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' effects '" + Path("in.bmp") + "' '" +
                                Path("out.bmp") + "' '" + list + "' 2>&1 >/dev/null",
                            messages);
  }

  std::string m_dir;
};

TEST_F(EffectsCommand, WritesTheResultInThePicturesOwnFormat) {
  ASSERT_EQ(Run("1<Invert Colors=1>"), 0);
  const Bitmap in = ReadPicture(Path("in.bmp"), nullptr);
  const Bitmap out = ReadPicture(Path("out.bmp"), nullptr);
  EXPECT_EQ(out.Format(), PixelFormat::kBits8);
  // Both are halftone-palette pictures; the inverse of a palette colour is another one.
  const Rgb before = in.PixelColor(3, 2);
  EXPECT_EQ(out.PixelColor(3, 2), (Rgb{static_cast<std::uint8_t>(255 - before.r),
                                       static_cast<std::uint8_t>(255 - before.g),
                                       static_cast<std::uint8_t>(255 - before.b)}));
  if (test::HaveProgram("identify")) {
    std::string geometry;
    EXPECT_EQ(test::RunCommand("identify -format '%wx%h' '" + Path("out.bmp") + "'", &geometry), 0);
    EXPECT_EQ(geometry, "7x5");
  }
}

TEST_F(EffectsCommand, FailuresExitWithOneAndWriteNothing) {
  std::string messages;
  EXPECT_EQ(Run("1<Sharpen=3>", &messages), 1);
  EXPECT_EQ(messages, "Error applying effect \"Sharpen\". Effect not found.\n - ApplyListOfEffects()\n");
  messages.clear();
  EXPECT_EQ(Run("2<Brighter=50>", &messages), 1);
  EXPECT_EQ(messages,
            "The effect list text ends before entry 2 of 2.\n"
            "Error applying list of effects to bitmap.\n - ApplyListOfEffects()()\n");
  EXPECT_FALSE(std::filesystem::exists(Path("out.bmp")));

  std::filesystem::remove(Path("in.bmp"));
  EXPECT_EQ(Run("1<Brighter=50>"), 1) << "a picture that does not load";
  EXPECT_EQ(test::RunCommand("'" + test::SlideforgeBinary() + "' effects only-one-word 2>/dev/null"), 2);
}

}  // namespace
}  // namespace sf
