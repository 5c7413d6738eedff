#include "app/gif_to_bmp_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <exception>
#include <initializer_list>
#include <vector>

#include "app/bitmap_image.h"
#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/file_dialogs.h"
#include "app/hint_form.h"
#include "app/main_window.h"
#include "app/number_key_filter.h"
#include "app/window_placement.h"
#include "common/desktop.h"
#include "common/reporter.h"
#include "gif/gif_image.h"
#include "gif/gif_player.h"
#include "gif/gif_render.h"
#include "image/bmp_writer.h"

namespace sf::app {

namespace {

constexpr char kNone[] = "(none)";
constexpr char kDrawMethodNote[] =
    "If the GIF does not seem to be displaying properly when stepping through the frames, then try changing the "
    "'Draw Method' box to another option.\n";
constexpr char kBitmapFilter[] = "Bitmap (*.bmp)|*.bmp|All files (*.*)|*.*";

QString Q(const std::string& text) { return QString::fromStdString(text); }

template <typename Widget>
Widget* Make(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(x, y, w, h);
  return widget;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y, int w = 220) {
  auto* label = Make<QLabel>(parent, name, x, y, w, 16);
  label->setText(text);
  return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 25) {
  auto* button = Make<QPushButton>(parent, name, x, y, w, h);
  button->setText(text);
  return button;
}

QSpinBox* NumberField(QWidget* parent, const char* name, int x, int y, int w) {
  auto* field = Make<QSpinBox>(parent, name, x, y, w, 22);
  field->setRange(1, 1);
  field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  NumberKeyFilter::Install(field);
  return field;
}

}  // namespace

// The progress display and the stop mark of an extraction.
class TGIFtoBMPForm::ExtractionProgress final : public ProgressObserver {
 public:
  explicit ExtractionProgress(TGIFtoBMPForm& form) : m_form(form) {}
  void Progress(const std::string& text, int percent) override { m_form.ShowProgress(text, percent); }
  void ProcessEvents() override { QCoreApplication::processEvents(); }
  bool StopRequested() override { return m_form.m_stop_requested; }

