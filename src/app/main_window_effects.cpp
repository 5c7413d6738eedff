#include "app/main_window_effects.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <exception>

#include "app/decorative_pictures.h"
#include "app/edit_selected_effects.h"
#include "app/effects_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/main_window_list_host.h"
#include "app/transitions_form.h"
#include "effects/effect_list_text.h"

namespace sf::app {

MainWindowEffects::MainWindowEffects(TAVICompileForm& window)
    : QObject(&window),
      m_window(window),
      m_effects_form(std::make_unique<TEffectsForm>(window.GetReporter(), window.ListCommandsHost().Viewer(), &window)),
      m_transitions_form(std::make_unique<TTransitionsForm>(window.GetReporter(), &window)) {
  setObjectName(QStringLiteral("MainWindowEffects"));
  const MainMenu& menu = window.Menu();
  connect(menu.AddEffectBtn, &QAction::triggered, this, &MainWindowEffects::AddEffectBtnClick);
  connect(menu.ClearEffectsBtn, &QAction::triggered, this, &MainWindowEffects::ClearEffectsBtnClick);
  connect(menu.ClearAllEffectsBtn, &QAction::triggered, this, &MainWindowEffects::ClearAllEffectsBtnClick);
  connect(window.Ui().EditEffectsBtn, &QPushButton::clicked, this, &MainWindowEffects::AddEffectBtnClick);
  connect(menu.AddTransitionBtn1, &QAction::triggered, this, &MainWindowEffects::AddTransitionBtn1Click);
  connect(menu.ClearTransitionsBtn1, &QAction::triggered, this, &MainWindowEffects::ClearTransitionsBtn1Click);
  // The Transitions menu is not on the menu bar; the window itself carries its
  // command so that F7 still reaches it.
  window.addAction(menu.AddTransitionBtn1);
  BuildPopupMenu();
}

MainWindowEffects::~MainWindowEffects() = default;

void MainWindowEffects::BuildPopupMenu() {
  QListWidget* applied = m_window.Ui().AppliedEffectsListBox;
  m_popup = new QMenu(applied);
  m_popup->setObjectName(QStringLiteral("EffectsPopMenu"));
  m_popup_add = m_popup->addAction(QStringLiteral("&Add/Modify Effects..."));
  m_popup_add->setObjectName(QStringLiteral("AddModifyEffects1"));
  m_popup->addSeparator();
  m_popup_clear = m_popup->addAction(QStringLiteral("&Clear Effects for Selected Row(s)"));
  m_popup_clear->setObjectName(QStringLiteral("ClearEffectsforSelectedRows1"));
  m_popup_clear_all = m_popup->addAction(QStringLiteral("C&lear All Effects"));
  m_popup_clear_all->setObjectName(QStringLiteral("ClearAllEffects1"));
  connect(m_popup, &QMenu::aboutToShow, this, &MainWindowEffects::EffectsPopMenuPopup);
  connect(m_popup_add, &QAction::triggered, this, &MainWindowEffects::AddEffectBtnClick);
  connect(m_popup_clear, &QAction::triggered, this, &MainWindowEffects::ClearEffectsBtnClick);
  connect(m_popup_clear_all, &QAction::triggered, this, &MainWindowEffects::ClearAllEffectsBtnClick);
  applied->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(applied, &QWidget::customContextMenuRequested, this,
          [this, applied](const QPoint& at) { m_popup->popup(applied->viewport()->mapToGlobal(at)); });
}

void MainWindowEffects::EffectsPopMenuPopup() {
  const bool enabled = m_window.Ui().DeleteBtn->isEnabled();
  for (QAction* item : {m_popup_add, m_popup_clear, m_popup_clear_all}) item->setEnabled(enabled);
}

void MainWindowEffects::WriteSelectedCells(int column, const std::string& text) {
  const ImageListGrid& grid = *m_window.Ui().StringGrid;
  for (int row = grid.SelectionTop(); row <= grid.SelectionBottom(); ++row) m_window.List().SetCell(row, column, text);
}

void MainWindowEffects::RowsChanged() {
  m_window.SetModified();
  m_window.RefreshCaption();
  m_window.ListCommandsHost().List().StringGridClick();
}

void MainWindowEffects::AddEffectBtnClick() {
  if (EditSelectedEffects(*m_effects_form, m_window.List(), *m_window.Ui().StringGrid, m_window.GetReporter(),
                          {.upright = m_window.Ui().AutoOrientCheck->isChecked()})) {
    RowsChanged();
  }
}

void MainWindowEffects::ClearEffectsBtnClick() {
  if (m_window.List().IsEmpty()) return;
  WriteSelectedCells(kEffectsColumn, {});
  RowsChanged();
}

void MainWindowEffects::ClearAllEffectsBtnClick() {
  if (m_window.List().IsEmpty()) return;
  for (int row = 0; row < m_window.List().RowCount(); ++row) m_window.List().SetCell(row, kEffectsColumn, {});
  RowsChanged();
}

void MainWindowEffects::AddTransitionBtn1Click() {
  if (m_window.List().IsEmpty()) return;
  const ImageListGrid& grid = *m_window.Ui().StringGrid;
  TTransitionsForm& form = *m_transitions_form;
  try {
    form.Load(m_window.List().Path(grid.CurrentRow()), m_window.HeldSettings().background_picture,
              {.upright = m_window.Ui().AutoOrientCheck->isChecked()});
    if (form.exec() != QDialog::Accepted) return;
    WriteSelectedCells(kTransitionColumn, std::to_string(form.ChosenTransition()));
    m_window.SetModified();
    m_window.RefreshCaption();
  } catch (const std::exception& failure) {
    m_window.GetReporter().Error(failure.what());
    m_window.GetReporter().Error("Error adding/modifying transition.\n - AddTransitionBtn1Click");
  }
}

void MainWindowEffects::ClearTransitionsBtn1Click() {
  if (m_window.List().IsEmpty()) return;
  WriteSelectedCells(kTransitionColumn, {});
  m_window.SetModified();
  m_window.RefreshCaption();
}

}  // namespace sf::app
