#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>

#include "app/about_form.h"
#include "app/bitrate_form.h"
#include "app/bmp_extract_form.h"
#include "app/convert_images_form.h"
#include "app/decorative_pictures.h"
#include "app/file_dialogs.h"
#include "app/gif_settings_form.h"
#include "app/gif_to_bmp_form.h"
#include "app/hint_form.h"
#include "app/home_pages.h"
#include "app/image_list_grid.h"
#include "app/main_window_effects.h"
#include "app/main_window_row_timing.h"
#include "app/main_window_list_host.h"
#include "app/message_box_reporter.h"
#include "app/qt_desktop.h"
#include "app/video_compression_form.h"
#include "app/video_encoding_form.h"
#include "app/window_placement.h"
#include "common/file_util.h"

namespace sf::app {

namespace {

constexpr char kStartMessage[] = "Click 'Add Image Files' to add Bitmaps or JPEG files to the compilation list.";
constexpr char kDocumentationName[] = "Slideforge Documentation.pdf";
constexpr char kNoDocumentation[] =
    "Unable to open 'Slideforge Documentation.pdf'. This file should be found in the root folder of this program.";
constexpr char kAbortCompileQuestion[] = "Exit program and abort compilation?";

// A folder as the program keeps it: absolute, links resolved, ending in "/".
std::string FolderWithSeparator(const QString& folder) {
  QString path = QFileInfo(folder).canonicalFilePath();
  if (path.isEmpty()) path = QDir(folder).absolutePath();
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path.toStdString();
}

std::string FindDocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return FolderWithSeparator(folder);
}

}  // namespace

