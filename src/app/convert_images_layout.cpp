// Building the converter window: its controls with their captions and
// defaults, the menus, and where everything sits.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

#include "app/clickable_label.h"
#include "app/convert_images_form.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/number_key_filter.h"
#include "app/quality_slider.h"

namespace sf::app {

namespace {

constexpr const char* kFormatItems[] = {"Same as Input (or .bmp)", ".bmp", ".jpg", ".gif"};
constexpr const char* kIfExistsItems[] = {"Add Prefix:", "Add Postfix:", "Overwrite", "Skip", "Abort"};
constexpr const char* kSizeItems[] = {"Same as Input",          "Custom",           "320 x 200",
                                      "352 x 240 VCD ntsc/pal", "480 x 480 SVCD NTSC", "480 x 576 SVCD PAL",
                                      "640 x 480",              "720 x 480 DVD SD NTSC", "720 x 576 DVD SD PAL",
                                      "800 x 600",              "1024 x 768",       "1280 x 720 HD Low",
                                      "1280 x 1024",            "1920 x 1080 HD High"};
constexpr const char* kAspectItems[] = {"Do not maintain aspect", "Maintain aspect ",
                                        "Maintain aspect (Fit to width)", "Maintain aspect (Fit to height)"};
constexpr const char* kResizeItems[] = {"Standard (Fast)", "Smooth (Slower)"};
constexpr const char* kPixelFormatItems[] = {"4 bit (16 Colors)", "8 bit (256 Colors)", "24 bit (16,777,216 Colors)",
                                             "Same as Input"};

constexpr char kAspectHelp[] =
    "- If \"Do not maintain aspect\" is chosen, then all of the pictures will be stretched to fit the output "
    "dimensions.\n\n- If \"Maintain aspect\" is chosen, then the size of all of the images willl never exceed the "
    "output dimensions. Either the width or the height will end up smaller in order to maintain aspect.\n\n- If "
    "\"Maintain aspect (Fit to width)\" is chosen, then all of the images will have the same width as the output "
    "width. The height of each image will be aspected.\n\n- If \"Maintain aspect (Fit to height)\" is chosen, then "
    "all of the images will have the same height as the ouput height. The width of each image will be aspected.\n";
constexpr char kFormatHelp[] =
    "- If \"Same as Input (or .bmp)\" is chosen, and the input type is not a supported output type, then the file "
    "will be saved as a BMP.\n";
constexpr char kResizeHelp[] =
    "- Use the 'Standard' resize option when the images are being resized to a larger size.\n\n- Use the 'Smooth' "
    "resize option when the images are being resized to a smaller size. This method is slightly slower.\n\nNOTE: "
    "Both resize options will look close to the same when resizing a picture to a larger size.\n";

template <std::size_t N>
QComboBox* MakeBox(QWidget* parent, const char* name, const char* const (&items)[N]) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QSpinBox* MakeNumberBox(QWidget* parent, const char* name, int low, int high, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(low, high);
  box->setValue(value);
  NumberKeyFilter::Install(box);
  return box;
}

// A check box whose caption is a label beside it; clicking the label toggles it.
ClickableLabel* AddLabelledCheck(QWidget* parent, QCheckBox*& box, const char* box_name, const char* label_name,
                                 const char* caption) {
  box = new QCheckBox(parent);
  box->setObjectName(QString::fromLatin1(box_name));
  auto* label = new ClickableLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(label_name));
  label->setBuddy(box);  // Alt and the underlined letter reach the box
  QObject::connect(label, &ClickableLabel::clicked, box, &QCheckBox::toggle);
  return label;
}

ClickableLabel* MakeHelpLabel(QWidget* parent, const char* name, const char* hint) {
  auto* help = new ClickableLabel(QStringLiteral("?"), parent);
  help->setObjectName(QString::fromLatin1(name));
  help->setToolTip(QString::fromUtf8(hint));
  help->setCursor(Qt::WhatsThisCursor);
  QFont bold = help->font();
  bold.setBold(true);
  help->setFont(bold);
  return help;
}

void SetTextColour(QPushButton* button, const QColor& colour) {
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, colour);
  button->setPalette(palette);
}


}  // namespace