 private:
  TGIFtoBMPForm& m_form;
};

TGIFtoBMPForm::TGIFtoBMPForm(TAVICompileForm& main_window)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_main(main_window),
      m_progress(std::make_unique<ExtractionProgress>(*this)) {
  setObjectName(QStringLiteral("TGIFtoBMPForm"));
  setWindowTitle(QStringLiteral("Extract Bitmaps from GIF Animation"));
  setFixedSize(572, 433);
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  BuildControls();
  ResetState();
  AnimateBtn->setEnabled(false);
  CentreOnScreen(*this);
}

TGIFtoBMPForm::~TGIFtoBMPForm() = default;

void TGIFtoBMPForm::BuildControls() {
  LoadGIFBtn = Button(this, "LoadGIFBtn", QStringLiteral("&Load GIF Animation..."), 8, 8, 150);
  GIFFileEdit = Make<QLineEdit>(this, "GIFFileEdit", 166, 10, 398, 21);
  OutputNameBtn = Button(this, "OutputNameBtn", QStringLiteral("&Output Name..."), 8, 38, 150);
  OutputNameEdit = Make<QLineEdit>(this, "OutputNameEdit", 166, 40, 398, 21);
  for (QLineEdit* edit : {GIFFileEdit, OutputNameEdit}) {
    edit->setReadOnly(true);
    edit->setText(QString::fromLatin1(kNone));
  }

  QLabel* info = Label(this, "GifInfoLbl", QStringLiteral("GIF Info:"), 8, 72);
  QFont bold = info->font();
  bold.setBold(true);
  info->setFont(bold);
  WidthLbl = Label(this, "WidthLbl", {}, 16, 90);
  HeightLbl = Label(this, "HeightLbl", {}, 16, 106);
  TotalFramesLbl = Label(this, "TotalFramesLbl", {}, 16, 122);
  FPSLbl = Label(this, "FPSLbl", {}, 16, 138);
  FPSLbl->setToolTip(QStringLiteral("Average Frames per Second"));
  TotalTimeLbl = Label(this, "TotalTimeLbl", {}, 16, 154);
  CurrentTimeLbl = Label(this, "CurrentTimeLbl", {}, 16, 170);

  QLabel* method_label = Label(this, "MethodLbl", QStringLiteral("Draw &Method:"), 8, 194);
  MethodCBox = Make<QComboBox>(this, "MethodCBox", 8, 211, 190, 22);
  MethodCBox->addItems({QStringLiteral("Draw each frame new"), QStringLiteral("Draw on top of previous")});
  MethodCBox->setToolTip(QStringLiteral("Change this value if the preview does not look correct."));
  method_label->setBuddy(MethodCBox);
  auto* help = Make<ClickableLabel>(this, "DrawMethodHelpLbl", 204, 213, 14, 18);
  help->setText(QStringLiteral("?"));
  help->setFont(bold);
  help->setCursor(Qt::WhatsThisCursor);
  help->setToolTip(QStringLiteral("Click here for drawing questions."));

  Label(this, "RangeLbl", QStringLiteral("Range of Frames to Extract:"), 8, 244)->setFont(bold);
  FrameStartCEdit = NumberField(this, "FrameStartCEdit", 48, 262, 70);
  FrameEndCEdit = NumberField(this, "FrameEndCEdit", 148, 262, 70);
  Label(this, "FromLbl", QStringLiteral("&From:"), 16, 265, 32)->setBuddy(FrameStartCEdit);
  Label(this, "ToLbl", QStringLiteral("&to"), 126, 265, 20)->setBuddy(FrameEndCEdit);
  ExtractReverseChkBox = Make<QCheckBox>(this, "ExtractReverseChkBox", 8, 292, 220, 18);
  ExtractReverseChkBox->setText(QStringLiteral("  Extract in &Reverse Order"));
  OpenFolderChkBox = Make<QCheckBox>(this, "OpenFolderChkBox", 8, 312, 220, 18);
  OpenFolderChkBox->setText(QStringLiteral("  &Open output folder when finished."));
  OpenFolderChkBox->setChecked(true);

  ExtractBtn = Button(this, "ExtractBtn", QStringLiteral("E&xtract Bitmaps"), 8, 340, 108, 28);
  StopBtn = Button(this, "StopBtn", QStringLiteral("&Stop"), 8, 340, 108, 28);
  for (QPushButton* button : {ExtractBtn, StopBtn}) button->setDefault(true);
  StopBtn->hide();
  SaveFrameBtn = Button(this, "SaveFrameBtn", QStringLiteral("S&ave Current Frame"), 120, 340, 118, 28);

  auto* frame = Make<QFrame>(this, "FrameBevel", 242, 70, kPreviewWidth + 4, kPreviewHeight + 4);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FrameImage = Make<QLabel>(this, "FrameImage", 244, 72, kPreviewWidth, kPreviewHeight);
  FrameImage->setScaledContents(true);
  FrameImage->setToolTip(QStringLiteral("Non-aspected preview"));
  FrameImage->setStyleSheet(QStringLiteral("background: black"));
  NonAspectLbl = Label(this, "NonAspectLbl", QStringLiteral("Non aspected preview"), 244, 314, 150);
  ViewFrameCEdit = Make<QSpinBox>(this, "ViewFrameCEdit", 244, 334, 64, 22);
  ViewFrameCEdit->setRange(1, 1);
  ViewFrameCEdit->setToolTip(QStringLiteral("View frame number."));
  NumberKeyFilter::Install(ViewFrameCEdit);
  TrackBar = Make<QSlider>(this, "TrackBarImage", 314, 333, 252, 25);
  TrackBar->setOrientation(Qt::Horizontal);
  TrackBar->setRange(1, 1);
  AnimateBtn = Button(this, "AnimateBtn", QStringLiteral("A&nimate"), 244, 364, 100, 26);
  StopAnimBtn = Button(this, "StopAnimBtn", QStringLiteral("&Stop"), 350, 364, 100, 26);
  StopAnimBtn->setEnabled(false);

  ProgressBevel = Make<QFrame>(this, "ProgressBevel", 8, 392, 321, 36);
  ProgressBevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  ProgressLbl = Label(ProgressBevel, "ProgressLbl", QStringLiteral("Frames Processed:"), 8, 2, 305);
  ProgressImage = Make<QLabel>(ProgressBevel, "ProgressImage", 8, 16, 0, 14);
  ProgressImage->setScaledContents(true);
  ProgressImage->setPixmap(QPixmap::fromImage(ProgressPicture()));
  ProgressBevel->hide();
  CloseBtn = Button(this, "CloseBtn", QStringLiteral("&Close"), 484, 398, 80, 26);

  connect(LoadGIFBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::LoadGIFBtnClick);
  connect(OutputNameBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::OutputNameBtnClick);
  connect(ExtractBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::ExtractBtnClick);
  connect(StopBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::StopBtnClick);
  connect(SaveFrameBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::SaveFrameBtnClick);
  connect(AnimateBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::AnimateBtnClick);
  connect(StopAnimBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::StopAnimBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &TGIFtoBMPForm::CloseBtnClick);
  connect(ViewFrameCEdit, &QSpinBox::valueChanged, this, &TGIFtoBMPForm::ViewFrameCEditChange);
  connect(MethodCBox, &QComboBox::currentIndexChanged, this, &TGIFtoBMPForm::ViewFrameCEditChange);
  connect(FrameStartCEdit, &QSpinBox::valueChanged, this, &TGIFtoBMPForm::FrameStartCEditChange);
  connect(FrameEndCEdit, &QSpinBox::valueChanged, this, &TGIFtoBMPForm::FrameEndCEditChange);
  connect(TrackBar, &QSlider::valueChanged, this, [this](int value) {
    if (ViewFrameCEdit->isEnabled()) ViewFrameCEdit->setValue(value);
  });
  connect(help, &ClickableLabel::clicked, this, [this] { m_main.HintForm().ShowNote(kDrawMethodNote); });
}

GifDrawMethod TGIFtoBMPForm::Method() const { return static_cast<GifDrawMethod>(MethodCBox->currentIndex()); }

// --- control states ------------------------------------------------------------

void TGIFtoBMPForm::ResetState() {
  WidthLbl->setText(QStringLiteral("Width: ?"));
  HeightLbl->setText(QStringLiteral("Height: ?"));
  TotalFramesLbl->setText(QStringLiteral("Total Frames: ?"));
  FPSLbl->setText(QStringLiteral("Average FPS: ?"));
  TotalTimeLbl->setText(QStringLiteral("Total Time: ?"));
  CurrentTimeLbl->setText(QStringLiteral("Time (this frame): ?"));
  for (QWidget* control : std::initializer_list<QWidget*>{ExtractBtn, SaveFrameBtn, MethodCBox, ViewFrameCEdit,
                                                          FrameStartCEdit, FrameEndCEdit})
    control->setEnabled(false);
  for (QSpinBox* field : {ViewFrameCEdit, FrameStartCEdit, FrameEndCEdit}) {
    const QSignalBlocker blocker(field);
    field->setRange(1, 1);
    field->setValue(1);
  }
  m_frames = 0;
  m_info = {};
  m_preview = Bitmap();
  ShowPreview();
  PlaceTrackBar();
}

std::vector<QWidget*> TGIFtoBMPForm::BusyControls() const {
  return {CloseBtn,        OutputNameBtn, LoadGIFBtn,           SaveFrameBtn, ViewFrameCEdit,
          FrameStartCEdit, FrameEndCEdit, ExtractReverseChkBox, AnimateBtn,   MethodCBox};
}

void TGIFtoBMPForm::BusyState() {
  for (QWidget* control : BusyControls()) control->setEnabled(false);
  NonAspectLbl->hide();
  if (Playing()) {
    // The player reads the frames from its own thread: no extraction meanwhile.
    ExtractBtn->setEnabled(false);
  } else {
    ExtractBtn->hide();
    StopBtn->show();
    StopBtn->setFocus();
  }
  PlaceTrackBar();
}

void TGIFtoBMPForm::IdleState() {
  for (QWidget* control : BusyControls()) control->setEnabled(true);
  ExtractBtn->setEnabled(true);
  NonAspectLbl->show();
  StopBtn->hide();
  ExtractBtn->show();
  PlaceTrackBar();
}

void TGIFtoBMPForm::PlaceTrackBar() {
  const QSignalBlocker blocker(TrackBar);
  TrackBar->setRange(ViewFrameCEdit->minimum(), ViewFrameCEdit->maximum());
  TrackBar->setValue(ViewFrameCEdit->value());
  TrackBar->setEnabled(ViewFrameCEdit->isEnabled());
}

void TGIFtoBMPForm::ShowPreview() {
  m_shown = ToQImage(m_preview);
  FrameImage->setPixmap(QPixmap::fromImage(m_shown));
}

void TGIFtoBMPForm::ShowProgress(const std::string& text, int percent) {
  ProgressLbl->setText(Q(text));
  ProgressImage->resize(static_cast<int>(percent * 0.01 * kProgressWidth), ProgressImage->height());
  ProgressBevel->show();
  ProgressBevel->repaint();
}

// --- showing and closing -------------------------------------------------------

void TGIFtoBMPForm::showEvent(QShowEvent* event) {
  if (!m_image) m_image = std::make_unique<TGIFImage>();
  QWidget::showEvent(event);
}

void TGIFtoBMPForm::closeEvent(QCloseEvent* event) {
  // The extraction loop draws from the image between its event steps.
  if (m_extracting) {
    event->ignore();
    return;
  }
  CloseBtnClick();
  event->accept();
}

void TGIFtoBMPForm::CloseBtnClick() {
  if (m_extracting) return;
  if (Playing()) StopAnimBtnClick();
  m_main.show();
  hide();
  ResetState();
  AnimateBtn->setEnabled(false);
  m_drawer.reset();
  m_image.reset();
}

void TGIFtoBMPForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

void TGIFtoBMPForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ViewFrameCEditChange();
}

