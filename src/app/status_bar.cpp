#include "app/status_bar.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace sf::app {

void StatusBarPanelObject::ComputeRectangles() {
  inner_width = width - borders.left - borders.right;
  inner_height = height - borders.top - borders.bottom;
  inner_rect = {left + borders.left, top + borders.top, left + width - borders.right, top + height - borders.bottom};
  text_rect = inner_rect;
  left_border = {left, top, left + borders.left, top + height};
  right_border = {left + width - borders.right, top, left + width, top + height};
  top_border = {left, top, left + width, top + borders.top};
  bottom_border = {left, top + height - borders.bottom, left + width, top + height};
}

void StatusBarPanelObject::Draw(QPainter& painter, const QImage* fill_picture) const {
  painter.save();
  DrawFill(painter, fill_picture);
  // The text has no background of its own: the window shows through.
  painter.setClipRect(text_rect.ToQRect());
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QRect text_area(text_rect.left + text_x, text_rect.top + text_y, text_rect.right - text_rect.left - text_x,
                        text_rect.bottom - text_rect.top - text_y);
  painter.drawText(text_area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter.setClipping(false);
  DrawBorders(painter);
  painter.restore();
}

void StatusBarPanelObject::DrawFill(QPainter& painter, const QImage* fill_picture) const {
  if (fill_width <= 0) return;
  const QRect filled(inner_rect.left, inner_rect.top, fill_width, inner_height);
  if (fill_picture)
    painter.drawImage(filled, *fill_picture);
  else
    painter.fillRect(filled, fill_colour);
}

void StatusBarPanelObject::DrawBorders(QPainter& painter) const {
  for (const PanelRect* border : {&left_border, &right_border, &top_border, &bottom_border}) {
    const QRect area = border->ToQRect();
    if (area.width() > 0 && area.height() > 0) painter.fillRect(area, edges.border);
  }
  // Lines include their start point and exclude their end point, so a line
  // from a to b covers the pixels a .. b - 1.
  const auto vertical = [&](int x, int from, int to, const QColor& colour) {
    if (to > from) painter.fillRect(QRect(x, from, 1, to - from), colour);
  };
  const auto horizontal = [&](int y, int from, int to, const QColor& colour) {
    if (to > from) painter.fillRect(QRect(from, y, to - from, 1), colour);
  };
  if (borders.left > 1) vertical(left + borders.left - 1, inner_rect.top, inner_rect.bottom, edges.dark);
  if (borders.top > 1) horizontal(top + borders.top - 1, inner_rect.left - 1, inner_rect.right + 1, edges.dark);
  if (borders.right > 0) vertical(left + width - borders.right, inner_rect.top, inner_rect.bottom, edges.light);
  if (borders.bottom > 0)
    horizontal(top + height - borders.bottom, inner_rect.left - 1, inner_rect.right + 1, edges.light);
}

StatusBarObject::StatusBarObject() : font(QStringLiteral("Tahoma"), 8) {
  const QPalette palette = QGuiApplication::palette();
  edges.light = palette.color(QPalette::HighlightedText);
  edges.dark = palette.color(QPalette::Inactive, QPalette::Highlight);
  edges.border = palette.color(QPalette::Button);
}

bool StatusBarObject::Layout(int count, int top) {
  if (count < 0 || count > kCapacity) return false;
  m_count = count;
  m_top = top;
  Relayout();
  return true;
}

void StatusBarObject::Relayout() {
  int x = left;
  for (int i = 0; i < m_count; ++i) {
    StatusBarPanelObject& panel = panels[static_cast<std::size_t>(i)];
    panel.left = x;
    panel.top = m_top;
    panel.height = height;
    panel.text_x = text_x;
    panel.text_y = text_y;
    panel.font = font;
    panel.borders = borders;
    panel.edges = edges;
    panel.fill_colour = fill_colour;
    panel.ComputeRectangles();
    x += panel.width;
  }
}

void StatusBarObject::DrawPlainFill(QPainter& painter) const {
  for (int i = 0; i < m_count; ++i) panels[static_cast<std::size_t>(i)].Draw(painter, nullptr);
}

void StatusBarObject::DrawPictureFill(QPainter& painter, const QImage& picture) const {
  for (int i = 0; i < m_count; ++i) panels[static_cast<std::size_t>(i)].Draw(painter, &picture);
}

}  // namespace sf::app
