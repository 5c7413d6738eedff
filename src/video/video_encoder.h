// Writes an MP4 (H.264 High, yuv420p, AAC) or WebM (VP9, yuv420p, Opus) file
// through FFmpeg's libraries, frame by frame at a constant frame rate. A new
// picture is converted to yuv420p once; repeating it only hands the converted
// picture to the encoder again, which stores an unchanged frame in a few bytes.
//   VideoEncoder video(path, {VideoCodec::kH264, 1280, 720, VideoFrameRate(25), {}});
//   video.SetSoundTrack("/music/track.wav");   // optional, before the first frame
//   video.AddFrame(frame); video.RepeatFrame(); ...
//   video.Finish();                           // a playable file, however many frames
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "video/video_session.h"

namespace sf {

class VideoEncoder {
 public:
  // Sets up the encoder and creates the file. Throws VideoError (what failed,
  // then the library's own text, or why the encoders could not be loaded).
  VideoEncoder(const std::string& path, const VideoFormat& format);
  // Closes the file as it stands, without completing it.
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // The WAV file to encode whole as the sound track; before the first frame.
  // Throws FormatError for a file that cannot be used (nothing is then added),
  // VideoError when the library fails, std::runtime_error when it cannot be read.
  void SetSoundTrack(const std::string& wav_path);
  // A new picture of the video's size, 24 or 8 bits. Throws VideoError.
  void AddFrame(const Bitmap& frame);
  // The last picture once more. Throws VideoError.
  void RepeatFrame();
  // Flushes the encoders, writes the rest of the sound and completes the file.
  // Throws VideoError when the file cannot be completed.
  void Finish();

  std::int64_t FramesWritten() const;

 private:
  std::unique_ptr<VideoSession> m_session;
};

}  // namespace sf
