// The controls of the main window's client area: blocks at fixed places in the
// 742 x 534 client area, each block laid out inside. Controls are created in
// tab order.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/clickable_label.h"
#include "app/image_list_grid.h"
#include "app/main_controls.h"
#include "app/number_key_filter.h"
#include "compile/compile_settings.h"

namespace sf::app {

namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  return Named(new QPushButton(QString::fromUtf8(caption), parent), name);
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, bool checked = false) {
  auto* box = Named(new QCheckBox(QString::fromUtf8(caption), parent), name);
  box->setChecked(checked);
  return box;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, int low, int high, int value) {
  auto* spin = Named(new QSpinBox(parent), name);
  spin->setRange(low, high);
  spin->setValue(value);
  // A field left empty reads as its minimum and shows it.
  spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  NumberKeyFilter::Install(spin);
  return spin;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, std::span<const char* const> items, int index) {
  auto* box = Named(new QComboBox(parent), name);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  box->setCurrentIndex(index);
  return box;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, bool read_only = false) {
  auto* edit = Named(new QLineEdit(text, parent), name);
  edit->setReadOnly(read_only);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  if (buddy) label->setBuddy(buddy);
  return label;
}

ClickableLabel* MakeHelpLabel(QWidget* parent, const char* name, const char* tip) {
  auto* label = Named(new ClickableLabel(QStringLiteral("?"), parent), name);
  label->setToolTip(QString::fromUtf8(tip));
  label->setCursor(Qt::WhatsThisCursor);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  QPalette blue = label->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  label->setPalette(blue);
  return label;
}

// A frame without a title grouping related controls.
QGroupBox* MakeFrame(QWidget& client, const QRect& place) {
  auto* frame = new QGroupBox(&client);
  frame->setGeometry(place);
  return frame;
}

void BuildList(QWidget& client, ImageList& list, MainControls& ui) {
  ui.StringGrid = Named(new ImageListGrid(list, &client), "StringGrid");
  ui.StringGrid->setGeometry(8, 8, 413, 222);
  ui.StringGrid->setEnabled(false);
  ui.StringGrid->setToolTip(QStringLiteral("Click and hold the left mouse button on the row tabs to move a row."));

  auto* effects = new QWidget(&client);
  effects->setGeometry(427, 8, 92, 222);
  ui.EditEffectsBtn = MakeButton(effects, "EditEffectsBtn", "Edit Effects...");
  ui.EditEffectsBtn->setEnabled(false);
  ui.AppliedEffectsListBox = Named(new QListWidget(effects), "AppliedEffectsListBox");
  ui.AppliedEffectsListBox->addItem(QStringLiteral("Applied Effects:"));
  auto* layout = new QVBoxLayout(effects);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(ui.EditEffectsBtn);
  layout->addWidget(ui.AppliedEffectsListBox, 1);
}

void BuildListCommands(QWidget& client, MainControls& ui) {
  QGroupBox* frame = MakeFrame(client, QRect(525, 2, 210, 172));
  ui.AddBtn = MakeButton(frame, "AddBtn", "Ad&d Image Files...");
  ui.OpenBackPicBtn = MakeButton(frame, "OpenBackPicBtn", "Open Background &Pic...");
  ui.DeleteBtn = MakeButton(frame, "DeleteBtn", "D&elete Selected Image(s)");
  ui.DeleteBtn->setEnabled(false);
  ui.SortBtn = MakeButton(frame, "SortBtn", "&Sort List");
  ui.SortBtn->setEnabled(false);
  ui.StopSortBtn = MakeButton(frame, "StopSortBtn", "&Stop Sort");
  ui.StopSortBtn->hide();
  ui.SortBackChkBox = MakeCheck(frame, "SortBackChkBox", "Sort &Backward");
  ui.SortDepthChkBox = MakeCheck(frame, "SortDepthChkBox", "Sort by &depth of:");
  ui.SortDepthEdit = MakeSpin(frame, "SortDepthEdit", 1, 999, 25);
  ui.SortDepthEdit->setEnabled(false);

  auto* sort_row = new QGridLayout;
  sort_row->setContentsMargins(0, 0, 0, 0);
  sort_row->addWidget(ui.SortBtn, 0, 0);
  sort_row->addWidget(ui.StopSortBtn, 0, 0);
  auto* depth_row = new QHBoxLayout;
  depth_row->addWidget(ui.SortDepthChkBox);
  depth_row->addWidget(ui.SortDepthEdit);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(3);
  layout->addWidget(ui.AddBtn);
  layout->addWidget(ui.OpenBackPicBtn);
  layout->addWidget(ui.DeleteBtn);
  layout->addLayout(sort_row);
  layout->addWidget(ui.SortBackChkBox);
  layout->addLayout(depth_row);
}

