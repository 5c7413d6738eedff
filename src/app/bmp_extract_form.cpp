#include "app/bmp_extract_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>
#include <exception>

#include "app/bitmap_image.h"
#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/file_dialogs.h"
#include "app/form_caption.h"
#include "app/frame_track_bar.h"
#include "app/number_key_filter.h"
#include "app/window_placement.h"
#include "image/bmp_writer.h"
#include "tools/frame_extraction.h"

namespace sf::app {

namespace {

constexpr char kNone[] = "(none)";
constexpr char kAviFilter[] = "AVI file (*.avi)|*.avi|All files (*.*)|*.*";
constexpr char kBitmapFilter[] = "Bitmap (*.bmp)|*.bmp|All files (*.*)|*.*";
constexpr char kLoadFailed[] = "Error opening AVI file - LoadAVIBtnClick().";
constexpr char kFrameFailed[] = "Error getting frame - GetFrame().";
constexpr char kNoPicture[] = "Can not save picture. No picture exists.";
constexpr char kStopQuestion[] = "Stop extracting bitmaps?";

// Shows the cursor busy until the scope ends.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect where) {
  auto* button = Named(new QPushButton(QString::fromLatin1(caption), parent), name);
  button->setGeometry(where);
  return button;
}

QLineEdit* MakeReadOnly(QWidget* parent, const char* name, QRect where) {
  auto* edit = Named(new QLineEdit(QString::fromLatin1(kNone), parent), name);
  edit->setReadOnly(true);
  edit->setGeometry(where);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QRect where) {
  auto* label = Named(new QLabel(QString::fromLatin1(caption), parent), name);
  label->setGeometry(where);
  return label;
}

QSpinBox* MakeFrameField(QWidget* parent, const char* name, QRect where) {
  auto* field = Named(new QSpinBox(parent), name);
  field->setRange(1, 1);
  field->setValue(1);
  field->setEnabled(false);
  field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  field->setGeometry(where);
  NumberKeyFilter::Install(field);
  return field;
}

// A check box with its caption as a separate label that toggles it.
QCheckBox* MakeLabelledBox(QWidget* parent, const char* name, const char* caption, int x, int y) {
  auto* box = Named(new QCheckBox(parent), name);
  box->setGeometry(x, y, 18, 18);
  auto* label = Named(new ClickableLabel(QString::fromLatin1(caption), parent), (std::string(name) + "Lbl").c_str());
  label->setBuddy(box);
  label->setGeometry(x + 18, y, 210, 18);
  QObject::connect(label, &ClickableLabel::clicked, box, &QCheckBox::toggle);
  return box;
}

}  // namespace

void TBMPExtractForm::ExtractionProgress::Progress(const std::string& text, int percent) {
  m_form.ShowProgress(QString::fromStdString(text), percent);
}

void TBMPExtractForm::ExtractionProgress::ProcessEvents() { QApplication::processEvents(); }

TBMPExtractForm::TBMPExtractForm(Reporter& reporter, FileDialogs& dialogs, Desktop& desktop,
                                 std::string documents_folder, QWidget* parent)
    : ToolWindow("TBMPExtractForm", "Extract Bitmaps from AVI", QSize(kClientWidth, kClientHeight), parent),
      m_reporter(reporter),
      m_dialogs(dialogs),
      m_desktop(desktop),
      m_documents_folder(std::move(documents_folder)),
      m_reader(reporter) {
  BuildControls();
  ConnectHandlers();
  ResetState();
  CentreOnScreen(*this);
}

bool TBMPExtractForm::Extracting() const { return !m_stop_btn->isHidden(); }

// --- layout -------------------------------------------------------------------

