#include "app/about_form.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/decorative_pictures.h"
#include "app/home_pages.h"
#include "app/window_placement.h"

namespace sf::app {

namespace {

const QColor kLinkColour(0, 0, 255);
const QColor kHoverColour(0, 128, 0);

}  // namespace

TAboutForm::TAboutForm(Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_desktop(desktop) {
  setObjectName(QStringLiteral("TAboutForm"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(420, 300);
  setMouseTracking(true);

  auto* emblem = new QLabel(this);
  emblem->setPixmap(QPixmap::fromImage(Emblem()));
  auto* name = new QLabel(QStringLiteral("Slideforge"), this);
  QFont name_font = name->font();
  name_font.setPointSizeF(name_font.pointSizeF() * 2.2);
  name_font.setBold(true);
  name->setFont(name_font);
  auto* version = new QLabel(QStringLiteral("Version 1.3\nCreate an AVI or an animated GIF from a list of images."),
                             this);
  version->setWordWrap(true);
  auto* maker = new QLabel(QStringLiteral("Korvane Software"), this);

  auto* heading = new QVBoxLayout;
  heading->addWidget(name);
  heading->addWidget(version);
  heading->addWidget(maker);
  auto* top = new QHBoxLayout;
  top->addWidget(emblem, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(heading, 1);

  auto* links = new QVBoxLayout;
  links->addWidget(AddLink("WebsiteLbl", QStringLiteral("Visit the Korvane Software website"), kMakerHomePage));
  links->addWidget(AddLink("EmailLbl", QStringLiteral("Write to us by e-mail"), kMakerEmail));
  links->addWidget(AddLink("ProductLbl", QStringLiteral("See our other programs"), kOtherProductPage));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OkBtn"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->addLayout(top);
  layout->addStretch();
  layout->addLayout(links);
  layout->addStretch();
  layout->addWidget(ok, 0, Qt::AlignRight);
  ColourLinks(nullptr);
  CentreOnScreen(*this);
}

QLabel* TAboutForm::AddLink(const char* name, const QString& caption, const char* address) {
  auto* link = new QLabel(caption, this);
  link->setObjectName(QString::fromLatin1(name));
  link->setCursor(Qt::PointingHandCursor);
  link->setProperty("address", QString::fromLatin1(address));
  QFont underlined = link->font();
  underlined.setUnderline(true);
  link->setFont(underlined);
  link->installEventFilter(this);
  m_links.push_back(link);
  return link;
}

void TAboutForm::ColourLinks(QLabel* hovered) {
  for (QLabel* link : m_links) {
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, link == hovered ? kHoverColour : kLinkColour);
    link->setPalette(palette);
  }
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  auto* link = qobject_cast<QLabel*>(watched);
  if (link && event->type() == QEvent::Enter) ColourLinks(link);
  if (link && event->type() == QEvent::MouseButtonRelease) {
    m_desktop.Open(link->property("address").toString().toStdString());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutForm::mouseMoveEvent(QMouseEvent* event) {
  // Moves over a label reach the window too; only a link keeps its colour.
  auto* under = qobject_cast<QLabel*>(childAt(event->position().toPoint()));
  ColourLinks(std::find(m_links.begin(), m_links.end(), under) != m_links.end() ? under : nullptr);
  QDialog::mouseMoveEvent(event);
}

void TAboutForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, 600, 500), DecorativeBackground());
}

}  // namespace sf::app