void TConvertImagesForm::BuildControls() {
  m_grid = new ImageListGrid(m_list, this);
  m_grid->setObjectName(QStringLiteral("StringGrid"));
  m_grid->setEnabled(false);
  m_image = new ClickableLabel(this);
  m_image->setObjectName(QStringLiteral("Image1"));
  m_image->setFixedSize(128, 96);
  m_image->setFrameShape(QFrame::Box);
  m_image->setToolTip(QStringLiteral("Click here to view larger image."));
  m_image->setCursor(Qt::PointingHandCursor);
  m_applied_effects = new QListWidget(this);
  m_applied_effects->setObjectName(QStringLiteral("AppliedEffectsListBox"));
  m_applied_effects->addItem(QStringLiteral("Applied Effects:"));

  m_add_btn = MakeButton(this, "AddBtn", "Ad&d Image Files...");
  m_delete_btn = MakeButton(this, "DeleteBtn", "D&elete Selected Image(s)");
  m_select_all_btn = MakeButton(this, "SelectAllBtn", "Se&lect All");
  m_view_image_btn = MakeButton(this, "ViewImageBtn", "&View Selected Image");
  m_image_location_btn = MakeButton(this, "ImageLocationBtn", "&Get Image Location/Info...");
  m_edit_effects_btn = MakeButton(this, "EditEffectsBtn", "Edit Effects...");
  m_clear_effects_btn = MakeButton(this, "ClearEffectsBtn", "&Clear Effects for Selected Row(s)");
  m_clear_all_effects_btn = MakeButton(this, "ClearAllEffectsBtn", "C&lear All Effects");
  m_output_path_btn = MakeButton(this, "OutputPathBtn", "&Output Folder...");
  m_output_edit = new QLineEdit(QString::fromStdString(m_documents_folder + "output/"), this);
  m_output_edit->setObjectName(QStringLiteral("OutputEdit"));
  m_output_edit->setReadOnly(true);

  m_format_box = MakeBox(this, "FormatCBox", kFormatItems);
  m_format_box->setToolTip(QStringLiteral(
      "If 'Same as Input' is selected and input file type is not a supported output, then images will be saved as "
      ".bmp"));
  m_if_exists_box = MakeBox(this, "IfFileExistsCBox", kIfExistsItems);
  m_name_edit = new QLineEdit(QStringLiteral("New_"), this);
  m_name_edit->setObjectName(QStringLiteral("NameExtEdit"));
  m_output_size_box = MakeBox(this, "OutputSizeCBox", kSizeItems);
  m_width_edit = MakeNumberBox(this, "WidthEdit", 1, 9999999, 720);
  m_height_edit = MakeNumberBox(this, "HeightEdit", 1, 9999999, 480);
  m_aspect_box = MakeBox(this, "AspectCBox", kAspectItems);
  m_resize_box = MakeBox(this, "ResizeCBox", kResizeItems);
  m_jpeg_quality_edit = MakeNumberBox(this, "JpegQualityEdit", 1, 100, 100);
  m_jpeg_slider = new QualitySlider(this);
  m_jpeg_slider->setObjectName(QStringLiteral("TrackBarImage"));
  m_pixel_format_box = MakeBox(this, "PixelFormCBox", kPixelFormatItems);
  m_pixel_format_box->setCurrentIndex(kDepthSameAsInput);

  m_convert_btn = MakeButton(this, "ConvertBtn", "&Convert Images   ");
  m_convert_btn->setDefault(true);
  SetTextColour(m_convert_btn, QColor(0, 128, 0));
  m_stop_btn = MakeButton(this, "StopBtn", "Stop   ");
  SetTextColour(m_stop_btn, Qt::red);
  m_stop_btn->hide();
  m_close_btn = MakeButton(this, "CloseBtn", "Clo&se");
}

