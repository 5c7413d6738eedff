// The small "GIF Settings" tool window beside the main window: loop count,
// transparency pixel and draw method of an animated GIF compile, and the choice
// of the optimised GIF.
//   gif_settings.show();
//   settings.gif_loops = gif_settings.Loops();
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace sf::app {

class THintForm;

class TGIFSettingsForm final : public QWidget {
  Q_OBJECT

 public:
  TGIFSettingsForm(THintForm& hint_form, QWidget* parent = nullptr);

  int Loops() const;
  int Transparency() const;
  int Disposal() const;
  bool Optimise() const;
  void SetOptimise(bool optimise);
  // The values of an opened project; the draw method then follows the
  // transparency as when it is chosen.
  void SetValues(int loops, int transparency, int disposal);

  // Enables the draw method only with a transparent pixel; without one it
  // shows "Draw each frame new".
  void TransCBoxChange();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  THintForm& m_hint_form;
  QSpinBox* m_loops_edit;
  QComboBox* m_trans_box;
  QComboBox* m_disposal_box;
  QCheckBox* m_optimise_box;
};

}  // namespace sf::app
