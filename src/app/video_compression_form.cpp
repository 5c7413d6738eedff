#include "app/video_compression_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sf::app {

TVideoCompressionForm::TVideoCompressionForm(QWidget* parent)
    : QDialog(parent),
      m_compressor_list(new QListWidget(this)),
      m_quality_label(new QLabel(QStringLiteral("&Quality (%):"), this)),
      m_quality_edit(new QSpinBox(this)) {
  setWindowTitle(QStringLiteral("Video Compression"));
  setObjectName(QStringLiteral("TVideoCompressionForm"));
  auto* heading = new QLabel(QStringLiteral("&Compressor:"), this);
  heading->setBuddy(m_compressor_list);
  m_compressor_list->setObjectName(QStringLiteral("CompressorList"));
  for (const CompressorInfo& info : Compressors()) m_compressor_list->addItem(QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size())));
  m_compressor_list->setFixedHeight(m_compressor_list->sizeHintForRow(0) * 3 + 6);
  m_quality_edit->setObjectName(QStringLiteral("QualityEdit"));
  m_quality_edit->setRange(1, 100);
  m_quality_label->setBuddy(m_quality_edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_compressor_list, &QListWidget::currentRowChanged, this, &TVideoCompressionForm::CompressorListChange);

  auto* quality_row = new QHBoxLayout;
  quality_row->addWidget(m_quality_label);
  quality_row->addWidget(m_quality_edit);
  quality_row->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(m_compressor_list);
  layout->addLayout(quality_row);
  layout->addWidget(buttons);
  setFixedWidth(300);
  SetCompression({});
}

void TVideoCompressionForm::SetCompression(const Compression& compression) {
  const auto compressors = Compressors();
  for (std::size_t i = 0; i < compressors.size(); ++i)
    if (compressors[i].codec == compression.codec) m_compressor_list->setCurrentRow(static_cast<int>(i));
  m_quality_edit->setValue(compression.quality);
  CompressorListChange();
}

Compression TVideoCompressionForm::ChosenCompression() const {
  const int row = std::max(0, m_compressor_list->currentRow());
  return {Compressors()[static_cast<std::size_t>(row)].codec, m_quality_edit->value()};
}

void TVideoCompressionForm::CompressorListChange() {
  const int row = m_compressor_list->currentRow();
  const bool has_quality = row >= 0 && Compressors()[static_cast<std::size_t>(row)].has_quality;
  m_quality_label->setEnabled(has_quality);
  m_quality_edit->setEnabled(has_quality);
}

std::optional<Compression> DialogCompressorChooser::Choose(const Compression& current) {
  TVideoCompressionForm form(m_parent);
  form.SetCompression(m_last.value_or(current));
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  m_last = form.ChosenCompression();
  return m_last;
}

}  // namespace sf::app
