#include "app/effects_form.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>
#include <exception>

#include "app/bitmap_image.h"
#include "app/clickable_label.h"
#include "app/effect_slider.h"
#include "app/form_caption.h"
#include "app/number_key_filter.h"
#include "app/view_image_form.h"
#include "app/window_placement.h"
#include "common/reporter.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_editing.h"
#include "effects/effect_list_text.h"
#include "effects/noise_random.h"
#include "image/fitting.h"

namespace sf::app {

namespace {

constexpr char kIdleCaption[] = "(Click 'Preview' to view effect)";
constexpr char kProcessing[] = "\t Processing...";

std::string Std(const QString& text) { return text.toStdString(); }

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const QRect& place) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  return button;
}

QListWidget* MakeList(QWidget* parent, const char* name, const QRect& place) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setGeometry(place);
  return list;
}

// A check box with its caption as a separate label that toggles it.
QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* label_name, const char* caption, int x, int y,
                     bool checked) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(x, y, 18, 18);
  box->setChecked(checked);
  auto* label = new ClickableLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(QString::fromLatin1(label_name));
  label->setGeometry(x + 20, y, 180, 18);
  QObject::connect(label, &ClickableLabel::clicked, box, &QCheckBox::toggle);
  return box;
}

// The picture fitted into the 320 x 240 box over the texture, as the display
// shows it; the reporter hears a failure and the result is then empty.
Bitmap FitForDisplay(const Bitmap& picture, const Bitmap& background, Reporter& reporter) {
  if (picture.Empty()) return {};
  Bitmap fitted = picture;
  if (GetAspectedImage(fitted, background, ResizeMethod::kStandard, true, true, PixelFormat::kBits24, 0, 0,
                       TEffectsForm::kPictureHeight, TEffectsForm::kPictureWidth, reporter) != 0) {
    return {};
  }
  return fitted;
}

}  // namespace

TEffectsForm::TEffectsForm(Reporter& reporter, TViewImageForm& viewer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_reporter(reporter),
      m_viewer(viewer),
      m_runner([this](PreviewResult result) {
        // Back on the interface thread, where the window and the generator's
        // shared state belong.
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)]() mutable { FinishPreview(std::move(result)); }, Qt::QueuedConnection);
      }) {
  setObjectName(QStringLiteral("TEffectsForm"));
  setWindowTitle(QStringLiteral("Add Effects"));
  setFixedSize(kClientWidth, kClientHeight);
  BuildControls();
  ConnectControls();
  RefreshButtons();
  CentreOnScreen(*this);
}

TEffectsForm::~TEffectsForm() = default;