void TBMPExtractForm::BuildControls() {
  m_load_avi_btn = MakeButton(this, "LoadAVIBtn", "&Load AVI...", QRect(8, 8, 112, 25));
  m_avi_file_edit = MakeReadOnly(this, "AVIFileEdit", QRect(128, 9, 436, 23));
  m_output_name_btn = MakeButton(this, "OutputNameBtn", "&Output Name...", QRect(8, 40, 112, 25));
  m_output_name_edit = MakeReadOnly(this, "OutputNameEdit", QRect(128, 41, 436, 23));

  Named(FormCaption(QStringLiteral("AVI Info:"), this, 8, 80), "AviInfoLbl");
  m_width_lbl = MakeLabel(this, "WidthLbl", "Width:", QRect(16, 100, 200, 16));
  m_height_lbl = MakeLabel(this, "HeightLbl", "Height:", QRect(16, 118, 200, 16));
  m_total_frames_lbl = MakeLabel(this, "TotalFramesLbl", "Total Frames:", QRect(16, 136, 200, 16));

  m_frame_image = MakeLabel(this, "FrameImage", "", QRect(244, 76, kPreviewWidth, kPreviewHeight));
  m_frame_image->setScaledContents(true);
  m_frame_image->setFrameShape(QFrame::Box);
  m_frame_image->setToolTip(QStringLiteral("Non-aspected preview"));
  MakeLabel(this, "PreviewLbl", "Non aspected preview", QRect(244, 318, kPreviewWidth, 16))
      ->setAlignment(Qt::AlignHCenter);
  m_track_bar = new FrameTrackBar(this);
  m_track_bar->move(244, 340);
  m_track_bar->setEnabled(false);
  m_view_frame_cedit = MakeFrameField(this, "ViewFrameCEdit", QRect(508, 341, 56, 23));
  m_view_frame_cedit->setSingleStep(5);
  m_view_frame_cedit->setToolTip(QStringLiteral("View frame number."));

  BuildRangeControls();
  BuildProgressControls();
  m_close_btn = MakeButton(this, "CloseBtn", "&Close", QRect(484, 398, 80, 25));
}

void TBMPExtractForm::BuildRangeControls() {
  FormCaption(QStringLiteral("Range of Frames to Extract:"), this, 8, 166);
  m_frame_start_cedit = MakeFrameField(this, "FrameStartCEdit", QRect(52, 188, 70, 23));
  m_frame_end_cedit = MakeFrameField(this, "FrameEndCEdit", QRect(150, 188, 70, 23));
  MakeLabel(this, "FromLbl", "&From:", QRect(16, 191, 36, 16))->setBuddy(m_frame_start_cedit);
  MakeLabel(this, "ToLbl", "&to", QRect(130, 191, 18, 16))->setBuddy(m_frame_end_cedit);
  m_extract_reverse_chk_box = MakeLabelledBox(this, "ExtractReverseChkBox", "  Extract in &Reverse Order", 16, 222);
  m_open_folder_chk_box = MakeLabelledBox(this, "OpenFolderChkBox", "  &Open output folder when finished.", 16, 244);
  m_open_folder_chk_box->setChecked(true);

  m_extract_btn = MakeButton(this, "ExtractBtn", "E&xtract Bitmaps", QRect(8, 276, 220, 28));
  m_extract_btn->setDefault(true);
  m_stop_btn = MakeButton(this, "StopBtn", "&Stop", QRect(8, 276, 220, 28));
  m_stop_btn->setDefault(true);
  m_stop_btn->hide();
  m_save_frame_btn = MakeButton(this, "SaveFrameBtn", "S&ave Current Frame", QRect(8, 312, 220, 25));
}

void TBMPExtractForm::BuildProgressControls() {
  m_progress_bevel = Named(new QFrame(this), "ProgressBevel");
  m_progress_bevel->setFrameShape(QFrame::Panel);
  m_progress_bevel->setFrameShadow(QFrame::Sunken);
  m_progress_bevel->setGeometry(8, 370, kProgressWidth + 16, 54);
  m_progress_lbl = MakeLabel(m_progress_bevel, "ProgressLbl", "Frames Processed:", QRect(8, 6, kProgressWidth, 16));
  m_progress_image = MakeLabel(m_progress_bevel, "ProgressImage", "", QRect(8, 28, 0, 18));
  m_progress_image->setScaledContents(true);
  m_progress_image->setPixmap(QPixmap::fromImage(ProgressPicture()));
  SetProgressVisible(false);
}

