// The controls of the main window's client area, each named (objectName) as
// the commands and tests know it, placed at fixed positions in the 742 x 534
// client area with their captions, tips and tab order.
//   MainControls ui = BuildMainControls(client, list);
//   ui.AddBtn->setEnabled(false);
#pragma once

class QCheckBox;
class QDoubleSpinBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace sf {
class ImageList;
}

namespace sf::app {

class ClickableLabel;
class ImageListGrid;

struct MainControls {
  // The list, top left, with the applied effects beside it.
  ImageListGrid* StringGrid = nullptr;
  QPushButton* EditEffectsBtn = nullptr;
  QListWidget* AppliedEffectsListBox = nullptr;
  // List commands, top right.
  QPushButton* AddBtn = nullptr;
  QPushButton* OpenBackPicBtn = nullptr;
  QPushButton* DeleteBtn = nullptr;
  QPushButton* SortBtn = nullptr;
  QPushButton* StopSortBtn = nullptr;
  QCheckBox* SortBackChkBox = nullptr;
  QCheckBox* SortDepthChkBox = nullptr;
  QSpinBox* SortDepthEdit = nullptr;
  // Fitting, right.
  QCheckBox* AspectChkBox = nullptr;
  QCheckBox* ZoomInChkBox = nullptr;
  QCheckBox* AutoOrientCheck = nullptr;  // JPEG photos turned by their EXIF orientation
  QSpinBox* BorderSizeWidthEdit = nullptr;
  QSpinBox* BorderSizeHeightEdit = nullptr;
  QLabel* Label10 = nullptr;  // the pixel format caption
  QComboBox* PixelFormCBox = nullptr;
  QComboBox* ResizeCBox = nullptr;
  ClickableLabel* ResizeHelpLbl = nullptr;
  // Sound and output.
  QCheckBox* IncludeAudioChkBox = nullptr;
  QPushButton* OpenAudioPathBtn = nullptr;
  QLineEdit* AudioPathEdit = nullptr;
  QPushButton* OutputPathBtn = nullptr;
  QLineEdit* OutputEdit = nullptr;
  QPushButton* GIFSettingsBtn = nullptr;
  ClickableLabel* GIFHelpLbl = nullptr;
  // Timing.
  QLineEdit* FramesPerSecondEdit = nullptr;
  QSpinBox* WidthEdit = nullptr;
  QSpinBox* HeightEdit = nullptr;
  QComboBox* MediaTypeCBox = nullptr;
  QLineEdit* RepeatValueEdit = nullptr;
  QLineEdit* RepeatSecondsEdit = nullptr;
  // Bottom.
  QPushButton* CompileBtn = nullptr;
  QPushButton* StopBtn = nullptr;
  QCheckBox* OpenFileChkBox = nullptr;
  QCheckBox* ShowTransitionsChkBox = nullptr;   // the rows' transitions drawn in the video
  QDoubleSpinBox* TransitionTimeEdit = nullptr; // seconds each transition takes
  ClickableLabel* Image1 = nullptr;  // the 160 x 120 preview
};

MainControls BuildMainControls(QWidget& client, ImageList& list);

}  // namespace sf::app
