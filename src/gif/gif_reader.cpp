#include "gif/gif_reader.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "gif/gif_image.h"
#include "gif/gif_lzw_decoder.h"
#include "image/picture_limits.h"

namespace sf {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;

// Frames may demand more pixels than their data can fill (the rest keeps the
// fill value), so the pixels of all frames, and the screen, are held to what
// LZW could decode from a file of this size (4096 indices per byte is above its
// best ratio), with a floor for files cut short.
constexpr std::uint64_t kMinPixelBudget = std::uint64_t{1} << 24;
constexpr std::uint64_t kPixelsPerByte = 4096;

bool SignatureAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (bytes.size() < offset + 3) return false;
  const char* expected = "GIF";
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(bytes[offset + i]) != expected[i]) return false;
  }
  return true;
}

class GifReader {
 public:
  GifReader(std::span<const std::uint8_t> bytes, TGIFImage& image)
      : m_bytes(bytes),
        m_in(bytes),
        m_image(image),
        m_pixel_budget(std::max(kMinPixelBudget, kPixelsPerByte * bytes.size())) {}

  void Read() {
    ReadSignature();
    ReadScreenDescriptor();
    while (!m_in.AtEnd()) {
      const std::uint8_t block = m_in.PeekU8();
      if (block == kTrailer) return;  // nothing after the trailer is read
      if (block == 0) {
        m_in.Skip(1);
        continue;
      }
      if (block != kExtensionIntroducer && block != kImageSeparator) {
        m_image.Warning("Unknown GIF block type");
        m_image.Warning("Invalid Image trailer");
        return;
      }
      ReadFrame();
    }
  }

 private:
  std::span<const std::uint8_t> Need(std::size_t n) {
    if (m_in.Remaining() < n) throw GIFException("Premature end of data");
    return m_in.Take(n);
  }

  void ReadSignature() {
    if (SignatureAt(m_bytes, 0)) {
      m_in.Skip(3);
    } else if (SignatureAt(m_bytes, 4)) {
      m_in.Skip(7);
    } else {
      throw GIFException("Invalid GIF signature");
    }
    Need(3);  // the version is not checked
  }

  void ReadScreenDescriptor() {
    ByteReader fields(Need(7));
    const std::uint16_t width = fields.U16();
    const std::uint16_t height = fields.U16();
    const std::uint8_t packed = fields.U8();
    CheckPictureSize(width, height);
    CheckPixels(std::uint64_t{width} * height);
    m_image.SetScreenSize(width, height);
    m_image.SetBackgroundColorIndex(fields.U8());
    m_image.SetAspectRatio(fields.U8());
    if (packed & 0x80) ReadColorTable(m_image.GlobalColorMap(), packed);
  }

