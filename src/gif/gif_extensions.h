// The extension blocks a GIF frame carries before its image: graphic control
// (timing, transparency, disposal), the looping application extension, other
// application extensions kept as read, comments and plain text.
//   auto gce = frame.CreateGraphicControlExtension();
//   gce->SetDelay(4);  frame.AppendExtension(gce);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gif/gif_types.h"
#include "image/color.h"

namespace sf {

class TGIFSubImage;

class TGIFExtension {
 public:
  virtual ~TGIFExtension() = default;
  // The label written after the introducer 0x21.
  virtual std::uint8_t Label() const = 0;
};

class TGIFGraphicControlExtension final : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xF9;

  // All fields 0. frame is the frame it was made for, which
  // limits the transparent index to its colour table; it must outlive this.
  explicit TGIFGraphicControlExtension(const TGIFSubImage& frame) : m_frame(&frame) {}
  std::uint8_t Label() const override { return kLabel; }

  std::uint16_t GetDelay() const { return m_delay; }  // hundredths of a second
  void SetDelay(std::uint16_t delay) { m_delay = delay; }
  bool GetTransparent() const { return (m_packed & 0x01) != 0; }
  void SetTransparent(bool transparent);
  bool GetUserInput() const { return (m_packed & 0x02) != 0; }
  void SetUserInput(bool user_input);
  TDisposalMethod GetDisposal() const { return static_cast<TDisposalMethod>((m_packed >> 2) & 0x07); }
  void SetDisposal(TDisposalMethod disposal);
  std::uint8_t GetTransparentColorIndex() const { return m_transparent_index; }
  // An index at or beyond a non-empty active colour table of the frame becomes 0.
  void SetTransparentColorIndex(std::uint8_t index);
  // The active colour table's entry at the transparent index, as 0x00BBGGRR.
  ColorRef GetTransparentColor() const;

  // The packed byte as it stands in a file: disposal x 4 + user input x 2 + transparent.
  std::uint8_t Packed() const { return m_packed; }
  void SetFromFile(std::uint8_t packed, std::uint16_t delay, std::uint8_t index);

 private:
  const TGIFSubImage* m_frame;
  std::uint8_t m_packed = 0;
  std::uint16_t m_delay = 0;
  std::uint8_t m_transparent_index = 0;
};

// "NETSCAPE2.0": how many times an animation plays (0 = endlessly).
class TGIFAppExtNSLoop final : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFF;
  static constexpr char kIdentifier[] = "NETSCAPE";
  static constexpr char kAuthentication[] = "2.0";

  std::uint8_t Label() const override { return kLabel; }
  std::uint16_t Loops() const { return m_loops; }
  void SetLoops(std::uint16_t loops) { m_loops = loops; }
  // 0 means the buffer size sub-block is not written.
  std::uint32_t BufferSize() const { return m_buffer_size; }
  void SetBufferSize(std::uint32_t size) { m_buffer_size = size; }

 private:
  std::uint16_t m_loops = 0;
  std::uint32_t m_buffer_size = 0;
};

// Any other application extension: the identifier block and data sub-blocks
// are written back exactly as read.
class TGIFUnknownAppExtension final : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFF;

  TGIFUnknownAppExtension(std::vector<std::uint8_t> identifier_block, std::vector<std::vector<std::uint8_t>> blocks)
      : m_identifier_block(std::move(identifier_block)), m_blocks(std::move(blocks)) {}
  std::uint8_t Label() const override { return kLabel; }
  const std::vector<std::uint8_t>& IdentifierBlock() const { return m_identifier_block; }
  const std::vector<std::vector<std::uint8_t>>& Blocks() const { return m_blocks; }

 private:
  std::vector<std::uint8_t> m_identifier_block;
  std::vector<std::vector<std::uint8_t>> m_blocks;
};

class TGIFCommentExtension final : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFE;

  explicit TGIFCommentExtension(std::string text) : m_text(std::move(text)) {}
  std::uint8_t Label() const override { return kLabel; }
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

// Plain text: the grid and colour header block as read, then the text.
class TGIFTextExtension final : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0x01;

  TGIFTextExtension(std::vector<std::uint8_t> header, std::string text)
      : m_header(std::move(header)), m_text(std::move(text)) {}
  std::uint8_t Label() const override { return kLabel; }
  const std::vector<std::uint8_t>& Header() const { return m_header; }
  const std::string& Text() const { return m_text; }

 private:
  std::vector<std::uint8_t> m_header;
  std::string m_text;
};

}  // namespace sf
