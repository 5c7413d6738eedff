#include "app/grid_cells.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <string>

#include "list/cell_text.h"
#include "list/image_list.h"

namespace sf::app {
namespace {

constexpr int kTextIndent = 3;

void DrawRaisedFrame(QPainter* painter, const QRect& rect, const QPalette& palette) {
  painter->setPen(palette.color(QPalette::Light));
  painter->drawLine(rect.topLeft(), rect.topRight());
  painter->drawLine(rect.topLeft(), rect.bottomLeft());
  painter->setPen(palette.color(QPalette::Dark));
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  painter->drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

GridCells::GridCells(int path_column_width, QObject* parent)
    : QStyledItemDelegate(parent), m_path_column_width(path_column_width) {}

QString GridCells::Shortened(const QString& text, const QFont& font, int width) const {
  const QFontMetrics metrics(font);
  const auto width_of = [&metrics](std::string_view s) {
    return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
  };
  return QString::fromStdString(ShortenCellText(text.toStdString(), width, width_of));
}

void GridCells::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QPalette& palette = option.palette;
  const QRect rect = option.rect;
  QColor text_colour;
  painter->save();
  if (index.column() == kRowTabColumn) {
    painter->fillRect(rect, palette.color(QPalette::Button));
    DrawRaisedFrame(painter, rect, palette);
    text_colour = Qt::red;
  } else if (option.state & QStyle::State_Selected) {
    painter->fillRect(rect, palette.color(QPalette::Highlight));
    text_colour = palette.color(QPalette::HighlightedText);
  } else {
    painter->fillRect(rect, palette.color(QPalette::Button));
    text_colour = Qt::blue;
  }
  const QString cell = index.data(Qt::DisplayRole).toString();
  const QString text = index.column() == kPathColumn ? ShownText(cell, option.font)
                                                     : Shortened(cell, option.font, rect.width() - kTextIndent);
  painter->setFont(option.font);
  painter->setPen(text_colour);
  painter->drawText(rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.rect = rect;
    focus.palette = palette;
    focus.state = option.state;
    focus.backgroundColor = palette.color(QPalette::Highlight);
    QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
  }
  painter->restore();
}

}  // namespace sf::app
