// A ListHost for tests of the list commands without the main window: a real
// grid over its own list, recording reporter and status bars, and a record of
// every call the commands make on the window.
//   sf::test::RecordingListHost host;
//   sf::app::ListCommands commands(host, [](const std::string&) {});
//   host.chosen = sf::app::ChosenFiles{folder, {"a.bmp"}};  commands.AddBtnClick();
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "app/image_list_grid.h"
#include "app/list_host.h"
#include "common/desktop.h"
#include "list/image_list.h"
#include "project/project_state.h"
#include "support/recording_reporter.h"

namespace sf::test {

class RecordingDesktop final : public Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

class RecordingListHost final : public app::ListHost {
 public:
  RecordingListHost() : grid(list, nullptr) {}

  app::ImageListGrid& Grid() override { return grid; }
  Reporter& HostReporter() override { return reporter; }
  ProgressObserver& HostProgress() override { return progress; }
  Desktop& HostDesktop() override { return desktop; }
  ProjectState& Project() override { return project; }
  void ShowSaveItems() override { ++save_items_shown; }
  std::string ProgramFolder() override { return program_folder; }
  CompileSettings PreviewSettings() override { return settings; }
  void StartNewList() override { settings.upright = true; }
  void ShowPreview(const QImage& picture) override { previews.push_back(picture); }
  void ShowAppliedEffects(const std::vector<std::string>& lines) override { applied_effects = lines; }
  void SetSelectedImagePanel(const QString& text) override { selected_panel = text.toStdString(); }
  void SetTotalImagesPanel(const QString& text) override { total_panel = text.toStdString(); }
  void RefreshReadouts() override { ++readouts_refreshed; }
  void SetListBusy(bool busy) override {
    list_busy = busy;
    busy_marks.push_back(busy);
  }
  bool ListBusy() override { return list_busy; }
  void SetBusyCursor(bool busy) override { cursor_depth += busy ? 1 : -1; }
  void EnableListCommands(bool enabled) override { list_commands_enabled = enabled; }
  void EnableDeleteButton(bool enabled) override { delete_enabled = enabled; }
  bool SortListEnabled() override { return list_commands_enabled; }
  bool Compiling() override { return compiling; }
  bool ExitRequested() override { return false; }
  void ShowSortRunning(bool running) override { sort_running = running; }
  SortOptions SortSettings() override { return {}; }
  void SetFrameSize(int width, int height) override { frame_sizes.push_back({width, height}); }
  std::string AudioPath() override { return audio_path; }
  bool IncludeAudioEnabled() override { return include_audio_enabled; }
  void TakeSoundTrack(const std::string& path) override { sound_tracks_taken.push_back(path); }
  void RemoveSoundTrack() override { ++sound_tracks_removed; }
  bool OpenProjectEnabled() override { return !compiling; }
  std::optional<app::ChosenFiles> ChooseImageFiles() override { return chosen; }
  void ViewPicture(const QImage& picture, const std::string& path) override {
    viewed.push_back(path);
    (void)picture;
  }

  // What the commands are given.
  ImageList list;
  CompileSettings settings;
  std::string program_folder;
  std::string audio_path = kNoAudioPath;
  bool include_audio_enabled = true;
  bool compiling = false;
  std::optional<app::ChosenFiles> chosen;

  // What they did.
  app::ImageListGrid grid;
  RecordingReporter reporter;
  RecordingProgress progress;
  RecordingDesktop desktop;
  ProjectState project;
  std::vector<QImage> previews;
  std::vector<std::string> applied_effects;
  std::string selected_panel;
  std::string total_panel;
  std::vector<bool> busy_marks;
  std::vector<std::pair<int, int>> frame_sizes;
  std::vector<std::string> sound_tracks_taken;
  std::vector<std::string> viewed;
  int sound_tracks_removed = 0;
  int save_items_shown = 0;
  int readouts_refreshed = 0;
  int cursor_depth = 0;
  bool list_busy = false;
  bool list_commands_enabled = false;
  bool delete_enabled = false;
  bool sort_running = false;
};

}  // namespace sf::test
