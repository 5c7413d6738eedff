#include "avi/avi_muxer.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

namespace sf {

namespace {

constexpr std::uint64_t kMinSegmentSize = std::uint64_t{64} << 10;
constexpr std::uint64_t kMaxSegmentSize = std::uint64_t{2} << 30;
constexpr std::uint8_t kIndexOfIndexes = 0;
constexpr std::uint8_t kIndexOfChunks = 1;
constexpr std::uint32_t kNotKeyFrame = 0x80000000u;
constexpr std::uint64_t kDmlhSize = 248;

// Room for the headers of two streams with full super indexes.
std::uint64_t HeaderSpace(std::uint32_t max_segments) {
  const std::uint64_t strl =
      12 + (8 + 56) + (8 + AviMuxer::kMaxFormatSize) + (8 + 24 + 16 * std::uint64_t{max_segments});
  const std::uint64_t total = 12 + 12 + (8 + 56) + AviMuxer::kMaxStreams * strl + 12 + 8 + kDmlhSize + 8;
  return (total + 2047) / 2048 * 2048;
}

std::uint32_t Clamp32(std::uint64_t value) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFu));
}

}  // namespace

AviMuxer::AviMuxer(const std::string& path, const AviLayoutOptions& options)
    : m_riff(path),
      m_segment_size(std::clamp(options.segment_size, kMinSegmentSize, kMaxSegmentSize)),
      m_max_segments(std::clamp<std::uint32_t>(options.max_segments, 1, 65536)),
      m_header_space(HeaderSpace(m_max_segments)) {
  m_riff_chunk = m_riff.BeginList("AVI ", "RIFF");
  m_riff.Zeros(m_header_space - m_riff.Position());  // the headers go here at the end
  m_movi_chunk = m_riff.BeginList("movi");
  m_movi_position = m_movi_chunk.start + 8;
}

int AviMuxer::AddStream(const AviStreamHeader& header, std::vector<std::uint8_t> format) {
  if (m_streams.size() >= kMaxStreams) throw std::logic_error("An AVI file written here holds two streams at most");
  Stream stream;
  stream.header = header;
  stream.kind = header.type == "auds" ? "wb" : "dc";
  m_streams.push_back(std::move(stream));
  const int number = static_cast<int>(m_streams.size()) - 1;
  SetFormat(number, std::move(format));
  return number;
}

void AviMuxer::SetFormat(int stream, std::vector<std::uint8_t> format) {
  if (format.size() > kMaxFormatSize) throw std::logic_error("Stream format too large");
  m_streams[stream].format = std::move(format);
}

bool AviMuxer::SegmentWouldOverflow(std::uint64_t chunk_size) const {
  std::uint64_t chunks = 0;
  std::uint64_t indexes = 0;
  for (const Stream& stream : m_streams) {
    chunks += stream.segment_chunks.size();
    indexes += 8 + 24 + 8 * (stream.segment_chunks.size() + 1);
  }
  if (chunks == 0) return false;
  if (m_segment == 0) indexes += 8 + 16 * (m_idx1.size() + 1);
  const std::uint64_t end = m_riff.Position() + 8 + chunk_size + (chunk_size & 1) + indexes;
  return end - m_riff_chunk.start > m_segment_size;
}

void AviMuxer::WriteChunk(int stream_number, std::string_view kind, std::span<const std::uint8_t> data,
                          std::uint32_t flags, std::uint32_t duration) {
  if (data.size() > kMaxSegmentSize) throw std::runtime_error("A chunk is too large for an AVI file");
  if (SegmentWouldOverflow(data.size())) {
    if (m_segment + 1 >= m_max_segments) throw std::runtime_error("The AVI file has reached its largest size");
    StartSegment();
  }
  Stream& stream = m_streams[stream_number];
  stream.kind = std::string(kind);
  const std::string id = StreamChunkId(stream_number, kind);
  const auto chunk = m_riff.BeginChunk(id);
  m_riff.Bytes(data);
  m_riff.EndChunk(chunk);

  const IndexEntry entry{chunk.start, static_cast<std::uint32_t>(data.size()), flags};
  stream.segment_chunks.push_back(entry);
  stream.segment_duration += duration;
  stream.duration += duration;
  stream.largest_chunk = std::max(stream.largest_chunk, entry.size);
  if (m_segment == 0) {
    Idx1Entry first;
    std::copy(id.begin(), id.end(), first.id.begin());
    first.entry = entry;
    m_idx1.push_back(first);
  }
}

