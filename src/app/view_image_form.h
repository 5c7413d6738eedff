// The image viewer: one picture at its actual size in a scrolling area, or
// fitted to the window; the mouse wheel scrolls it and a click on the window
// itself closes it.
//   viewer.ShowPicture(ToQImage(picture), path);
//   viewer.exec();
#pragma once

#include <QDialog>
#include <QImage>
#include <string>

class QLabel;
class QPushButton;
class QScrollArea;

namespace sf::app {

class TViewImageForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TViewImageForm(QWidget* parent = nullptr);

  // The picture to show and the path for the title "View Image -" + path.
  void ShowPicture(const QImage& picture, const std::string& path);

  void ActualSizeBtnClick();
  void FitBtnClick();
  QSize PictureSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QImage m_picture;
  QPushButton* m_close;
  QPushButton* m_fit;
  QPushButton* m_actual_size;
  QScrollArea* m_scroll;
  QWidget* m_canvas;  // the scrolled area's content, holding the picture at (8, 8)
  QLabel* m_image;
};

}  // namespace sf::app
