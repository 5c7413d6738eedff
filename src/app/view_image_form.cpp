#include "app/view_image_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/decorative_pictures.h"
#include "list/picture_info.h"

namespace sf::app {
namespace {

constexpr int kPictureOffset = 8;
constexpr int kMargin = 10;

}  // namespace

TViewImageForm::TViewImageForm(QWidget* parent)
    : QDialog(parent),
      m_close(new QPushButton("&Close", this)),
      m_fit(new QPushButton("&Fit to Window", this)),
      m_actual_size(new QPushButton("&Actual Size", this)),
      m_scroll(new QScrollArea(this)),
      m_canvas(new QWidget),
      m_image(new QLabel(m_canvas)) {
  setObjectName("TViewImageForm");
  setWindowTitle("View Image");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setWindowState(Qt::WindowMaximized);
  m_close->setObjectName("CloseBtn");
  m_fit->setObjectName("FitBtn");
  m_actual_size->setObjectName("ActualSizeBtn");
  m_scroll->setObjectName("ScrollBox");
  m_image->setObjectName("Image1");
  m_image->setScaledContents(true);
  m_image->move(kPictureOffset, kPictureOffset);

  QPalette blue_grey = m_scroll->palette();
  blue_grey.setColor(QPalette::Window, QColor(62, 100, 137));
  m_scroll->setPalette(blue_grey);
  m_scroll->setBackgroundRole(QPalette::Window);
  m_scroll->setAutoFillBackground(true);
  m_canvas->setAutoFillBackground(false);
  m_scroll->setWidget(m_canvas);
  m_scroll->setWidgetResizable(false);
  m_scroll->viewport()->installEventFilter(this);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_close);
  buttons->addWidget(m_fit);
  buttons->addWidget(m_actual_size);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->addLayout(buttons);
  layout->addWidget(m_scroll, 1);

  connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_fit, &QPushButton::clicked, this, &TViewImageForm::FitBtnClick);
  connect(m_actual_size, &QPushButton::clicked, this, &TViewImageForm::ActualSizeBtnClick);
}

void TViewImageForm::ShowPicture(const QImage& picture, const std::string& path) {
  m_picture = picture;
  m_image->setPixmap(QPixmap::fromImage(picture));
  setWindowTitle(QString::fromStdString("View Image -" + path));
  ActualSizeBtnClick();
}

QSize TViewImageForm::PictureSize() const { return m_image->size(); }

void TViewImageForm::ActualSizeBtnClick() {
  m_image->resize(m_picture.size());
  m_canvas->resize(m_picture.width() + 2 * kPictureOffset, m_picture.height() + 2 * kPictureOffset);
  m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TViewImageForm::FitBtnClick() {
  m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scroll->horizontalScrollBar()->setValue(0);
  m_scroll->verticalScrollBar()->setValue(0);
  const QSize area = m_scroll->viewport()->size();
  const ViewSize fitted = FitToWindow(m_picture.width(), m_picture.height(), area.width(), area.height());
  m_image->resize(fitted.width, fitted.height);
  m_canvas->resize(area);
}

void TViewImageForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
}

// A click on the window itself, outside the picture area and the buttons, closes it.
void TViewImageForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) accept();
}

// Closing always goes back to the actual size, so the viewer opens at it.
void TViewImageForm::done(int result) {
  ActualSizeBtnClick();
  QDialog::done(result);
}

bool TViewImageForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
    QScrollBar* bar = m_scroll->verticalScrollBar();
    bar->setValue(bar->value() - static_cast<QWheelEvent*>(event)->angleDelta().y());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sf::app
