// WMF and EMF pictures through the program's loader: the kind comes from the
// content whatever the name says, and the picture is an 8-bit bitmap of the
// metafile's natural size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

TEST(MetafileLoading, KindAndSizeFromTheContent) {
  struct Row {
    const char* file;
    const char* kind;
    int width, height;
  };
  const Row rows[] = {
      {"misnamed/gen-emf-named.wmf", "Enhanced Meta file (.emf)", 110, 110},
      {"misnamed/gen-placeable-wmf-named.emf", "Windows Meta file (.wmf)", 110, 110},
      {"misnamed/gen-standard-wmf-named.jpg", "Windows Meta file (.wmf)", 94, 94},
      {"wmf/imagemagick-clock.wmf", "Windows Meta file (.wmf)", 490, 495},
      {"emf/libemf2svg-test-013.emf", "Enhanced Meta file (.emf)", 554, 663},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const auto path = test::CorpusPath(row.file);
    if (!path) GTEST_SKIP() << "corpus not present";
    test::RecordingReporter reporter;
    Bitmap holder;
    LoadImage(holder, *path, reporter);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{});
    EXPECT_EQ(LastLoadedKindName(), row.kind);
    EXPECT_EQ(holder.Width(), row.width);
    EXPECT_EQ(holder.Height(), row.height);
    EXPECT_EQ(holder.BitsPerPixel(), 8);
  }
}

TEST(MetafileLoading, DamagedMetafileLeavesTheHolderEmpty) {
  const auto path = test::CorpusPath("emf/libemf2svg-bad_corrupted_2014-12-02-215338.emf");
  if (!path) GTEST_SKIP() << "corpus not present";
  test::RecordingReporter reporter;
  Bitmap holder(3, 3);
  LoadImage(holder, *path, reporter);
  EXPECT_TRUE(holder.Empty());
  ASSERT_EQ(reporter.Texts().size(), 2u);
  EXPECT_EQ(reporter.Texts()[0], "The EMF header record runs past the end of the file");
}

}  // namespace
}  // namespace sf