void BuildFitting(QWidget& client, MainControls& ui) {
  QGroupBox* frame = MakeFrame(client, QRect(525, 178, 210, 190));
  ui.AspectChkBox = MakeCheck(frame, "AspectChkBox", "Maintain Aspect &Ratio", true);
  ui.ZoomInChkBox = MakeCheck(frame, "ZoomInChkBox", "&Zoom In (expand smaller pics)", true);
  ui.AutoOrientCheck = MakeCheck(frame, "AutoOrientCheck", "Rotate photos upri&ght (EXIF)", true);
  ui.BorderSizeWidthEdit = MakeSpin(frame, "BorderSizeWidthEdit", 0, kMaxBorderPercent, 0);
  ui.BorderSizeHeightEdit = MakeSpin(frame, "BorderSizeHeightEdit", 0, kMaxBorderPercent, 0);
  ui.PixelFormCBox = MakeCombo(frame, "PixelFormCBox", PixelFormatItems(), 1);
  ui.Label10 = Named(MakeLabel(frame, "Pi&xel format:", ui.PixelFormCBox), "Label10");
  ui.ResizeCBox = MakeCombo(frame, "ResizeCBox", ResizeItems(), 0);
  ui.ResizeHelpLbl = MakeHelpLabel(frame, "ResizeHelpLbl", "Click here for resize questions.");

  auto* layout = new QGridLayout(frame);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setVerticalSpacing(2);
  layout->addWidget(ui.AspectChkBox, 0, 0, 1, 3);
  layout->addWidget(ui.ZoomInChkBox, 1, 0, 1, 3);
  layout->addWidget(ui.AutoOrientCheck, 2, 0, 1, 3);
  layout->addWidget(MakeLabel(frame, "Border Size Width (%):", ui.BorderSizeWidthEdit), 3, 0);
  layout->addWidget(ui.BorderSizeWidthEdit, 3, 1, 1, 2);
  layout->addWidget(MakeLabel(frame, "Border Size Height (%):", ui.BorderSizeHeightEdit), 4, 0);
  layout->addWidget(ui.BorderSizeHeightEdit, 4, 1, 1, 2);
  layout->addWidget(ui.Label10, 5, 0, 1, 3);
  layout->addWidget(ui.PixelFormCBox, 6, 0, 1, 3);
  layout->addWidget(MakeLabel(frame, "Resi&ze:", ui.ResizeCBox), 7, 0, 1, 3);
  layout->addWidget(ui.ResizeCBox, 8, 0, 1, 2);
  layout->addWidget(ui.ResizeHelpLbl, 8, 2, Qt::AlignCenter);
  layout->setColumnStretch(0, 1);
}

void BuildSoundAndOutput(QWidget& client, MainControls& ui) {
  QGroupBox* frame = MakeFrame(client, QRect(8, 232, 511, 98));
  ui.IncludeAudioChkBox = MakeCheck(frame, "IncludeAudioChkBox", "&Include Audio");
  ui.OpenAudioPathBtn = MakeButton(frame, "OpenAudioPathBtn", "Open A&udio...");
  ui.OpenAudioPathBtn->setEnabled(false);
  ui.AudioPathEdit = MakeEdit(frame, "AudioPathEdit", QString::fromLatin1(kNoAudioPath), true);
  ui.OutputPathBtn = MakeButton(frame, "OutputPathBtn", "&Output File...");
  ui.OutputEdit = MakeEdit(frame, "OutputEdit", QString(), true);
  ui.GIFSettingsBtn = MakeButton(frame, "GIFSettingsBtn", "Animated GIF Settings...");
  ui.GIFSettingsBtn->setEnabled(false);
  ui.GIFHelpLbl = MakeHelpLabel(frame, "GIFHelpLbl", "Click here for GIF notes.");

  auto* gif_row = new QHBoxLayout;
  gif_row->addWidget(ui.GIFSettingsBtn);
  gif_row->addWidget(ui.GIFHelpLbl);
  gif_row->addStretch();
  auto* layout = new QGridLayout(frame);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setVerticalSpacing(3);
  layout->addWidget(ui.IncludeAudioChkBox, 0, 0);
  layout->addWidget(ui.OpenAudioPathBtn, 0, 1);
  layout->addWidget(ui.AudioPathEdit, 0, 2);
  layout->addWidget(ui.OutputPathBtn, 1, 1);
  layout->addWidget(ui.OutputEdit, 1, 2);
  layout->addLayout(gif_row, 2, 1, 1, 2);
  layout->setColumnStretch(2, 1);
}

