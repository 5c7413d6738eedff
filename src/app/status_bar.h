// The status bars drawn by the program itself: a horizontal strip of panels
// with a text, an optional progress fill and coloured borders, painted on the
// canvas of the window that owns it.
//   StatusBarObject bar;  bar.panels[0].width = 250;  bar.Layout(4, client_height - 38);
//   bar.DrawPictureFill(painter, progress_picture);
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

namespace sf::app {

// A rectangle that includes its left and top edge and excludes its right and
// bottom edge.
struct PanelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

struct BorderWidths {
  int left = 2;
  int right = 2;
  int top = 3;
  int bottom = 1;
};

struct EdgeColours {
  QColor light;
  QColor dark;
  QColor border;
};

class StatusBarPanelObject {
 public:
  int text_x = 1;
  int text_y = 0;
  int left = 0;
  int top = 0;
  int width = 50;
  int height = 19;
  int inner_width = 0;
  int inner_height = 0;
  int fill_width = 0;  // 0 shows no progress
  QString text;
  QFont font;
  PanelRect text_rect;
  PanelRect inner_rect;
  PanelRect left_border;
  PanelRect right_border;
  PanelRect top_border;
  PanelRect bottom_border;
  QColor fill_colour;
  BorderWidths borders;
  EdgeColours edges;

  // Recomputes the inner size and the six rectangles from the position, size
  // and border widths.
  void ComputeRectangles();
  void Draw(QPainter& painter, const QImage* fill_picture) const;

 private:
  void DrawFill(QPainter& painter, const QImage* fill_picture) const;
  void DrawBorders(QPainter& painter) const;
};

class StatusBarObject {
 public:
  static constexpr int kCapacity = 99;

  StatusBarObject();

  int Count() const { return m_count; }
  int Top() const { return m_top; }

  // Places count panels left to right at top, each taking the strip's metrics,
  // font, borders and colours. A count above the capacity is refused (false) and
  // the strip keeps its panels.
  bool Layout(int count, int top);
  // Recomputes positions and rectangles after widths or the top changed.
  void Relayout();
  void SetTop(int top) { m_top = top; }

  void DrawPlainFill(QPainter& painter) const;
  void DrawPictureFill(QPainter& painter, const QImage& picture) const;

  int height = 19;
  int left = 0;
  int text_x = 1;
  int text_y = 0;
  QFont font;
  BorderWidths borders;
  EdgeColours edges;
  QColor fill_colour{0, 255, 255};
  std::array<StatusBarPanelObject, kCapacity> panels;

 private:
  int m_count = 0;
  int m_top = 0;
};

}  // namespace sf::app