void TConvertImagesForm::BuildMenus(QMenuBar* bar) {
  const auto item = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys,
                           void (TConvertImagesForm::*handler)()) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  m_file_menu = bar->addMenu(QStringLiteral("&File"));
  item(m_file_menu, "Close1", "Clo&se", {}, &TConvertImagesForm::CloseBtnClick);
  m_list_menu = bar->addMenu(QStringLiteral("Image &List"));
  item(m_list_menu, "AddImageFiles1", "Ad&d Image Files...", QKeySequence(Qt::Key_F5), &TConvertImagesForm::AddBtnClick);
  item(m_list_menu, "DeleteSelectedBtn1", "D&elete Selected Image(s)", QKeySequence(Qt::SHIFT | Qt::Key_Delete),
       &TConvertImagesForm::DeleteBtnClick);
  item(m_list_menu, "SelectAll1", "Se&lect All", QKeySequence(Qt::CTRL | Qt::Key_A),
       &TConvertImagesForm::SelectAllBtnClick);
  item(m_list_menu, "ClearList1", "&Clear List", QKeySequence(Qt::CTRL | Qt::Key_Delete),
       &TConvertImagesForm::ClearList1Click);
  item(m_list_menu, "ValidateListBtn1", "V&alidate List", {}, &TConvertImagesForm::ValidateListBtn1Click);
  item(m_list_menu, "ViewImage1", "&View Selected Image", {}, &TConvertImagesForm::ViewImageBtnClick);
  item(m_list_menu, "GetImageInfo1", "Get Selected Image &Information", QKeySequence(Qt::Key_F8),
       &TConvertImagesForm::ImageLocationBtnClick);
  m_effects_menu = bar->addMenu(QStringLiteral("&Effects"));
  item(m_effects_menu, "AddEffects1", "&Add/Modify Effects...", QKeySequence(Qt::Key_F6),
       &TConvertImagesForm::EditEffectsBtnClick);
  m_effects_menu->addSeparator();
  item(m_effects_menu, "ClearEffects1", "&Clear Effects for Selected Row(s)", {},
       &TConvertImagesForm::ClearEffectsBtnClick);
  item(m_effects_menu, "ClearAllEffects1", "C&lear All Effects", {}, &TConvertImagesForm::ClearAllEffectsBtnClick);
  connect(m_list_menu, &QMenu::aboutToShow, this, &TConvertImagesForm::EnableMenuItems);
  connect(m_effects_menu, &QMenu::aboutToShow, this, &TConvertImagesForm::EnableMenuItems);
}