void AviMuxer::StartSegment() {
  m_open_dml = true;
  CloseSegment();
  ++m_segment;
  m_riff_chunk = m_riff.BeginList("AVIX", "RIFF");
  m_movi_chunk = m_riff.BeginList("movi");
  m_movi_position = m_movi_chunk.start + 8;
}

void AviMuxer::CloseSegment() {
  if (m_open_dml) {
    for (int i = 0; i < StreamCount(); ++i) {
      if (!m_streams[i].segment_chunks.empty()) WriteStandardIndex(i);
    }
  }
  m_riff.EndChunk(m_movi_chunk);
  if (m_segment == 0) WriteIdx1();
  m_riff.EndChunk(m_riff_chunk);
  for (Stream& stream : m_streams) {
    stream.segment_chunks.clear();
    stream.segment_duration = 0;
  }
}

void AviMuxer::WriteStandardIndex(int number) {
  Stream& stream = m_streams[number];
  const auto ix = m_riff.BeginChunk("ix" + StreamChunkId(number, ""));
  m_riff.U16(2);                                                         // wLongsPerEntry
  m_riff.U8(0);                                                          // bIndexSubType
  m_riff.U8(kIndexOfChunks);                                             // bIndexType
  m_riff.U32(static_cast<std::uint32_t>(stream.segment_chunks.size()));  // nEntriesInUse
  m_riff.FourCC(StreamChunkId(number, stream.kind));                     // dwChunkId
  m_riff.U64(m_movi_position);                                           // qwBaseOffset
  m_riff.U32(0);                                                         // dwReserved
  for (const IndexEntry& entry : stream.segment_chunks) {
    m_riff.U32(static_cast<std::uint32_t>(entry.position + 8 - m_movi_position));          // dwOffset: the chunk's data
    m_riff.U32(entry.size | ((entry.flags & kAviIndexKeyFrame) != 0 ? 0 : kNotKeyFrame));  // dwSize
  }
  m_riff.EndChunk(ix);
  stream.super_index.push_back(
      {ix.start, static_cast<std::uint32_t>(m_riff.Position() - ix.start), stream.segment_duration});
}

void AviMuxer::WriteIdx1() {
  const auto idx1 = m_riff.BeginChunk("idx1");
  for (const Idx1Entry& item : m_idx1) {
    m_riff.FourCC(std::string_view(item.id.data(), item.id.size()));                // ckid
    m_riff.U32(item.entry.flags);                                                   // dwFlags
    m_riff.U32(static_cast<std::uint32_t>(item.entry.position - m_movi_position));  // dwChunkOffset
    m_riff.U32(item.entry.size);                                                    // dwChunkLength
  }
  m_riff.EndChunk(idx1);
}

void AviMuxer::Finish() {
  CloseSegment();
  for (Stream& stream : m_streams) {
    stream.header.length = Clamp32(stream.duration);
    stream.header.suggested_buffer_size = std::max(stream.header.suggested_buffer_size, stream.largest_chunk);
  }
  m_riff.Seek(12);
  WriteHeaders();
  m_riff.SeekEnd();
  m_riff.Close();
}

int AviMuxer::MainVideoStream() const {
  for (int i = 0; i < StreamCount(); ++i) {
    if (m_streams[i].header.type == "vids") return i;
  }
  return -1;
}

std::uint32_t AviMuxer::FramesInFirstSegment() const {
  const int video = MainVideoStream();
  if (video < 0) return 0;
  const std::string id = StreamChunkId(video, m_streams[video].kind);
  return static_cast<std::uint32_t>(std::count_if(m_idx1.begin(), m_idx1.end(), [&](const Idx1Entry& item) {
    return std::string_view(item.id.data(), 4).substr(0, 2) == std::string_view(id).substr(0, 2);
  }));
}

void AviMuxer::WriteHeaders() {
  const auto hdrl = m_riff.BeginList("hdrl");
  WriteMainHeader();
  for (int i = 0; i < StreamCount(); ++i) WriteStreamList(i);
  if (m_open_dml) {
    const auto odml = m_riff.BeginList("odml");
    const auto dmlh = m_riff.BeginChunk("dmlh");
    const int video = MainVideoStream();
    m_riff.U32(video < 0 ? 0 : m_streams[video].header.length);  // dwTotalFrames of all segments
    m_riff.Zeros(kDmlhSize - 4);
    m_riff.EndChunk(dmlh);
    m_riff.EndChunk(odml);
  }
  m_riff.EndChunk(hdrl);
  // The rest of the reserved area becomes a JUNK chunk.
  const std::uint64_t left = m_header_space - m_riff.Position();
  assert(left >= 8);
  m_riff.FourCC("JUNK");
  m_riff.U32(static_cast<std::uint32_t>(left - 8));
}