// --- loading -------------------------------------------------------------------

void TGIFtoBMPForm::LoadGIFBtnClick() {
  if (m_extracting || Playing()) return;
  FileDialogRequest request;
  request.title = "Open";
  request.folder = m_main.DocumentsFolder();
  request.filter = "GIF Animation (*.gif)|*.gif";
  const auto answer = m_main.Dialogs().Open(request);
  if (!answer) return;

  ResetState();
  m_drawer.reset();
  if (!m_image) m_image = std::make_unique<TGIFImage>();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  GIFFileEdit->setText(Q(answer->path));
  TotalTimeLbl->setText(QStringLiteral("Getting total time..."));
  QCoreApplication::processEvents();
  try {
    m_info = ReadGifAnimation(*m_image, answer->path);
    WidthLbl->setText(QStringLiteral("Width: %1").arg(m_info.width));
    HeightLbl->setText(QStringLiteral("Height: %1").arg(m_info.height));
    TotalFramesLbl->setText(QStringLiteral("Total Frames: %1").arg(m_info.frames));
    m_preview = RenderStill(*m_image);
    ShowPreview();
    TotalTimeLbl->setText(Q(GifTotalTimeText(m_info.total_ms)));
    FPSLbl->setText(Q(GifAverageRateText(m_info.average_rate)));
    CurrentTimeLbl->setText(QStringLiteral("Time (this frame): %1 millisec.").arg(m_info.first_frame_ms));
    m_drawer = std::make_unique<GifFrameDrawer>(*m_image);
    m_frames = m_info.frames;
    {
      const QSignalBlocker blocker(MethodCBox);
      MethodCBox->setCurrentIndex(static_cast<int>(m_info.method));
    }
    ExtractBtn->setEnabled(true);
    SaveFrameBtn->setEnabled(true);
    AnimateBtn->setEnabled(true);
    for (QSpinBox* field : {FrameStartCEdit, FrameEndCEdit, ViewFrameCEdit}) {
      const QSignalBlocker blocker(field);
      field->setMaximum(m_frames);
    }
    {
      const QSignalBlocker blocker(FrameEndCEdit);
      FrameEndCEdit->setValue(m_frames);
    }
    {
      const QSignalBlocker blocker(ViewFrameCEdit);
      ViewFrameCEdit->setValue(1);
    }
    ViewFrameCEdit->setEnabled(true);
    ProgressBevel->hide();
    IdleState();
  } catch (const std::exception& error) {
    QGuiApplication::restoreOverrideCursor();
    ResetState();
    // What the image holds now is not an animation that was loaded.
    AnimateBtn->setEnabled(false);
    m_main.GetReporter().Error(error.what());
    m_main.GetReporter().Error("Error opening GIF file - LoadGIFBtnClick().");
    return;
  }
  QGuiApplication::restoreOverrideCursor();
}

