#include "app/transitions_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <exception>

#include "app/bitmap_image.h"
#include "app/decorative_pictures.h"
#include "app/form_caption.h"
#include "app/window_placement.h"
#include "common/reporter.h"
#include "effects/page_flip.h"
#include "effects/transitions.h"
#include "image/fitting.h"
#include "loader/load_image.h"

namespace sf::app {

namespace {

constexpr const char* kPreviewErrors[] = {
    "Error previewing page flip left transition - PageFlipLeft().",
    "Error previewing page flip right transition - PageFlipRight().",
    "Error previewing page flip up transition - PageFlipUp().",
    "Error previewing page flip down transition - PageFlipDown().",
    "Error previewing cross fade transition - CrossFade().",
};

// The stored key picture: its top-left pixel's colour never shows in the
// animation, so the margins of the fitted picture let the background through.
constexpr Rgb kKeyColour{255, 0, 255};

}  // namespace

TTransitionsForm::TTransitionsForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_reporter(reporter),
      m_trans_color(8, 8) {
  setObjectName(QStringLiteral("TTransitionsForm"));
  setWindowTitle(QStringLiteral("Transitions"));
  setFixedSize(kClientWidth, kClientHeight);
  m_trans_color.Fill(kKeyColour);

  FormCaption(QStringLiteral("Choose a Transition"), this, 12, 10);
  m_list = new QListWidget(this);
  m_list->setObjectName(QStringLiteral("TransListBox"));
  m_list->setGeometry(12, 30, 240, 255);
  for (int k = 0; k < kTransitionCount; ++k) {
    m_list->addItem(QString::fromLatin1(TransitionName(static_cast<Transition>(k))));
  }
  m_list->setCurrentRow(0);

  FormCaption(QStringLiteral("Preview"), this, 272, 10);
  m_preview_image = new QLabel(this);
  m_preview_image->setObjectName(QStringLiteral("PreviewImage"));
  m_preview_image->setGeometry(272, 30, kPreviewWidth, kPreviewHeight);
  m_preview_image->setFrameShape(QFrame::Box);

  FormCaption(QStringLiteral("Duration (seconds):"), this, 12, 300);
  m_duration_edit = new QLineEdit(QStringLiteral("2"), this);
  m_duration_edit->setObjectName(QStringLiteral("DurationEdit"));
  m_duration_edit->setGeometry(12, 320, 80, 24);

  m_apply_btn = new QPushButton(QStringLiteral("&Apply"), this);
  m_apply_btn->setObjectName(QStringLiteral("ApplyBtn"));
  m_apply_btn->setGeometry(384, 370, 82, 28);
  m_cancel_btn = new QPushButton(QStringLiteral("&Cancel"), this);
  m_cancel_btn->setObjectName(QStringLiteral("CancelBtn"));
  m_cancel_btn->setGeometry(476, 370, 82, 28);

  m_timer.setInterval(kFrameMilliseconds);
  connect(&m_timer, &QTimer::timeout, this, &TTransitionsForm::DrawNextFrame);
  connect(m_list, &QListWidget::itemClicked, this, &TTransitionsForm::TransListBoxClick);
  connect(m_list, &QListWidget::currentRowChanged, this, &TTransitionsForm::TransListBoxClick);
  connect(m_apply_btn, &QPushButton::clicked, this, &TTransitionsForm::ApplyBtnClick);
  connect(m_cancel_btn, &QPushButton::clicked, this, &TTransitionsForm::CancelBtnClick);
  CentreOnScreen(*this);
}

void TTransitionsForm::Load(const std::string& path, const Bitmap& background, const LoadOptions& options) {
  m_stop = false;
  m_key = ToColorRef(m_trans_color.PixelColor(0, 0));
  // Until a picture is fitted the page is all key colour, so a failed load
  // shows the background alone rather than the previous row's picture.
  m_buff = Bitmap(kPreviewWidth, kPreviewHeight);
  m_buff.Fill(kKeyColour);
  try {
    m_back = BackgroundFrame(background, ResizeMethod::kStandard, kPreviewWidth, kPreviewHeight);
    Bitmap picture;
    LoadImage(picture, path, m_reporter, options);
    if (picture.Empty() || GetAspectedImage(picture, m_trans_color, ResizeMethod::kStandard, true, true,
                                            PixelFormat::kBits24, 0, 0, kPreviewHeight, kPreviewWidth,
                                            m_reporter) != 0) {
      m_reporter.Error("Error loading transition preview image.");
      return;
    }
    m_buff = std::move(picture);
  } catch (const std::exception& failure) {
    m_reporter.Error(failure.what());
    m_reporter.Error("Error loading transition preview image.");
  }
}

int TTransitionsForm::ChosenTransition() const { return m_list->currentRow(); }

void TTransitionsForm::TransListBoxClick() {
  const int token = m_list->currentRow();
  if (token < 0) return;
  if (m_first_click) {
    m_first_click = false;
    m_preview = m_buff;
    m_preview_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));
  }
  // The same animation does not start again while it plays; another one
  // takes over from the next frame on.
  if (m_playing == token) return;
  m_playing = token;
  m_frame = 0;
  DrawNextFrame();
  if (m_playing >= 0) m_timer.start();
}

void TTransitionsForm::DrawNextFrame() {
  if (m_playing < 0 || m_stop) {
    StopAnimation();
    return;
  }
  try {
    Bitmap frame = m_back;
    DrawTransitionPreviewFrame(static_cast<Transition>(m_playing), m_buff, frame, m_frame, m_key);
    m_preview = std::move(frame);
    m_preview_image->setPixmap(QPixmap::fromImage(ToQImage(m_preview)));
  } catch (const std::exception& failure) {
    const int playing = m_playing;
    StopAnimation();
    m_reporter.Error(failure.what());
    m_reporter.Error(kPreviewErrors[playing]);
    return;
  }
  if (++m_frame == kPageFlipFrames) StopAnimation();
}

void TTransitionsForm::StopAnimation() {
  m_timer.stop();
  m_playing = -1;
}

void TTransitionsForm::ApplyBtnClick() {
  m_stop = true;
  accept();
}

void TTransitionsForm::CancelBtnClick() {
  m_stop = true;
  reject();
}

void TTransitionsForm::done(int result) {
  // Closing the window by its frame stops the animation as Cancel does.
  m_stop = true;
  StopAnimation();
  QDialog::done(result);
}

void TTransitionsForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

}  // namespace sf::app
