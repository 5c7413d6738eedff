#include "app/bitrate_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <span>

#include "app/clickable_label.h"
#include "app/decorative_pictures.h"
#include "app/number_key_filter.h"
#include "app/window_placement.h"
#include "common/number_format.h"

namespace sf::app {

namespace {

constexpr char kStartNote[] =
    "Note: Some encoders use 1024 bits in a kilobit. File sizes may vary slightly from these calculations.";
constexpr char kTableNote[] = "A higher bitrate should not be used per item.";
constexpr char kGoNote[] = "Calculate!";
constexpr char kFreeSpaceNote[] = "5MB suggested for SVCD and 25MB suggested for DVD.";
constexpr char kBitsPerKiloNote[] = "Most encoders use 1000 bits per kbit.";
constexpr char kNoteProperty[] = "bitrateNote";

constexpr const char* kTypeItems[] = {"DVD", "cDVD", "SVCD", "DivX"};
constexpr const char* kAudioItems[] = {"32", "64", "96", "112", "128", "160", "192", "224", "256", "320", "384", "448"};
constexpr const char* kUnitItems[] = {"GB", "MB", "KB", "Bytes"};
constexpr const char* kBitsPerKiloItems[] = {"1000", "1024"};

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, std::span<const char* const> items, const char* current) {
  auto* box = Named(new QComboBox(parent), name);
  for (const char* item : items) box->addItem(QString::fromLatin1(item));
  box->setCurrentText(QString::fromLatin1(current));
  return box;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, int low) {
  auto* spin = Named(new QSpinBox(parent), name);
  spin->setRange(low, 999);
  spin->setValue(1);
  spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  NumberKeyFilter::Install(spin);
  return spin;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, int width) {
  auto* edit = Named(new QLineEdit(QString::fromLatin1(text), parent), name);
  edit->setFixedWidth(width);
  return edit;
}

// The read-only result fields show their numbers in blue.
QLineEdit* MakeResult(QWidget* parent, const char* name, const char* text, bool blue) {
  QLineEdit* edit = MakeEdit(parent, name, text, 64);
  edit->setReadOnly(true);
  if (blue) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, QColor(0, 0, 255));
    edit->setPalette(palette);
  }
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  if (buddy) label->setBuddy(buddy);
  return label;
}

// A field with its unit after it, as one cell of the input grid.
QHBoxLayout* WithSuffix(QWidget* field, QWidget* suffix) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(field);
  if (suffix) row->addWidget(suffix);
  row->addStretch(1);
  return row;
}

QString Number(std::int64_t value) { return QString::number(static_cast<qlonglong>(value)); }

QString SizeText(const char* what, const SizeReading& size) {
  return QStringLiteral("%1 = %2 KB (%3 MB)").arg(QLatin1String(what), Number(size.kilobytes), Number(size.megabytes));
}

}  // namespace

TBitrateForm::TBitrateForm(Reporter& reporter, QWidget* parent)
    : ToolWindow("TBitrateForm", "Video Bitrate Calculator -  Korvane Software", QSize(kClientWidth, kClientHeight),
                 parent),
      m_reporter(reporter) {
  QFont narrow = font();
  // Narrower letters, so that every caption fits the small window in full.
  narrow.setStretch(QFont::SemiCondensed);
  setFont(narrow);
  BuildControls();
  ConnectHandlers();
  SetUpStatusBar();
  CentreOnScreen(*this);
  GoBtnClick();
}