void TConvertImagesForm::BuildLayout(QMenuBar* bar) {
  const auto label = [this](const char* caption, QWidget* buddy) {
    auto* text = new QLabel(QString::fromUtf8(caption), this);
    text->setBuddy(buddy);
    return text;
  };
  auto* layout = new QGridLayout(this);
  layout->setMenuBar(bar);
  layout->setContentsMargins(8, 4, 8, kStatusBarHeight + 6);
  layout->setVerticalSpacing(3);

  auto* list_buttons = new QVBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{m_add_btn, m_delete_btn, m_select_all_btn,
                                                         m_view_image_btn, m_image_location_btn, m_clear_effects_btn, m_clear_all_effects_btn})
    list_buttons->addWidget(widget);
  list_buttons->addWidget(m_image, 0, Qt::AlignHCenter);
  list_buttons->addWidget(m_edit_effects_btn);
  list_buttons->addWidget(m_applied_effects);
  layout->addWidget(m_grid, 0, 0, 1, 4);
  layout->addLayout(list_buttons, 0, 4);
  layout->setRowStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(3, 1);

  auto* after_label = AddLabelledCheck(this, m_resize_after_box, "ResizeAfterChkBox", "ResizAfterLbl",
                                       "  Apply e&ffects before resize.");
  m_resize_after_label = after_label;
  auto* open_label = AddLabelledCheck(this, m_open_folder_box, "OpenFolderChkBox", "IncludeAudioChkBoxLbl",
                                      "  &Open output folder when finished.");
  auto* skip_label = AddLabelledCheck(this, m_skip_errors_box, "SkipErrorsChkBox", "SkipErrorsLbl",
                                      "  Do not show skipable error messages.");
  m_upright_label = AddLabelledCheck(this, m_upright_box, "AutoOrientCheck", "AutoOrientLbl",
                                     "  &Rotate photos upright (EXIF)");
  m_upright_box->setChecked(true);
  auto* format_help = MakeHelpLabel(this, "FormatHintLbl", "Click here for hints.");
  auto* aspect_help = MakeHelpLabel(this, "AspectHelpLbl", "Click here for aspect help.");
  auto* resize_help = MakeHelpLabel(this, "ResizeHelpLbl", "Click here for resize questions.");
  connect(format_help, &ClickableLabel::clicked, this, [this] { m_hint_form.ShowNote(kFormatHelp); });
  connect(aspect_help, &ClickableLabel::clicked, this, [this] { m_hint_form.ShowNote(kAspectHelp); });
  connect(resize_help, &ClickableLabel::clicked, this, [this] { m_hint_form.ShowNote(kResizeHelp); });

  m_jpeg_label = label("&JPEG quality:", m_jpeg_quality_edit);
  int row = 1;
  layout->addWidget(m_output_path_btn, row, 0);
  layout->addWidget(m_output_edit, row++, 1, 1, 4);
  layout->addWidget(label("Output type:", m_format_box), row, 0);
  layout->addWidget(m_format_box, row, 1);
  layout->addWidget(format_help, row, 2);
  layout->addWidget(label("&If file exists,", m_if_exists_box), row, 3, Qt::AlignRight);
  auto* exists_row = new QHBoxLayout;
  exists_row->addWidget(m_if_exists_box);
  exists_row->addWidget(m_name_edit);
  layout->addLayout(exists_row, row++, 4);
  layout->addWidget(label("Ou&tput size:", m_output_size_box), row, 0);
  layout->addWidget(m_output_size_box, row, 1);
  layout->addWidget(label("Width x height:", m_width_edit), row, 3, Qt::AlignRight);
  auto* size_row = new QHBoxLayout;
  size_row->addWidget(m_width_edit);
  size_row->addWidget(new QLabel(QStringLiteral("x"), this));
  size_row->addWidget(m_height_edit);
  layout->addLayout(size_row, row++, 4);
  layout->addWidget(label("Aspect:", m_aspect_box), row, 0);
  layout->addWidget(m_aspect_box, row, 1);
  layout->addWidget(aspect_help, row, 2);
  layout->addWidget(label("Resi&ze:", m_resize_box), row, 3, Qt::AlignRight);
  auto* resize_row = new QHBoxLayout;
  resize_row->addWidget(m_resize_box, 1);
  resize_row->addWidget(resize_help);
  layout->addLayout(resize_row, row++, 4);
  layout->addWidget(label("Pi&xel format:", m_pixel_format_box), row, 0);
  layout->addWidget(m_pixel_format_box, row, 1);
  layout->addWidget(m_jpeg_label, row, 3, Qt::AlignRight);
  auto* quality_row = new QHBoxLayout;
  quality_row->addWidget(m_jpeg_quality_edit);
  quality_row->addWidget(m_jpeg_slider);
  layout->addLayout(quality_row, row++, 4);

  const auto check_row = [this](QCheckBox* box, QWidget* caption) {
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(box);
    line->addWidget(caption, 1);
    return line;
  };
  layout->addLayout(check_row(m_resize_after_box, after_label), row, 0, 1, 2);
  layout->addLayout(check_row(m_open_folder_box, open_label), row++, 3, 1, 2);
  layout->addLayout(check_row(m_upright_box, m_upright_label), row, 0, 1, 2);
  auto* run_row = new QHBoxLayout;
  run_row->addStretch(1);
  run_row->addWidget(m_convert_btn);
  run_row->addWidget(m_stop_btn);
  run_row->addWidget(m_close_btn);
  layout->addLayout(run_row, row, 3, 2, 2);
  layout->addLayout(check_row(m_skip_errors_box, skip_label), ++row, 0, 1, 2);
  ++row;

  m_option_controls = {m_output_path_btn, m_close_btn,        m_format_box,    m_if_exists_box,
                       m_name_edit,       m_output_size_box,  m_width_edit,    m_height_edit,
                       m_aspect_box,      m_resize_box,       m_resize_after_box, m_resize_after_label,
                       m_jpeg_quality_edit, m_jpeg_label,     m_jpeg_slider,   m_pixel_format_box,
                       m_open_folder_box, m_skip_errors_box,  m_upright_box,  m_upright_label,
                       m_add_btn,       m_clear_all_effects_btn,
                       m_clear_effects_btn, m_edit_effects_btn};
}


}  // namespace sf::app
