// The main window's commands for a row's own display time and motion, in the
// list grid's pop-up menu: "Set Display Time..." asks the seconds for the
// selected rows (empty gives them the global time back), "Clear Display Time",
// and the "Motion" submenu. Each sets the modified flag and refreshes the Total
// Frames and Video Length readouts.
//   new MainWindowRowTiming(*this);   // in the window's constructor, a child object
#pragma once

#include <QObject>
#include <string>

class QAction;
class QMenu;

namespace sf::app {

class TAVICompileForm;

class MainWindowRowTiming final : public QObject {
  Q_OBJECT

 public:
  explicit MainWindowRowTiming(TAVICompileForm& window);

  void SetDisplayTimeClick();
  void ClearDisplayTimeClick();
  // text: a motion cell text ("" for none).
  void SetMotionClick(const std::string& text);

 private:
  void BuildPopupItems();
  void PopupAboutToShow();
  void WriteSelectedCells(int column, const std::string& text);

  TAVICompileForm& m_window;
  QAction* m_set_time = nullptr;
  QAction* m_clear_time = nullptr;
  QMenu* m_motion = nullptr;
  QAction* m_transition = nullptr;
};

}  // namespace sf::app