void TBitrateForm::BuildControls() {
  m_type_box = MakeCombo(this, "TypeBox", kTypeItems, "DVD");
  m_duration_edit = MakeEdit(this, "DurationEdit", "90", 48);
  m_audio_box = MakeCombo(this, "AudioBox", kAudioItems, "224");
  m_audio_box->setEditable(true);
  m_audio_box->setFixedWidth(58);
  m_num_tracks_edit = MakeSpin(this, "NumTracksEdit", 0);
  m_size_edit = MakeEdit(this, "SizeEdit", "4.375", 48);
  m_size_box = MakeCombo(this, "SizeBox", kUnitItems, "GB");
  m_num_disks_edit = MakeSpin(this, "NumDisksEdit", 1);
  m_bits_per_kilo_box = MakeCombo(this, "BitsPerKiloBox", kBitsPerKiloItems, "1000");
  m_free_space_edit = MakeEdit(this, "FreeSpaceEdit", "25", 36);
  m_ignore_max_chk_box = Named(new QCheckBox(this), "IgnoreMaxChkBox");
  m_ignore_max_lbl = Named(new ClickableLabel(QStringLiteral(" Ignore max bitrate limit"), this), "IgnoreMaxLbl");

  auto* inputs = new QGridLayout;
  inputs->setHorizontalSpacing(4);
  inputs->setVerticalSpacing(4);
  const auto add_row = [&](int row, const char* caption, QWidget* buddy, QLayout* cell) {
    if (caption) inputs->addWidget(MakeLabel(this, caption, buddy), row, 0);
    inputs->addLayout(cell, row, 1);
  };
  add_row(0, "Med&ia Type:", m_type_box, WithSuffix(m_type_box, nullptr));
  add_row(1, "&Duration:", m_duration_edit, WithSuffix(m_duration_edit, MakeLabel(this, "minutes.")));
  add_row(2, "&Audio Bitrate:", m_audio_box, WithSuffix(m_audio_box, MakeLabel(this, "kilobits/second.")));
  add_row(3, "&Number of Audio Tracks:", m_num_tracks_edit, WithSuffix(m_num_tracks_edit, nullptr));
  add_row(4, "&Size of Disk:", m_size_edit, WithSuffix(m_size_edit, m_size_box));
  // Alt+N belongs to the audio tracks; the discs take Alt+R.
  add_row(5, "Numbe&r of Disks:", m_num_disks_edit, WithSuffix(m_num_disks_edit, nullptr));
  add_row(6, "Bits per &kilobit:", m_bits_per_kilo_box, WithSuffix(m_bits_per_kilo_box, nullptr));
  // The keep-free row is the widest; it spans both columns of the grid.
  auto* keep_row = WithSuffix(m_free_space_edit, MakeLabel(this, "MB free for ISO files."));
  keep_row->insertWidget(0, MakeLabel(this, "Ke&ep", m_free_space_edit));
  inputs->addLayout(keep_row, 7, 0, 1, 2);
  auto* ignore_row = new QHBoxLayout;
  ignore_row->setSpacing(0);
  ignore_row->addWidget(m_ignore_max_chk_box);
  ignore_row->addWidget(m_ignore_max_lbl);
  ignore_row->addStretch(1);
  inputs->addLayout(ignore_row, 8, 0, 1, 2);

  m_max_table = Named(new QGroupBox(QStringLiteral("Max bitrate table (kbits/second)"), this), "MaxTableBox");
  m_max_table->setToolTip(QStringLiteral("The maximum bitrates are based on a set amount minus the audio."));
  auto* table = new QGridLayout(m_max_table);
  table->setContentsMargins(8, 4, 8, 4);
  table->setVerticalSpacing(1);
  m_dvd_max_lbl = Named(MakeLabel(m_max_table, "9570"), "DVDMaxLbl");
  m_cdvd_max_lbl = Named(MakeLabel(m_max_table, "9570"), "cDVDMaxLbl");
  m_svcd_max_lbl = Named(MakeLabel(m_max_table, "2556"), "SVCDMaxLbl");
  QLabel* rows[][2] = {{MakeLabel(m_max_table, "DVD   ="), m_dvd_max_lbl},
                       {MakeLabel(m_max_table, "cDVD ="), m_cdvd_max_lbl},
                       {MakeLabel(m_max_table, "SVCD ="), m_svcd_max_lbl},
                       {MakeLabel(m_max_table, "DivX   ="), MakeLabel(m_max_table, "?")}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 2; ++column) {
      QLabel* label = rows[row][column];
      label->setProperty(kNoteProperty, QString::fromLatin1(kTableNote));
      label->setMouseTracking(true);
      label->installEventFilter(this);
      table->addWidget(label, row, column);
    }
  }
  table->setColumnStretch(1, 1);
  m_max_table->setFixedWidth(172);

  m_overhead_edit = MakeResult(this, "OverheadEdit", "92", false);
  m_overhead_edit->setFixedWidth(48);
  auto* overhead = new QHBoxLayout;
  overhead->setSpacing(4);
  overhead->addWidget(m_overhead_edit);
  overhead->addWidget(MakeLabel(this, "MB"));
  overhead->addStretch(1);
  m_audio_file_size_lbl = Named(MakeLabel(this, "Audio size = 150 MB"), "AudioFileSizeLbl");
  m_disk_space_lbl = Named(MakeLabel(this, "Video size = 150 MB"), "DiskSpaceLbl");
  m_total_iso_size_lbl = Named(MakeLabel(this, "Total ISO size = 25 MB"), "TotalISOSizeLbl");
  auto* outputs = new QVBoxLayout;
  outputs->setSpacing(4);
  outputs->addWidget(m_max_table);
  outputs->addWidget(MakeLabel(this, "&MPEG/Author Overhead:", m_overhead_edit));
  outputs->addLayout(overhead);
  outputs->addWidget(m_audio_file_size_lbl);
  outputs->addWidget(m_disk_space_lbl);
  outputs->addWidget(m_total_iso_size_lbl);
  outputs->addStretch(1);

  m_bitrate_edit = MakeResult(this, "BitrateEdit", "5000", true);
  m_bitrate_bits_edit = MakeResult(this, "BitrateBitsEdit", "5000000", true);
  m_go_btn = Named(new QPushButton(QStringLiteral("&Calculate!"), this), "GoBtn");
  m_go_btn->setMouseTracking(true);
  m_go_btn->setProperty(kNoteProperty, QString::fromLatin1(kGoNote));
  m_go_btn->installEventFilter(this);
  m_close_btn = Named(new QPushButton(QStringLiteral("C&lose"), this), "CloseBtn");
  auto* results = new QGridLayout;
  results->setHorizontalSpacing(4);
  results->setVerticalSpacing(4);
  results->addWidget(MakeLabel(this, "Bitrate needs to be"), 0, 0);
  results->addWidget(m_bitrate_edit, 0, 1);
  results->addWidget(MakeLabel(this, "kilobits/second."), 0, 2);
  results->addWidget(MakeLabel(this, "Bitrate needs to be"), 1, 0);
  results->addWidget(m_bitrate_bits_edit, 1, 1);
  results->addWidget(MakeLabel(this, "bits/second."), 1, 2);
  results->setColumnStretch(3, 1);
  results->addWidget(m_go_btn, 0, 4);
  results->addWidget(m_close_btn, 1, 4);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(8);
  columns->addLayout(inputs, 1);
  columns->addLayout(outputs);
  auto* layout = new QVBoxLayout(this);
  // The bottom margin leaves room for the status bar drawn below the controls.
  layout->setContentsMargins(8, 6, 8, 6 + 19);
  layout->setSpacing(6);
  layout->addLayout(columns);
  layout->addStretch(1);
  layout->addLayout(results);
}

