// What an MP4 or WebM writer does, as the FFmpeg plugin provides it: the
// binary stays free of the encoders' libraries (over a hundred shared objects,
// tens of milliseconds at every start) until a video is written.
//   auto session = OpenVideoSession(path, format);   // loads the plugin once
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "video/frame_rate.h"
#include "video/video_encoding.h"

namespace sf {

class Bitmap;

// A failure of the encoding libraries: what was being done, then their text.
class VideoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct VideoFormat {
  VideoCodec codec = VideoCodec::kH264;
  int width = 0;    // even
  int height = 0;   // even
  Rational frame_rate;
  VideoEncoding encoding;
};

// ".mp4" for H.264, ".webm" for VP9.
const char* VideoFileKind(VideoCodec codec);

class VideoSession {
 public:
  virtual ~VideoSession() = default;
  virtual void SetSoundTrack(const std::string& wav_path) = 0;
  virtual void AddFrame(const Bitmap& frame) = 0;
  virtual void RepeatFrame() = 0;
  virtual void Finish() = 0;
  virtual std::int64_t Frames() const = 0;
};

// The plugin's one entry point. Its name carries the version of this
// interface, so a plugin left from another build is refused, not misused.
inline constexpr const char* kVideoPluginFile = "slideforge-ffmpeg.so";
inline constexpr const char* kOpenVideoSessionSymbol = "SlideforgeOpenVideoSession1";
using OpenVideoSessionFunction = VideoSession* (*)(const std::string& path, const VideoFormat& format);

// Throws VideoError when the plugin cannot be loaded, and what the session's
// constructor throws.
std::unique_ptr<VideoSession> OpenVideoSession(const std::string& path, const VideoFormat& format);

}  // namespace sf
