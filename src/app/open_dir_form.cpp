#include "app/open_dir_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>

#include "app/decorative_pictures.h"
#include "app/folder_tree.h"
#include "app/form_caption.h"
#include "list/folder_listing.h"

namespace sf::app {
namespace {

constexpr int kClientWidth = 360;
constexpr int kClientHeight = 400;

}  // namespace

TOpenDirForm::TOpenDirForm(const std::string& documents_folder, QWidget* parent)
    : QDialog(parent),
      m_folders(new FolderTree(documents_folder, FolderTree::kDocumentsLast, this)),
      m_path(new QLineEdit(this)),
      m_ok(new QPushButton("&OK", this)),
      m_cancel(new QPushButton("&Cancel", this)) {
  setObjectName("TOpenDirForm");
  setWindowTitle("Open directory");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  FormCaption("Directories", this, 8, 6);
  m_folders->DriveList()->setGeometry(8, 26, kClientWidth - 16, 24);
  m_folders->Tree()->setGeometry(8, 56, kClientWidth - 16, 240);
  QLabel* enter = FormCaption("&Enter path:", this, 8, 304);
  enter->setBuddy(m_path);
  m_path->setObjectName("DirPathEdit");
  m_path->setText(QString::fromStdString(WithTrailingSlash(m_folders->DocumentsFolder()) + "output"));
  m_path->setToolTip("Path does not have to exist, but must be a valid format.");
  m_path->setGeometry(8, 324, kClientWidth - 16, 24);
  m_ok->setObjectName("OkBtn");
  m_ok->setDefault(true);
  m_ok->setGeometry(kClientWidth - 188, 362, 84, 28);
  m_cancel->setObjectName("CancelBtn");
  m_cancel->setGeometry(kClientWidth - 92, 362, 84, 28);

  connect(m_folders, &FolderTree::FolderChanged, this,
          [this] { m_path->setText(QString::fromStdString(WithTrailingSlash(m_folders->Folder()))); });
  connect(m_path, &QLineEdit::textEdited, this, &TOpenDirForm::PathEdited);
  connect(m_ok, &QPushButton::clicked, this, &TOpenDirForm::OkBtnClick);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TOpenDirForm::Path() const { return m_path->text().toStdString(); }

void TOpenDirForm::MoveTo(const std::string& folder) { m_folders->MoveTo(folder); }

void TOpenDirForm::MoveToDocuments() { m_folders->MoveTo(m_folders->DocumentsFolder()); }

void TOpenDirForm::PathEdited(const QString& text) {
  const QString kept = QString::fromStdString(RemoveForbiddenPathCharacters(text.toStdString()));
  if (kept == text) return;
  const int cursor = m_path->cursorPosition() - static_cast<int>(text.size() - kept.size());
  m_path->setText(kept);
  m_path->setCursorPosition(std::max(cursor, 0));
}

void TOpenDirForm::OkBtnClick() {
  m_path->setText(QString::fromStdString(WithTrailingSlash(Path())));
  accept();
}

void TOpenDirForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

}  // namespace sf::app
