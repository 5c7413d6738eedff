// slideforge gif-info, run as a separate program: the name: value lines of an
// animation we write, and the reader's message with exit status 1 for a
// damaged file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "gif/gif_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

class GifInfoCommand : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  int Run(const std::string& path, std::string* out, const std::string& redirect = "2>/dev/null") const {
    return test::RunCommand("'" + test::SlideforgeBinary() + "' gif-info '" + path + "' " + redirect, out);
  }

  std::string m_dir = test::MakeTempDir();
};

TEST_F(GifInfoCommand, PrintsTheScreenLoopsAndEveryFrame) {
  TGIFImage image;
  TGIFSubImage& first = image.Frame(image.Add(test::MakeSolid(4, 3, Rgb{255, 0, 0})));
  auto loop = std::make_shared<TGIFAppExtNSLoop>();
  loop->SetLoops(5);
  first.AppendExtension(loop);
  auto control = first.CreateGraphicControlExtension();
  control->SetDelay(7);
  control->SetDisposal(TDisposalMethod::dmBackground);
  control->SetTransparent(true);
  control->SetTransparentColorIndex(2);
  first.AppendExtension(control);
  image.Pack();
  image.Add(test::MakeSolid(2, 2, Rgb{0, 0, 255}, PixelFormat::kBits8));
  image.SaveToFile(m_dir + "/anim.gif");

  std::string out;
  ASSERT_EQ(Run(m_dir + "/anim.gif", &out), 0);
  EXPECT_EQ(out,
            "screen: 4x3\n"
            "global colors: 256\n"  // the table is written padded to 2^8
            "frames: 2\n"
            "loop count: 5\n"
            "frame 0 bounds: 0,0 4x3\n"
            "frame 0 delay: 7\n"
            "frame 0 disposal: 2\n"
            "frame 0 transparent: yes\n"
            "frame 0 transparent index: 2\n"
            "frame 0 local colors: 0\n"
            "frame 1 bounds: 0,0 2x2\n"
            "frame 1 delay: 0\n"
            "frame 1 disposal: 0\n"
            "frame 1 transparent: no\n"
            "frame 1 transparent index: 0\n"
            "frame 1 local colors: 256\n");
}

TEST_F(GifInfoCommand, ADamagedFileGivesTheReadersMessage) {
  WriteWholeFile(m_dir + "/bad.gif", "JUNKJUNK and more");
  std::string messages;
  EXPECT_EQ(Run(m_dir + "/bad.gif", &messages, "2>&1 >/dev/null"), 1);
  EXPECT_EQ(messages, "Invalid GIF signature\n");
}

}  // namespace
}  // namespace sf
