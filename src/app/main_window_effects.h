// The main window's effect and transition commands: opening the effects editor
// for the selected rows and writing the confirmed list into their effect
// cells, clearing effects, the pop-up menu of the applied-effects list, and
// the transitions window with its F7 command.
//   m_effects = new MainWindowEffects(*this);   // in the window's constructor, a child object
#pragma once

#include <QObject>
#include <memory>
#include <string>

class QAction;
class QMenu;

namespace sf::app {

class TAVICompileForm;
class TEffectsForm;
class TTransitionsForm;

class MainWindowEffects final : public QObject {
  Q_OBJECT

 public:
  explicit MainWindowEffects(TAVICompileForm& window);
  ~MainWindowEffects() override;

  TEffectsForm& EffectsForm() { return *m_effects_form; }
  TTransitionsForm& TransitionsForm() { return *m_transitions_form; }
  // The pop-up menu of the applied-effects list (EffectsPopMenu) and its items.
  QMenu* EffectsPopMenu() const { return m_popup; }
  QAction* PopupAddEffect() const { return m_popup_add; }
  QAction* PopupClearEffects() const { return m_popup_clear; }
  QAction* PopupClearAllEffects() const { return m_popup_clear_all; }

  void AddEffectBtnClick();
  void ClearEffectsBtnClick();
  void ClearAllEffectsBtnClick();
  void EffectsPopMenuPopup();
  void AddTransitionBtn1Click();
  void ClearTransitionsBtn1Click();

 private:
  void BuildPopupMenu();
  void WriteSelectedCells(int column, const std::string& text);
  void RowsChanged();

  TAVICompileForm& m_window;
  std::unique_ptr<TEffectsForm> m_effects_form;
  std::unique_ptr<TTransitionsForm> m_transitions_form;
  QMenu* m_popup = nullptr;
  QAction* m_popup_add = nullptr;
  QAction* m_popup_clear = nullptr;
  QAction* m_popup_clear_all = nullptr;
};

}  // namespace sf::app
