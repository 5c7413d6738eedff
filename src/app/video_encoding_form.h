// The "Video Compression" dialog asked on the first frame of an MP4 or WebM
// compile: the quality (lower is better and larger) and the encoder's speed.
// Cancel stops the compile.
//   DialogEncodingChooser chooser(main_window);
//   CompileServices services{..., &chooser};
#pragma once

#include <QDialog>

#include "video/video_encoding.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace sf::app {

class TVideoEncodingForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TVideoEncodingForm(VideoCodec codec, QWidget* parent = nullptr);

  void SetEncoding(const VideoEncoding& encoding);
  VideoEncoding ChosenEncoding() const;

 private:
  QSpinBox* m_quality_edit;
  QComboBox* m_preset_list;
};

class DialogEncodingChooser final : public EncodingChooser {
 public:
  explicit DialogEncodingChooser(QWidget* parent) : m_parent(parent) {}
  std::optional<VideoEncoding> Choose(VideoCodec codec, const VideoEncoding& current) override;

 private:
  QWidget* m_parent;
};

}  // namespace sf::app
