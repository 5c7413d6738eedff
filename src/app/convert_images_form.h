// The "Batch Image Converter with Effects" tool window: its own picture list,
// the output options with their dependencies, and Convert Images running the
// core's conversion run with Stop, progress and messages in its status bar.
//   converter.TakeMainList(main_list, main_has_pictures);  converter.show();
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/status_bar.h"
#include "list/image_list.h"
#include "list/picture_info.h"
#include "tools/batch_conversion.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpinBox;

namespace sf {
class Desktop;
class Reporter;
}  // namespace sf

namespace sf::app {

class ImageListGrid;
class THintForm;
class TEffectsForm;
class TViewImageForm;
class ClickableLabel;
class QualitySlider;

class TConvertImagesForm final : public QWidget {
  Q_OBJECT

 public:
  enum Panel { kProgressPanel = 0, kSelectedImagePanel = 1, kTotalImagesPanel = 2 };
  static constexpr int kStatusBarHeight = 19;

  TConvertImagesForm(THintForm& hint_form, Reporter& reporter, Desktop& desktop, std::string documents_folder,
                     QWidget* parent = nullptr);
  ~TConvertImagesForm() override;

  ImageList& List() { return m_list; }
  ImageListGrid& Grid() { return *m_grid; }
  QString PanelText(Panel panel) const { return m_bar.panels[panel].text; }
  // Runs when the window closes; the main window shows itself again there.
  void SetCloseAction(std::function<void()> action) { m_close_action = std::move(action); }

  // Opening from the main window: when the main list holds pictures, asks
  // whether to copy them with their effect texts into this list.
  void TakeMainList(const ImageList& main_list, bool main_has_pictures);
  // Adds the files as rows at the end of the list (the folder browser's OK).
  void AddFiles(const std::string& folder, const std::vector<std::string>& names);
  // The run settings the controls hold.
  ConversionSettings ReadSettings() const;

  void ConvertBtnClick();
  void StopBtnClick();
  void CloseBtnClick();
  void StringGridClick();
  void StringGridDblClick();
  void ViewImageBtnClick();
  void ImageLocationBtnClick();
  void DeleteBtnClick();
  void SelectAllBtnClick();
  void ClearList1Click();
  void ValidateListBtn1Click();
  // Opens the effects editor for the selection; writes only this list's cells.
  void EditEffectsBtnClick();
  void ClearEffectsBtnClick();
  void ClearAllEffectsBtnClick();

  // The option dependencies.
  void OutputSizeCBoxChange();
  void WidthEditChange();
  void FormatCBoxChange();
  void IfFileExistsCBoxChange();
  void PixelFormCBoxChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class RunProgress;

  void BuildControls();
  void BuildMenus(QMenuBar* bar);
  void BuildLayout(QMenuBar* bar);
  void ConnectControls();
  void SetUpStatusBar();
  void RelayoutStatusBar();
  void SetProgress(const QString& text, int percent);
  void SetPanelText(Panel panel, const QString& text);
  void RefreshTotals();
  void EnableListCommands(bool enabled);
  void EnterBusyState();
  void LeaveBusyState();
  bool Converting() const;
  void AddBtnClick();
  void OutputPathBtnClick();
  // Loads the current row's picture into the preview and the shown-picture
  // record; false when it did not load.
  bool ShowPreview();
  void EnableMenuItems();

  THintForm& m_hint_form;
  Reporter& m_reporter;
  Desktop& m_desktop;
  const std::string m_documents_folder;
  std::function<void()> m_close_action;
  ImageList m_list;
  ShownPicture m_shown;
  std::unique_ptr<TViewImageForm> m_viewer;
  std::unique_ptr<TEffectsForm> m_effects_form;
  StatusBarObject m_bar;
  bool m_size_guard = false;
  bool m_stop_requested = false;
  bool m_busy = false;     // the busy state: Stop shown, the controls disabled
  bool m_running = false;  // a run is reading the list (Stop leaves the busy state before it ends)
  bool m_output_chooser_used = false;

  ImageListGrid* m_grid = nullptr;
  ClickableLabel* m_image = nullptr;
  QListWidget* m_applied_effects = nullptr;
  QPushButton* m_add_btn = nullptr;
  QPushButton* m_delete_btn = nullptr;
  QPushButton* m_select_all_btn = nullptr;
  QPushButton* m_view_image_btn = nullptr;
  QPushButton* m_image_location_btn = nullptr;
  QPushButton* m_edit_effects_btn = nullptr;
  QPushButton* m_clear_effects_btn = nullptr;
  QPushButton* m_clear_all_effects_btn = nullptr;
  QPushButton* m_output_path_btn = nullptr;
  QLineEdit* m_output_edit = nullptr;
  QComboBox* m_format_box = nullptr;
  QComboBox* m_if_exists_box = nullptr;
  QLineEdit* m_name_edit = nullptr;
  QComboBox* m_output_size_box = nullptr;
  QSpinBox* m_width_edit = nullptr;
  QSpinBox* m_height_edit = nullptr;
  QComboBox* m_aspect_box = nullptr;
  QComboBox* m_resize_box = nullptr;
  QCheckBox* m_resize_after_box = nullptr;
  QLabel* m_resize_after_label = nullptr;
  QSpinBox* m_jpeg_quality_edit = nullptr;
  QLabel* m_jpeg_label = nullptr;
  QualitySlider* m_jpeg_slider = nullptr;
  QComboBox* m_pixel_format_box = nullptr;
  QCheckBox* m_open_folder_box = nullptr;
  QCheckBox* m_skip_errors_box = nullptr;
  // JPEG photos turned by their EXIF orientation; the converter's own, on at start.
  QCheckBox* m_upright_box = nullptr;
  QLabel* m_upright_label = nullptr;
  QPushButton* m_convert_btn = nullptr;
  QPushButton* m_stop_btn = nullptr;
  QPushButton* m_close_btn = nullptr;
  QMenu* m_file_menu = nullptr;
  QMenu* m_list_menu = nullptr;
  QMenu* m_effects_menu = nullptr;
  std::vector<QWidget*> m_option_controls;
};

}  // namespace sf::app
