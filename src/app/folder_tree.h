// The drive list and folder tree shared by the folder browser and the directory
// chooser: the mounted volumes plus "My Documents" (the documents folder), and a
// tree of folders that follows the chosen drive and reports its current folder.
//   auto* tree = new FolderTree(documents, FolderTree::kDocumentsFirst, this);
//   connect(tree, &FolderTree::FolderChanged, this, &Form::ShowFiles);
#pragma once

#include <QObject>
#include <string>

class QComboBox;
class QFileSystemModel;
class QTreeView;
class QWidget;

namespace sf::app {

inline constexpr char kMyDocuments[] = "My Documents";

class FolderTree final : public QObject {
  Q_OBJECT

 public:
  enum DocumentsPlace { kDocumentsFirst, kDocumentsLast };

  // The two widgets are children of parent, named DriveComboBox1 and DirOutline.
  FolderTree(std::string documents_folder, DocumentsPlace place, QWidget* parent);

  QComboBox* DriveList() const { return m_drives; }
  QTreeView* Tree() const { return m_tree; }
  // The tree's current folder, without a trailing "/" (except the root "/").
  std::string Folder() const;
  // Moves the tree to a folder; the drive list follows unless it shows "My Documents".
  void MoveTo(const std::string& folder);
  const std::string& DocumentsFolder() const { return m_documents; }

 signals:
  void FolderChanged();

 private:
  void DriveChosen(int index);
  void TreeChanged();
  void FollowDrive(const QString& folder);

  std::string m_documents;  // without its trailing "/"
  QComboBox* m_drives;
  QTreeView* m_tree;
  QFileSystemModel* m_model;
};

}  // namespace sf::app
