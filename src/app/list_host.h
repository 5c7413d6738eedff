// What the list and project commands need from the window that holds the list:
// its grid, its status bars and message boxes, the preview and applied-effects
// list, the list command buttons, a few settings and its dialogs. The main window
// lends itself through MainWindowListHost.
//   ListCommands commands(host, open_project);   // host: ListHost&
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "compile/compile_settings.h"
#include "list/natural_sort.h"

namespace sf {
class Desktop;
class ProgressObserver;
class ProjectState;
class Reporter;
}  // namespace sf

namespace sf::app {

class ImageListGrid;

// The folder and the file names chosen in the folder browser.
struct ChosenFiles {
  std::string folder;
  std::vector<std::string> names;
};

class ListHost {
 public:
  virtual ~ListHost() = default;

  virtual ImageListGrid& Grid() = 0;
  virtual Reporter& HostReporter() = 0;
  // The status bars; StopRequested is the compile's Stop and is not used here.
  virtual ProgressObserver& HostProgress() = 0;
  virtual Desktop& HostDesktop() = 0;
  virtual ProjectState& Project() = 0;
  // Save Project and Save Project As follow the project state.
  virtual void ShowSaveItems() = 0;
  virtual std::string ProgramFolder() = 0;  // with its trailing "/"

  // The fitting settings the preview follows, background picture included.
  virtual CompileSettings PreviewSettings() = 0;
  // Clear List starts a new list: photos are turned upright again.
  virtual void StartNewList() = 0;
  // The 160 x 120 preview; a null image clears it.
  virtual void ShowPreview(const QImage& picture) = 0;
  virtual void ShowAppliedEffects(const std::vector<std::string>& lines) = 0;
  virtual void SetSelectedImagePanel(const QString& text) = 0;
  virtual void SetTotalImagesPanel(const QString& text) = 0;
  // The total-frames and video-length readouts.
  virtual void RefreshReadouts() = 0;
  // While set, selecting a row loads no preview.
  virtual void SetListBusy(bool busy) = 0;
  virtual bool ListBusy() = 0;
  virtual void SetBusyCursor(bool busy) = 0;

  // Delete Selected Image(s), Sort List, Compile Images, Edit Effects and the grid
  // itself: enabled together while the list holds pictures.
  virtual void EnableListCommands(bool enabled) = 0;
  virtual void EnableDeleteButton(bool enabled) = 0;
  // The Sort List button's state, the sign the list commands follow.
  virtual bool SortListEnabled() = 0;
  virtual bool Compiling() = 0;
  virtual bool ExitRequested() = 0;
  // Stop Sort in place of Sort List while a sort runs.
  virtual void ShowSortRunning(bool running) = 0;
  virtual SortOptions SortSettings() = 0;
  virtual void SetFrameSize(int width, int height) = 0;

  // The sound track: the audio path field, whether Include Audio can be ticked
  // (the output is an AVI), taking a dropped WAV file and dropping a missing one.
  virtual std::string AudioPath() = 0;
  virtual bool IncludeAudioEnabled() = 0;
  virtual void TakeSoundTrack(const std::string& path) = 0;
  virtual void RemoveSoundTrack() = 0;
  // False while a compile runs.
  virtual bool OpenProjectEnabled() = 0;

  // The folder browser; nullopt when cancelled.
  virtual std::optional<ChosenFiles> ChooseImageFiles() = 0;
  // The image viewer, shown modally while the window is hidden.
  virtual void ViewPicture(const QImage& picture, const std::string& path) = 0;
};

}  // namespace sf::app