void TBMPExtractForm::ConnectHandlers() {
  connect(m_load_avi_btn, &QPushButton::clicked, this, &TBMPExtractForm::LoadAVIBtnClick);
  connect(m_output_name_btn, &QPushButton::clicked, this, &TBMPExtractForm::OutputNameBtnClick);
  connect(m_extract_btn, &QPushButton::clicked, this, &TBMPExtractForm::ExtractBtnClick);
  connect(m_stop_btn, &QPushButton::clicked, this, &TBMPExtractForm::StopBtnClick);
  connect(m_save_frame_btn, &QPushButton::clicked, this, &TBMPExtractForm::SaveFrameBtnClick);
  connect(m_close_btn, &QPushButton::clicked, this, &QWidget::close);
  connect(m_view_frame_cedit, &QSpinBox::valueChanged, this, &TBMPExtractForm::ViewFrameCEditChange);
  for (QSpinBox* range : {m_frame_start_cedit, m_frame_end_cedit})
    connect(range, &QSpinBox::valueChanged, this, [this] { SetProgressVisible(false); });
  connect(m_track_bar, &FrameTrackBar::FrameChosen, m_view_frame_cedit, &QSpinBox::setValue);
}

// --- control states ------------------------------------------------------------

void TBMPExtractForm::PlaceTrackBar() {
  m_track_bar->SetFrameCount(m_frame_count);
  m_track_bar->Place(m_view_frame_cedit->value());
  m_track_bar->setEnabled(m_view_frame_cedit->isEnabled());
}

void TBMPExtractForm::ResetState() {
  m_width_lbl->setText(QStringLiteral("Width: ?"));
  m_height_lbl->setText(QStringLiteral("Height: ?"));
  m_total_frames_lbl->setText(QStringLiteral("Total Frames: ?"));
  m_extract_btn->setEnabled(false);
  m_save_frame_btn->setEnabled(false);
  for (QSpinBox* field : {m_view_frame_cedit, m_frame_start_cedit, m_frame_end_cedit}) {
    field->setEnabled(false);
    field->setRange(1, 1);
    field->setValue(1);
  }
  PlaceTrackBar();
}

void TBMPExtractForm::BusyState() {
  for (QWidget* control : std::initializer_list<QWidget*>{m_close_btn, m_output_name_btn, m_load_avi_btn,
                                                          m_save_frame_btn, m_view_frame_cedit, m_frame_start_cedit,
                                                          m_frame_end_cedit, m_extract_reverse_chk_box})
    control->setEnabled(false);
  m_extract_btn->hide();
  m_stop_btn->show();
  m_stop_btn->setFocus();
  PlaceTrackBar();
}

void TBMPExtractForm::IdleState() {
  for (QWidget* control : std::initializer_list<QWidget*>{m_close_btn, m_output_name_btn, m_load_avi_btn,
                                                          m_save_frame_btn, m_view_frame_cedit, m_frame_start_cedit,
                                                          m_frame_end_cedit, m_extract_reverse_chk_box, m_extract_btn})
    control->setEnabled(true);
  m_stop_btn->hide();
  m_extract_btn->show();
  PlaceTrackBar();
}

void TBMPExtractForm::SetProgressVisible(bool visible) { m_progress_bevel->setVisible(visible); }

void TBMPExtractForm::ShowProgress(const QString& text, int percent) {
  m_progress_lbl->setText(text);
  const int width = static_cast<int>(std::trunc(percent * 0.01 * kProgressWidth));
  m_progress_image->resize(width, m_progress_image->height());
  m_progress_image->setVisible(width > 0);
}

// --- commands --------------------------------------------------------------------

void TBMPExtractForm::LoadAVIBtnClick() {
  FileDialogRequest request;
  request.folder = m_documents_folder;
  request.filter = kAviFilter;
  request.confirm_overwrite = false;
  const std::optional<FileDialogAnswer> answer = m_dialogs.Open(request);
  if (!answer) return;
  ResetState();
  m_avi_file_edit->setText(QString::fromStdString(answer->path));
  try {
    BusyCursor busy;
    // A file that does not open leaves the earlier one in the reader, which
    // the information then describes.
    m_source.reset();
    m_reader.InitAvi(answer->path);
    const std::optional<AviStreamHeader> info = m_reader.GetAviInfo();
    if (!info) return;
    m_source.emplace(m_reader, *info);
    const int frames = m_source->FrameCount();
    m_width_lbl->setText(QStringLiteral("Width:\t%1").arg(m_source->Width()));
    m_height_lbl->setText(QStringLiteral("Height:\t%1").arg(m_source->Height()));
    m_total_frames_lbl->setText(QStringLiteral("Total Frames: %1").arg(frames));
    m_preview = Bitmap(m_source->Width(), m_source->Height());
    m_source->DrawFrame(0, m_preview);
    m_frame_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));

    // A video without frames still gets fields of one frame; extracting it
    // then reports the range as invalid.
    const int highest = std::max(frames, 1);
    m_frame_start_cedit->setMaximum(highest);
    m_frame_end_cedit->setMaximum(highest);
    m_frame_end_cedit->setValue(highest);
    m_frame_count = frames;
    m_view_frame_cedit->setMaximum(highest);
    m_view_frame_cedit->setValue(1);
    SetProgressVisible(false);
    IdleState();
  } catch (const std::exception& error) {
    m_source.reset();
    m_reporter.Error(error.what());
    m_reporter.Error(kLoadFailed);
  }
}

