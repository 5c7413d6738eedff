// The MP4 and WebM writer behind VideoSession: H.264 High or VP9 in yuv420p,
// with AAC or Opus sound, through FFmpeg's libraries. This is the plugin's
// whole surface: one exported function that opens a session.
extern "C" {
#include <libavutil/opt.h>
}

#include <cstring>
#include <span>
#include <thread>

#include "avi/mapped_file.h"
#include "image/bitmap.h"
#include "video/video_session.h"
#include "ffmpeg/av_support.h"
#include "ffmpeg/sound_track.h"

namespace sf {

namespace {

struct MuxerFree {
  void operator()(AVFormatContext* muxer) const {
    if (muxer->pb != nullptr && !(muxer->oformat->flags & AVFMT_NOFILE)) avio_closep(&muxer->pb);
    avformat_free_context(muxer);
  }
};
using MuxerPtr = std::unique_ptr<AVFormatContext, MuxerFree>;

struct DictionaryFree {
  void operator()(AVDictionary* dictionary) const { av_dict_free(&dictionary); }
};

// Options for avcodec_open2 or avformat_write_header, freed afterwards.
class Options {
 public:
  ~Options() { av_dict_free(&m_dictionary); }
  void Set(const char* key, const std::string& value) { av_dict_set(&m_dictionary, key, value.c_str(), 0); }
  AVDictionary** Get() { return &m_dictionary; }

 private:
  AVDictionary* m_dictionary = nullptr;
};

const char* EncoderName(VideoCodec codec) { return codec == VideoCodec::kH264 ? "libx264" : "libvpx-vp9"; }
const char* CodecText(VideoCodec codec) { return codec == VideoCodec::kH264 ? "H.264" : "VP9"; }

}  // namespace

class FfmpegVideoSession final : public VideoSession {
 public:
  FfmpegVideoSession(const std::string& path, const VideoFormat& format);
  ~FfmpegVideoSession() override;

  void SetSoundTrack(const std::string& wav_path) override;
  void AddFrame(const Bitmap& frame) override;
  void RepeatFrame() override;
  void Finish() override;
  std::int64_t Frames() const override { return m_frames; }

 private:
  void OpenVideoEncoder();
  void StartWriting();
  void Send();

