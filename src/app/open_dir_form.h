// The directory chooser: a folder tree with its drive list and a path field that
// may name a folder that does not exist yet. On OK the path ends with "/".
//   TOpenDirForm chooser(documents, this);
//   if (chooser.exec() == QDialog::Accepted) out_folder = chooser.Path();
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace sf::app {

class FolderTree;

class TOpenDirForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TOpenDirForm(const std::string& documents_folder, QWidget* parent = nullptr);

  // The text of the path field.
  std::string Path() const;
  void MoveTo(const std::string& folder);
  void MoveToDocuments();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OkBtnClick();
  void PathEdited(const QString& text);

  FolderTree* m_folders;
  QLineEdit* m_path;
  QPushButton* m_ok;
  QPushButton* m_cancel;
};

}  // namespace sf::app