void TBMPExtractForm::OutputNameBtnClick() {
  FileDialogRequest request;
  request.folder = m_documents_folder;
  request.file_name = "AVIBitmap";
  request.filter = kBitmapFilter;
  if (const std::optional<FileDialogAnswer> answer = m_dialogs.Save(request))
    m_output_name_edit->setText(QString::fromStdString(answer->path));
}

void TBMPExtractForm::ShowFrame(int index) {
  try {
    m_source->DrawFrame(index, m_preview);
  } catch (const std::exception& error) {
    m_reporter.Error(error.what());
    m_reporter.Error(kFrameFailed);
  }
  m_frame_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));
}

void TBMPExtractForm::ViewFrameCEditChange() {
  const int v = m_view_frame_cedit->value() - 1;
  if (v < 0 || v >= m_view_frame_cedit->maximum() || Extracting() || !m_view_frame_cedit->isEnabled() || !m_source)
    return;
  try {
    m_preview = Bitmap(m_source->Width(), m_source->Height());
  } catch (const std::exception& error) {
    m_reporter.Error(error.what());
    m_reporter.Error(kFrameFailed);
    return;
  }
  ShowFrame(v);
  SetProgressVisible(false);
  QApplication::processEvents();
  PlaceTrackBar();
  QApplication::processEvents();
}

void TBMPExtractForm::SaveFrameBtnClick() {
  if (m_preview.Width() == 0) {
    m_reporter.Message(kNoPicture);
    return;
  }
  FileDialogRequest request;
  request.folder = m_documents_folder;
  request.file_name = "AVIBitmap";
  request.filter = kBitmapFilter;
  request.default_extensions = {".bmp", ".bmp"};
  const std::optional<FileDialogAnswer> answer = m_dialogs.Save(request);
  if (!answer) return;
  try {
    WriteBmpFile(m_preview, answer->path);
  } catch (const std::exception& error) {
    m_reporter.Error(error.what());
  }
}

void TBMPExtractForm::ExtractBtnClick() {
  if (!m_source || m_extracting) return;
  m_stop_requested = false;
  BusyState();
  m_progress_image->resize(0, m_progress_image->height());
  SetProgressVisible(true);

  ExtractionRequest request;
  const QString base = m_output_name_edit->text();
  if (base != QLatin1String(kNone)) request.base = base.toStdString();
  request.first = m_frame_start_cedit->value();
  request.last = m_frame_end_cedit->value();
  request.reverse = m_extract_reverse_chk_box->isChecked();
  request.open_folder = m_open_folder_chk_box->isChecked() ? &m_desktop : nullptr;
  request.show_frame = [this](int number) {
    m_view_frame_cedit->setValue(number);
    m_frame_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));
    PlaceTrackBar();
  };
  m_extracting = true;
  const ExtractionResult result = ExtractFrames(*m_source, request, m_preview, m_reporter, m_progress);
  m_extracting = false;
  m_frame_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));
  switch (result.outcome) {
    case ExtractionOutcome::kNoDestination:
      OutputNameBtnClick();
      m_stop_requested = true;
      IdleState();
      break;
    case ExtractionOutcome::kInvalidRange:
      m_stop_requested = true;
      IdleState();
      m_frame_start_cedit->setFocus();
      break;
    default:
      IdleState();
      break;
  }
}

void TBMPExtractForm::StopBtnClick() {
  if (!Extracting() || !m_reporter.Confirm(kStopQuestion)) return;
  m_stop_requested = true;
  IdleState();
  m_extract_btn->setFocus();
}

// --- painting, closing -------------------------------------------------------------

void TBMPExtractForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

// The extraction loop runs inside this window's events; closing the window
// under it would leave it writing to a hidden window with nothing to stop it.
bool TBMPExtractForm::KeepOpen() const { return m_extracting; }

}  // namespace sf::app
