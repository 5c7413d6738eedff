// The "Video Compression" dialog asked on a compile's first AVI frame: full
// frames or Motion JPEG with a quality. Cancel stops the compile.
//   DialogCompressorChooser chooser(main_window);
//   writer->BeginVideo(frame, {}, &chooser);
#pragma once

#include <QDialog>

#include "avi/video_compressor.h"

class QLabel;
class QListWidget;
class QSpinBox;

namespace sf::app {

class TVideoCompressionForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TVideoCompressionForm(QWidget* parent = nullptr);

  void SetCompression(const Compression& compression);
  Compression ChosenCompression() const;

 private:
  void CompressorListChange();

  QListWidget* m_compressor_list;
  QLabel* m_quality_label;
  QSpinBox* m_quality_edit;
};

class DialogCompressorChooser final : public CompressorChooser {
 public:
  explicit DialogCompressorChooser(QWidget* parent) : m_parent(parent) {}
  // Remembers the last choice and offers it again next time.
  std::optional<Compression> Choose(const Compression& current) override;

 private:
  QWidget* m_parent;
  std::optional<Compression> m_last;
};

}  // namespace sf::app
