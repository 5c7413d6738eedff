// The main window as the host of the list and project commands: the window's
// grid, status bars, preview, buttons, settings controls, dialogs and menus seen
// through ListHost and ProjectHost, and every list and File menu control, the
// grid's signals and dropped files connected to the commands.
//   m_list_host = new MainWindowListHost(*this);   // in the window's constructor, a child object
#pragma once

#include <QObject>
#include <memory>

#include "app/list_commands.h"
#include "app/list_host.h"
#include "app/project_commands.h"

namespace sf::app {

class TAVICompileForm;
class TOpenFolderForm;
class TViewImageForm;

class MainWindowListHost final : public QObject, public ListHost, public ProjectHost {
  Q_OBJECT

 public:
  explicit MainWindowListHost(TAVICompileForm& window);
  ~MainWindowListHost() override;

  ListCommands& List() { return *m_list; }
  ProjectCommands& Projects() { return *m_projects; }
  TOpenFolderForm& FolderBrowser();
  TViewImageForm& Viewer();

  // ListHost
  ImageListGrid& Grid() override;
  Reporter& HostReporter() override;
  ProgressObserver& HostProgress() override;
  Desktop& HostDesktop() override;
  ProjectState& Project() override;
  void ShowSaveItems() override;
  std::string ProgramFolder() override;
  CompileSettings PreviewSettings() override;
  void StartNewList() override;
  void ShowPreview(const QImage& picture) override;
  void ShowAppliedEffects(const std::vector<std::string>& lines) override;
  void SetSelectedImagePanel(const QString& text) override;
  void SetTotalImagesPanel(const QString& text) override;
  void RefreshReadouts() override;
  void SetListBusy(bool busy) override;
  bool ListBusy() override;
  void SetBusyCursor(bool busy) override;
  void EnableListCommands(bool enabled) override;
  void EnableDeleteButton(bool enabled) override;
  bool SortListEnabled() override;
  bool Compiling() override;
  bool ExitRequested() override;
  void ShowSortRunning(bool running) override;
  SortOptions SortSettings() override;
  void SetFrameSize(int width, int height) override;
  std::string AudioPath() override;
  bool IncludeAudioEnabled() override;
  void TakeSoundTrack(const std::string& path) override;
  void RemoveSoundTrack() override;
  bool OpenProjectEnabled() override;
  std::optional<ChosenFiles> ChooseImageFiles() override;
  void ViewPicture(const QImage& picture, const std::string& path) override;

  // ProjectHost
  ProjectRecord ReadSettingsRecord() override;
  void ApplySettingsRecord(const ProjectRecord& record) override;
  std::optional<std::string> ChooseProjectToOpen() override;
  std::optional<std::string> ChooseProjectToSave() override;
  ReopenHistory& History() override;
  void RefreshCaption() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectListControls();
  void ConnectProjectControls();
  void SortDepthEditChange();

  TAVICompileForm& m_window;
  std::unique_ptr<ListCommands> m_list;
  std::unique_ptr<ProjectCommands> m_projects;
  // Made on first use, owned by the window like its other dialogs.
  TOpenFolderForm* m_folder_browser = nullptr;
  TViewImageForm* m_viewer = nullptr;
  int m_sort_depth = kDefaultSortDepth;
  int m_busy_cursors = 0;
};

}  // namespace sf::app