void TEffectsForm::BuildControls() {
  FormCaption(QStringLiteral("Original:"), this, 8, 6);
  FormCaption(QStringLiteral("Preview:"), this, 345, 6);
  m_original_image = new QLabel(this);
  m_original_image->setObjectName(QStringLiteral("OriginalImage"));
  m_original_image->setGeometry(8, 24, kPictureWidth, kPictureHeight);
  m_original_image->setScaledContents(true);
  m_original_image->setFrameShape(QFrame::Box);

  m_image_lbl = new QLabel(QString::fromLatin1(kIdleCaption), this);
  m_image_lbl->setObjectName(QStringLiteral("ImageLbl"));
  m_image_lbl->setGeometry(345, 24, kPictureWidth, kPictureHeight);
  m_image_lbl->setAlignment(Qt::AlignCenter);
  m_image_lbl->setFrameShape(QFrame::Box);
  m_image_lbl->setAutoFillBackground(true);
  m_effect_image = new ClickableLabel(this);
  m_effect_image->setObjectName(QStringLiteral("EffectImage"));
  m_effect_image->setGeometry(345, 24, kPictureWidth, kPictureHeight);
  m_effect_image->setScaledContents(true);
  m_effect_image->setCursor(Qt::PointingHandCursor);
  m_effect_image->setToolTip(QStringLiteral("Click here to view larger image."));
  m_effect_image->hide();

  QLabel* effects_caption = FormCaption(QStringLiteral("E&ffects list:"), this, 8, 274);
  m_effects_list = MakeList(this, "EffectsListBox", QRect(8, 292, 150, 190));
  effects_caption->setBuddy(m_effects_list);
  for (const std::string& name : SortedEffectNames()) m_effects_list->addItem(QString::fromStdString(name));
  m_effects_list->setCurrentRow(0);

  QLabel* value_caption = FormCaption(QStringLiteral("Enter a &value:"), this, 172, 274);
  m_value_edit = new QSpinBox(this);
  value_caption->setBuddy(m_value_edit);
  m_value_edit->setObjectName(QStringLiteral("ValueEdit"));
  m_value_edit->setGeometry(172, 292, 80, 24);
  m_value_edit->setRange(1, 7000);
  m_value_edit->setValue(1);
  QPalette red = m_value_edit->palette();
  red.setColor(QPalette::Text, Qt::red);
  m_value_edit->setPalette(red);
  m_range_lbl = new QLabel(QStringLiteral("(1 - 100)"), this);
  m_range_lbl->setObjectName(QStringLiteral("RangeLbl"));
  m_range_lbl->setGeometry(258, 295, 130, 18);
  m_slider = new EffectSlider(this);
  m_slider->setObjectName(QStringLiteral("SliderImage"));
  m_slider->move(172, 326);

  m_preview_btn = MakeButton(this, "PreviewBtn", "&Preview Effect", QRect(172, 362, 150, 26));
  m_auto_prev = MakeCheck(this, "AutoPrevChkBox", "AutoPrevLbl", "Auto Preview Effect", 172, 396, true);
  m_include_applied = MakeCheck(this, "IncludeAppliedChkBox", "Label6", "Include Applied Effects", 172, 418, false);
  m_preview_all_btn = MakeButton(this, "PreviewAllBtn", "Preview App&lied Effects", QRect(172, 446, 150, 26));

  m_add_btn = MakeButton(this, "AddEffectBtn", "&Add Effect    --->", QRect(410, 300, 112, 26));
  m_remove_btn = MakeButton(this, "RemoveEffectBtn", "&Remove Effect", QRect(410, 334, 112, 26));
  m_move_up_btn = MakeButton(this, "MoveUpBtn", "Move &Up     ", QRect(410, 384, 112, 26));
  m_move_down_btn = MakeButton(this, "MoveDownBtn", "Move &Down", QRect(410, 418, 112, 26));

  QLabel* applied_caption = FormCaption(QStringLiteral("Applied Eff&ects List:"), this, 530, 274);
  m_applied_list = MakeList(this, "AppliedEffectsListBox", QRect(530, 292, 135, 190));
  applied_caption->setBuddy(m_applied_list);

  m_ok_btn = MakeButton(this, "OKBtn", "&OK", QRect(500, 490, 78, 26));
  m_close_btn = MakeButton(this, "CloseBtn", "&Cancel", QRect(587, 490, 78, 26));
  m_ok_btn->setDefault(false);
  m_ok_btn->setAutoDefault(false);
  m_close_btn->setAutoDefault(false);
}

void TEffectsForm::ConnectControls() {
  connect(m_effects_list, &QListWidget::currentRowChanged, this, &TEffectsForm::EffectsListBoxClick);
  connect(m_value_edit, &QSpinBox::valueChanged, this, &TEffectsForm::ValueEditChange);
  NumberKeyFilter::Install(m_value_edit);
  // Installed after the number filter, so it sees Enter first, on the box
  // and on its editor alike.
  m_value_edit->installEventFilter(this);
  m_value_edit->findChild<QLineEdit*>()->installEventFilter(this);
  m_effects_list->installEventFilter(this);
  connect(m_slider, &EffectSlider::ValueDragged, this, &TEffectsForm::SliderDragged);
  connect(m_slider, &EffectSlider::Released, this, &TEffectsForm::SliderImageMouseUp);
  connect(m_slider, &EffectSlider::TrackPressed, this, &TEffectsForm::SliderTrackPressed);
  connect(m_preview_btn, &QPushButton::clicked, this, &TEffectsForm::PreviewBtnClick);
  connect(m_auto_prev, &QCheckBox::toggled, this, [this](bool checked) {
    if (checked) PreviewBtnClick();
  });
  connect(m_include_applied, &QCheckBox::toggled, this, &TEffectsForm::PreviewBtnClick);
  connect(m_preview_all_btn, &QPushButton::clicked, this, &TEffectsForm::PreviewAllBtnClick);
  connect(m_add_btn, &QPushButton::clicked, this, &TEffectsForm::AddEffectBtnClick);
  connect(m_remove_btn, &QPushButton::clicked, this, &TEffectsForm::RemoveEffectBtnClick);
  connect(m_move_up_btn, &QPushButton::clicked, this, &TEffectsForm::MoveUpBtnClick);
  connect(m_move_down_btn, &QPushButton::clicked, this, &TEffectsForm::MoveDownBtnClick);
  connect(m_effect_image, &ClickableLabel::clicked, this, &TEffectsForm::EffectImageClick);
  connect(m_ok_btn, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_close_btn, &QPushButton::clicked, this, &QDialog::reject);
}

