#include "list/dropped_files.h"

#include <gtest/gtest.h>

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

struct Drop {
  DropResult Run(const std::vector<std::string>& paths) {
    return DropFiles(paths, context, list, reporter, progress, desktop);
  }
  DropContext context{test::MakeTempDir() + "/", true, true};
  ImageList list;
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  RecordingDesktop desktop;
};

TEST(DroppedFiles, PicturesAreAddedAndTheRestLogged) {
  Drop drop;
  const DropResult result = drop.Run({"/p/Photo.JPG", "/p/folder", "/p/notes.txt", "/p/b.wmf", "/p/song.wav"});
  EXPECT_EQ(result.action, DropAction::kScanned);
  EXPECT_EQ(result.added, 2);
  EXPECT_EQ(result.ignored, 2) << "a path without a dot is not counted";
  EXPECT_EQ(drop.list.Path(1), "/p/b.wmf");
  EXPECT_EQ(drop.progress.messages.front(), "Scanning 'Drag and Drop' files...");
  EXPECT_EQ(drop.progress.remembered, "2 image files added to the list. 2 file(s) ignored.");
  EXPECT_EQ(drop.progress.progress_texts.back(), "100% Scanning file 5 of 5.");
  EXPECT_EQ(drop.reporter.Texts(), (std::vector<std::string>{"2 image files added to the list. 2 file(s) ignored"}));

  const std::string log_path = drop.context.program_folder + "temp.log";
  const auto log = ReadWholeFile(log_path);
  EXPECT_EQ(std::string(log.begin(), log.end()),
            "Total 'Drag and Drop' files ignored: 2\r\n\r\nList of 'Drag and Drop' files ignored:\r\n\r\n"
            "/p/notes.txt\r\n/p/song.wav\r\n");
  EXPECT_EQ(drop.desktop.opened, (std::vector<std::string>{log_path}));
}

TEST(DroppedFiles, AProjectOrSoundTrackCountsOnlyWhenDroppedFirst) {
  Drop first;
  DropResult result = first.Run({"/w/Trip.SFG", "/p/a.jpg"});
  EXPECT_EQ(result.action, DropAction::kOpenProject);
  EXPECT_EQ(result.path, "/w/Trip.SFG");
  EXPECT_TRUE(first.list.IsEmpty());
  EXPECT_TRUE(first.reporter.entries.empty());

  Drop second;
  result = second.Run({"/p/a.jpg", "/w/trip.sfg"});
  EXPECT_EQ(result.added, 1);
  EXPECT_EQ(result.ignored, 1);
  EXPECT_EQ(second.reporter.Texts(), (std::vector<std::string>{"1 image file added to the list. 1 file(s) ignored"}));

  Drop sound;
  EXPECT_EQ(sound.Run({"/s/a.wav"}).action, DropAction::kSoundTrack);
  Drop gif_output;
  gif_output.context.include_audio_enabled = false;
  EXPECT_EQ(gif_output.Run({"/s/a.wav"}).ignored, 1);
  EXPECT_EQ(gif_output.reporter.Texts(),
            (std::vector<std::string>{"0 image files added to the list. 1 file(s) ignored"}));

  Drop compiling;
  compiling.context.open_project_enabled = false;
  EXPECT_EQ(compiling.Run({"/p/folder", "/p/a.jpg"}).action, DropAction::kRefused);
  EXPECT_TRUE(compiling.list.IsEmpty());
}

TEST(DroppedFiles, ProgressEveryFortyFiles) {
  Drop drop;
  drop.list.AddPath("/p/old.jpg");
  std::vector<std::string> paths;
  for (int i = 0; i < 100; ++i) paths.push_back("/p/" + std::to_string(i) + ".bmp");
  const DropResult result = drop.Run(paths);
  EXPECT_EQ(result.row_to_select, 100);
  EXPECT_EQ(drop.progress.progress_texts, (std::vector<std::string>{
                                              "1% Scanning file 1 of 100.",
                                              "41% Scanning file 41 of 100.",
                                              "81% Scanning file 81 of 100.",
                                              "100% Scanning file 100 of 100.",
                                              "100% Scanning file 100 of 100.",
                                          }));
}

TEST(DroppedFiles, AddingChosenFilesAfterTheLastRow) {
  ImageList list;
  list.AddPath("/pics/a.jpg");
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  const AddResult result = AddImageFiles(list, "/more", std::vector<std::string>{"d.jpg"}, reporter, progress);
  EXPECT_EQ(list.Path(1), "/more/d.jpg");
  EXPECT_EQ(result.row_to_select, 1);
  EXPECT_EQ(progress.progress_texts.front(), "100% Loading file 1 of 1.");
  EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{"1 image file added to the list."}));
}

}  // namespace
}  // namespace sf
