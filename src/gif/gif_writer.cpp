#include "gif/gif_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "common/replacing_file.h"
#include "gif/gif_image.h"
#include "gif/gif_lzw_encoder.h"

namespace sf {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::size_t kMaxSubBlock = 255;

class ByteSink {
 public:
  explicit ByteSink(std::ostream& out) : m_out(out) {}

  void U8(std::uint8_t v) { m_out.put(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void Bytes(std::span<const std::uint8_t> bytes) {
    m_out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void Text(std::string_view text) { m_out.write(text.data(), static_cast<std::streamsize>(text.size())); }

  // Data sub-blocks of at most 255 bytes, each after its length, then the terminator.
  void SubBlocks(std::span<const std::uint8_t> data) {
    for (std::size_t pos = 0; pos < data.size(); pos += kMaxSubBlock) {
      const std::size_t n = std::min(kMaxSubBlock, data.size() - pos);
      U8(static_cast<std::uint8_t>(n));
      Bytes(data.subspan(pos, n));
    }
    U8(0);
  }

 private:
  std::ostream& m_out;
};

// Pixels of frames on the global table must stay within its padded size.
int ColorLimit(const TGIFImage& image, const TGIFSubImage& frame) {
  if (!frame.ColorMap().Empty()) return frame.ColorMap().Count();
  return 1 << image.GlobalColorMap().BitsPerPixel();
}

void CheckWritable(const TGIFImage& image) {
  if (image.Count() == 0) throw GIFException("Unsupported GIF version");
  for (int i = 0; i < image.Count(); ++i) {
    const TGIFSubImage& frame = image.Frame(i);
    const int limit = ColorLimit(image, frame);
    const auto data = frame.Data();
    if (std::any_of(data.begin(), data.end(), [limit](std::uint8_t index) { return index >= limit; })) {
      throw GIFException("Color not in color table");
    }
  }
}

bool NeedsGif89a(const TGIFImage& image) {
  for (int i = 0; i < image.Count(); ++i) {
    const TGIFSubImage& frame = image.Frame(i);
    if (!frame.Extensions().empty() || frame.ColorMap().Sorted()) return true;
  }
  return false;
}

// The entries as red, green, blue, then zero triples up to 2^bits entries.
void WriteColorTable(ByteSink& out, const TGIFColorMap& table) {
  for (const Rgb& c : table.Colors()) {
    out.U8(c.r);
    out.U8(c.g);
    out.U8(c.b);
  }
  for (int i = table.Count(); i < (1 << table.BitsPerPixel()); ++i) {
    for (int k = 0; k < 3; ++k) out.U8(0);
  }
}

// Colour resolution and table size from the largest table; a global table is
// written at its own size, so then the size bits describe it, or readers would
// take local table sizes for its length.
void WriteScreenDescriptor(ByteSink& out, const TGIFImage& image) {
  const TGIFColorMap& global = image.GlobalColorMap();
  const int resolution = std::max(image.BitsPerPixel() - 1, 0);
  const int size_bits = global.Empty() ? resolution : global.BitsPerPixel() - 1;
  std::uint8_t packed = static_cast<std::uint8_t>((resolution << 4) | size_bits);
  if (!global.Empty()) packed |= 0x80;
  if (global.Sorted()) packed |= 0x08;
  out.U16(image.Width());
  out.U16(image.Height());
  out.U8(packed);
  out.U8(image.BackgroundColorIndex());
  out.U8(image.AspectRatio());
}

void WriteGraphicControl(ByteSink& out, const TGIFGraphicControlExtension& gce) {
  out.U8(4);                                         // block size
  out.U8(static_cast<std::uint8_t>(gce.Packed() & 0x1F));  // disposal x 4 + user input x 2 + transparent
  out.U16(gce.GetDelay());
  out.U8(gce.GetTransparentColorIndex());
  out.U8(0);
}

void WriteLoop(ByteSink& out, const TGIFAppExtNSLoop& loop) {
  out.U8(11);
  out.Text(TGIFAppExtNSLoop::kIdentifier);
  out.Text(TGIFAppExtNSLoop::kAuthentication);
  out.U8(3);
  out.U8(1);  // sub-block id: loop count
  out.U16(loop.Loops());
  if (loop.BufferSize() != 0) {
    out.U8(5);
    out.U8(2);  // sub-block id: buffer size
    out.U32(loop.BufferSize());
  }
  out.U8(0);
}

void WriteUnknownApplication(ByteSink& out, const TGIFUnknownAppExtension& extension) {
  out.U8(static_cast<std::uint8_t>(extension.IdentifierBlock().size()));
  out.Bytes(extension.IdentifierBlock());
  for (const auto& block : extension.Blocks()) {
    out.U8(static_cast<std::uint8_t>(block.size()));
    out.Bytes(block);
  }
  out.U8(0);
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void WriteExtension(ByteSink& out, const TGIFExtension& extension) {
  out.U8(kExtensionIntroducer);
  out.U8(extension.Label());
  if (const auto* gce = dynamic_cast<const TGIFGraphicControlExtension*>(&extension)) {
    WriteGraphicControl(out, *gce);
  } else if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension)) {
    WriteLoop(out, *loop);
  } else if (const auto* application = dynamic_cast<const TGIFUnknownAppExtension*>(&extension)) {
    WriteUnknownApplication(out, *application);
  } else if (const auto* comment = dynamic_cast<const TGIFCommentExtension*>(&extension)) {
    out.SubBlocks(AsBytes(comment->Text()));
  } else if (const auto* text = dynamic_cast<const TGIFTextExtension*>(&extension)) {
    out.U8(static_cast<std::uint8_t>(text->Header().size()));
    out.Bytes(text->Header());
    out.SubBlocks(AsBytes(text->Text()));
  }
}

std::uint8_t DescriptorPacked(const TGIFSubImage& frame) {
  const TGIFColorMap& local = frame.ColorMap();
  if (local.Empty()) return static_cast<std::uint8_t>(frame.DescriptorFlags() & ~(0x80 | 0x20 | 0x07));
  return static_cast<std::uint8_t>(0x80 | (local.Sorted() ? 0x20 : 0) | (local.BitsPerPixel() - 1));
}

// The indices in the order the data stores them.
std::vector<std::uint8_t> InterlacedIndices(const TGIFSubImage& frame) {
  std::vector<std::uint8_t> out;
  out.reserve(frame.Data().size());
  for (const int y : GifRowOrder(frame.Height(), true)) {
    const auto row = frame.Data().subspan(static_cast<std::size_t>(y) * frame.Width(), frame.Width());
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The codes of the frame written last, kept for a frame of the same indices:
// an animation repeats each picture for many frames.
struct LastCodes {
  std::span<const std::uint8_t> indices;
  int min_code_size = 0;
  bool interlaced = false;
  std::vector<std::uint8_t> codes;

  bool Fit(std::span<const std::uint8_t> data, int size, bool interlace) const {
    return !codes.empty() && size == min_code_size && interlace == interlaced && data.size() == indices.size() &&
           std::equal(data.begin(), data.end(), indices.begin());
  }
};

void WriteImage(ByteSink& out, const TGIFImage& image, const TGIFSubImage& frame, LastCodes& last) {
  const std::uint8_t packed = DescriptorPacked(frame);
  out.U8(kImageSeparator);
  out.U16(frame.Left());
  out.U16(frame.Top());
  out.U16(frame.Width());
  out.U16(frame.Height());
  out.U8(packed);
  const TGIFColorMap& local = frame.ColorMap();
  if (!local.Empty()) WriteColorTable(out, local);

  const int bits = local.Empty() ? image.BitsPerPixel() : local.BitsPerPixel();
  const int min_code_size = std::max(bits, 2);
  out.U8(static_cast<std::uint8_t>(min_code_size));
  const bool interlaced = (packed & 0x40) != 0;
  if (!last.Fit(frame.Data(), min_code_size, interlaced)) {
    last.codes = interlaced ? EncodeGifLzw(InterlacedIndices(frame), min_code_size, image.Compression())
                            : EncodeGifLzw(frame.Data(), min_code_size, image.Compression());
    last.indices = frame.Data();
    last.min_code_size = min_code_size;
    last.interlaced = interlaced;
  }
  out.SubBlocks(last.codes);
}

}  // namespace

void WriteGif(const TGIFImage& image, std::ostream& stream) {
  CheckWritable(image);
  ByteSink out(stream);
  out.Text("GIF");
  out.Text(NeedsGif89a(image) ? "89a" : "87a");
  WriteScreenDescriptor(out, image);
  if (!image.GlobalColorMap().Empty()) WriteColorTable(out, image.GlobalColorMap());
  LastCodes last;
  for (int i = 0; i < image.Count(); ++i) {
    const TGIFSubImage& frame = image.Frame(i);
    for (const auto& extension : frame.Extensions()) WriteExtension(out, *extension);
    if (!frame.Empty()) WriteImage(out, image, frame, last);
  }
  out.U8(kTrailer);
}

void WriteGifFile(const TGIFImage& image, const std::string& path) {
  CheckWritable(image);
  ReplacingFile output(path);
  {
    std::ofstream out(output.WritingPath(), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create the file '" + path + "'");
    WriteGif(image, out);
    out.flush();
    if (!out) {
      const int error = errno;
      throw std::runtime_error("Cannot write the file '" + path + "'" + (error != 0 ? ": " + std::string(std::strerror(error)) : ""));
    }
  }
  output.PutInPlace();
}

}  // namespace sf
