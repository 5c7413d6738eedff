#include "avi/avi_reader.h"

#include <algorithm>
#include <exception>

#include "image/picture_limits.h"
#include "image/resize.h"

namespace sf {

namespace {

void FillRect(Bitmap& target, int width, int height, Rgb color) {
  const int right = std::min(width, target.Width());
  const int bottom = std::min(height, target.Height());
  for (int y = 0; y < bottom; ++y) {
    for (int x = 0; x < right; ++x) target.SetPixelColor(x, y, color);
  }
}

}  // namespace

bool AviReader::InitAvi(const std::string& path) {
  OpenedAvi file;
  try {
    file.bytes = MappedFile::Open(path);
    file.contents = ReadAviFile(file.bytes->Bytes());
  } catch (const std::exception&) {
    m_reporter.Error("Unable to open AVI file:\n\"" + path + "\"\n - InitAvi()");
    return false;
  }
  Close();
  InsertAVIFile(file);
  return true;
}

void AviReader::InsertAVIFile(const OpenedAvi& file) {
  const int before = StreamCount();
  int n = before;
  const auto& streams = file.contents.streams;
  while (n < static_cast<int>(streams.size())) {
    if (n == kMaxAviStreams) {
      m_reporter.Error("Maximum number of streams reached: " + std::to_string(n) + " is the maximum - InsertAVIFile()");
      break;
    }
    if (!streams[n]) {
      m_reporter.Error("Unable to create editable stream at # " + std::to_string(n) + " - InsertAVIFile()");
      break;
    }
    m_table.push_back(Entry{file.bytes, *streams[n], std::nullopt, {}});
    ++n;
  }
  if (n != before || n == kMaxAviStreams) {
    InitStreams();
  } else {
    m_reporter.Error("Unable to load streams from AVI - InsertAVIFile()");
  }
}

void AviReader::InitStreams() {
  m_first_video = -1;
  m_first_audio = -1;
  for (int i = 0; i < StreamCount(); ++i) {
    Entry& entry = m_table[i];
    entry.decoder.reset();
    if (entry.stream.header.type == "vids") {
      entry.decoder = VideoDecoder::Open(entry.stream.format);
      if (entry.decoder && m_first_video < 0) m_first_video = i;
      const auto& chunks = entry.stream.chunks;
      entry.shown_chunk.resize(chunks.size());
      for (std::size_t k = 0; k < chunks.size(); ++k) {
        entry.shown_chunk[k] = chunks[k].size == 0 && k > 0 ? entry.shown_chunk[k - 1] : k;
      }
    } else if (entry.stream.header.type == "auds" && m_first_audio < 0) {
      m_first_audio = i;
    }
  }
  if (m_first_audio >= 0 && m_first_video < 0) m_reporter.Error("No video found in AVI - InitStreams()");
}

// How many more chunks like the stream's own would fill the bytes that the
// first RIFF declares but the file no longer has (a cut download): those
// frames were meant to be there and show as missing.
std::uint64_t AviReader::LostChunks(const Entry& entry) {
  const auto bytes = entry.bytes->Bytes();
  if (bytes.size() < 8) return 0;
  const std::uint64_t declared_end = 8 + (std::uint64_t{bytes[4]} | std::uint64_t{bytes[5]} << 8 |
                                          std::uint64_t{bytes[6]} << 16 | std::uint64_t{bytes[7]} << 24);
  if (declared_end <= bytes.size()) return 0;
  std::uint64_t stored = 0;
  for (const AviChunkRef& chunk : entry.stream.chunks) stored += std::uint64_t{chunk.size} + 8;
  const std::uint64_t count = entry.stream.chunks.size();
  const std::uint64_t per_chunk = count == 0 ? 8 : std::max<std::uint64_t>(8, stored / count);
  return (declared_end - bytes.size()) / per_chunk;
}

std::optional<AviStreamHeader> AviReader::GetAviInfo() {
  if (m_first_video < 0) {
    m_reporter.Error(
        "Unable to find compatible video stream in AVI. This AVI format is unknown. It is possibly compressed "
        "with an unknown codec - GetAviInfo()");
    return std::nullopt;
  }
  const Entry& entry = m_table[m_first_video];
  AviStreamHeader info = entry.stream.header;
  // Some writers (GStreamer) leave the rectangle empty and some the length 0; a
  // damaged rectangle may claim more pixels than any picture may have.
  const std::int64_t width = std::int64_t{info.frame.right} - info.frame.left;
  const std::int64_t height = std::int64_t{info.frame.bottom} - info.frame.top;
  if (width <= 0 || height <= 0 ||
      !PictureSizeAllowed(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
    info.frame = AviRect{0, 0, entry.decoder->Width(), entry.decoder->Height()};
  }
  if (info.length == 0) info.length = static_cast<std::uint32_t>(entry.stream.chunks.size());
  // A damaged count may promise far more frames than the file could ever have
  // held; it is cut to the frames present and those a cut-off file lost.
  const std::uint64_t possible = std::uint64_t{info.start} + entry.stream.chunks.size() + LostChunks(entry);
  if (info.length > possible) info.length = static_cast<std::uint32_t>(possible);
  return info;
}

std::optional<Bitmap> AviReader::DecodeFrame(const Entry& entry, std::int64_t frame) const {
  const std::int64_t index = frame - entry.stream.header.start;
  const auto& chunks = entry.stream.chunks;
  if (frame < entry.stream.header.start || index >= static_cast<std::int64_t>(chunks.size())) return std::nullopt;
  const std::size_t k = entry.shown_chunk[static_cast<std::size_t>(index)];
  const AviChunkRef ref = chunks[k];
  const auto bytes = entry.bytes->Bytes();
  if (ref.size == 0 || ref.offset > bytes.size() || ref.size > bytes.size() - ref.offset) return std::nullopt;

  std::vector<Rgb> palette = entry.decoder->Palette();
  for (const AviPaletteChange& change : entry.stream.palette_changes) {
    if (change.before_chunk > k) break;
    const AviChunkRef data = change.data;
    if (data.offset <= bytes.size() && data.size <= bytes.size() - data.offset) {
      ApplyPaletteChange(palette, bytes.subspan(static_cast<std::size_t>(data.offset), data.size));
    }
  }
  const auto chunk = bytes.subspan(static_cast<std::size_t>(ref.offset), ref.size);
  std::optional<Bitmap> picture = entry.decoder->Decode(chunk, palette);
  // Frames are mostly read once, in order: their pages need not stay resident.
  entry.bytes->Release(chunk);
  return picture;
}

void AviReader::GetFrame(Bitmap& target, int width, int height, std::int64_t frame) {
  if (target.Format() != PixelFormat::kBits24) target.SetPixelFormat(PixelFormat::kBits24);
  for (const Entry& entry : m_table) {
    if (!entry.decoder) continue;
    const std::optional<Bitmap> picture = DecodeFrame(entry, frame);
    if (picture) {
      ResizeStandard(*picture, target, Rect{0, 0, width, height});
    } else {
      FillRect(target, width, height, kMissingFrameColor);
    }
  }
}

void AviReader::Close() {
  m_table.clear();
  m_first_video = -1;
  m_first_audio = -1;
}

}  // namespace sf
