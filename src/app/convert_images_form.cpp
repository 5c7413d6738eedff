#include "app/convert_images_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <array>
#include <thread>

#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/effects_form.h"
#include "app/image_list_grid.h"
#include "app/quality_slider.h"
#include "app/view_image_form.h"
#include "app/window_placement.h"

namespace sf::app {

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 560;

// Width and height of the size items from index 2 on.
constexpr std::array<std::pair<int, int>, 12> kPresetSizes = {{{320, 200},
                                                               {352, 240},
                                                               {480, 480},
                                                               {480, 576},
                                                               {640, 480},
                                                               {720, 480},
                                                               {720, 576},
                                                               {800, 600},
                                                               {1024, 768},
                                                               {1280, 720},
                                                               {1280, 1024},
                                                               {1920, 1080}}};

}  // namespace

TConvertImagesForm::TConvertImagesForm(THintForm& hint_form, Reporter& reporter, Desktop& desktop,
                                       std::string documents_folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_hint_form(hint_form),
      m_reporter(reporter),
      m_desktop(desktop),
      m_documents_folder(std::move(documents_folder)) {
  setObjectName(QStringLiteral("TConvertImagesForm"));
  setWindowTitle(QStringLiteral("Batch Image Converter with Effects"));
  resize(kClientWidth, kClientHeight);
  m_viewer = std::make_unique<TViewImageForm>();
  m_effects_form = std::make_unique<TEffectsForm>(m_reporter, *m_viewer, this);
  BuildControls();
  auto* bar = new QMenuBar(this);
  BuildMenus(bar);
  BuildLayout(bar);
  ConnectControls();
  SetUpStatusBar();

  // The start state follows from the handlers, as when the boxes are chosen.
  FormatCBoxChange();
  IfFileExistsCBoxChange();
  OutputSizeCBoxChange();
  EnableListCommands(false);
  CentreOnScreen(*this);
}

TConvertImagesForm::~TConvertImagesForm() = default;

void TConvertImagesForm::ConnectControls() {
  connect(m_output_size_box, &QComboBox::currentIndexChanged, this, &TConvertImagesForm::OutputSizeCBoxChange);
  connect(m_aspect_box, &QComboBox::currentIndexChanged, this, &TConvertImagesForm::OutputSizeCBoxChange);
  connect(m_width_edit, &QSpinBox::valueChanged, this, &TConvertImagesForm::WidthEditChange);
  connect(m_height_edit, &QSpinBox::valueChanged, this, &TConvertImagesForm::WidthEditChange);
  connect(m_format_box, &QComboBox::currentIndexChanged, this, &TConvertImagesForm::FormatCBoxChange);
  connect(m_if_exists_box, &QComboBox::currentIndexChanged, this, &TConvertImagesForm::IfFileExistsCBoxChange);
  connect(m_pixel_format_box, &QComboBox::currentIndexChanged, this, &TConvertImagesForm::PixelFormCBoxChange);
  connect(m_upright_box, &QCheckBox::toggled, this, [this] {
    if (!m_list.IsEmpty()) ShowPreview();
  });
  // The slider and the quality box show the same value.
  connect(m_jpeg_slider, &QualitySlider::ValueChosen, m_jpeg_quality_edit, &QSpinBox::setValue);
  connect(m_jpeg_quality_edit, &QSpinBox::valueChanged, m_jpeg_slider, &QualitySlider::ShowValue);
  connect(m_add_btn, &QPushButton::clicked, this, &TConvertImagesForm::AddBtnClick);
  connect(m_delete_btn, &QPushButton::clicked, this, &TConvertImagesForm::DeleteBtnClick);
  connect(m_select_all_btn, &QPushButton::clicked, this, &TConvertImagesForm::SelectAllBtnClick);
  connect(m_edit_effects_btn, &QPushButton::clicked, this, &TConvertImagesForm::EditEffectsBtnClick);
  connect(m_clear_effects_btn, &QPushButton::clicked, this, &TConvertImagesForm::ClearEffectsBtnClick);
  connect(m_clear_all_effects_btn, &QPushButton::clicked, this, &TConvertImagesForm::ClearAllEffectsBtnClick);
  connect(m_output_path_btn, &QPushButton::clicked, this, &TConvertImagesForm::OutputPathBtnClick);
  connect(m_convert_btn, &QPushButton::clicked, this, &TConvertImagesForm::ConvertBtnClick);
  connect(m_stop_btn, &QPushButton::clicked, this, &TConvertImagesForm::StopBtnClick);
  connect(m_close_btn, &QPushButton::clicked, this, &TConvertImagesForm::CloseBtnClick);
  connect(m_grid, &ImageListGrid::RowSelected, this, &TConvertImagesForm::StringGridClick);
  connect(m_grid, &ImageListGrid::RowDoubleClicked, this, &TConvertImagesForm::StringGridDblClick);
  // The grid's pop-up: no sorting here.
  m_grid->SortSelectionAction()->setVisible(false);
  connect(m_grid->ViewImageAction(), &QAction::triggered, this, &TConvertImagesForm::ViewImageBtnClick);
  connect(m_grid->ImageInformationAction(), &QAction::triggered, this, &TConvertImagesForm::ImageLocationBtnClick);
  connect(m_grid->SelectAllAction(), &QAction::triggered, this, &TConvertImagesForm::SelectAllBtnClick);
  connect(m_grid, &ImageListGrid::PopupAboutToShow, this, [this] {
    for (QAction* action : {m_grid->ViewImageAction(), m_grid->ImageInformationAction(), m_grid->SelectAllAction()})
      action->setEnabled(m_delete_btn->isEnabled());
  });
  connect(m_view_image_btn, &QPushButton::clicked, this, &TConvertImagesForm::ViewImageBtnClick);
  connect(m_image, &ClickableLabel::clicked, this, &TConvertImagesForm::ViewImageBtnClick);
  connect(m_image_location_btn, &QPushButton::clicked, this, &TConvertImagesForm::ImageLocationBtnClick);
  connect(m_grid, &ImageListGrid::DeletePressed, this, &TConvertImagesForm::DeleteBtnClick);
}

// --- option dependencies -------------------------------------------------------

void TConvertImagesForm::OutputSizeCBoxChange() {
  m_size_guard = true;
  const int index = m_output_size_box->currentIndex();
  for (QWidget* control : std::initializer_list<QWidget*>{m_width_edit, m_height_edit, m_resize_box, m_aspect_box,
                                                          m_resize_after_box, m_resize_after_label})
    control->setEnabled(index != 0);
  if (index >= 2) {
    const auto [width, height] = kPresetSizes[static_cast<std::size_t>(index - 2)];
    m_width_edit->setValue(width);
    m_height_edit->setValue(height);
  }
  m_size_guard = false;
}

void TConvertImagesForm::WidthEditChange() {
  if (!m_size_guard) m_output_size_box->setCurrentIndex(1);
}

void TConvertImagesForm::FormatCBoxChange() {
  const int format = m_format_box->currentIndex();
  const bool quality = format == 0 || format == 2;
  m_jpeg_quality_edit->setEnabled(quality);
  m_jpeg_label->setEnabled(quality);
  m_jpeg_slider->setEnabled(quality);
  m_pixel_format_box->setEnabled(format == 0 || format == 1);
  m_pixel_format_box->setCurrentIndex(format == 2   ? kDepth24Bits
                                      : format == 3 ? kDepth8Bits
                                                    : kDepthSameAsInput);
}

void TConvertImagesForm::IfFileExistsCBoxChange() {
  const int choice = m_if_exists_box->currentIndex();
  m_name_edit->setEnabled(choice <= 1);
  if (choice == 0 && m_name_edit->text() == QStringLiteral("_New")) m_name_edit->setText(QStringLiteral("New_"));
  if (choice == 1 && m_name_edit->text() == QStringLiteral("New_")) m_name_edit->setText(QStringLiteral("_New"));
}

void TConvertImagesForm::PixelFormCBoxChange() {
  if (!m_list.IsEmpty()) ShowPreview();
}

ConversionSettings TConvertImagesForm::ReadSettings() const {
  ConversionSettings settings;
  settings.output_folder = m_output_edit->text().toStdString();
  settings.format_index = m_format_box->currentIndex();
  settings.if_exists = static_cast<IfFileExists>(m_if_exists_box->currentIndex());
  settings.name_text = m_name_edit->text().toStdString();
  PictureRecipe& picture = settings.picture;
  picture.resize = m_output_size_box->currentIndex() > 0;
  picture.width = m_width_edit->value();
  picture.height = m_height_edit->value();
  picture.aspect = m_aspect_box->currentIndex();
  picture.method = m_resize_box->currentIndex() == 1 ? ResizeMethod::kSmooth : ResizeMethod::kStandard;
  picture.effects_before_resize = m_resize_after_box->isChecked();
  picture.depth_index = m_pixel_format_box->currentIndex();
  picture.jpeg_quality = m_jpeg_quality_edit->value();
  picture.upright = m_upright_box->isChecked();
  settings.skip_errors = m_skip_errors_box->isChecked();
  settings.open_folder = m_open_folder_box->isChecked();
  settings.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return settings;
}

// --- status bar and painting -----------------------------------------------------

void TConvertImagesForm::SetUpStatusBar() {
  m_bar.height = kStatusBarHeight;
  m_bar.borders.bottom = 2;
  m_bar.edges = {QColor(Qt::white), QColor(0, 0, 128), QColor(0, 128, 255)};
  m_bar.panels[kProgressPanel].width = 295;
  m_bar.panels[kSelectedImagePanel].width = 135;
  m_bar.Layout(3, height() - kStatusBarHeight);
  m_bar.panels[kProgressPanel].text = QStringLiteral("Ready.");
  m_bar.panels[kSelectedImagePanel].text = QStringLiteral("Selected Image: None.");
  m_bar.panels[kTotalImagesPanel].text = QStringLiteral("Total Images: 0");
  RelayoutStatusBar();
}

void TConvertImagesForm::RelayoutStatusBar() {
  if (m_bar.Count() == 0) return;
  m_bar.panels[kTotalImagesPanel].width = width() - 295 - 135 - m_bar.left;
  m_bar.SetTop(height() - kStatusBarHeight);
  m_bar.Relayout();
  update();
}

void TConvertImagesForm::SetProgress(const QString& text, int percent) {
  StatusBarPanelObject& panel = m_bar.panels[kProgressPanel];
  panel.fill_width = static_cast<int>(percent * 0.01 * panel.inner_width);
  panel.text = text;
  update(0, m_bar.Top(), width(), m_bar.height);
}

void TConvertImagesForm::SetPanelText(Panel panel, const QString& text) {
  m_bar.panels[panel].text = text;
  update(0, m_bar.Top(), width(), m_bar.height);
}

void TConvertImagesForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), DecorativeBackground());
  m_bar.DrawPictureFill(painter, ProgressPicture());
}

void TConvertImagesForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  RelayoutStatusBar();
}

void TConvertImagesForm::closeEvent(QCloseEvent* event) {
  // Only Stop ends a run.
  if (Converting()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
  if (m_close_action) m_close_action();
}

void TConvertImagesForm::CloseBtnClick() { close(); }

}  // namespace sf::app