void TGIFtoBMPForm::OutputNameBtnClick() {
  FileDialogRequest request;
  request.title = "Save As";
  request.folder = m_main.DocumentsFolder();
  request.file_name = "GIF Bitmap";
  request.filter = kBitmapFilter;
  if (const auto answer = m_main.Dialogs().Save(request)) OutputNameEdit->setText(Q(answer->path));
}

// --- viewing -------------------------------------------------------------------

void TGIFtoBMPForm::ViewFrameCEditChange() {
  const int v = ViewFrameCEdit->value() - 1;
  // A stopped extraction draws on until its next progress step.
  if (v < 0 || v >= ViewFrameCEdit->maximum() || !StopBtn->isHidden() || m_extracting || !ViewFrameCEdit->isEnabled())
    return;
  if (!m_drawer || v >= m_frames) return;
  if (AnimateBtn->isEnabled()) {
    try {
      m_drawer->DrawForView(v, Method(), m_preview);
      ShowPreview();
      CurrentTimeLbl->setText(QStringLiteral("Time (this frame): %1 millisec.").arg(GifFrameTime(*m_image, v)));
    } catch (const std::exception& error) {
      m_main.GetReporter().Error(error.what());
    }
  }
  ProgressBevel->hide();
  QCoreApplication::processEvents();
  PlaceTrackBar();
  QCoreApplication::processEvents();
}