  VideoFormat m_format;
  MuxerPtr m_muxer;
  CodecContextPtr m_encoder;
  AVStream* m_stream = nullptr;
  SwsPtr m_scaler;
  FramePtr m_picture;
  PacketPtr m_packet;
  std::unique_ptr<SoundTrack> m_sound;
  FramePtr m_rows;                    // the picture as blue-green-red rows, top row first
  bool m_writing = false;             // the header is written
  bool m_has_picture = false;
  bool m_finished = false;
  std::int64_t m_frames = 0;
};

FfmpegVideoSession::FfmpegVideoSession(const std::string& path, const VideoFormat& format)
    : m_format(format), m_picture(NewFrame()), m_packet(NewPacket()), m_rows(NewFrame()) {
  // The encoders' chatter stays off the terminal; failures come back as codes.
  av_log_set_level(AV_LOG_ERROR);
  if (format.width <= 0 || format.height <= 0 || format.width % 2 != 0 || format.height % 2 != 0) {
    throw VideoError("A yuv420p video needs an even width and height, not " + std::to_string(format.width) + " x " +
                     std::to_string(format.height));
  }
  if (format.frame_rate.num <= 0 || format.frame_rate.den <= 0) throw VideoError("The frame rate is too low");
  // "file:" keeps a name with a colon from being taken for a protocol.
  const std::string url = "file:" + path;
  AVFormatContext* muxer = nullptr;
  Check(avformat_alloc_output_context2(&muxer, nullptr, format.codec == VideoCodec::kH264 ? "mp4" : "webm",
                                       url.c_str()),
        std::string("Unable to set up the ") + VideoFileKind(format.codec) + " file");
  m_muxer.reset(muxer);
  OpenVideoEncoder();
  Check(avio_open(&m_muxer->pb, url.c_str(), AVIO_FLAG_WRITE), "Unable to create " + path);
}

FfmpegVideoSession::~FfmpegVideoSession() {
  m_sound.reset();
  m_encoder.reset();
}

void FfmpegVideoSession::OpenVideoEncoder() {
  const VideoCodec codec = m_format.codec;
  const AVCodec* encoder = avcodec_find_encoder_by_name(EncoderName(codec));
  if (encoder == nullptr) {
    throw VideoError(std::string("The ") + CodecText(codec) + " encoder " + EncoderName(codec) +
                     " is not available in this FFmpeg");
  }
  m_encoder.reset(avcodec_alloc_context3(encoder));
  if (!m_encoder) ThrowAv("Unable to set up the video encoder", AVERROR(ENOMEM));
  AVCodecContext& context = *m_encoder;
  context.width = m_format.width;
  context.height = m_format.height;
  const AVRational rate{static_cast<int>(m_format.frame_rate.num), static_cast<int>(m_format.frame_rate.den)};
  context.framerate = rate;
  context.time_base = av_inv_q(rate);
  context.pix_fmt = AV_PIX_FMT_YUV420P;
  // The pictures are converted with the BT.601 matrix into the limited range.
  context.colorspace = AVCOL_SPC_SMPTE170M;
  context.color_primaries = AVCOL_PRI_SMPTE170M;
  context.color_trc = AVCOL_TRC_SMPTE170M;
  context.color_range = AVCOL_RANGE_MPEG;
  if (m_muxer->oformat->flags & AVFMT_GLOBALHEADER) context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

  Options options;
  const int preset = m_format.encoding.preset;
  if (codec == VideoCodec::kH264) {
    context.thread_count = 0;  // x264 takes every core
    options.Set("preset", VideoPresets()[static_cast<std::size_t>(preset < 0 || preset > 8 ? kDefaultVideoPreset : preset)]);
    options.Set("crf", std::to_string(X264Crf(m_format.encoding.quality)));
    options.Set("profile", "high");
    // Fidelity to the fitted frames before psycho-visual grain: a slide show's
    // picture stays on screen for seconds, where psy-rd's invented texture
    // shows as noise, and adaptive quantisation moves bits out of the flat
    // background bars into the photo's edges that already look sharp.
    options.Set("tune", "psnr");
    // A slide show is runs of identical frames: one reference and no B-frames
    // lose nothing on them, a lookahead of two seconds at 25 frames lets the
    // macroblock tree see a whole run, and a lower qcomp gives the run's first
    // frame, which every repeat shows, the bits.
    options.Set("x264-params", "bframes=0:ref=1:rc-lookahead=50:qcomp=0.35");
  } else {
    const Vp9Speed speed = Vp9SpeedFor(preset);
    context.bit_rate = 0;  // constant quality
    context.thread_count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    options.Set("crf", std::to_string(Vp9Crf(m_format.encoding.quality)));
    options.Set("deadline", speed.deadline);
    options.Set("cpu-used", std::to_string(speed.cpu_used));
    options.Set("row-mt", "1");
  }
  Check(avcodec_open2(m_encoder.get(), encoder, options.Get()),
        std::string("Unable to open the ") + CodecText(codec) + " encoder " + EncoderName(codec));

  m_stream = avformat_new_stream(m_muxer.get(), nullptr);
  if (m_stream == nullptr) ThrowAv("Unable to add the video stream", AVERROR(ENOMEM));
  Check(avcodec_parameters_from_context(m_stream->codecpar, m_encoder.get()), "Unable to describe the video stream");
  m_stream->time_base = context.time_base;
  m_stream->avg_frame_rate = rate;
  m_stream->r_frame_rate = rate;

  m_picture->format = AV_PIX_FMT_YUV420P;
  m_picture->width = m_format.width;
  m_picture->height = m_format.height;
  Check(av_frame_get_buffer(m_picture.get(), 0), "Unable to allocate the video picture");
  m_rows->format = AV_PIX_FMT_BGR24;
  m_rows->width = m_format.width;
  m_rows->height = m_format.height;
  Check(av_frame_get_buffer(m_rows.get(), 0), "Unable to allocate the video picture");
  m_scaler.reset(sws_getContext(m_format.width, m_format.height, AV_PIX_FMT_BGR24, m_format.width, m_format.height,
                                AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
  if (!m_scaler) ThrowAv("Unable to set up the colour conversion", AVERROR(EINVAL));
}

void FfmpegVideoSession::SetSoundTrack(const std::string& wav_path) {
  if (m_writing) throw VideoError("The sound track must be added before the first frame");
  m_sound = std::make_unique<SoundTrack>(m_muxer.get(), m_format.codec, MappedFile::Open(wav_path));
}

void FfmpegVideoSession::StartWriting() {
  if (m_writing) return;
  Options options;
  // The index goes first, so that browsers play the file while it downloads.
  if (m_format.codec == VideoCodec::kH264) options.Set("movflags", "+faststart");
  Check(avformat_write_header(m_muxer.get(), options.Get()), "Unable to write the file's header");
  m_writing = true;
}

void FfmpegVideoSession::AddFrame(const Bitmap& frame) {
  if (m_finished) throw VideoError("The video is complete already");
  if (frame.Width() != m_format.width || frame.Height() != m_format.height) {
    throw VideoError("A frame of " + std::to_string(frame.Width()) + " x " + std::to_string(frame.Height()) +
                     " cannot go into a video of " + std::to_string(m_format.width) + " x " +
                     std::to_string(m_format.height));
  }
  StartWriting();
  // The rows go top down into an aligned buffer of the library's own: the
  // conversion then rounds as it does for every other program.
  const int width = m_format.width;
  const int height = m_format.height;
  Check(av_frame_make_writable(m_rows.get()), "Unable to allocate the video picture");
  const auto row_bytes = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = m_rows->data[0] + static_cast<std::ptrdiff_t>(y) * m_rows->linesize[0];
    if (frame.BitsPerPixel() == 24) {
      std::memcpy(row, frame.Row(y).data(), row_bytes);
    } else {
      frame.ReadRowBgr(y, std::span<std::uint8_t>(row, row_bytes));
    }
  }
  // The encoder may still hold the previous picture; it then gets a new buffer.
  Check(av_frame_make_writable(m_picture.get()), "Unable to allocate the video picture");
  if (sws_scale(m_scaler.get(), m_rows->data, m_rows->linesize, 0, height, m_picture->data, m_picture->linesize) !=
      height) {
    throw VideoError("Unable to convert a frame to yuv420p");
  }
  m_has_picture = true;
  Send();
}

void FfmpegVideoSession::RepeatFrame() {
  if (m_finished) throw VideoError("The video is complete already");
  if (!m_has_picture) throw VideoError("There is no picture to repeat");
  Send();
}

void FfmpegVideoSession::Send() {
  m_picture->pts = m_frames;
  EncodeInto(m_muxer.get(), m_encoder.get(), m_stream, m_picture.get(), m_packet.get(), "the video");
  ++m_frames;
  if (m_sound) m_sound->EncodeUntil({m_frames * m_format.frame_rate.den, m_format.frame_rate.num});
}

void FfmpegVideoSession::Finish() {
  if (m_finished) return;
  m_finished = true;
  StartWriting();
  EncodeInto(m_muxer.get(), m_encoder.get(), m_stream, nullptr, m_packet.get(), "the video");
  if (m_sound) m_sound->Finish();
  Check(av_write_trailer(m_muxer.get()), "Unable to complete the file");
  if (m_muxer->pb->error < 0) ThrowAv("Unable to write the file", m_muxer->pb->error);
  Check(avio_closep(&m_muxer->pb), "Unable to complete the file");
}

}  // namespace sf

extern "C" __attribute__((visibility("default"))) sf::VideoSession* SlideforgeOpenVideoSession1(
    const std::string& path, const sf::VideoFormat& format) {
  return new sf::FfmpegVideoSession(path, format);
}
