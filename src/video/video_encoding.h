// The two modern video outputs and how hard their encoders work: a quality on
// the x264 CRF scale (1 best .. 51 smallest; VP9's 0..63 scale is mapped from
// it) and a speed preset from "ultrafast" to "veryslow", with the choice that
// stands in for the compression dialog.
//   VideoEncoding encoding;                    // quality 22, preset "fast"
//   X264Crf(encoding.quality); Vp9Crf(encoding.quality);
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sf {

enum class VideoCodec { kH264, kVp9 };  // in MP4 with AAC, in WebM with Opus

inline constexpr int kMinVideoQuality = 1;  // x264 at 0 is lossless, which the High profile cannot hold
inline constexpr int kMaxVideoQuality = 51;
// Photographs shown as slides keep about 51 dB (visually lossless) at 22 with
// the slide-show rate control of VideoEncoder, in files no larger than x264's
// "medium" at CRF 20 gives them, written in half its time at "fast".
inline constexpr int kDefaultVideoQuality = 22;
inline constexpr int kDefaultVideoPreset = 4;  // "fast"

struct VideoEncoding {
  int quality = kDefaultVideoQuality;  // kMinVideoQuality..kMaxVideoQuality
  int preset = kDefaultVideoPreset;    // index into VideoPresets()
  friend bool operator==(const VideoEncoding&, const VideoEncoding&) = default;
};

// "ultrafast", "superfast", "veryfast", "faster", "fast", "medium", "slow",
// "slower", "veryslow".
std::span<const char* const> VideoPresets();
// The index of a preset name, or nullopt.
std::optional<int> VideoPresetIndex(std::string_view name);

// x264's constant rate factor: the quality itself.
int X264Crf(int quality);
// VP9's constant quality level: 1 stays 1, the default 22 becomes 27 and 51
// becomes 63, linear between.
int Vp9Crf(int quality);

// libvpx's deadline ("realtime", "good" or "best") and cpu-used for a preset.
struct Vp9Speed {
  const char* deadline;
  int cpu_used;
};
Vp9Speed Vp9SpeedFor(int preset);

// Asked once per compile of an MP4 or WebM video, before its first frame.
class EncodingChooser {
 public:
  virtual ~EncodingChooser() = default;
  // The chosen encoding, or nullopt when the person cancelled.
  virtual std::optional<VideoEncoding> Choose(VideoCodec codec, const VideoEncoding& current) = 0;
};

}  // namespace sf