void TGIFtoBMPForm::FrameStartCEditChange() {
  if (FrameStartCEdit->value() < 1) FrameStartCEdit->setValue(1);
  if (m_frames >= 1 && FrameStartCEdit->value() > m_frames) FrameStartCEdit->setValue(m_frames);
}

void TGIFtoBMPForm::FrameEndCEditChange() {
  if (FrameEndCEdit->value() < 1) FrameEndCEdit->setValue(1);
  if (m_frames >= 1 && FrameEndCEdit->value() > m_frames) FrameEndCEdit->setValue(m_frames);
}

// --- saving and extracting -----------------------------------------------------

void TGIFtoBMPForm::SaveFrameBtnClick() {
  if (m_preview.Width() == 0) {
    m_main.GetReporter().Message("Can not save picture. No picture exists.");
    return;
  }
  FileDialogRequest request;
  request.title = "Save As";
  request.folder = m_main.DocumentsFolder();
  request.file_name = "GIF Bitmap";
  request.filter = kBitmapFilter;
  request.default_extensions = {".bmp", ".bmp"};
  const auto answer = m_main.Dialogs().Save(request);
  if (!answer) return;
  try {
    WriteBmpFile(m_preview, answer->path);
  } catch (const std::exception& error) {
    m_main.GetReporter().Error(error.what());
  }
}

void TGIFtoBMPForm::ExtractBtnClick() {
  if (m_extracting || Playing() || !m_drawer) return;
  m_stop_requested = false;
  BusyState();
  GifExtractionRequest request;
  if (OutputNameEdit->text() != QString::fromLatin1(kNone)) request.base = OutputNameEdit->text().toStdString();
  request.first = FrameStartCEdit->value();
  request.last = FrameEndCEdit->value();
  request.reverse = ExtractReverseChkBox->isChecked();
  request.method = Method();
  request.show_frame = [this](int frame) {
    ViewFrameCEdit->setValue(frame);
    PlaceTrackBar();
    ShowPreview();
  };
  if (OpenFolderChkBox->isChecked()) request.open_folder = &m_main.GetDesktop();

  m_extracting = true;
  const ExtractionResult result =
      ExtractGifFrames(*m_image, *m_drawer, request, m_preview, m_main.GetReporter(), *m_progress);
  m_extracting = false;
  ShowPreview();
  switch (result.outcome) {
    case ExtractionOutcome::kNoDestination:
      OutputNameBtnClick();
      m_stop_requested = true;
      IdleState();
      break;
    case ExtractionOutcome::kInvalidRange:
      m_stop_requested = true;
      IdleState();
      FrameStartCEdit->setFocus();
      break;
    default: IdleState(); break;
  }
}

void TGIFtoBMPForm::StopBtnClick() {
  if (StopBtn->isHidden()) return;
  if (!m_main.GetReporter().Confirm("Stop extracting bitmaps?")) return;
  m_stop_requested = true;
  IdleState();
  ExtractBtn->setFocus();
}

// --- playing -------------------------------------------------------------------

void TGIFtoBMPForm::AnimateBtnClick() {
  if (m_extracting || Playing() || !m_image || m_frames == 0) return;
  StopAnimBtn->setEnabled(true);
  const unsigned generation = ++m_generation;
  auto sink = [this, generation](const Bitmap& canvas, int) {
    // The player's thread: the picture goes to the window's own thread.
    QImage picture = ToQImage(canvas);
    QMetaObject::invokeMethod(
        this, [this, generation, picture = std::move(picture)] { ShowPlayedFrame(generation, picture); },
        Qt::QueuedConnection);
  };
  m_player = std::make_unique<GifPlayer>(*m_image, std::move(sink), m_clock_factory ? m_clock_factory() : nullptr);
  BusyState();
  AnimateBtn->setEnabled(false);
  StopAnimBtn->setFocus();
}

void TGIFtoBMPForm::ShowPlayedFrame(unsigned generation, const QImage& picture) {
  if (generation != m_generation || !Playing()) return;
  m_shown = picture;
  FrameImage->setPixmap(QPixmap::fromImage(m_shown));
}

void TGIFtoBMPForm::StopAnimBtnClick() {
  if (!Playing()) return;
  m_player.reset();
  ++m_generation;
  m_preview = m_image->StillBitmap();
  ShowPreview();
  AnimateBtn->setEnabled(true);
  StopAnimBtn->setEnabled(false);
  IdleState();
  AnimateBtn->setFocus();
}

}  // namespace sf::app
