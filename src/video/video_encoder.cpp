#include "video/video_encoder.h"

#include <exception>

#include "common/plugin_library.h"

namespace sf {

const char* VideoFileKind(VideoCodec codec) { return codec == VideoCodec::kH264 ? ".mp4" : ".webm"; }

std::unique_ptr<VideoSession> OpenVideoSession(const std::string& path, const VideoFormat& format) {
  OpenVideoSessionFunction open = nullptr;
  try {
    open = PluginFunction<OpenVideoSessionFunction>(kVideoPluginFile, kOpenVideoSessionSymbol);
  } catch (const std::exception& failure) {
    throw VideoError(failure.what());
  }
  return std::unique_ptr<VideoSession>(open(path, format));
}

VideoEncoder::VideoEncoder(const std::string& path, const VideoFormat& format)
    : m_session(OpenVideoSession(path, format)) {}
VideoEncoder::~VideoEncoder() = default;
void VideoEncoder::SetSoundTrack(const std::string& wav_path) { m_session->SetSoundTrack(wav_path); }
void VideoEncoder::AddFrame(const Bitmap& frame) { m_session->AddFrame(frame); }
void VideoEncoder::RepeatFrame() { m_session->RepeatFrame(); }
void VideoEncoder::Finish() { m_session->Finish(); }
std::int64_t VideoEncoder::FramesWritten() const { return m_session->Frames(); }

}  // namespace sf
