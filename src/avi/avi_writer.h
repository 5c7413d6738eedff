// The compile's AVI writer: one video stream written frame by frame through a
// compressor chosen once, at most one PCM audio stream copied from WAV files, and
// a sticky failure (after one, every call but Close returns AVIERR_ERROR).
//   auto writer = AviWriter::Open(path, 100000.0, 29.97);  writer->BeginVideo(frame, {}, &chooser);
//   writer->AddWav(wav_path);  writer->AddFrame(frame);  AviWriter::Close(std::move(writer));
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "avi/avi_format.h"
#include "avi/avi_muxer.h"
#include "avi/video_compressor.h"
#include "image/bitmap.h"

namespace sf {

// The platform's published AVI result codes.
using AviResult = std::uint32_t;
inline constexpr AviResult AVIERR_OK = 0;
inline constexpr AviResult AVIERR_BADFORMAT = 0x80044066;     // a format the stream cannot take
inline constexpr AviResult AVIERR_BADFLAGS = 0x80044069;      // a WAV source mode other than file or memory;
                                                              // the two AddWav forms leave no other mode
inline constexpr AviResult AVIERR_BADPARAM = 0x8004406A;      // no bitmap or no WAV source
inline constexpr AviResult AVIERR_BADSIZE = 0x8004406B;       // a frame of another size than the stream's
inline constexpr AviResult AVIERR_BADHANDLE = 0x8004406C;     // no writer
inline constexpr AviResult AVIERR_FILEREAD = 0x8004406D;      // a WAV file that is not a whole PCM WAV file
inline constexpr AviResult AVIERR_FILEWRITE = 0x8004406E;     // the AVI file could not be written
inline constexpr AviResult AVIERR_FILEOPEN = 0x8004406F;      // the WAV file cannot be opened
inline constexpr AviResult AVIERR_COMPRESSOR = 0x80044070;    // the compression is already set up
inline constexpr AviResult AVIERR_CANTCOMPRESS = 0x80044075;  // the compressor failed on a frame
inline constexpr AviResult AVIERR_USERABORT = 0x800440C6;     // the compressor choice was cancelled
inline constexpr AviResult AVIERR_ERROR = 0x800440C7;         // the writer has failed before

class AviWriter {
 public:
  // Creates the file. scale = trunc(time_base); rate = trunc(time_base x
  // frames_per_second) with the product in extended precision, so 29.97 gives
  // 2996999 at the time base 100000. Returns nullptr when the file cannot be
  // created or scale or rate would not be a whole number from 1 to 2^32 - 1.
  static std::unique_ptr<AviWriter> Open(const std::string& path, double time_base, double frames_per_second,
                                         const WaveFormat* audio_format = nullptr, const AviLayoutOptions& layout = {});
  // AVIERR_BADHANDLE for no writer; AVIERR_FILEWRITE when the indexes and
  // headers could not be written, with the muxer's sentence in *reason when
  // given; else 0. Valid in every state.
  static AviResult Close(std::unique_ptr<AviWriter> writer, std::string* reason = nullptr);
  // Completes the file when Close was not called.
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Creates the video stream from the first frame and sets up its compression:
  // options as given, or as the chooser answers when one is passed (its
  // cancel fails the writer with AVIERR_USERABORT). Frames must be 8-bit,
  // 16-bit 5-5-5, 24-bit or 32-bit (AVIERR_BADFORMAT otherwise).
  AviResult BeginVideo(const Bitmap& first_frame, const Compression& options = {},
                       CompressorChooser* chooser = nullptr);
  // Appends one key frame; without BeginVideo the frames go uncompressed. A
  // frame of another size (AVIERR_BADSIZE) or, uncompressed, another pixel
  // format or palette (AVIERR_BADFORMAT) than the stream's is refused without
  // failing the writer. A repeat (the same picture as the frame before) is
  // written as the chunk before, not compressed again.
  AviResult AddFrame(const Bitmap& frame, bool repeat = false);
  // Appends the samples of a WAV file (file mode) or of a WAV file's image in
  // memory (memory mode). A file that cannot be read as a whole PCM WAV file
  // gives AVIERR_FILEREAD and one of another format than the first
  // AVIERR_BADFORMAT; neither fails the writer.
  AviResult AddWav(const std::string& path);
  AviResult AddWav(std::span<const std::uint8_t> wav_image);

  std::uint32_t Scale() const { return m_scale; }
  std::uint32_t Rate() const { return m_rate; }
  std::uint32_t NextFrame() const { return m_next_frame; }
  std::uint32_t NextSample() const { return m_next_sample; }
  bool Failed() const { return m_failed; }
  // Why the last call that returned a code other than AVIERR_OK did not
  // succeed, in the muxer's, the compressor's or the WAV reader's own words
  // ("The AVI file has reached its largest size"); empty when the code says
  // all there is.
  const std::string& Reason() const { return m_reason; }

 private:
  AviWriter(std::unique_ptr<AviMuxer> muxer, std::uint32_t scale, std::uint32_t rate, const WaveFormat* audio);

  // A code that fails the writer, and one that only refuses the call.
  AviResult Fail(AviResult code, std::string reason = {});
  AviResult Refuse(AviResult code, std::string reason);
  void CreateVideoStream(const Bitmap& frame);
  void SetUpCompression(const Compression& compression, const Bitmap& frame);
  AviResult CheckFrame(const Bitmap& frame) const;
  AviResult AddWavData(std::span<const std::uint8_t> file);
  AviResult WriteSamples(std::span<const std::uint8_t> data, std::uint32_t samples);

  std::unique_ptr<AviMuxer> m_muxer;
  WaveFormat m_audio_format;
  std::uint32_t m_scale = 0;
  std::uint32_t m_rate = 0;
  int m_audio_stream = -1;
  int m_video_stream = -1;
  std::optional<FrameCompressor> m_compressor;
  // What every frame must share with the first.
  struct FrameLayout {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::kBits24;
    std::vector<Rgb> palette;
  } m_layout;
  std::uint32_t m_next_frame = 0;
  std::uint32_t m_next_sample = 0;
  bool m_failed = false;
  std::string m_reason;
};

}  // namespace sf
