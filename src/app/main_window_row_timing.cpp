#include "app/main_window_row_timing.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <optional>

#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "common/reporter.h"
#include "list/image_list.h"
#include "list/row_display_time.h"
#include "list/row_motion.h"

namespace sf::app {

namespace {

struct MotionItem {
  const char* caption;
  const char* object_name;
  MotionKind kind;
};

constexpr MotionItem kMotionItems[] = {
    {"&None", "MotionNone1", MotionKind::kNone},
    {"Zoom &In", "MotionZoomIn1", MotionKind::kZoomIn},
    {"Zoom &Out", "MotionZoomOut1", MotionKind::kZoomOut},
    {"Pan &Left", "MotionPanLeft1", MotionKind::kPanLeft},
    {"Pan &Right", "MotionPanRight1", MotionKind::kPanRight},
};

}  // namespace

MainWindowRowTiming::MainWindowRowTiming(TAVICompileForm& window) : QObject(&window), m_window(window) {
  setObjectName(QStringLiteral("MainWindowRowTiming"));
  m_window.Ui().StringGrid->ShowRowTimingColumns();
  BuildPopupItems();
}

void MainWindowRowTiming::BuildPopupItems() {
  ImageListGrid& grid = *m_window.Ui().StringGrid;
  QMenu* popup = grid.PopupMenu();
  popup->addSeparator();
  m_set_time = popup->addAction(QStringLiteral("Set &Display Time..."));
  m_set_time->setObjectName(QStringLiteral("SetDisplayTime1"));
  m_clear_time = popup->addAction(QStringLiteral("&Clear Display Time"));
  m_clear_time->setObjectName(QStringLiteral("ClearDisplayTime1"));
  m_motion = popup->addMenu(QStringLiteral("&Motion"));
  m_motion->setObjectName(QStringLiteral("Motion1"));
  // The Transitions menu is not in the menu bar: its command is offered here
  // too, now that the video can show what it chooses.
  m_transition = popup->addAction(QStringLiteral("&Transition...\tF7"));
  m_transition->setObjectName(QStringLiteral("PopupTransition1"));
  connect(m_transition, &QAction::triggered, m_window.Menu().AddTransitionBtn1, &QAction::trigger);
  // One motion at a time, or none ticked for a motion the items do not name.
  auto* kinds = new QActionGroup(m_motion);
  kinds->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const MotionItem& item : kMotionItems) {
    QAction* action = kinds->addAction(m_motion->addAction(QString::fromUtf8(item.caption)));
    action->setObjectName(QString::fromUtf8(item.object_name));
    action->setCheckable(true);
    action->setData(static_cast<int>(item.kind));
    const std::string text = RowMotionText(RowMotion{item.kind, {}, {}});
    connect(action, &QAction::triggered, this, [this, text] { SetMotionClick(text); });
  }
  connect(m_set_time, &QAction::triggered, this, &MainWindowRowTiming::SetDisplayTimeClick);
  connect(m_clear_time, &QAction::triggered, this, &MainWindowRowTiming::ClearDisplayTimeClick);
  connect(&grid, &ImageListGrid::PopupAboutToShow, this, &MainWindowRowTiming::PopupAboutToShow);
}

// The items follow the other list commands: usable while the list holds
// pictures. The current row's motion is ticked (none for rectangles or a text
// that is no motion).
void MainWindowRowTiming::PopupAboutToShow() {
  const bool enabled = m_window.Ui().DeleteBtn->isEnabled();
  m_set_time->setEnabled(enabled);
  m_clear_time->setEnabled(enabled);
  m_motion->setEnabled(enabled);
  m_transition->setEnabled(enabled);
  const std::optional<RowMotion> current =
      ParseRowMotion(m_window.List().Motion(m_window.Ui().StringGrid->CurrentRow()));
  for (QAction* action : m_motion->actions()) {
    action->setChecked(current && action->data().toInt() == static_cast<int>(current->kind));
  }
}

void MainWindowRowTiming::WriteSelectedCells(int column, const std::string& text) {
  ImageListGrid& grid = *m_window.Ui().StringGrid;
  for (int row = grid.SelectionTop(); row <= grid.SelectionBottom(); ++row) {
    m_window.List().SetCellAdding(row, column, text);
  }
  grid.viewport()->update();
  m_window.SetModified();
  m_window.RefreshCaption();
  m_window.RefreshReadouts();
}

void MainWindowRowTiming::SetDisplayTimeClick() {
  if (m_window.List().IsEmpty() || m_window.Compiling()) return;
  const ImageListGrid& grid = *m_window.Ui().StringGrid;
  bool ok = false;
  const QString answer = QInputDialog::getText(
      &m_window, QStringLiteral("Set Display Time"),
      QStringLiteral("Seconds for the selected row(s), empty for the global time:"), QLineEdit::Normal,
      QString::fromStdString(m_window.List().DisplayTime(grid.CurrentRow())), &ok);
  if (!ok) return;
  const std::string text = answer.trimmed().toStdString();
  if (text.empty()) {
    WriteSelectedCells(kDisplayTimeColumn, {});
    return;
  }
  const std::optional<double> seconds = ParseDisplayTime(text);
  if (!seconds) {
    m_window.GetReporter().Error(BadDisplayTimeMessage(text));
    return;
  }
  WriteSelectedCells(kDisplayTimeColumn, DisplayTimeText(*seconds));
}

void MainWindowRowTiming::ClearDisplayTimeClick() {
  if (m_window.List().IsEmpty() || m_window.Compiling()) return;
  WriteSelectedCells(kDisplayTimeColumn, {});
}

void MainWindowRowTiming::SetMotionClick(const std::string& text) {
  if (m_window.List().IsEmpty() || m_window.Compiling()) return;
  WriteSelectedCells(kMotionColumn, text);
}

}  // namespace sf::app
