#include "app/message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>

namespace sf::app {

namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                 QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, QStringLiteral("Slideforge"), QString::fromStdString(text), buttons, parent);
  box.setDefaultButton(buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
  // A long operation may have set the busy cursor; a question needs the arrow.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int answer = box.exec();
  QApplication::restoreOverrideCursor();
  return static_cast<QMessageBox::StandardButton>(answer);
}

}  // namespace

void MessageBoxReporter::Message(const std::string& text) {
  Show(m_parent, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool MessageBoxReporter::Confirm(const std::string& text) {
  return Show(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxReporter::Error(const std::string& text) {
  Show(m_parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool MessageBoxReporter::ErrorQuestion(const std::string& text) {
  return Show(m_parent, QMessageBox::Critical, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace sf::app
