// The "Hint Box": a longer note shown modally over the other windows, with a
// heading, a read-only scrolling text and a Close button.
//   hint_form.ShowNote("- If 'None' is selected, then the GIF will not be transparent.\n\n");
#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace sf::app {

class THintForm final : public QDialog {
  Q_OBJECT

 public:
  explicit THintForm(QWidget* parent = nullptr);

  // Puts the text into the text area and shows the window modally.
  void ShowNote(const std::string& text);
  void SetNote(const std::string& text);
  QString NoteText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPlainTextEdit* m_memo;
};

}  // namespace sf::app