void AviMuxer::WriteMainHeader() {
  const int video = MainVideoStream();
  std::uint64_t micro_seconds = 0;
  std::uint64_t bytes_per_second = 0;
  std::uint32_t buffer = 0;
  AviRect frame;
  for (const Stream& stream : m_streams) {
    const AviStreamHeader& h = stream.header;
    buffer = std::max(buffer, h.suggested_buffer_size);
    if (h.scale != 0) bytes_per_second += std::uint64_t{stream.largest_chunk} * h.rate / h.scale;
  }
  if (video >= 0) {
    const AviStreamHeader& h = m_streams[video].header;
    if (h.rate != 0) micro_seconds = std::uint64_t{1000000} * h.scale / h.rate;
    frame = h.frame;
  }
  const auto avih = m_riff.BeginChunk("avih");
  m_riff.U32(Clamp32(micro_seconds));                                // dwMicroSecPerFrame
  m_riff.U32(Clamp32(bytes_per_second));                             // dwMaxBytesPerSec
  m_riff.U32(0);                                                     // dwPaddingGranularity
  m_riff.U32(kAviHasIndex);                                          // dwFlags
  m_riff.U32(FramesInFirstSegment());                                // dwTotalFrames (this RIFF)
  m_riff.U32(0);                                                     // dwInitialFrames
  m_riff.U32(static_cast<std::uint32_t>(m_streams.size()));          // dwStreams
  m_riff.U32(buffer);                                                // dwSuggestedBufferSize
  m_riff.U32(static_cast<std::uint32_t>(frame.right - frame.left));  // dwWidth
  m_riff.U32(static_cast<std::uint32_t>(frame.bottom - frame.top));  // dwHeight
  m_riff.Zeros(16);                                                  // dwReserved[4]
  m_riff.EndChunk(avih);
}

void AviMuxer::WriteStreamList(int number) {
  const Stream& stream = m_streams[number];
  const AviStreamHeader& h = stream.header;
  const auto strl = m_riff.BeginList("strl");
  const auto strh = m_riff.BeginChunk("strh");
  m_riff.FourCC(h.type);                                // fccType
  m_riff.U32(h.handler);                                // fccHandler
  m_riff.U32(h.flags);                                  // dwFlags
  m_riff.U16(h.priority);                               // wPriority
  m_riff.U16(h.language);                               // wLanguage
  m_riff.U32(h.initial_frames);                         // dwInitialFrames
  m_riff.U32(h.scale);                                  // dwScale
  m_riff.U32(h.rate);                                   // dwRate
  m_riff.U32(h.start);                                  // dwStart
  m_riff.U32(h.length);                                 // dwLength
  m_riff.U32(h.suggested_buffer_size);                  // dwSuggestedBufferSize
  m_riff.U32(h.quality);                                // dwQuality
  m_riff.U32(h.sample_size);                            // dwSampleSize
  m_riff.I16(static_cast<std::int16_t>(h.frame.left));  // rcFrame
  m_riff.I16(static_cast<std::int16_t>(h.frame.top));
  m_riff.I16(static_cast<std::int16_t>(h.frame.right));
  m_riff.I16(static_cast<std::int16_t>(h.frame.bottom));
  m_riff.EndChunk(strh);
  const auto strf = m_riff.BeginChunk("strf");
  m_riff.Bytes(stream.format);
  m_riff.EndChunk(strf);
  if (m_open_dml) WriteSuperIndex(stream, number);
  m_riff.EndChunk(strl);
}

void AviMuxer::WriteSuperIndex(const Stream& stream, int number) {
  const auto indx = m_riff.BeginChunk("indx");
  m_riff.U16(4);                                                      // wLongsPerEntry
  m_riff.U8(0);                                                       // bIndexSubType
  m_riff.U8(kIndexOfIndexes);                                         // bIndexType
  m_riff.U32(static_cast<std::uint32_t>(stream.super_index.size()));  // nEntriesInUse
  m_riff.FourCC(StreamChunkId(number, stream.kind));                  // dwChunkId
  m_riff.Zeros(12);                                                   // dwReserved[3]
  for (const SuperEntry& entry : stream.super_index) {
    m_riff.U64(entry.offset);    // qwOffset
    m_riff.U32(entry.size);      // dwSize
    m_riff.U32(entry.duration);  // dwDuration
  }
  m_riff.EndChunk(indx);
}

}  // namespace sf
