#include "app/main_window_list_host.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>

#include "app/clickable_label.h"
#include "app/file_dialogs.h"
#include "app/gif_settings_form.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/open_folder_form.h"
#include "app/view_image_form.h"

namespace sf::app {
namespace {

constexpr char kOpenProjectFilter[] = "Project File (*.sfg)|*.sfg|All Files (*.*)|*.*";
constexpr char kSaveProjectFilter[] = "Project file (*.sfg)|*.sfg|All files (*.*)|*.*";

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

MainWindowListHost::MainWindowListHost(TAVICompileForm& window) : QObject(&window), m_window(window) {
  m_list = std::make_unique<ListCommands>(*this, [this](const std::string& path) { m_projects->OpenWithoutDialog(path); });
  const MainMenu& menu = window.Menu();
  ProjectMenuItems items{menu.ValidateListBtn, menu.ReopenBtn, menu.Reopen};
  m_projects = std::make_unique<ProjectCommands>(*this, *this, *m_list, items);
  ConnectListControls();
  ConnectProjectControls();
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

MainWindowListHost::~MainWindowListHost() = default;

void MainWindowListHost::ConnectListControls() {
  const MainControls& ui = m_window.Ui();
  const MainMenu& menu = m_window.Menu();
  ImageListGrid* grid = ui.StringGrid;
  ListCommands* list = m_list.get();
  const auto on = [this](auto* sender, auto signal, void (ListCommands::*command)()) {
    connect(sender, signal, this, [this, command] { (m_list.get()->*command)(); });
  };
  on(ui.AddBtn, &QPushButton::clicked, &ListCommands::AddBtnClick);
  on(menu.AddImageFilesBtn2, &QAction::triggered, &ListCommands::AddBtnClick);
  on(ui.DeleteBtn, &QPushButton::clicked, &ListCommands::DeleteBtnClick);
  on(menu.DeleteSelectedBtn2, &QAction::triggered, &ListCommands::DeleteBtnClick);
  on(grid, &ImageListGrid::DeletePressed, &ListCommands::DeleteBtnClick);
  on(ui.SortBtn, &QPushButton::clicked, &ListCommands::SortBtnClick);
  on(menu.SortBtn2, &QAction::triggered, &ListCommands::SortBtnClick);
  on(menu.SortSelectionBtn, &QAction::triggered, &ListCommands::SortSelectionBtnClick);
  on(grid->SortSelectionAction(), &QAction::triggered, &ListCommands::SortSelectionBtnClick);
  on(ui.StopSortBtn, &QPushButton::clicked, &ListCommands::StopSortBtnClick);
  on(menu.ValidateListBtn, &QAction::triggered, &ListCommands::ValidateListBtnClick);
  on(menu.ClearListBtn, &QAction::triggered, &ListCommands::ClearListBtnClick);
  on(menu.SelectAllBtn, &QAction::triggered, &ListCommands::SelectAllBtnClick);
  on(grid->SelectAllAction(), &QAction::triggered, &ListCommands::SelectAllBtnClick);
  on(menu.ViewImageBtn, &QAction::triggered, &ListCommands::ViewImageBtnClick);
  on(grid->ViewImageAction(), &QAction::triggered, &ListCommands::ViewImageBtnClick);
  on(ui.Image1, &ClickableLabel::clicked, &ListCommands::ViewImageBtnClick);
  on(menu.ImageLocationBtn, &QAction::triggered, &ListCommands::ImageLocationBtnClick);
  on(grid->ImageInformationAction(), &QAction::triggered, &ListCommands::ImageLocationBtnClick);
  on(grid, &ImageListGrid::RowSelected, &ListCommands::StringGridClick);
  on(grid, &ImageListGrid::RowDoubleClicked, &ListCommands::StringGridDblClick);
  on(grid, &ImageListGrid::PopupAboutToShow, &ListCommands::GridPopMenuPopup);
  // The new order is part of the project: leaving without saving it asks first.
  connect(grid, &ImageListGrid::RowMoved, this, [this] { Project().SetModified(); });
  on(&m_window, &TAVICompileForm::previewRefreshRequested, &ListCommands::StringGridClick);
  connect(&m_window, &TAVICompileForm::listValidated, this, [grid, list](int row) {
    grid->SelectRow(row);
    if (!grid->List().IsEmpty()) list->StringGridClick();
  });
  connect(ui.SortDepthEdit, &QSpinBox::textChanged, this, &MainWindowListHost::SortDepthEditChange);
}

void MainWindowListHost::ConnectProjectControls() {
  const MainMenu& menu = m_window.Menu();
  ProjectCommands* projects = m_projects.get();
  connect(menu.File1, &QMenu::aboutToShow, this, [projects] { projects->File1Click(); });
  connect(menu.OpenProjectBtn, &QAction::triggered, this, [projects] { projects->OpenProjectBtnClick(); });
  connect(menu.SaveProjectBtn, &QAction::triggered, this, [projects] { projects->SaveProjectBtnClick(); });
  connect(menu.SaveProjectAsBtn, &QAction::triggered, this, [projects] { projects->SaveProjectAsBtnClick(); });
  for (int slot = 0; slot < static_cast<int>(menu.Reopen.size()); ++slot) {
    connect(menu.Reopen[static_cast<std::size_t>(slot)], &QAction::triggered, this,
            [projects, slot] { projects->ReopenClick(slot); });
  }
  connect(menu.ClearReopenBtn, &QAction::triggered, this, [projects] { projects->ClearReopenBtnClick(); });
  connect(&m_window, &TAVICompileForm::saveProjectRequested, this, [projects](bool save_as) {
    if (save_as) {
      projects->SaveProjectAsBtnClick();
    } else {
      projects->SaveProjectBtnClick();
    }
  });
}

void MainWindowListHost::SortDepthEditChange() {
  m_sort_depth = SortDepthFromText(m_window.Ui().SortDepthEdit->text().toStdString(), m_sort_depth);
}

// Files dropped on the window, in the order the desktop delivers them.
bool MainWindowListHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window && event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (enter->mimeData()->hasUrls()) enter->acceptProposedAction();
    return true;
  }
  if (watched == &m_window && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    std::vector<std::string> paths;
    for (const QUrl& url : drop->mimeData()->urls()) {
      if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    drop->acceptProposedAction();
    m_window.raise();
    m_window.activateWindow();
    m_list->DropFiles(paths);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

TOpenFolderForm& MainWindowListHost::FolderBrowser() {
  if (!m_folder_browser) {
    m_folder_browser = new TOpenFolderForm(
        m_window.DocumentsFolder(), [this](const std::string& note) { m_window.HintForm().ShowNote(note); }, &m_window);
  }
  return *m_folder_browser;
}

TViewImageForm& MainWindowListHost::Viewer() {
  if (!m_viewer) m_viewer = new TViewImageForm(&m_window);
  return *m_viewer;
}

// --- ListHost ----------------------------------------------------------------------------

ImageListGrid& MainWindowListHost::Grid() { return *m_window.Ui().StringGrid; }
Reporter& MainWindowListHost::HostReporter() { return m_window.GetReporter(); }
ProgressObserver& MainWindowListHost::HostProgress() { return m_window.Progress(); }
Desktop& MainWindowListHost::HostDesktop() { return m_window.GetDesktop(); }
ProjectState& MainWindowListHost::Project() { return m_window.Project(); }
void MainWindowListHost::ShowSaveItems() {
  m_window.Menu().SaveProjectBtn->setEnabled(Project().SaveEnabled());
  m_window.Menu().SaveProjectAsBtn->setEnabled(Project().SaveAsEnabled());
}

std::string MainWindowListHost::ProgramFolder() { return m_window.ProgramFolder(); }

CompileSettings MainWindowListHost::PreviewSettings() {
  if (const std::optional<CompileSettings> settings = m_window.ReadSettings()) return *settings;
  // A timing edit that is not a number leaves the held values, with the
  // fitting controls as they stand.
  CompileSettings held = m_window.HeldSettings();
  held.upright = m_window.Ui().AutoOrientCheck->isChecked();
  return held;
}

void MainWindowListHost::StartNewList() { m_window.Ui().AutoOrientCheck->setChecked(true); }

void MainWindowListHost::ShowPreview(const QImage& picture) {
  ClickableLabel* preview = m_window.Ui().Image1;
  if (picture.isNull()) {
    preview->clear();
  } else {
    preview->setPixmap(QPixmap::fromImage(picture));
  }
}

void MainWindowListHost::ShowAppliedEffects(const std::vector<std::string>& lines) {
  QListWidget* box = m_window.Ui().AppliedEffectsListBox;
  box->clear();
  for (const std::string& line : lines) box->addItem(QString::fromStdString(line));
}

void MainWindowListHost::SetSelectedImagePanel(const QString& text) {
  m_window.SetPanelText(TAVICompileForm::kSelectedImagePanel, text);
}

void MainWindowListHost::SetTotalImagesPanel(const QString& text) {
  m_window.SetPanelText(TAVICompileForm::kTotalImagesPanel, text);
}

void MainWindowListHost::RefreshReadouts() { m_window.RefreshReadouts(); }
void MainWindowListHost::SetListBusy(bool busy) { m_window.SetListBusy(busy); }
bool MainWindowListHost::ListBusy() { return m_window.ListBusy(); }

void MainWindowListHost::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_busy_cursors;
  } else if (m_busy_cursors > 0) {
    QApplication::restoreOverrideCursor();
    --m_busy_cursors;
  }
}

void MainWindowListHost::EnableListCommands(bool enabled) {
  const MainControls& ui = m_window.Ui();
  for (QWidget* control : {static_cast<QWidget*>(ui.StringGrid), static_cast<QWidget*>(ui.DeleteBtn),
                           static_cast<QWidget*>(ui.SortBtn), static_cast<QWidget*>(ui.CompileBtn),
                           static_cast<QWidget*>(ui.EditEffectsBtn)}) {
    control->setEnabled(enabled);
  }
}

void MainWindowListHost::EnableDeleteButton(bool enabled) { m_window.Ui().DeleteBtn->setEnabled(enabled); }
bool MainWindowListHost::SortListEnabled() { return m_window.Ui().SortBtn->isEnabled(); }
bool MainWindowListHost::Compiling() { return m_window.Compiling(); }
bool MainWindowListHost::ExitRequested() { return m_window.ExitRequested(); }

void MainWindowListHost::ShowSortRunning(bool running) {
  const MainControls& ui = m_window.Ui();
  ui.StopSortBtn->setEnabled(running);
  ui.StopSortBtn->setVisible(running);
  ui.SortBtn->setVisible(!running);
}

SortOptions MainWindowListHost::SortSettings() {
  const MainControls& ui = m_window.Ui();
  return SortOptions{ui.SortBackChkBox->isChecked(), ui.SortDepthChkBox->isChecked(), m_sort_depth};
}

void MainWindowListHost::SetFrameSize(int width, int height) {
  m_window.Ui().WidthEdit->setValue(width);
  m_window.Ui().HeightEdit->setValue(height);
}

std::string MainWindowListHost::AudioPath() { return Text(m_window.Ui().AudioPathEdit); }
bool MainWindowListHost::IncludeAudioEnabled() { return m_window.Ui().IncludeAudioChkBox->isEnabled(); }

void MainWindowListHost::TakeSoundTrack(const std::string& path) {
  const MainControls& ui = m_window.Ui();
  if (!ui.IncludeAudioChkBox->isChecked()) ui.IncludeAudioChkBox->click();
  ui.AudioPathEdit->setText(QString::fromStdString(path));
}

void MainWindowListHost::RemoveSoundTrack() {
  const MainControls& ui = m_window.Ui();
  ui.AudioPathEdit->setText(QString::fromLatin1(kNoAudioPath));
  if (ui.IncludeAudioChkBox->isChecked()) ui.IncludeAudioChkBox->click();
}

bool MainWindowListHost::OpenProjectEnabled() { return m_window.Menu().OpenProjectBtn->isEnabled(); }

std::optional<ChosenFiles> MainWindowListHost::ChooseImageFiles() {
  TOpenFolderForm& browser = FolderBrowser();
  browser.SetUpright(m_window.Ui().AutoOrientCheck->isChecked());
  if (browser.exec() != QDialog::Accepted) return std::nullopt;
  return ChosenFiles{browser.Folder(), browser.SelectedNames()};
}

void MainWindowListHost::ViewPicture(const QImage& picture, const std::string& path) {
  TViewImageForm& viewer = Viewer();
  viewer.ShowPicture(picture, path);
  m_window.hide();
  viewer.exec();
  m_window.show();
}

// --- ProjectHost -------------------------------------------------------------------------

ProjectRecord MainWindowListHost::ReadSettingsRecord() {
  const MainControls& ui = m_window.Ui();
  const TGIFSettingsForm& gif = m_window.GifSettingsForm();
  ProjectRecord record;
  record.maintain_aspect = ui.AspectChkBox->isChecked();
  record.zoom_in = ui.ZoomInChkBox->isChecked();
  record.upright = ui.AutoOrientCheck->isChecked();
  record.border_width = ui.BorderSizeWidthEdit->value();
  record.border_height = ui.BorderSizeHeightEdit->value();
  record.pixel_format = ui.PixelFormCBox->currentIndex();
  record.avi_output = ui.IncludeAudioChkBox->isEnabled();
  record.open_file_when_finished = ui.OpenFileChkBox->isChecked();
  record.resize_method = ui.ResizeCBox->currentIndex();
  record.gif_loops = gif.Loops();
  record.gif_transparency = gif.Transparency();
  record.gif_disposal = gif.Disposal();
  record.gif_optimise = gif.Optimise();
  record.include_audio = ui.IncludeAudioChkBox->isChecked();
  record.media_type = ui.MediaTypeCBox->currentIndex();
  record.frames_per_second = Text(ui.FramesPerSecondEdit);
  record.frame_width = ui.WidthEdit->value();
  record.frame_height = ui.HeightEdit->value();
  record.repeat_value = Text(ui.RepeatValueEdit);
  record.repeat_seconds = Text(ui.RepeatSecondsEdit);
  record.audio_path = Text(ui.AudioPathEdit);
  record.output_path = Text(ui.OutputEdit);
  record.background_path = m_window.HeldSettings().background_path;
  record.video_encoding = m_window.HeldSettings().video_encoding;
  record.show_transitions = ui.ShowTransitionsChkBox->isChecked();
  record.transition_seconds = ui.TransitionTimeEdit->value();
  return record;
}

void MainWindowListHost::ApplySettingsRecord(const ProjectRecord& record) {
  const MainControls& ui = m_window.Ui();
  ui.AspectChkBox->setChecked(record.maintain_aspect);
  ui.ZoomInChkBox->setChecked(record.zoom_in);
  ui.AutoOrientCheck->setChecked(record.upright);
  ui.BorderSizeWidthEdit->setValue(record.border_width);
  ui.BorderSizeHeightEdit->setValue(record.border_height);
  ui.PixelFormCBox->setCurrentIndex(record.pixel_format);
  m_window.ShowOutputKind(record.avi_output);
  ui.OpenFileChkBox->setChecked(record.open_file_when_finished);
  ui.ResizeCBox->setCurrentIndex(record.resize_method);
  if (record.has_groups) {
    m_window.GifSettingsForm().SetValues(record.gif_loops, record.gif_transparency, record.gif_disposal);
    m_window.GifSettingsForm().SetOptimise(record.gif_optimise);
  }
  m_window.LoadTimingValues(record.media_type, record.frames_per_second, record.frame_width, record.frame_height,
                            record.repeat_value, record.repeat_seconds);
  if (record.include_audio != ui.IncludeAudioChkBox->isChecked() && ui.IncludeAudioChkBox->isEnabled()) {
    ui.IncludeAudioChkBox->click();
  }
  ui.AudioPathEdit->setText(QString::fromStdString(record.audio_path));
  ui.OutputEdit->setText(QString::fromStdString(record.output_path));
  m_window.SetVideoEncoding(record.video_encoding);
  ui.ShowTransitionsChkBox->setChecked(record.show_transitions);
  ui.TransitionTimeEdit->setValue(record.transition_seconds);
  if (!record.background_path.empty()) m_window.LoadBackgroundPicture(record.background_path);
}

std::optional<std::string> MainWindowListHost::ChooseProjectToOpen() {
  FileDialogRequest request;
  request.title = "Open Project";
  request.folder = m_window.DocumentsFolder();
  request.filter = kOpenProjectFilter;
  request.confirm_overwrite = false;
  const std::optional<FileDialogAnswer> answer = m_window.Dialogs().Open(request);
  if (!answer) return std::nullopt;
  return answer->path;
}

std::optional<std::string> MainWindowListHost::ChooseProjectToSave() {
  FileDialogRequest request;
  request.title = "Save Project As";
  request.folder = m_window.DocumentsFolder();
  request.file_name = m_window.Project().ProjectPath();
  request.filter = kSaveProjectFilter;
  request.default_extensions = {".sfg", ".sfg"};
  const std::optional<FileDialogAnswer> answer = m_window.Dialogs().Save(request);
  if (!answer) return std::nullopt;
  return answer->path;
}

ReopenHistory& MainWindowListHost::History() { return m_window.History(); }

void MainWindowListHost::RefreshCaption() { m_window.RefreshCaption(); }

}  // namespace sf::app