// --- what the opener sets ------------------------------------------------------------

void TEffectsForm::HideEffectImage() { m_effect_image->hide(); }

void TEffectsForm::SetSourceImage(Bitmap picture) { m_source = std::move(picture); }

void TEffectsForm::SetBackImage(const QImage& texture) {
  m_back_image = texture;
  m_back_bitmap = ToBitmap(texture);
  update();
}

void TEffectsForm::SetAppliedEntries(const std::vector<std::string>& entries) {
  m_applied_list->clear();
  for (const std::string& entry : entries) m_applied_list->addItem(QString::fromStdString(entry));
  RefreshButtons();
}

std::vector<std::string> TEffectsForm::AppliedEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < m_applied_list->count(); ++i) entries.push_back(Std(m_applied_list->item(i)->text()));
  return entries;
}

// --- showing and painting ----------------------------------------------------------------

void TEffectsForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_original_fitted = FitForDisplay(m_source, m_back_bitmap, m_reporter);
  m_original_image->setPixmap(QPixmap::fromImage(ToQImage(m_original_fitted)));
  RefreshButtons();
  // These ranges depend on the picture.
  const QString effect = SelectedEffect();
  if (effect == QLatin1String("Emboss") || effect == QLatin1String("Emboss Noise") ||
      effect == QLatin1String("Blur Split")) {
    EffectsListBoxClick();
  }
}

void TEffectsForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!m_back_image.isNull()) painter.drawImage(QRect(0, 0, width() + 200, height() + 200), m_back_image);
}

void TEffectsForm::done(int result) {
  // A preview still running would show after the window closed, and move the
  // noise generator under whatever runs next.
  m_runner.Cancel();
  if (m_busy) {
    EndBusy();
    m_image_lbl->setText(m_remembered_caption);
  }
  QDialog::done(result);
}

void TEffectsForm::RefreshButtons() {
  const AppliedListButtons buttons = ButtonsForAppliedCount(m_applied_list->count());
  m_preview_all_btn->setEnabled(buttons.preview_all && !(m_busy && m_running_kind == PreviewKind::kApplied));
  m_remove_btn->setEnabled(buttons.remove);
  m_move_up_btn->setEnabled(buttons.move_up);
  m_move_down_btn->setEnabled(buttons.move_down);
  if (m_applied_list->count() > 0 && m_applied_list->currentRow() < 0) m_applied_list->setCurrentRow(0);
}

QString TEffectsForm::SelectedEffect() const {
  const QListWidgetItem* item = m_effects_list->currentItem();
  return item ? item->text() : QString();
}

// --- choosing an effect and its value ----------------------------------------------------

void TEffectsForm::EffectsListBoxClick() {
  HideEffectImage();
  const std::string name = Std(SelectedEffect());
  EffectRange range;
  if (GetEffectSpecifications(m_original_fitted, name, range)) {
    m_reporter.Error("Error getting effect specifications for \"" + name + "\". Effect not found.\n - EffectsLisBoxClick()");
    return;
  }
  m_current_maximum = range.maximum;
  m_slider->SetMaximum(range.maximum);
  const int default_value = static_cast<int>(std::trunc(range.default_value));
  {
    const QSignalBlocker quiet(m_value_edit);
    m_value_edit->setRange(static_cast<int>(std::trunc(range.minimum)), static_cast<int>(std::trunc(range.maximum)));
  }
  const int old_value = m_value_edit->value();
  m_range_lbl->setText(QString::fromStdString(RangeCaption(range)));
  m_value_edit->setValue(default_value);
  m_slider->ShowValue(m_value_edit->value());
  m_slider->setEnabled(m_value_edit->isEnabled());
  // The same value raises no change, yet a preview must still follow.
  if (old_value == default_value) ValueEditChange();
}

