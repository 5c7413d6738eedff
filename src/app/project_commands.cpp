#include "app/project_commands.h"

#include <QAction>
#include <QMenu>

#include "app/image_list_grid.h"
#include "app/list_commands.h"
#include "app/list_host.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "project/project_reader.h"
#include "project/project_state.h"
#include "project/project_writer.h"
#include "project/reopen_history.h"

namespace sf::app {
namespace {

// A menu caption shows "&" itself only when doubled.
QString MenuCaption(const std::string& path) { return QString::fromStdString(path).replace("&", "&&"); }

}  // namespace

ProjectCommands::ProjectCommands(ListHost& host, ProjectHost& project_host, ListCommands& list,
                                 const ProjectMenuItems& items)
    : m_host(host), m_project_host(project_host), m_list(list), m_items(items) {
  ShowReopenMenu();
}

std::string ProjectCommands::HistoryFile() { return m_host.ProgramFolder() + kReopenFileName; }

ProjectRecord ProjectCommands::CurrentRecord() {
  ProjectRecord record = m_project_host.ReadSettingsRecord();
  record.list = m_host.Grid().List();
  return record;
}

void ProjectCommands::ShowProjectState() {
  m_host.ShowSaveItems();
  m_project_host.RefreshCaption();
}

void ProjectCommands::ShowReopenMenu() {
  const ReopenHistory& history = m_project_host.History();
  for (int slot = 0; slot < ReopenHistory::kSlots; ++slot) {
    QAction* item = m_items.reopen_items[static_cast<std::size_t>(slot)];
    item->setText(MenuCaption(history.Caption(slot)));
    item->setVisible(history.Shown(slot));
  }
  m_items.reopen->setEnabled(history.MenuEnabled());
}

void ProjectCommands::SaveChanges() {
  if (m_host.Project().YesRunsSaveAs()) {
    SaveProjectAsBtnClick();
  } else {
    SaveProjectBtnClick();
  }
}

void ProjectCommands::OpenProjectBtnClick() {
  if (m_opening || m_list.Sorting()) return;
  m_opening = true;
  ProjectState& state = m_host.Project();
  if (state.AskBeforeOpen() && m_host.HostReporter().Confirm(kSaveBeforeOpenQuestion)) {
    SaveChanges();
    // A save that was cancelled or failed ends the open: opening would drop
    // the changes the user wanted kept.
    if (state.Modified()) {
      m_opening = false;
      return;
    }
  }
  const std::optional<std::string> path =
      m_skip_dialog_path ? m_skip_dialog_path : m_project_host.ChooseProjectToOpen();
  // Busy from the reading on: the dialog keeps its own cursor.
  m_host.SetBusyCursor(true);
  std::optional<ProjectRecord> record;
  if (path) {
    state.OpenChosen(*path);
    record = OpenProjectFile(*path, m_host.HostReporter(), m_host.HostProgress());
  }
  if (record) {
    m_host.SetListBusy(true);
    m_host.Grid().List() = record->list;
    m_project_host.ApplySettingsRecord(*record);
    m_host.SetListBusy(false);
    m_list.ListReplaced();
    state.OpenSucceeded();
    ShowProjectState();
    m_host.SetTotalImagesPanel("Total Images: " + QString::number(record->list.RowCount()));
    m_project_host.History().Add(*path);
    ShowReopenMenu();
    m_host.HostProgress().ProcessEvents();
    m_items.validate->setEnabled(true);
    m_list.ValidateListBtnClick();
  }
  m_host.SetBusyCursor(false);
  m_opening = false;
}

void ProjectCommands::OpenWithoutDialog(const std::string& path) {
  m_skip_dialog_path = path;
  OpenProjectBtnClick();
  m_skip_dialog_path.reset();
}

void ProjectCommands::SaveProjectBtnClick() {
  m_host.SetBusyCursor(true);
  SaveProject(CurrentRecord(), m_host.Project(), m_host.HostReporter(), m_host.HostProgress());
  ShowProjectState();
  m_host.SetBusyCursor(false);
}

void ProjectCommands::SaveProjectAsBtnClick() {
  const std::optional<std::string> chosen = m_project_host.ChooseProjectToSave();
  m_host.SetBusyCursor(true);
  SaveProjectAs(chosen, CurrentRecord(), m_host.Project(), m_project_host.History(), m_host.HostReporter(),
                m_host.HostProgress());
  ShowProjectState();
  ShowReopenMenu();
  m_host.SetBusyCursor(false);
}

void ProjectCommands::File1Click() {
  m_host.Project().FileMenuOpened(!m_host.Grid().List().IsEmpty());
  ShowProjectState();
}

void ProjectCommands::AskToSaveBeforeExit() {
  if (m_host.Project().AskBeforeExit(!m_host.Grid().List().IsEmpty()) &&
      m_host.HostReporter().Confirm(kSaveBeforeExitQuestion)) {
    SaveChanges();
  }
}

void ProjectCommands::ReopenClick(int slot) { OpenWithoutDialog(m_project_host.History().Caption(slot)); }

void ProjectCommands::ClearReopenBtnClick() {
  m_project_host.History().Clear(HistoryFile(), m_host.HostReporter());
  ShowReopenMenu();
}

void ProjectCommands::SaveHistoryAtExit() { m_project_host.History().SaveAtExit(HistoryFile(), m_host.HostReporter()); }

}  // namespace sf::app
