#include "app/hint_form.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/decorative_pictures.h"
#include "app/window_placement.h"

namespace sf::app {

THintForm::THintForm(QWidget* parent) : QDialog(parent), m_memo(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("THintForm"));
  setWindowTitle(QStringLiteral("Hint Box"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(460, 380);

  auto* heading = new QLabel(QStringLiteral("Helpful Guides:"), this);
  heading->setObjectName(QStringLiteral("HeadingLbl"));
  heading->setAutoFillBackground(true);
  QPalette band = heading->palette();
  band.setColor(QPalette::Window, QColor(62, 100, 137));
  band.setColor(QPalette::WindowText, Qt::white);
  heading->setPalette(band);
  QFont heading_font = heading->font();
  heading_font.setBold(true);
  heading_font.setPointSizeF(heading_font.pointSizeF() + 2);
  heading->setFont(heading_font);
  heading->setContentsMargins(8, 4, 8, 4);

  m_memo->setObjectName(QStringLiteral("HintMemo"));
  m_memo->setReadOnly(true);
  m_memo->setPlainText(QStringLiteral("ERROR - No hint available."));

  auto* close_button = new QPushButton(QStringLiteral("&Close"), this);
  close_button->setObjectName(QStringLiteral("CloseBtn"));
  close_button->setDefault(true);
  connect(close_button, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->addWidget(heading);
  layout->addWidget(m_memo, 1);
  layout->addWidget(close_button, 0, Qt::AlignRight);
}

void THintForm::ShowNote(const std::string& text) {
  SetNote(text);
  CentreOnScreen(*this);
  exec();
}

void THintForm::SetNote(const std::string& text) { m_memo->setPlainText(QString::fromStdString(text)); }

QString THintForm::NoteText() const { return m_memo->toPlainText(); }

void THintForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, 480, 640), DecorativeBackground());
}

}  // namespace sf::app
