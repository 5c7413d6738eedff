// What the video library's files share about FFmpeg: owners that free its
// objects, its error codes turned into exceptions with av_strerror's text, and
// draining an encoder into the muxer.
//   Check(avcodec_open2(context.get(), codec, nullptr), "Unable to open the H.264 encoder");
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>

#include "video/video_session.h"

namespace sf {

// av_strerror's text for an FFmpeg error code.
std::string AvErrorText(int code);
[[noreturn]] void ThrowAv(const std::string& what, int code);
// Returns code when it is not an error; else throws "what: text".
inline int Check(int code, const std::string& what) {
  if (code < 0) ThrowAv(what, code);
  return code;
}

struct CodecContextFree {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct SwsFree {
  void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct SwrFree {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
struct FifoFree {
  void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFree>;
using FifoPtr = std::unique_ptr<AVAudioFifo, FifoFree>;

FramePtr NewFrame();
PacketPtr NewPacket();

// Sends frame (nullptr flushes) to the encoder and writes every packet it then
// has to the muxer, interleaved, in the stream's time base.
void EncodeInto(AVFormatContext* muxer, AVCodecContext* encoder, AVStream* stream, const AVFrame* frame,
                AVPacket* packet, const char* what);

}  // namespace sf