void TEffectsForm::ValueEditChange() {
  {
    const QSignalBlocker quiet(m_value_edit);
    m_value_edit->setMaximum(static_cast<int>(std::trunc(m_current_maximum)));
  }
  if (m_value_edit->text().trimmed().isEmpty() || m_slider->Dragging()) return;
  if (m_value_edit->minimum() == 1 && m_value_edit->maximum() == 1) m_value_edit->setValue(1);
  m_slider->ShowValue(m_value_edit->value());
  if (m_auto_prev->isChecked()) {
    PreviewBtnClick();
  } else {
    m_effect_image->setPixmap(QPixmap());
  }
}

void TEffectsForm::SliderDragged(int value) {
  if (m_value_edit->minimum() == 1 && m_value_edit->maximum() == 1) value = 1;
  m_value_edit->setValue(value);
}

void TEffectsForm::SliderImageMouseUp() {
  if (m_auto_prev->isChecked()) {
    PreviewBtnClick();
  } else {
    m_effect_image->setPixmap(QPixmap());
  }
}

void TEffectsForm::SliderTrackPressed(int value) { m_value_edit->setValue(value); }

void TEffectsForm::StepValue(int step) { m_value_edit->setValue(m_value_edit->value() + step); }

void TEffectsForm::ValueEditEnter() {
  if (!m_auto_prev->isChecked()) PreviewBtnClick();
}

bool TEffectsForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == m_effects_list) {
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    if (keypad && key->key() == Qt::Key_Plus) StepValue(1);
    if (keypad && key->key() == Qt::Key_Minus) StepValue(-1);
    if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Left) {
      StepValue(key->key() == Qt::Key_Right ? 1 : -1);
      return true;
    }
    return false;
  }
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    ValueEditEnter();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// --- previews ----------------------------------------------------------------------------

// The applied list as steps, or nullopt after reporting an entry that cannot be read.
std::optional<std::vector<EffectStep>> TEffectsForm::AppliedSteps() {
  std::vector<EffectStep> steps;
  try {
    for (const std::string& entry : AppliedEntries()) steps.push_back(ReadEffectEntry(entry));
  } catch (const std::exception& failure) {
    m_reporter.Error(failure.what());
    m_reporter.Error("Error previewing all effects.\n - PreviewAllBtnClick()");
    m_image_lbl->setText(QStringLiteral("Error previewing all effects."));
    return std::nullopt;
  }
  return steps;
}

void TEffectsForm::PreviewBtnClick() {
  if (m_source.Empty()) return;
  std::vector<EffectStep> steps;
  if (m_include_applied->isChecked() && m_applied_list->count() > 0) {
    std::optional<std::vector<EffectStep>> applied = AppliedSteps();
    if (!applied) return;
    steps = std::move(*applied);
  }
  const std::size_t applied_steps = steps.size();
  steps.push_back(EffectStep{Std(SelectedEffect()), static_cast<double>(m_value_edit->value())});
  StartPreview(PreviewKind::kEffect, std::move(steps), applied_steps);
}

void TEffectsForm::PreviewAllBtnClick() {
  if (!m_idle_caption_known) {
    // While a preview runs the label says "Processing...": the caption from
    // before it is the idle one.
    m_idle_caption = m_busy ? m_remembered_caption : m_image_lbl->text();
    m_idle_caption_known = true;
  }
  if (m_source.Empty()) return;
  std::optional<std::vector<EffectStep>> steps = AppliedSteps();
  if (!steps) return;
  const std::size_t applied_steps = steps->size();
  StartPreview(PreviewKind::kApplied, std::move(*steps), applied_steps);
}

