#include "gif/gif_extensions.h"

#include "gif/gif_sub_image.h"

namespace sf {

void TGIFGraphicControlExtension::SetTransparent(bool transparent) {
  m_packed = static_cast<std::uint8_t>(transparent ? (m_packed | 0x01) : (m_packed & ~0x01));
}

void TGIFGraphicControlExtension::SetUserInput(bool user_input) {
  m_packed = static_cast<std::uint8_t>(user_input ? (m_packed | 0x02) : (m_packed & ~0x02));
}

void TGIFGraphicControlExtension::SetDisposal(TDisposalMethod disposal) {
  const int value = static_cast<int>(disposal) & 0x07;
  m_packed = static_cast<std::uint8_t>((m_packed & ~0x1C) | (value << 2));
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(std::uint8_t index) {
  const TGIFColorMap& table = m_frame->ActiveColorMap();
  m_transparent_index = (!table.Empty() && index >= table.Count()) ? 0 : index;
}

ColorRef TGIFGraphicControlExtension::GetTransparentColor() const {
  return ToColorRef(m_frame->ActiveColorMap().ColorOrBlack(m_transparent_index));
}

void TGIFGraphicControlExtension::SetFromFile(std::uint8_t packed, std::uint16_t delay, std::uint8_t index) {
  m_packed = packed;
  m_delay = delay;
  m_transparent_index = index;
}

}  // namespace sf
