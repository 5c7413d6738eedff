// Damaged GIF files must fail with a GIFException or give what they hold, never
// crash, hang or read past their end: every corpus GIF, and small GIFs cut at
// every length and with every byte overwritten, go through the reader, every
// renderer, the compositor, the colour merging and the writer. Run under the
// sanitizers.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "gif/gif_picture.h"
#include "gif/gif_playback.h"
#include "gif_fixture.h"
#include "support/corpus.h"

namespace sf {
namespace {

using test::Bytes;

void Exercise(const Bytes& bytes) {
  auto loaded = test::LoadGif(bytes);
  TGIFImage& image = *loaded.image;
  for (int i = 0; i < image.Count(); ++i) {
    image.Frame(i).GetBitmap();
    image.Frame(i).GetMask();
  }
  image.StillBitmap();
  if (image.Count() > 0) GifCompositor(image).ComposeTo(image.Count() - 1);
  PlanGifPlayback(image);
  try {
    LoadGifPicture(bytes);
    image.OptimizeColorMap();
    test::LoadGif(test::SaveGif(image));
  } catch (const GIFException&) {
  }
}

// A file of our own with a loop, a transparent frame with disposal and a
// trailing comment, small enough to damage at every byte.
Bytes OwnAnimation() {
  const Bytes loop = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  return test::Join({test::ScreenWithBlackAndWhite(2, 2), loop, {0x21, 0xF9, 4, 0x0D, 7, 0, 1, 0},
                     test::CheckerImage(), test::CheckerImage(), {0x21, 0xFE, 2, 'h', 'i', 0}, test::kTrailer});
}

TEST(GifRobustness, EveryCorpusFileReadsAndRendersCleanly) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  std::vector<std::string> files = {*root + "/misnamed/gen-gif-named.jpg"};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(*root + "/gif")) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    EXPECT_NO_THROW(Exercise(ReadWholeFile(file)));
  }
}

TEST(GifRobustness, CutAndOverwrittenFilesFailCleanly) {
  std::vector<Bytes> sources = {OwnAnimation()};
  if (const auto root = test::CorpusRoot()) {
    for (const char* name : {"giflib/sample_1.gif", "giflib/sample_2_animation.gif", "pillow/transparent_dispose.gif",
                             "pillow/comment_after_only_frame.gif", "giflib/treescap-interlaced.gif"}) {
      sources.push_back(ReadWholeFile(*root + "/gif/" + name));
    }
  }
  for (std::size_t s = 0; s < sources.size(); ++s) {
    const Bytes& file = sources[s];
    SCOPED_TRACE("source " + std::to_string(s));
    for (std::size_t length = 0; length < file.size(); ++length) {
      ASSERT_NO_THROW(Exercise(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)))) << length;
    }
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (const std::uint8_t value :
           {std::uint8_t{0x00}, std::uint8_t{0xFF}, static_cast<std::uint8_t>(file[at] ^ 0x5A)}) {
        Bytes damaged = file;
        damaged[at] = value;
        ASSERT_NO_THROW(Exercise(damaged)) << "byte " << at << " = " << int{value};
      }
    }
  }
}

}  // namespace
}  // namespace sf
