// The File menu's project commands: Open Project (from its dialog, the reopen
// history or a dropped file), Save Project, Save Project As, the questions about
// unsaved changes, the window caption, the enabling of the File menu's items and
// the Reopen submenu with its five entries and Clear.
//   ProjectCommands projects(host, project_host, list_commands, menu_items);
//   connect(menu.OpenProjectBtn, &QAction::triggered, [&] { projects.OpenProjectBtnClick(); });
#pragma once

#include <array>
#include <optional>
#include <string>

#include "project/project_record.h"

class QAction;
class QMenu;

namespace sf {
class ReopenHistory;
}

namespace sf::app {

class ListCommands;
class ListHost;

// What the project commands need beyond the list's host: the settings controls
// as a record and back, the two project dialogs, the history and the caption,
// which follows the project state's title.
class ProjectHost {
 public:
  virtual ~ProjectHost() = default;
  // Every saved setting as the controls show it; the list is filled by the caller.
  virtual ProjectRecord ReadSettingsRecord() = 0;
  // Writes an opened project's settings into the controls and loads its
  // background picture without a dialog.
  virtual void ApplySettingsRecord(const ProjectRecord& record) = 0;
  virtual std::optional<std::string> ChooseProjectToOpen() = 0;
  virtual std::optional<std::string> ChooseProjectToSave() = 0;
  virtual ReopenHistory& History() = 0;
  virtual void RefreshCaption() = 0;
};

// The File menu items the commands enable, show and caption.
struct ProjectMenuItems {
  QAction* validate = nullptr;
  QMenu* reopen = nullptr;
  std::array<QAction*, 5> reopen_items{};
};

class ProjectCommands {
 public:
  ProjectCommands(ListHost& host, ProjectHost& project_host, ListCommands& list, const ProjectMenuItems& items);
  ProjectCommands(const ProjectCommands&) = delete;
  ProjectCommands& operator=(const ProjectCommands&) = delete;

  void OpenProjectBtnClick();
  // Open Project with a path already chosen (the reopen history, a dropped file).
  void OpenWithoutDialog(const std::string& path);
  void SaveProjectBtnClick();
  void SaveProjectAsBtnClick();
  void File1Click();
  // Exit asks about unsaved changes first; the exit goes on whatever the answer.
  void AskToSaveBeforeExit();
  void ReopenClick(int slot);
  void ClearReopenBtnClick();
  void SaveHistoryAtExit();
  // The Reopen submenu shows the history.
  void ShowReopenMenu();

 private:
  // A Yes to a question about unsaved changes.
  void SaveChanges();
  ProjectRecord CurrentRecord();
  void ShowProjectState();
  std::string HistoryFile();

  ListHost& m_host;
  ProjectHost& m_project_host;
  ListCommands& m_list;
  ProjectMenuItems m_items;
  std::optional<std::string> m_skip_dialog_path;
  bool m_opening = false;
};

}  // namespace sf::app