// The client area: the decorative background, the status bars, and the mouse
// moves over the bare window that put the remembered message back.
class TAVICompileForm::Client final : public QWidget {
 public:
  explicit Client(TAVICompileForm& form) : QWidget(&form), m_form(form) {
    setObjectName(QStringLiteral("ClientArea"));
    setMouseTracking(true);
    setFixedSize(kClientWidth, kClientHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    m_form.PaintClient(painter);
  }
  void mouseMoveEvent(QMouseEvent* event) override { m_form.ClientMouseMove(event->position().toPoint()); }
  void resizeEvent(QResizeEvent*) override { m_form.RelayoutStatusBars(); }

 private:
  TAVICompileForm& m_form;
};

TAVICompileForm::TAVICompileForm(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_services(services),
      m_program_folder(FolderWithSeparator(QDir::currentPath())),
      m_documents_folder(FindDocumentsFolder()),
      m_remembered_message(QString::fromLatin1(kStartMessage)) {
  setObjectName(QStringLiteral("TAVICompileForm"));
  if (!m_services.reporter) m_services.reporter = (m_own_reporter = std::make_unique<MessageBoxReporter>(this)).get();
  if (!m_services.dialogs) m_services.dialogs = (m_own_dialogs = std::make_unique<QtFileDialogs>(this)).get();
  if (!m_services.desktop) m_services.desktop = (m_own_desktop = std::make_unique<QtDesktop>()).get();
  if (!m_services.chooser) m_services.chooser = (m_own_chooser = std::make_unique<DialogCompressorChooser>(this)).get();
  if (!m_services.encoding_chooser) {
    m_services.encoding_chooser = (m_own_encoding_chooser = std::make_unique<DialogEncodingChooser>(this)).get();
  }

  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  m_menu = BuildMainMenu(*menuBar());
  m_client = new Client(*this);
  setCentralWidget(m_client);
  m_ui = BuildMainControls(*m_client, m_list);
  m_hint_form = std::make_unique<THintForm>();
  m_gif_settings = std::make_unique<TGIFSettingsForm>(*m_hint_form);
  m_convert_form = std::make_unique<TConvertImagesForm>(*m_hint_form, GetReporter(), GetDesktop(), m_documents_folder);
  m_convert_form->SetCloseAction([this] { show(); });
  m_gif_extract = std::make_unique<TGIFtoBMPForm>(*this);
  m_bitrate_form = std::make_unique<TBitrateForm>(GetReporter());
  connect(m_bitrate_form.get(), &TBitrateForm::closed, this, &QWidget::show);
  m_bmp_extract_form = std::make_unique<TBMPExtractForm>(GetReporter(), Dialogs(), GetDesktop(), m_documents_folder);
  connect(m_bmp_extract_form.get(), &TBMPExtractForm::closed, this, &QWidget::show);

  m_settings.output_path = DefaultOutputPath(m_documents_folder);
  m_ui.OutputEdit->setText(QString::fromStdString(m_settings.output_path));
  m_ui.RepeatSecondsEdit->setToolTip(QString::fromStdString(m_timing.SecondsHint()));
  SetUpStatusBars();
  RegisterHints();
  ConnectMenus();
  ConnectSettings();
  RefreshCaption();
  m_history.Load(m_program_folder + kReopenFileName);
  m_menu.ReopenBtn->setEnabled(m_history.MenuEnabled());
  m_list_host = new MainWindowListHost(*this);
  m_effects = new MainWindowEffects(*this);
  new MainWindowRowTiming(*this);
  adjustSize();
  setFixedSize(size());
  CentreOnScreen(*this);
}

TAVICompileForm::~TAVICompileForm() {
  if (m_busy_cursor) QApplication::restoreOverrideCursor();
}

void TAVICompileForm::RefreshCaption() { setWindowTitle(QString::fromStdString(m_project.Title())); }

bool TAVICompileForm::Compiling() const { return !m_ui.StopBtn->isHidden(); }

// --- status bars -------------------------------------------------------------

void TAVICompileForm::SetUpStatusBars() {
  for (StatusBarObject* bar : {&m_upper_bar, &m_lower_bar}) {
    bar->height = 19;
    bar->edges = {QColor(Qt::white), QColor(0, 0, 128), QColor(0, 128, 255)};
  }
  m_lower_bar.borders.bottom = 2;
  m_upper_bar.panels[kProgressPanel].width = 250;
  m_upper_bar.panels[kSelectedImagePanel].width = 150;
  m_upper_bar.panels[kTotalImagesPanel].width = 150;
  m_lower_bar.panels[kMessagePanel].width = 550;
  m_upper_bar.Layout(4, kClientHeight - 38);
  m_lower_bar.Layout(2, kClientHeight - 19);
  RelayoutStatusBars();
  m_upper_bar.panels[kProgressPanel].text = QStringLiteral("Ready.");
  m_upper_bar.panels[kSelectedImagePanel].text = QStringLiteral("Selected Image: None.");
  m_upper_bar.panels[kTotalImagesPanel].text = QStringLiteral("Total Images: 0");
  m_upper_bar.panels[kTotalFramesPanel].text = QStringLiteral("Total Frames: ?");
  m_lower_bar.panels[kMessagePanel].text = m_remembered_message;
  m_lower_bar.panels[kVideoLengthPanel].text = QStringLiteral("Video Length: ?");
}

void TAVICompileForm::RelayoutStatusBars() {
  if (!m_client) return;
  // The last panel of each bar takes the width the others leave.
  for (StatusBarObject* bar : {&m_upper_bar, &m_lower_bar}) {
    if (bar->Count() == 0) continue;
    int others = 0;
    for (int i = 0; i + 1 < bar->Count(); ++i) others += bar->panels[static_cast<std::size_t>(i)].width;
    bar->panels[static_cast<std::size_t>(bar->Count() - 1)].width = m_client->width() - others - bar->left;
  }
  m_upper_bar.SetTop(m_client->height() - 38);
  m_lower_bar.SetTop(m_client->height() - 19);
  m_upper_bar.Relayout();
  m_lower_bar.Relayout();
  m_client->update();
}

void TAVICompileForm::PaintClient(QPainter& painter) {
  painter.drawImage(m_client->rect(), DecorativeBackground());
  m_upper_bar.DrawPictureFill(painter, ProgressPicture());
  m_lower_bar.DrawPictureFill(painter, ProgressPicture());
}

QString TAVICompileForm::PanelText(UpperPanel panel) const { return m_upper_bar.panels[panel].text; }
QString TAVICompileForm::PanelText(LowerPanel panel) const { return m_lower_bar.panels[panel].text; }

void TAVICompileForm::SetPanelText(UpperPanel panel, const QString& text) {
  m_upper_bar.panels[panel].text = text;
  m_client->update();
}

void TAVICompileForm::SetPanelText(LowerPanel panel, const QString& text) {
  m_lower_bar.panels[panel].text = text;
  m_client->update();
}

void TAVICompileForm::SetProgress(const QString& text, int percent) {
  StatusBarPanelObject& panel = m_upper_bar.panels[kProgressPanel];
  panel.fill_width = static_cast<int>(percent * 0.01 * panel.inner_width);
  panel.text = text;
  // Only the strip changes: long loops repaint it at every step.
  m_client->update(0, m_upper_bar.Top(), m_client->width(), m_upper_bar.height);
}

int TAVICompileForm::ProgressFillWidth() const { return m_upper_bar.panels[kProgressPanel].fill_width; }

// --- messages and hints --------------------------------------------------------

void TAVICompileForm::ShowMessage(const QString& text) {
  SetPanelText(kMessagePanel, text);
  m_remembered_message = text;
}

void TAVICompileForm::ShowHint(const QString& text) {
  if (!m_hint_showing) {
    m_hint_showing = true;
    m_remembered_message = PanelText(kMessagePanel);
  }
  if (PanelText(kMessagePanel) != text) SetPanelText(kMessagePanel, text);
}

void TAVICompileForm::RestoreMessage() {
  if (Compiling()) return;
  if (PanelText(kMessagePanel) != m_remembered_message) SetPanelText(kMessagePanel, m_remembered_message);
  m_hint_showing = false;
}

void TAVICompileForm::RegisterHints() {
  const MainControls& ui = m_ui;
  for (QWidget* control : std::initializer_list<QWidget*>{
           ui.AddBtn, ui.StringGrid, ui.OutputPathBtn, ui.OutputEdit, ui.Label10, ui.OpenBackPicBtn,
           ui.BorderSizeWidthEdit, ui.BorderSizeHeightEdit, ui.SortDepthChkBox, ui.SortDepthEdit}) {
    control->installEventFilter(this);
    control->setProperty("hasHint", true);
  }
}

QString TAVICompileForm::HintFor(QWidget* control) const {
  const MainControls& ui = m_ui;
  if (control == ui.AddBtn) return QStringLiteral("Click here to add Bitmaps or JPEG files to the compilation list.");
  if (control == ui.StringGrid)
    return QStringLiteral("Double click a cell to retrieve image dimensions, including border.");
  if (control == ui.OutputPathBtn || control == ui.OutputEdit)
    return IsAviOutput(ui.OutputEdit->text().toStdString())
               ? QStringLiteral("Note: Standard AVI files have a file size limit of 2GB. Files bigger than 2GB will "
                                "not work.")
               : QStringLiteral("Note: The size of the animated GIF is limited to your computer's memory resources.");
  if (control == ui.Label10) return QStringLiteral("This is the number of colors to use.");
  if (control == ui.OpenBackPicBtn) return QStringLiteral("Click here to open a background for the animation.");
  if (control == ui.BorderSizeWidthEdit)
    return QStringLiteral("Border for the sides. The non-viewable area for the sides on a TV is about 10%.");
  if (control == ui.BorderSizeHeightEdit)
    return QStringLiteral(
        "Border for the top and bottom. The non-viewable area for the top and bottom on a TV is about 5%.");
  if (control == ui.SortDepthChkBox || control == ui.SortDepthEdit)
    return QStringLiteral("If checked, only the last ") + ui.SortDepthEdit->text() +
           QStringLiteral(" characters will be compared in the sort. If not, each full path will be compared.");
  return {};
}

void TAVICompileForm::ClientMouseMove(const QPoint& position) {
  // Moves over controls that do not take them arrive here too.
  for (QWidget* under = m_client->childAt(position); under && under != m_client; under = under->parentWidget()) {
    if (under->property("hasHint").toBool()) {
      ShowHint(HintFor(under));
      return;
    }
  }
  RestoreMessage();
}

bool TAVICompileForm::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (control && event->type() == QEvent::Enter && control->property("hasHint").toBool()) {
    ShowHint(HintFor(control));
    if (control == m_ui.BorderSizeWidthEdit || control == m_ui.BorderSizeHeightEdit) RefreshPreview();
  }
  if (control && event->type() == QEvent::EnabledChange && (control == m_ui.DeleteBtn || control == m_ui.SortBtn)) {
    // Menu shortcuts follow the buttons without waiting for a menu to open.
    ImageList1Click();
    Effects1Click();
    Transitions1Click();
  }
  if (control && event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Focus leaving for another window (a message box, a menu) is not leaving the edit.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (control == m_ui.FramesPerSecondEdit) TimingEditExit(TimingEdit::kFramesPerSecond);
      if (control == m_ui.RepeatValueEdit) TimingEditExit(TimingEdit::kRepeatValue);
      if (control == m_ui.RepeatSecondsEdit) TimingEditExit(TimingEdit::kRepeatSeconds);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- menus -----------------------------------------------------------------------

void TAVICompileForm::ConnectMenus() {
  connect(m_menu.ImageList1, &QMenu::aboutToShow, this, &TAVICompileForm::ImageList1Click);
  connect(m_menu.Effects1, &QMenu::aboutToShow, this, &TAVICompileForm::Effects1Click);
  connect(m_menu.Transitions1, &QMenu::aboutToShow, this, &TAVICompileForm::Transitions1Click);
  m_ui.DeleteBtn->installEventFilter(this);
  m_ui.SortBtn->installEventFilter(this);
  connect(m_menu.ExitBtn, &QAction::triggered, this, &TAVICompileForm::ExitBtnClick);
  connect(m_menu.HelpBtn, &QAction::triggered, this, &TAVICompileForm::HelpBtnClick);
  connect(m_menu.SlideforgeHomeBtn, &QAction::triggered, this, [this] { GetDesktop().Open(kSlideforgeHomePage); });
  connect(m_menu.KorvaneHomeBtn, &QAction::triggered, this, [this] { GetDesktop().Open(kMakerHomePage); });
  connect(m_menu.AboutBtn, &QAction::triggered, this, &TAVICompileForm::AboutBtnClick);
  connect(m_menu.ImageConverterBtn, &QAction::triggered, this, &TAVICompileForm::ImageConverterBtnClick);
  connect(m_menu.ExtractBitmapsfromGIFAnimation1, &QAction::triggered, this,
          &TAVICompileForm::ExtractBitmapsfromGIFAnimation1Click);
  connect(m_menu.BitrateCalcBtn, &QAction::triggered, this, &TAVICompileForm::BitrateCalcBtnClick);
  connect(m_menu.ExtractBitmaps, &QAction::triggered, this, &TAVICompileForm::ExtractBitmapsClick);
}

// The converter is a tool window: the main window hides while it is open.
void TAVICompileForm::ImageConverterBtnClick() {
  m_convert_form->TakeMainList(m_list, m_ui.DeleteBtn->isEnabled());
  hide();
  m_convert_form->show();
  m_convert_form->raise();
}

void TAVICompileForm::ExtractBitmapsfromGIFAnimation1Click() {
  hide();
  m_gif_extract->show();
}

void TAVICompileForm::ImageList1Click() {
  m_menu.DeleteSelectedBtn2->setEnabled(m_ui.DeleteBtn->isEnabled());
  const bool sortable = m_ui.SortBtn->isEnabled();
  for (QAction* item : {m_menu.SortBtn2, m_menu.SortSelectionBtn, m_menu.SelectAllBtn, m_menu.ImageLocationBtn,
                        m_menu.ViewImageBtn, m_menu.ValidateListBtn, m_menu.ClearListBtn})
    item->setEnabled(sortable);
}

void TAVICompileForm::Effects1Click() {
  for (QAction* item : {m_menu.AddEffectBtn, m_menu.ClearEffectsBtn, m_menu.ClearAllEffectsBtn})
    item->setEnabled(m_ui.DeleteBtn->isEnabled());
}

void TAVICompileForm::Transitions1Click() { m_menu.AddTransitionBtn1->setEnabled(m_ui.DeleteBtn->isEnabled()); }

// --- Exit, Help, About --------------------------------------------------------------

void TAVICompileForm::closeEvent(QCloseEvent* event) {
  if (m_exiting) {
    event->accept();
    return;
  }
  event->ignore();
  ExitBtnClick();
}

void TAVICompileForm::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QPushButton* default_button = Compiling() ? m_ui.StopBtn : m_ui.CompileBtn;
  if (enter && event->modifiers() == Qt::NoModifier && default_button->isEnabled()) {
    default_button->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TAVICompileForm::ExitBtnClick() {
  if (m_project.AskBeforeExit(!m_list.IsEmpty()) && GetReporter().Confirm(kSaveBeforeExitQuestion)) {
    emit saveProjectRequested(m_project.YesRunsSaveAs());
    // The changes were to be kept: a save that was cancelled or failed (its
    // message already shown) leaves the program running rather than lose them.
    if (m_project.Modified()) return;
  }
  if (Compiling() && !GetReporter().Confirm(kAbortCompileQuestion)) return;
  m_exit_requested = true;
  StopBtnClick();
  QCoreApplication::processEvents();
  FinishExit();
}

void TAVICompileForm::FinishExit() {
  if (m_menu.ReopenBtn->isEnabled()) m_history.SaveAtExit(m_program_folder + kReopenFileName, GetReporter());
  m_exiting = true;
  m_gif_settings->hide();
  close();
  // A compile still running (Stop answered No) ends first; the event loop then stops.
  QCoreApplication::quit();
}

void TAVICompileForm::HelpBtnClick() {
  // The guide in the program folder comes first; an installed program also
  // finds the one its package put in the documentation folder.
  for (const std::string& folder : {m_program_folder, std::string(SLIDEFORGE_DOC_DIR "/")}) {
    if (FileExists(folder + kDocumentationName)) {
      GetDesktop().Open(folder + kDocumentationName);
      return;
    }
  }
  GetReporter().Error(kNoDocumentation);
}

void TAVICompileForm::AboutBtnClick() {
  TAboutForm about(GetDesktop(), this);
  about.exec();
}

void TAVICompileForm::BitrateCalcBtnClick() {
  hide();
  m_bitrate_form->show();
}

void TAVICompileForm::ExtractBitmapsClick() {
  hide();
  m_bmp_extract_form->show();
}

}  // namespace sf::app
