#include "list/list_validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/desktop.h"
#include "common/file_util.h"
#include "list/image_list.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

class RecordingDesktop final : public Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

// A folder with n pictures p1..pn; those whose one-based number is in missing
// are listed but not on disk.
struct Fixture {
  explicit Fixture(int n, const std::vector<int>& missing) : dir(test::MakeTempDir() + "/") {
    for (int i = 1; i <= n; ++i) {
      const std::string path = dir + "p" + std::to_string(i) + ".jpg";
      if (std::find(missing.begin(), missing.end(), i) == missing.end()) WriteWholeFile(path, "x");
      list.AddPath(path);
    }
  }
  ValidationResult Run(int current_row = 0, bool compiling = false) {
    return ValidateList(list, {dir, "", compiling, current_row}, reporter, progress, desktop);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int r = 0; r < list.RowCount(); ++r) names.push_back(list.Path(r).substr(dir.size()));
    return names;
  }

  std::string dir;
  ImageList list;
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  RecordingDesktop desktop;
};

TEST(ListValidation, RemovesMissingRowsAndLogsThem) {
  Fixture f(10, {3, 4});
  const ValidationResult result = f.Run(9);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"p1.jpg", "p2.jpg", "p5.jpg", "p6.jpg", "p7.jpg", "p8.jpg",
                                                 "p9.jpg", "p10.jpg"}));
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(result.row_to_select, 7) << "the remembered row is past the end now";
  EXPECT_TRUE(result.set_modified);
  EXPECT_FALSE(result.audio_removed);

  const auto log = ReadWholeFile(f.dir + "deleted.log");
  EXPECT_EQ(std::string(log.begin(), log.end()),
            "Total image file paths not found: 2\r\n\r\nList of image files deleted from project:\r\n\r\n" + f.dir +
                "p3.jpg\r\n" + f.dir + "p4.jpg\r\n");
  EXPECT_EQ(f.desktop.opened, (std::vector<std::string>{f.dir + "deleted.log"}));
  EXPECT_EQ(f.reporter.Texts(),
            (std::vector<std::string>{"2 image(s) deleted from list.\n\nFile list verification complete."}));
  EXPECT_EQ(f.progress.remembered, "2 image(s) deleted from list. Validation completed.");
  EXPECT_EQ(f.progress.percents.back(), 0);
}

TEST(ListValidation, RemovesEverySeparateRun) {
  Fixture f(10, {1, 4, 5, 10});
  EXPECT_EQ(f.Run(2).removed, 4);
  EXPECT_EQ(f.Names(), (std::vector<std::string>{"p2.jpg", "p3.jpg", "p6.jpg", "p7.jpg", "p8.jpg", "p9.jpg"}));

  Fixture gone(3, {1, 2, 3});
  EXPECT_EQ(gone.Run().removed, 3);
  EXPECT_TRUE(gone.list.IsEmpty());
}

TEST(ListValidation, OneRowShowsAllAtOnceAndACompileStaysQuiet) {
  Fixture f(1, {});
  f.Run();
  EXPECT_EQ(f.progress.progress_texts.front(), "100% - complete. Validating image 1 of 1");
  EXPECT_EQ(f.reporter.Texts(),
            (std::vector<std::string>{"0 image(s) deleted from list.\n\nFile list verification complete."}));
  EXPECT_TRUE(f.desktop.opened.empty());

  Fixture compile(3, {});
  EXPECT_FALSE(compile.Run(1, true).set_modified);
  EXPECT_TRUE(compile.reporter.entries.empty());
  EXPECT_EQ(compile.progress.remembered, "0 image(s) deleted from list. Validation completed.");
}

TEST(ListValidation, MissingSoundTrackAndUnwritableLog) {
  Fixture f(2, {2});
  const std::string audio = f.dir + "music.wav";
  const ValidationResult result =
      ValidateList(f.list, {f.dir + "missing/", audio, false, 0}, f.reporter, f.progress, f.desktop);
  EXPECT_TRUE(result.audio_removed);
  EXPECT_EQ(f.reporter.Texts(), (std::vector<std::string>{
                                    "Audio file not found:\n" + audio + "\nAudio file will be removed from project.",
                                    "Unable to write log file for list of deleted\nfile paths. Please make sure "
                                    "the disk is not write protected.",
                                    "1 image(s) deleted from list.\n\nFile list verification complete.",
                                }));
  EXPECT_TRUE(f.desktop.opened.empty());
}

}  // namespace
}  // namespace sf
