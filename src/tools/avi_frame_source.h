// The frames of the first video stream of an AVI file, as a FrameSource for
// the extraction routine, drawn through the AVI reader.
//   AviFrameSource source(reader, *reader.GetAviInfo());
//   ExtractFrames(source, request, preview, reporter, progress);
#pragma once

#include "avi/avi_reader.h"
#include "tools/frame_extraction.h"

namespace sf {

class AviFrameSource final : public FrameSource {
 public:
  // info is what GetAviInfo returned for the reader's current file.
  AviFrameSource(AviReader& reader, const AviStreamHeader& info);

  int FrameCount() const override { return m_frames; }
  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  void DrawFrame(int index, Bitmap& target) override;

 private:
  AviReader& m_reader;
  int m_frames;
  int m_width;
  int m_height;
};

}  // namespace sf