void TEffectsForm::StartPreview(PreviewKind kind, std::vector<EffectStep> steps, std::size_t applied_steps) {
  // A request made while one runs replaces it; the caption to restore is the
  // one from before the first.
  if (!m_busy) m_remembered_caption = m_image_lbl->text();
  m_busy = true;
  m_running_kind = kind;
  m_running_applied_steps = applied_steps;
  setCursor(Qt::BusyCursor);
  HideEffectImage();
  m_image_lbl->setText(QString::fromLatin1(kProcessing));
  RefreshButtons();

  PreviewRequest request;
  request.source = m_source;
  request.steps = std::move(steps);
  request.noise_state = NoiseRandomState();
  request.display_background = m_back_bitmap;
  m_runner.Submit(std::move(request));
}

void TEffectsForm::EndBusy() {
  m_busy = false;
  unsetCursor();
  RefreshButtons();
}

void TEffectsForm::FinishPreview(PreviewResult result) {
  if (result.id != m_runner.Latest() || result.status == PreviewStatus::kSuperseded) return;
  SetNoiseRandomState(result.noise_state_after);
  if (result.status != PreviewStatus::kDone) {
    EndBusy();
    ReportPreviewFailure(result);
  } else {
    m_destination = std::move(result.picture);
    m_effect_image->setPixmap(QPixmap::fromImage(ToQImage(result.fitted)));
    m_effect_image->show();
    const bool applied = m_running_kind == PreviewKind::kApplied;
    m_image_lbl->setText(applied ? m_idle_caption : m_remembered_caption);
    EndBusy();
  }
  emit PreviewFinished();
}

void TEffectsForm::ReportPreviewFailure(const PreviewResult& result) {
  // A failure in the applied entries is the applied list's preview failing.
  const bool applied = m_running_kind == PreviewKind::kApplied || result.steps_done < m_running_applied_steps;
  const char* routine = applied ? "PreviewAllBtnClick()" : "PreviewBtnClick()";
  if (result.status == PreviewStatus::kNotFound) {
    m_reporter.Error("Error applying effect \"" + result.missing_name + "\". Effect not found.\n - " + routine);
    m_image_lbl->setText(QStringLiteral("Error applying effect."));
    return;
  }
  m_reporter.Error(result.failure);
  if (applied) {
    m_reporter.Error("Error previewing all effects.\n - PreviewAllBtnClick()");
    m_image_lbl->setText(QStringLiteral("Error previewing all effects."));
  } else {
    m_reporter.Error("Error previewing effect.\n - PreviewBtnClick()");
    m_image_lbl->setText(QStringLiteral("Error previewing effect."));
  }
}

void TEffectsForm::EffectImageClick() {
  if (m_destination.Empty()) return;
  // The editor stays behind the viewer: hiding a dialog that runs its own
  // modal loop would end that loop and close the editor.
  m_viewer.ShowPicture(ToQImage(m_destination), " Effect preview");
  m_viewer.exec();
}

// --- the applied list -------------------------------------------------------------------------

void TEffectsForm::AddEffectBtnClick() {
  AppliedList list{AppliedEntries(), m_applied_list->currentRow()};
  AddAppliedEntry(list, EffectEntryText(Std(SelectedEffect()), Std(m_value_edit->text())));
  m_applied_list->addItem(QString::fromStdString(list.entries.back()));
  m_applied_list->setCurrentRow(list.selected);
  RefreshButtons();
}

void TEffectsForm::RemoveEffectBtnClick() {
  AppliedList list{AppliedEntries(), m_applied_list->currentRow()};
  RemoveAppliedEntry(list);
  SetAppliedEntries(list.entries);
  m_applied_list->setCurrentRow(list.selected);
}

void TEffectsForm::MoveUpBtnClick() {
  AppliedList list{AppliedEntries(), m_applied_list->currentRow()};
  MoveAppliedEntryUp(list);
  SetAppliedEntries(list.entries);
  m_applied_list->setCurrentRow(list.selected);
}

void TEffectsForm::MoveDownBtnClick() {
  AppliedList list{AppliedEntries(), m_applied_list->currentRow()};
  MoveAppliedEntryDown(list);
  SetAppliedEntries(list.entries);
  m_applied_list->setCurrentRow(list.selected);
}

}  // namespace sf::app
