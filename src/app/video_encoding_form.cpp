#include "app/video_encoding_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sf::app {

TVideoEncodingForm::TVideoEncodingForm(VideoCodec codec, QWidget* parent)
    : QDialog(parent), m_quality_edit(new QSpinBox(this)), m_preset_list(new QComboBox(this)) {
  setWindowTitle(QStringLiteral("Video Compression"));
  setObjectName(QStringLiteral("TVideoEncodingForm"));
  auto* heading = new QLabel(codec == VideoCodec::kH264 ? QStringLiteral("MP4 video: H.264 with AAC sound")
                                                        : QStringLiteral("WebM video: VP9 with Opus sound"),
                             this);
  m_quality_edit->setObjectName(QStringLiteral("QualityEdit"));
  m_quality_edit->setRange(kMinVideoQuality, kMaxVideoQuality);
  m_quality_edit->setToolTip(QStringLiteral("Lower is better and larger; %1 keeps slides visually lossless.")
                                 .arg(kDefaultVideoQuality));
  m_preset_list->setObjectName(QStringLiteral("PresetList"));
  for (const char* preset : VideoPresets()) m_preset_list->addItem(QString::fromLatin1(preset));
  m_preset_list->setToolTip(QStringLiteral("Slower presets make smaller files of the same quality."));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Quality (1 best - 51):"), m_quality_edit);
  form->addRow(QStringLiteral("&Speed:"), m_preset_list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setFixedWidth(300);
  SetEncoding({});
}

void TVideoEncodingForm::SetEncoding(const VideoEncoding& encoding) {
  m_quality_edit->setValue(encoding.quality);
  m_preset_list->setCurrentIndex(encoding.preset);
}

VideoEncoding TVideoEncodingForm::ChosenEncoding() const {
  return {m_quality_edit->value(), std::max(0, m_preset_list->currentIndex())};
}

std::optional<VideoEncoding> DialogEncodingChooser::Choose(VideoCodec codec, const VideoEncoding& current) {
  TVideoEncodingForm form(codec, m_parent);
  form.SetEncoding(current);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.ChosenEncoding();
}

}  // namespace sf::app
