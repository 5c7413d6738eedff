#include "tools/avi_frame_source.h"

#include <algorithm>
#include <limits>

namespace sf {

AviFrameSource::AviFrameSource(AviReader& reader, const AviStreamHeader& info)
    : m_reader(reader),
      m_frames(static_cast<int>(std::min<std::uint32_t>(info.length, std::numeric_limits<int>::max()))),
      m_width(info.frame.right - info.frame.left),
      m_height(info.frame.bottom - info.frame.top) {}

void AviFrameSource::DrawFrame(int index, Bitmap& target) { m_reader.GetFrame(target, m_width, m_height, index); }

}  // namespace sf
