#include "project/project_state.h"

namespace sf {

void ProjectState::FileMenuOpened(bool list_not_empty) {
  if (list_not_empty) m_save_as_enabled = true;
  if (!m_save_as_enabled) {
    m_save_enabled = false;
  } else if (m_project_path == m_open_path) {
    m_save_enabled = true;
  }
}

void ProjectState::PicturesAdded() {
  m_save_as_enabled = true;
  m_modified = true;
}

void ProjectState::SaveAsChosen(const std::string& path) {
  m_project_path = path;
  m_save_enabled = true;
}

void ProjectState::SaveStarted() {
  m_save_enabled_before_save = m_save_enabled;
  m_save_enabled = false;
}

void ProjectState::SaveFinished(bool saved) {
  if (!saved) {
    m_save_enabled = m_save_enabled_before_save;
    return;
  }
  m_save_enabled = true;
  m_modified = false;
  m_title = "Slideforge - " + m_project_path;
}

void ProjectState::OpenChosen(const std::string& path) { m_open_path = path; }

void ProjectState::OpenSucceeded() {
  m_project_path = m_open_path;
  m_save_enabled = true;
  m_modified = false;
  m_title = "Slideforge - " + m_project_path;
}

}  // namespace sf
