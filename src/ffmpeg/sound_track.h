// The sound track of an MP4 or WebM video: a PCM WAV file resampled to 48 kHz
// (mono stays mono, more channels are mixed to stereo) and encoded whole, AAC
// in MP4 and Opus in WebM, keeping pace with the video so the muxer interleaves
// the two.
//   SoundTrack sound(muxer, VideoCodec::kH264, MappedFile::Open(wav));  // before the header
//   sound.EncodeUntil(seconds_of_video);  ...  sound.Finish();
#pragma once

#include <cstdint>
#include <memory>

#include "ffmpeg/av_support.h"
#include "video/frame_rate.h"
#include "video/video_encoding.h"

namespace sf {

class MappedFile;

class SoundTrack {
 public:
  // Adds the audio stream to the muxer, whose header is not written yet.
  // Throws FormatError for a WAV that is not integer or float PCM of at most 8
  // channels, VideoError when the library fails.
  SoundTrack(AVFormatContext* muxer, VideoCodec codec, std::shared_ptr<const MappedFile> wav);

  // Encodes the sound up to seconds (a fraction) after the start and writes it.
  void EncodeUntil(Rational seconds);
  // Encodes and writes the rest of the file and flushes the encoder.
  void Finish();

 private:
  void Feed(std::int64_t input_frames);
  void EncodeFifo(bool last);
  std::int64_t InputFramesLeft() const;

  AVFormatContext* m_muxer;
  std::shared_ptr<const MappedFile> m_file;
  const std::uint8_t* m_samples = nullptr;
  std::int64_t m_input_frames = 0;     // sample frames (one sample of every channel) in the file
  std::int64_t m_input_done = 0;
  int m_input_rate = 0;
  int m_input_channels = 0;
  int m_input_bytes = 0;               // per sample of one channel
  bool m_widen_24 = false;             // 24-bit samples go to the resampler as 32-bit ones
  CodecContextPtr m_encoder;
  AVStream* m_stream = nullptr;
  SwrPtr m_resampler;
  FifoPtr m_fifo;
  FramePtr m_frame;
  PacketPtr m_packet;
  std::int64_t m_next_pts = 0;         // in output samples
  bool m_finished = false;
};

}  // namespace sf