void BuildTiming(QWidget& client, MainControls& ui) {
  QGroupBox* frame = MakeFrame(client, QRect(8, 334, 511, 110));
  ui.FramesPerSecondEdit = MakeEdit(frame, "FramesPerSecondEdit", QStringLiteral("29.97"));
  ui.MediaTypeCBox = Named(new QComboBox(frame), "MediaTypeCBox");
  for (const MediaTypePreset& preset : MediaTypePresets()) ui.MediaTypeCBox->addItem(QString::fromUtf8(preset.text));
  ui.MediaTypeCBox->setMaxVisibleItems(10);
  ui.MediaTypeCBox->setCurrentIndex(kDefaultMediaType);
  ui.WidthEdit = MakeSpin(frame, "WidthEdit", kMinFrameSize, kMaxFrameSize, 720);
  ui.HeightEdit = MakeSpin(frame, "HeightEdit", kMinFrameSize, kMaxFrameSize, 480);
  ui.RepeatValueEdit = MakeEdit(frame, "RepeatValueEdit", QStringLiteral("1"));
  ui.RepeatSecondsEdit = MakeEdit(frame, "RepeatSecondsEdit", QStringLiteral("0.0333667000333667"));
  ui.RepeatSecondsEdit->setCursorPosition(0);
  for (QWidget* edit : std::initializer_list<QWidget*>{ui.FramesPerSecondEdit, ui.RepeatValueEdit})
    edit->setMaximumWidth(64);
  for (QWidget* edit : std::initializer_list<QWidget*>{ui.WidthEdit, ui.HeightEdit}) edit->setMaximumWidth(90);

  auto* layout = new QGridLayout(frame);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setVerticalSpacing(4);
  layout->setHorizontalSpacing(4);
  layout->addWidget(MakeLabel(frame, "&Frames Per Second:", ui.FramesPerSecondEdit), 0, 0, Qt::AlignRight);
  layout->addWidget(ui.FramesPerSecondEdit, 0, 1);
  layout->addWidget(ui.MediaTypeCBox, 0, 3, 1, 3);
  layout->addWidget(MakeLabel(frame, "&Width:", ui.WidthEdit), 1, 0, Qt::AlignRight);
  layout->addWidget(ui.WidthEdit, 1, 1);
  layout->addWidget(MakeLabel(frame, "&Height:", ui.HeightEdit), 1, 3, Qt::AlignRight);
  layout->addWidget(ui.HeightEdit, 1, 4);
  layout->addWidget(MakeLabel(frame, "Repeat each fra&me", ui.RepeatValueEdit), 2, 0, Qt::AlignRight);
  layout->addWidget(ui.RepeatValueEdit, 2, 1);
  layout->addWidget(MakeLabel(frame, "time(s)."), 2, 2);
  layout->addWidget(MakeLabel(frame, "Repea&t each frame", ui.RepeatSecondsEdit), 2, 3, Qt::AlignRight);
  layout->addWidget(ui.RepeatSecondsEdit, 2, 4);
  layout->addWidget(MakeLabel(frame, "second(s)."), 2, 5);
  layout->setColumnStretch(4, 1);
}

void BuildBottom(QWidget& client, MainControls& ui) {
  ui.CompileBtn = MakeButton(&client, "CompileBtn", "&Compile Images   ");
  ui.CompileBtn->setGeometry(8, 450, 176, 38);
  ui.CompileBtn->setEnabled(false);
  ui.CompileBtn->setDefault(true);
  QFont bold = ui.CompileBtn->font();
  bold.setBold(true);
  ui.CompileBtn->setFont(bold);
  ui.StopBtn = MakeButton(&client, "StopBtn", "Stop   ");
  ui.StopBtn->setGeometry(ui.CompileBtn->geometry());
  ui.StopBtn->setFont(bold);
  ui.StopBtn->hide();
  ui.OpenFileChkBox = MakeCheck(&client, "OpenFileChkBox", " Open file when finished.");
  ui.OpenFileChkBox->setGeometry(196, 448, 220, 20);
  ui.ShowTransitionsChkBox = MakeCheck(&client, "ShowTransitionsChkBox", " Show transitions in the video:");
  ui.ShowTransitionsChkBox->setGeometry(196, 470, 212, 20);
  ui.ShowTransitionsChkBox->setToolTip(
      QStringLiteral("Each row's transition plays over the end of the picture before it; the video keeps its length."));
  ui.TransitionTimeEdit = Named(new QDoubleSpinBox(&client), "TransitionTimeEdit");
  ui.TransitionTimeEdit->setRange(0.05, kMaxTransitionSeconds);
  ui.TransitionTimeEdit->setDecimals(2);
  ui.TransitionTimeEdit->setSingleStep(0.25);
  ui.TransitionTimeEdit->setValue(kDefaultTransitionSeconds);
  ui.TransitionTimeEdit->setEnabled(false);
  ui.TransitionTimeEdit->setGeometry(410, 468, 62, 24);
  auto* seconds = MakeLabel(&client, "second(s)", ui.TransitionTimeEdit);
  seconds->setGeometry(477, 470, 68, 20);

  ui.Image1 = Named(new ClickableLabel(&client), "Image1");
  ui.Image1->setGeometry(550, 372, 160, 120);
  ui.Image1->setAlignment(Qt::AlignCenter);
  ui.Image1->setFrameShape(QFrame::Box);
  ui.Image1->setToolTip(QStringLiteral("Click here to view larger image."));
  ui.Image1->setCursor(Qt::PointingHandCursor);
}

}  // namespace

MainControls BuildMainControls(QWidget& client, ImageList& list) {
  MainControls ui;
  BuildList(client, list, ui);
  BuildListCommands(client, ui);
  BuildFitting(client, ui);
  BuildSoundAndOutput(client, ui);
  BuildTiming(client, ui);
  BuildBottom(client, ui);
  return ui;
}

}  // namespace sf::app