void TBitrateForm::ConnectHandlers() {
  connect(m_go_btn, &QPushButton::clicked, this, &TBitrateForm::GoBtnClick);
  connect(m_close_btn, &QPushButton::clicked, this, &QWidget::close);
  connect(m_type_box, &QComboBox::currentIndexChanged, this, &TBitrateForm::TypeBoxChange);
  connect(m_audio_box, &QComboBox::currentTextChanged, this, &TBitrateForm::AudioBoxChange);
  connect(m_size_box, &QComboBox::currentIndexChanged, this, &TBitrateForm::AudioBoxChange);
  connect(m_duration_edit, &QLineEdit::textChanged, this, &TBitrateForm::DurationEditChange);
  connect(m_free_space_edit, &QLineEdit::textChanged, this, &TBitrateForm::DurationEditChange);
  connect(m_size_edit, &QLineEdit::textChanged, this, &TBitrateForm::SizeEditChange);
  connect(m_num_tracks_edit, &QSpinBox::valueChanged, this, &TBitrateForm::CountEditChange);
  connect(m_num_disks_edit, &QSpinBox::valueChanged, this, &TBitrateForm::CountEditChange);
  connect(m_bits_per_kilo_box, &QComboBox::currentIndexChanged, this, &TBitrateForm::BitsPerKiloBoxEnter);
  connect(m_ignore_max_chk_box, &QCheckBox::toggled, this, [this] {
    if (!m_filling) GoBtnClick();
  });
  connect(m_ignore_max_lbl, &ClickableLabel::clicked, m_ignore_max_chk_box, &QCheckBox::toggle);

  m_free_space_edit->setProperty(kNoteProperty, QString::fromLatin1(kFreeSpaceNote));
  m_free_space_edit->setMouseTracking(true);
  m_free_space_edit->installEventFilter(this);
  m_bits_per_kilo_box->installEventFilter(this);
}

void TBitrateForm::SetUpStatusBar() {
  m_status_bar.height = 19;
  m_status_bar.borders = {2, 2, 3, 2};
  m_status_bar.edges = {QColor(Qt::white), QColor(0, 0, 128), QColor(0, 128, 255)};
  m_status_bar.panels[0].width = kClientWidth;
  m_status_bar.Layout(1, kClientHeight - m_status_bar.height);
  m_status_bar.panels[0].text = QString::fromLatin1(kStartNote);
}

void TBitrateForm::ShowNote(const QString& text) {
  if (m_status_bar.panels[0].text == text) return;
  m_status_bar.panels[0].text = text;
  update();
}

// --- the calculation -----------------------------------------------------------

