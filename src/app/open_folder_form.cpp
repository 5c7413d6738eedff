#include "app/open_folder_form.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>

#include "app/bitmap_image.h"
#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/folder_tree.h"
#include "app/form_caption.h"
#include "common/reporter.h"
#include "image/fitting.h"
#include "list/folder_listing.h"
#include "loader/load_image.h"

namespace sf::app {
namespace {

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 413;
constexpr int kPreviewWidth = 264;
constexpr int kPreviewHeight = 242;

constexpr char kHints[] =
    "You may find these hints useful when selecting image files:\n\n- Hold down the 'Ctrl' button while clicking on "
    "an item with your mouse to select multiple photos, one at a time.\n\n- Hold down the 'Shift' key while clicking "
    "your mouse to select all photo files in between the first selected file and the last.\n\n-Press 'Ctrl + A' to "
    "select all files.\n";

// Shows the cursor busy until the scope ends.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

TOpenFolderForm::TOpenFolderForm(const std::string& documents_folder, ShowNote show_note, QWidget* parent)
    : QDialog(parent),
      m_show_note(std::move(show_note)),
      m_folders(new FolderTree(documents_folder, FolderTree::kDocumentsFirst, this)),
      m_background(ToBitmap(DecorativeBackground())) {
  setObjectName("TOpenFolderForm");
  setWindowTitle("Add Image files to compilation list");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  BuildLayout();
  connect(m_folders, &FolderTree::FolderChanged, this, &TOpenFolderForm::ShowFolder);
  connect(m_filter, &QComboBox::currentIndexChanged, this, &TOpenFolderForm::ShowFolder);
  connect(m_files, &QListWidget::itemSelectionChanged, this, &TOpenFolderForm::FileListChange);
  connect(m_zoom_in, &QCheckBox::clicked, this, &TOpenFolderForm::FileListChange);
  connect(m_select_all, &QPushButton::clicked, this, &TOpenFolderForm::SelectAll);
  connect(m_help, &ClickableLabel::clicked, this, [this] { m_show_note(kHints); });
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowFolder();
}

void TOpenFolderForm::BuildLayout() {
  FormCaption("Directories", this, 8, 6);
  m_folders->DriveList()->setGeometry(8, 26, 220, 24);
  m_folders->Tree()->setGeometry(8, 56, 220, 349);

  FormCaption("Image Files", this, 238, 6);
  m_filter = new QComboBox(this);
  m_filter->setObjectName("FilterBox");
  for (const FileFilter& filter : FolderBrowserFilters()) m_filter->addItem(filter.caption, QString(filter.mask));
  m_filter->setGeometry(238, 26, 200, 24);
  m_files = new QListWidget(this);
  m_files->setObjectName("FileListBox1");
  m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_files->setGeometry(238, 56, 200, 311);
  m_select_all = new QPushButton("Se&lect All", this);
  m_select_all->setObjectName("SelectAllBtn");
  m_select_all->setGeometry(238, 375, 100, 28);
  m_help = new ClickableLabel("?", this);
  m_help->setObjectName("AspectHelpLbl");
  m_help->setToolTip("Click here for hints.");
  QFont big = m_help->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 4);
  m_help->setFont(big);
  QPalette blue = m_help->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  m_help->setPalette(blue);
  m_help->setCursor(Qt::PointingHandCursor);
  m_help->setGeometry(350, 375, 20, 28);

  auto* popup = new QMenu(m_files);
  QAction* select_all = popup->addAction("Se&lect All");
  select_all->setShortcut(QKeySequence("Ctrl+A"));
  select_all->setShortcutContext(Qt::WidgetShortcut);
  m_files->addAction(select_all);
  connect(select_all, &QAction::triggered, this, &TOpenFolderForm::SelectAll);
  connect(popup, &QMenu::aboutToShow, this, [this] { m_select_all->setEnabled(m_files->count() > 0); });
  m_files->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_files, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& at) { popup->popup(m_files->viewport()->mapToGlobal(at)); });

  FormCaption("Image Preview", this, 448, 6);
  m_preview = new QLabel(this);
  m_preview->setObjectName("PreviewImage");
  m_preview->setGeometry(448, 26, kPreviewWidth, kPreviewHeight);
  m_preview->setScaledContents(true);
  m_preview->setFrameShape(QFrame::Box);
  m_zoom_in = new QCheckBox("&Zoom In (expand smaller pictures)", this);
  m_zoom_in->setObjectName("ZoomInChkBox");
  m_zoom_in->setChecked(true);
  m_zoom_in->setGeometry(448, 274, kPreviewWidth, 24);

  m_ok = new QPushButton("&OK", this);
  m_ok->setObjectName("OkBtn");
  m_ok->setDefault(true);
  m_ok->setEnabled(false);
  m_ok->setGeometry(536, 375, 84, 28);
  m_cancel = new QPushButton("&Cancel", this);
  m_cancel->setObjectName("CancelBtn");
  m_cancel->setGeometry(628, 375, 84, 28);
}

std::string TOpenFolderForm::Folder() const { return m_folders->Folder(); }

std::vector<std::string> TOpenFolderForm::SelectedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < m_files->count(); ++i) {
    if (m_files->item(i)->isSelected()) names.push_back(m_files->item(i)->text().toStdString());
  }
  return names;
}

void TOpenFolderForm::MoveTo(const std::string& folder) { m_folders->MoveTo(folder); }

void TOpenFolderForm::ShowFolder() {
  const QString mask = m_filter->currentData().toString();
  const QIcon icon = QFileIconProvider().icon(QFileIconProvider::File);
  m_files->clear();
  for (const std::string& name : ListMatchingFiles(Folder(), mask.toStdString())) {
    m_files->addItem(new QListWidgetItem(icon, QString::fromStdString(name)));
  }
  if (m_files->count() > 0) {
    m_files->setCurrentRow(0);  // selects it, which runs the file-list change
  } else {
    FileListChange();
  }
}

void TOpenFolderForm::FileListChange() {
  const bool any_selected = !m_files->selectedItems().isEmpty();
  m_ok->setEnabled(any_selected);
  if (any_selected && m_files->currentItem() != nullptr) {
    ShowPreview(Folder() + "/" + m_files->currentItem()->text().toStdString());
  } else {
    m_preview->clear();
  }
  m_select_all->setEnabled(m_files->count() > 0);
}

// Preview failures are not reported: the browser just shows no picture.
void TOpenFolderForm::ShowPreview(const std::string& path) {
  const BusyCursor busy;
  SilentReporter silent;
  Bitmap picture;
  LoadImage(picture, path, silent, {.upright = m_upright});
  if (picture.Empty() || GetAspectedImage(picture, m_background, ResizeMethod::kStandard, m_zoom_in->isChecked(),
                                          true, PixelFormat::kBits24, 0, 0, kPreviewHeight, kPreviewWidth,
                                          silent) != 0) {
    m_preview->clear();
    return;
  }
  m_preview->setPixmap(QPixmap::fromImage(ToQImage(picture)));
}

void TOpenFolderForm::SelectAll() {
  m_files->selectAll();
  m_ok->setEnabled(!m_files->selectedItems().isEmpty());
}

void TOpenFolderForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

}  // namespace sf::app
