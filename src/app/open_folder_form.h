// The folder browser of Add Image Files: a folder tree with its drive list, the
// picture files of the current folder under a file-type filter (several can be
// selected), and a fitted preview of the current file.
//   TOpenFolderForm browser(documents, [&](const std::string& note) { hints.ShowNote(note); }, this);
//   if (browser.exec() == QDialog::Accepted) AddFiles(browser.Folder(), browser.SelectedNames());
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "image/bitmap.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace sf::app {

class ClickableLabel;
class FolderTree;

class TOpenFolderForm final : public QDialog {
  Q_OBJECT

 public:
  using ShowNote = std::function<void(const std::string&)>;

  TOpenFolderForm(const std::string& documents_folder, ShowNote show_note, QWidget* parent = nullptr);

  // The tree's current folder and the selected file names in displayed order.
  std::string Folder() const;
  std::vector<std::string> SelectedNames() const;
  void MoveTo(const std::string& folder);
  // Whether previews show JPEG photos turned by their EXIF orientation (the
  // opening window's setting; on until told).
  void SetUpright(bool upright) { m_upright = upright; }

  QListWidget* FileList() const { return m_files; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildLayout();
  void ShowFolder();
  void FileListChange();
  void SelectAll();
  void ShowPreview(const std::string& path);

  ShowNote m_show_note;
  FolderTree* m_folders;
  QComboBox* m_filter = nullptr;
  QListWidget* m_files = nullptr;
  QPushButton* m_select_all = nullptr;
  ClickableLabel* m_help = nullptr;
  QLabel* m_preview = nullptr;
  QCheckBox* m_zoom_in = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  Bitmap m_background;  // the decorative picture, behind fitted previews
  bool m_upright = true;
};

}  // namespace sf::app