std::optional<BitrateInputs> TBitrateForm::ReadInputs() {
  BitrateInputs in;
  try {
    in.type = static_cast<MediaType>(m_type_box->currentIndex());
    in.minutes = ReadBitrateNumber(m_duration_edit->text().toStdString());
    in.audio_kbps = ReadBitrateNumber(m_audio_box->currentText().toStdString());
    in.tracks = m_num_tracks_edit->value();
    in.disc_size = ReadBitrateNumber(m_size_edit->text().toStdString());
    in.unit = static_cast<SizeUnit>(m_size_box->currentIndex());
    in.discs = m_num_disks_edit->value();
    in.bits_per_kilobit = m_bits_per_kilo_box->currentIndex() == 1 ? 1024 : 1000;
    in.free_mb = ReadBitrateNumber(m_free_space_edit->text().toStdString());
    in.ignore_max = m_ignore_max_chk_box->isChecked();
  } catch (const CalculationError& failure) {
    m_reporter.Error(failure.what());
    m_reporter.Error(kBitrateFailed);
    return std::nullopt;
  }
  return in;
}

void TBitrateForm::GoBtnClick() {
  if (m_busy) return;
  m_busy = true;
  if (const std::optional<BitrateInputs> in = ReadInputs()) ShowResult(CalculateBitrate(*in, m_shown, m_reporter));
  m_busy = false;
}

void TBitrateForm::ShowResult(const BitrateResult& result) {
  m_shown = result.shown;
  m_dvd_max_lbl->setText(Number(m_shown.table.dvd));
  m_cdvd_max_lbl->setText(Number(m_shown.table.cdvd));
  m_svcd_max_lbl->setText(Number(m_shown.table.svcd));
  m_overhead_edit->setText(Number(m_shown.overhead_mb));
  if (result.audio_size) m_audio_file_size_lbl->setText(SizeText("Audio size", *result.audio_size));
  if (result.kilobits_per_second) m_bitrate_edit->setText(Number(*result.kilobits_per_second));
  if (result.bits_per_second) m_bitrate_bits_edit->setText(Number(*result.bits_per_second));
  if (result.video_size) m_disk_space_lbl->setText(SizeText("Video size", *result.video_size));
  if (result.total_iso_mb)
    m_total_iso_size_lbl->setText(QStringLiteral("Total ISO size = %1 MB").arg(Number(*result.total_iso_mb)));
}

// --- automatic recalculation ---------------------------------------------------------

void TBitrateForm::TypeBoxChange() {
  const BitrateInputs preset = BitratePreset(static_cast<MediaType>(m_type_box->currentIndex()));
  m_filling = true;
  m_duration_edit->setText(QString::fromStdString(FormatGeneral(preset.minutes)));
  m_audio_box->setCurrentText(QString::fromStdString(FormatGeneral(preset.audio_kbps)));
  m_num_tracks_edit->setValue(preset.tracks);
  m_size_edit->setText(QString::fromStdString(FormatGeneral(preset.disc_size)));
  m_size_box->setCurrentIndex(static_cast<int>(preset.unit));
  m_num_disks_edit->setValue(preset.discs);
  m_bits_per_kilo_box->setCurrentIndex(preset.bits_per_kilobit == 1024 ? 1 : 0);
  m_free_space_edit->setText(QString::fromStdString(FormatGeneral(preset.free_mb)));
  m_filling = false;
  GoBtnClick();
}

void TBitrateForm::AudioBoxChange() {
  const std::optional<double> audio = ParseDouble(m_audio_box->currentText().toStdString());
  if (!m_filling && audio && *audio >= 0) GoBtnClick();
}

void TBitrateForm::DurationEditChange() {
  const std::optional<double> minutes = ParseDouble(m_duration_edit->text().toStdString());
  if (!m_filling && minutes && *minutes > 0) GoBtnClick();
}

void TBitrateForm::SizeEditChange() {
  const std::optional<double> size = ParseDouble(m_size_edit->text().toStdString());
  if (!m_filling && size && *size >= 0 && isVisible()) GoBtnClick();
}

void TBitrateForm::CountEditChange(int value) {
  if (!m_filling && value > 0) GoBtnClick();
}

void TBitrateForm::BitsPerKiloBoxEnter() {
  if (m_filling) return;
  ShowNote(QString::fromLatin1(kBitsPerKiloNote));
  GoBtnClick();
}

// --- painting, notes, closing ----------------------------------------------------------

void TBitrateForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QRect(0, 0, 500, 500), DecorativeBackground());
  m_status_bar.DrawPlainFill(painter);
}

bool TBitrateForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == m_bits_per_kilo_box && (type == QEvent::FocusIn || type == QEvent::MouseButtonPress)) {
    BitsPerKiloBoxEnter();
  } else if (type == QEvent::MouseMove || type == QEvent::Enter ||
             (type == QEvent::FocusIn && watched == m_free_space_edit)) {
    const QString note = watched->property(kNoteProperty).toString();
    if (!note.isEmpty()) ShowNote(note);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace sf::app
