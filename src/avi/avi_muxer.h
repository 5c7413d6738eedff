// The layout of an AVI file being written: headers filled in at the end, the movi
// chunks with idx1, and past one RIFF segment OpenDML "RIFF AVIX" segments with
// ix## indexes behind indx super indexes (the first segment stays AVI 1.0).
//   AviMuxer muxer(path, {});  const int video = muxer.AddStream(header, format);
//   muxer.WriteChunk(video, "db", frame_bytes, kAviIndexKeyFrame, 1);  muxer.Finish();
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "avi/avi_format.h"
#include "avi/riff_writer.h"

namespace sf {

inline constexpr std::uint64_t kDefaultSegmentSize = std::uint64_t{1} << 30;

struct AviLayoutOptions {
  // The largest size of one RIFF segment (clamped to 64 KiB .. 2 GiB). A chunk
  // larger than a segment gets a segment of its own.
  std::uint64_t segment_size = kDefaultSegmentSize;
  // How many segments the super indexes have room for; a file that needs more
  // refuses further chunks. 1024 segments of 1 GiB make 1 TiB.
  std::uint32_t max_segments = 1024;
};

class AviMuxer {
 public:
  static constexpr int kMaxStreams = 2;
  // The largest stream format: a BITMAPINFOHEADER with 256 palette entries.
  static constexpr std::size_t kMaxFormatSize = 40 + 256 * 4;

  // Creates the file; throws std::runtime_error when it cannot.
  AviMuxer(const std::string& path, const AviLayoutOptions& options);

  // Returns the new stream's number. The header's length and suggested buffer
  // size are kept up to date from the chunks written.
  int AddStream(const AviStreamHeader& header, std::vector<std::uint8_t> format);
  int StreamCount() const { return static_cast<int>(m_streams.size()); }
  AviStreamHeader& Header(int stream) { return m_streams[stream].header; }
  void SetFormat(int stream, std::vector<std::uint8_t> format);

  // Appends the chunk "NNkind" (NN the stream number) with the idx1 flags and
  // the duration in the stream's units (frames, or audio blocks). Throws
  // std::runtime_error when the file cannot be written or is full.
  void WriteChunk(int stream, std::string_view kind, std::span<const std::uint8_t> data, std::uint32_t flags,
                  std::uint32_t duration);

  // Writes the indexes and the headers and closes the file; throws
  // std::runtime_error when that fails. Nothing may follow.
  void Finish();

 private:
  struct IndexEntry {
    std::uint64_t position = 0;  // of the chunk's header
    std::uint32_t size = 0;
    std::uint32_t flags = 0;
  };
  struct Idx1Entry {
    std::array<char, 4> id{};
    IndexEntry entry;
  };
  struct SuperEntry {
    std::uint64_t offset = 0;  // of the ix## chunk
    std::uint32_t size = 0;    // of the whole ix## chunk
    std::uint32_t duration = 0;
  };
  struct Stream {
    AviStreamHeader header;
    std::vector<std::uint8_t> format;
    std::string kind;  // the chunk kind, for the index chunk ids
    std::vector<IndexEntry> segment_chunks;
    std::uint32_t segment_duration = 0;
    std::uint64_t duration = 0;
    std::uint32_t largest_chunk = 0;
    std::vector<SuperEntry> super_index;
  };

  bool SegmentWouldOverflow(std::uint64_t chunk_size) const;
  void StartSegment();
  void CloseSegment();
  void WriteStandardIndex(int stream);
  void WriteIdx1();
  void WriteHeaders();
  void WriteMainHeader();
  void WriteStreamList(int stream);
  void WriteSuperIndex(const Stream& stream, int number);
  int MainVideoStream() const;
  std::uint32_t FramesInFirstSegment() const;

  RiffWriter m_riff;
  std::uint64_t m_segment_size;
  std::uint32_t m_max_segments;
  std::uint64_t m_header_space;
  std::vector<Stream> m_streams;
  std::vector<Idx1Entry> m_idx1;
  std::uint32_t m_segment = 0;
  RiffWriter::Chunk m_riff_chunk;
  RiffWriter::Chunk m_movi_chunk;
  std::uint64_t m_movi_position = 0;  // the "movi" form of the current segment, where offsets count from
  bool m_open_dml = false;
};

}  // namespace sf
