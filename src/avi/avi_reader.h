// The frame extractor's AVI reader: a table of at most 25 streams, the first
// video stream it can decode, and frames of the decodable video streams drawn
// scaled into a bitmap (dark grey where a frame is missing); messages go to the Reporter.
//   AviReader reader(reporter);  reader.InitAvi(path);
//   if (const auto info = reader.GetAviInfo()) reader.GetFrame(preview, width, height, 0);
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "avi/avi_file.h"
#include "avi/mapped_file.h"
#include "avi/video_decoder.h"
#include "common/reporter.h"
#include "image/bitmap.h"

namespace sf {

inline constexpr int kMaxAviStreams = 25;
// What a frame that cannot be drawn shows.
inline constexpr Rgb kMissingFrameColor{64, 64, 64};

// A file opened for reading: its bytes and its streams.
struct OpenedAvi {
  std::shared_ptr<const MappedFile> bytes;
  AviFile contents;
};

class AviReader {
 public:
  explicit AviReader(Reporter& reporter) : m_reporter(reporter) {}

  // Opens the file; on success releases the previous file's streams and takes
  // the new ones (InsertAVIFile). A file that cannot be opened as an AVI file
  // is reported and leaves the previous streams in place. Returns whether the
  // file opened.
  bool InitAvi(const std::string& path);
  // Takes the file's streams into the table after those already there, at
  // most 25 in all, then examines them (InitStreams).
  void InsertAVIFile(const OpenedAvi& file);
  // Opens a decoder for every video stream it can and sets the first video
  // and first audio streams.
  void InitStreams();
  // The stream header of the first video stream, or nullopt (reported) when
  // there is none. A frame rectangle left empty by the writer is taken from
  // the frame format, a length left 0 from the chunks found.
  std::optional<AviStreamHeader> GetAviInfo();
  // Draws frame number `frame` of every decodable video stream, in table
  // order, scaled into (0, 0, width, height) of the target, which is made
  // 24-bit first. A frame before a stream's start, past its end or not
  // decodable fills the rectangle with kMissingFrameColor.
  void GetFrame(Bitmap& target, int width, int height, std::int64_t frame);
  // Releases every decoder and stream.
  void Close();

  int StreamCount() const { return static_cast<int>(m_table.size()); }
  int FirstVideoStream() const { return m_first_video; }
  int FirstAudioStream() const { return m_first_audio; }

 private:
  struct Entry {
    std::shared_ptr<const MappedFile> bytes;  // keeps the stream's chunks readable
    AviStream stream;
    std::optional<VideoDecoder> decoder;
    // For every chunk, the chunk whose frame it shows: an empty chunk repeats
    // the last non-empty one before it.
    std::vector<std::size_t> shown_chunk;
  };

  std::optional<Bitmap> DecodeFrame(const Entry& entry, std::int64_t frame) const;
  static std::uint64_t LostChunks(const Entry& entry);

  Reporter& m_reporter;
  std::vector<Entry> m_table;
  int m_first_video = -1;
  int m_first_audio = -1;
};

}  // namespace sf
