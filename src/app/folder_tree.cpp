#include "app/folder_tree.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <algorithm>

namespace sf::app {
namespace {

QStringList MountedVolumes() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
  }
  if (!roots.contains("/")) roots << "/";
  std::sort(roots.begin(), roots.end());
  return roots;
}

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

FolderTree::FolderTree(std::string documents_folder, DocumentsPlace place, QWidget* parent)
    : QObject(parent),
      m_documents(WithoutTrailingSlash(documents_folder.empty() ? QDir::homePath().toStdString()
                                                                : std::move(documents_folder))),
      m_drives(new QComboBox(parent)),
      m_tree(new QTreeView(parent)),
      m_model(new QFileSystemModel(this)) {
  m_drives->setObjectName("DriveComboBox1");
  m_tree->setObjectName("DirOutline");
  m_drives->addItems(MountedVolumes());
  if (place == kDocumentsFirst) {
    m_drives->insertItem(0, kMyDocuments);
  } else {
    m_drives->addItem(kMyDocuments);
  }
  m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  m_model->setRootPath("/");
  m_tree->setModel(m_model);
  for (int c = 1; c < m_model->columnCount(); ++c) m_tree->hideColumn(c);
  m_tree->header()->hide();
  m_tree->setRootIndex(m_model->index("/"));
  connect(m_drives, &QComboBox::activated, this, &FolderTree::DriveChosen);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, &FolderTree::TreeChanged);
  MoveTo(QDir::currentPath().toStdString());
}

std::string FolderTree::Folder() const {
  const QModelIndex current = m_tree->currentIndex();
  return current.isValid() ? WithoutTrailingSlash(m_model->filePath(current).toStdString()) : std::string("/");
}

void FolderTree::MoveTo(const std::string& folder) {
  const QModelIndex index = m_model->index(QString::fromStdString(WithoutTrailingSlash(folder)));
  if (!index.isValid()) return;
  m_tree->setCurrentIndex(index);
  m_tree->expand(index);
  m_tree->scrollTo(index);
}

void FolderTree::DriveChosen(int index) {
  const QString item = m_drives->itemText(index);
  MoveTo(item == kMyDocuments ? m_documents : item.toStdString());
}

void FolderTree::TreeChanged() {
  const QString folder = QString::fromStdString(Folder());
  if (Folder() != m_documents) FollowDrive(folder);
  emit FolderChanged();
}

// The drive list shows the volume that holds the folder.
void FolderTree::FollowDrive(const QString& folder) {
  const int index = m_drives->findText(QStorageInfo(folder).rootPath());
  if (index < 0 || index == m_drives->currentIndex()) return;
  const QSignalBlocker blocker(m_drives);
  m_drives->setCurrentIndex(index);
}

}  // namespace sf::app
