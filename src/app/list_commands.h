// The commands of the image list: adding files through the folder browser,
// dropped files, sorting with its Stop, row selection with the fitted preview and
// the applied effects, deleting, clearing, selecting all, validating, picture
// information, the frame size taken from a picture and the image viewer. Each
// calls the core routine and shows the result through the window's ListHost.
//   ListCommands commands(host, [&](const std::string& path) { projects.OpenWithoutDialog(path); });
//   connect(ui.AddBtn, &QPushButton::clicked, [&] { commands.AddBtnClick(); });
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "list/picture_info.h"

namespace sf {
class Bitmap;
class ImageList;
}  // namespace sf

namespace sf::app {

class ListHost;

class ListCommands {
 public:
  using OpenProject = std::function<void(const std::string& path)>;

  // open_project opens a project file dropped on the window, without a dialog.
  ListCommands(ListHost& host, OpenProject open_project);
  ListCommands(const ListCommands&) = delete;
  ListCommands& operator=(const ListCommands&) = delete;

  void AddBtnClick();
  void DropFiles(const std::vector<std::string>& paths);
  void SortBtnClick();
  void SortSelectionBtnClick();
  void StopSortBtnClick();
  // Row selection: the selected-image panel, the preview and the applied effects.
  void StringGridClick();
  void StringGridDblClick();
  void DeleteBtnClick();
  void ClearListBtnClick();
  void SelectAllBtnClick();
  void ValidateListBtnClick();
  void ImageLocationBtnClick();
  void ViewImageBtnClick();
  // The grid's pop-up items follow the Sort List button.
  void GridPopMenuPopup();

  // A list read from a project file is in place: select row 0 and show it.
  void ListReplaced();
  bool Sorting() const { return m_sorting; }
  const ShownPicture& Shown() const { return m_shown; }

 private:
  ImageList& List();
  void SortRange(int from, int to);
  // The list after pictures were added or dropped: select the row, show it and
  // enable the commands.
  void PicturesAdded(int row_to_select);
  void DeleteSelection();
  void ShowEmptyList();
  void ShowCounts();
  // Loads the current row's picture into the preview; with record, it becomes the
  // shown picture of the information box.
  bool LoadPreview(bool record);
  void ShowAppliedEffects();

  ListHost& m_host;
  OpenProject m_open_project;
  ShownPicture m_shown;
  bool m_sorting = false;
  bool m_sort_stop = true;
};

}  // namespace sf::app
