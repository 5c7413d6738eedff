// The main window's menu bar: every menu and item with its caption, shortcut
// and start state, reachable by the commands that connect to them.
//   connect(menu.OpenProjectBtn, &QAction::triggered, ...);
#pragma once

#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace sf::app {

struct MainMenu {
  QMenu* File1 = nullptr;
  QAction* OpenProjectBtn = nullptr;
  QMenu* ReopenBtn = nullptr;
  std::array<QAction*, 5> Reopen{};  // Reopen1 to Reopen5, hidden until filled
  QAction* ClearReopenBtn = nullptr;
  QAction* SaveProjectBtn = nullptr;
  QAction* SaveProjectAsBtn = nullptr;
  QAction* ExitBtn = nullptr;

  QMenu* ImageList1 = nullptr;
  QAction* AddImageFilesBtn2 = nullptr;
  QAction* SortBtn2 = nullptr;
  QAction* SortSelectionBtn = nullptr;
  QAction* ValidateListBtn = nullptr;
  QAction* ClearListBtn = nullptr;
  QAction* DeleteSelectedBtn2 = nullptr;
  QAction* SelectAllBtn = nullptr;
  QAction* ViewImageBtn = nullptr;
  QAction* ImageLocationBtn = nullptr;

  QMenu* Transitions1 = nullptr;  // not shown
  QAction* AddTransitionBtn1 = nullptr;
  QAction* ClearTransitionsBtn1 = nullptr;

  QMenu* Effects1 = nullptr;
  QAction* AddEffectBtn = nullptr;
  QAction* ClearEffectsBtn = nullptr;
  QAction* ClearAllEffectsBtn = nullptr;

  QMenu* Tools1 = nullptr;
  QAction* ExtractBitmaps = nullptr;
  QAction* ExtractBitmapsfromGIFAnimation1 = nullptr;
  QAction* ImageConverterBtn = nullptr;
  QAction* BitrateCalcBtn = nullptr;

  QMenu* Help1 = nullptr;
  QAction* HelpBtn = nullptr;
  QAction* SlideforgeHomeBtn = nullptr;
  QAction* KorvaneHomeBtn = nullptr;
  QAction* AboutBtn = nullptr;
};

// Fills the menu bar; every action's objectName is its member's name.
MainMenu BuildMainMenu(QMenuBar& bar);

}  // namespace sf::app
