// The project state of the main window: the modified flag, the current project
// path, the window title and whether Save Project and Save Project As are enabled.
// Commands report what they did; the window reads the state back into its menu.
//   state.FileMenuOpened(!list.IsEmpty());
//   save_item->setEnabled(state.SaveEnabled());
#pragma once

#include <string>

namespace sf {

inline constexpr char kStartTitle[] = "Slideforge - Version 1.3 - Create an AVI from a List of Images";
inline constexpr char kSaveBeforeExitQuestion[] = "Save changes to project before exiting?";
inline constexpr char kSaveBeforeOpenQuestion[] = "Save changes to current project?";

class ProjectState {
 public:
  // The modified flag. Set by every command that changes the list (adding,
  // dropping, deleting, sorting, a validation that removed rows, effects and
  // transitions) and by the change handlers of the saved settings (aspect, zoom,
  // border, frame rate, width, height, repeat, pixel format, resize, include
  // audio, background picture). Choosing the sound track, ticking open-when-
  // finished and the GIF settings do not set it; choosing an output file sets it
  // only through unticking Include Audio. Cleared by a save and an open.
  bool Modified() const { return m_modified; }
  void SetModified() { m_modified = true; }

  bool SaveEnabled() const { return m_save_enabled; }
  bool SaveAsEnabled() const { return m_save_as_enabled; }
  // The current project path (the save dialog's file name, "My project" at start)
  // and the path last opened (the open dialog's file name).
  const std::string& ProjectPath() const { return m_project_path; }
  const std::string& OpenPath() const { return m_open_path; }
  const std::string& Title() const { return m_title; }

  // Opening the File menu: a list with pictures enables Save Project As; Save
  // Project follows it off, and comes on when the current path is the one last
  // opened (compared exactly).
  void FileMenuOpened(bool list_not_empty);
  // Pictures added or dropped: Save Project As comes on and the flag is set.
  void PicturesAdded();

  // Save Project As confirmed in its dialog: the path becomes current and Save
  // Project comes on, even if the save that follows is refused.
  void SaveAsChosen(const std::string& path);
  // Save Project is off while a save writes; a finished save turns it on, clears
  // the flag and titles the window; a failed one puts it back as it was.
  void SaveStarted();
  void SaveFinished(bool saved);

  // The path Open Project is about to read: chosen in its dialog, or handed over
  // by the reopen history or a dropped file.
  void OpenChosen(const std::string& path);
  // An open that succeeded: its path becomes current, Save Project comes on, the
  // flag is cleared and the window is titled with the path.
  void OpenSucceeded();

  // Exiting asks kSaveBeforeExitQuestion when the flag is set and the list holds
  // pictures; opening asks kSaveBeforeOpenQuestion when the flag is set.
  bool AskBeforeExit(bool list_not_empty) const { return m_modified && list_not_empty; }
  bool AskBeforeOpen() const { return m_modified; }
  // A Yes to either question runs Save Project when it is enabled, else Save
  // Project As; when that leaves the flag set (cancelled or failed), the exit
  // or open does not go on.
  bool YesRunsSaveAs() const { return !m_save_enabled; }

 private:
  bool m_modified = false;
  bool m_save_enabled = false;
  bool m_save_enabled_before_save = false;
  bool m_save_as_enabled = false;
  std::string m_project_path = "My project";
  std::string m_open_path;
  std::string m_title = kStartTitle;
};

}  // namespace sf