  void ReadColorTable(TGIFColorMap& table, std::uint8_t packed) {
    const std::size_t count = std::size_t{2} << (packed & 0x07);
    const auto bytes = Need(3 * count);
    std::vector<Rgb> colors(count);
    for (std::size_t i = 0; i < count; ++i) colors[i] = Rgb{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    table.Assign(colors);
  }

  static void CheckPictureSize(std::uint16_t width, std::uint16_t height) {
    if (!PictureSizeAllowed(width, height)) throw GIFException(PictureTooLarge("GIF", width, height));
  }

  void CheckPixels(std::uint64_t pixels) const {
    if (pixels > m_pixel_budget) throw GIFException("Image too large for the size of the file");
  }

  // Extensions, then the image they belong to; extensions with no image after
  // them form an empty frame.
  void ReadFrame() {
    TGIFSubImage& frame = m_image.AppendFrame();
    while (!m_in.AtEnd() && m_in.PeekU8() == kExtensionIntroducer) {
      m_in.Skip(1);
      ReadExtension(frame);
    }
    if (m_in.AtEnd()) return;
    const std::uint8_t next = m_in.PeekU8();
    if (next == kImageSeparator) {
      m_in.Skip(1);
      ReadImage(frame);
    } else if (next != kTrailer && next != 0) {
      m_image.Warning("Invalid extension introducer");
    }
  }

  void ReadExtension(TGIFSubImage& frame) {
    const std::uint8_t label = Need(1)[0];
    switch (label) {
      case kGraphicControlLabel: ReadGraphicControl(frame); break;
      case kApplicationLabel: ReadApplication(frame); break;
      case kCommentLabel: frame.AppendExtension(std::make_shared<TGIFCommentExtension>(Join(ReadSubBlocks()))); break;
      case kPlainTextLabel: ReadPlainText(frame); break;
      default: throw GIFException("Unknown extension type");
    }
  }

  // Block size, packed byte, delay, transparent index and terminator, taken as
  // they stand.
  void ReadGraphicControl(TGIFSubImage& frame) {
    std::uint8_t fields[6] = {};
    if (m_in.Remaining() < sizeof fields) m_image.Warning("Premature end of data");
    const auto bytes = m_in.Take(std::min(sizeof fields, m_in.Remaining()));
    std::copy(bytes.begin(), bytes.end(), fields);
    auto extension = frame.CreateGraphicControlExtension();
    extension->SetFromFile(fields[1], static_cast<std::uint16_t>(fields[2] | (fields[3] << 8)), fields[4]);
    frame.AppendExtension(std::move(extension));
  }

  void ReadApplication(TGIFSubImage& frame) {
    const std::uint8_t size = Need(1)[0];
    if (size < 10) throw GIFException("Unsupported Application Extension block size");
    const auto identifier = Need(size);
    const std::string id(identifier.begin(), identifier.begin() + 8);
    const std::string authentication(identifier.begin() + 8, identifier.begin() + std::min<std::size_t>(size, 11));
    if (id == TGIFAppExtNSLoop::kIdentifier && authentication == TGIFAppExtNSLoop::kAuthentication) {
      frame.AppendExtension(ReadLoop());
      return;
    }
    std::vector<std::vector<std::uint8_t>> blocks;
    for (const auto block : ReadSubBlocks()) blocks.emplace_back(block.begin(), block.end());
    frame.AppendExtension(std::make_shared<TGIFUnknownAppExtension>(
        std::vector<std::uint8_t>(identifier.begin(), identifier.end()), std::move(blocks)));
  }

  // Sub-block 1 holds the loop count, 2 the buffer size; others are skipped.
  std::shared_ptr<TGIFAppExtNSLoop> ReadLoop() {
    auto loop = std::make_shared<TGIFAppExtNSLoop>();
    for (const auto block : ReadSubBlocks()) {
      ByteReader fields(block);
      const std::uint8_t id = fields.U8();
      if (id == 1) {
        if (block.size() < 3) throw GIFException("Invalid GIF data");
        loop->SetLoops(fields.U16());
      } else if (id == 2) {
        if (block.size() < 5) throw GIFException("Invalid GIF data");
        loop->SetBufferSize(fields.U32());
      }
    }
    return loop;
  }

  void ReadPlainText(TGIFSubImage& frame) {
    const auto blocks = ReadSubBlocks();
    std::vector<std::uint8_t> header;
    if (!blocks.empty()) header.assign(blocks.front().begin(), blocks.front().end());
    const std::string text = blocks.empty() ? std::string() : Join({blocks.begin() + 1, blocks.end()});
    frame.AppendExtension(std::make_shared<TGIFTextExtension>(std::move(header), text));
  }

  void ReadImage(TGIFSubImage& frame) {
    ByteReader fields(Need(9));
    const std::uint16_t left = fields.U16();
    const std::uint16_t top = fields.U16();
    std::uint16_t width = fields.U16();
    std::uint16_t height = fields.U16();
    const std::uint8_t packed = fields.U8();
    if (width == 0 || height == 0) {
      width = m_image.Width();
      height = m_image.Height();
    }
    if (left + width > m_image.Width() || top + height > m_image.Height()) {
      m_image.Warning("Image exceeds Logical Screen size");
    }
    if (packed & 0x80) ReadColorTable(frame.ColorMap(), packed);
    CheckPictureSize(width, height);
    m_pixels_used += std::uint64_t{width} * height;
    CheckPixels(m_pixels_used);
    const auto* control = frame.GraphicControlExtension();
    frame.Place(left, top, width, height, frame.Transparent() ? control->GetTransparentColorIndex() : 0);
    frame.SetDescriptorFlags(packed);
    ReadImageData(frame);
  }

  void ReadImageData(TGIFSubImage& frame) {
    if (m_in.AtEnd()) {
      m_image.Warning("Premature end of data");
      return;
    }
    const int min_code_size = m_in.U8();
    const std::vector<std::uint8_t> data = JoinBytes(ReadSubBlocks());
    const LzwFrameLayout layout{frame.Width(), frame.Height(), frame.Interlaced(), frame.ActiveColorMap().Count()};
    const LzwDecodeOutcome outcome = DecodeGifLzw(data, min_code_size, layout, frame.MutableData());
    if (outcome.invalid_index) m_image.Warning("Invalid color index");
    if (outcome.underrun) m_image.Warning("Decoder bit buffer under-run");
    if (outcome.bad_code) m_image.Warning("Invalid LZW code");
  }

  // Data sub-blocks up to the zero-length terminator. A sub-block longer than
  // the rest of the stream is shortened to what remains, and the end of the
  // stream ends the list.
  std::vector<std::span<const std::uint8_t>> ReadSubBlocks() {
    std::vector<std::span<const std::uint8_t>> blocks;
    while (true) {
      if (m_in.AtEnd()) {
        m_image.Warning("Premature end of data");
        return blocks;
      }
      const std::size_t size = m_in.U8();
      if (size == 0) return blocks;
      if (size > m_in.Remaining()) m_image.Warning("Premature end of data");
      if (m_in.AtEnd()) return blocks;
      blocks.push_back(m_in.Take(std::min(size, m_in.Remaining())));
    }
  }

  static std::vector<std::uint8_t> JoinBytes(std::span<const std::span<const std::uint8_t>> blocks) {
    std::vector<std::uint8_t> out;
    for (const auto block : blocks) out.insert(out.end(), block.begin(), block.end());
    return out;
  }

  static std::string Join(std::span<const std::span<const std::uint8_t>> blocks) {
    const std::vector<std::uint8_t> bytes = JoinBytes(blocks);
    return std::string(bytes.begin(), bytes.end());
  }

  std::span<const std::uint8_t> m_bytes;
  ByteReader m_in;
  TGIFImage& m_image;
  std::uint64_t m_pixel_budget;
  std::uint64_t m_pixels_used = 0;
};

}  // namespace

void ReadGif(std::span<const std::uint8_t> bytes, TGIFImage& image) { GifReader(bytes, image).Read(); }

}  // namespace sf
