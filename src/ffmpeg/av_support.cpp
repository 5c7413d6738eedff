#include "ffmpeg/av_support.h"

namespace sf {

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  if (av_strerror(code, text, sizeof text) < 0) return "error " + std::to_string(code);
  return text;
}

void ThrowAv(const std::string& what, int code) { throw VideoError(what + ": " + AvErrorText(code)); }

FramePtr NewFrame() {
  FramePtr frame(av_frame_alloc());
  if (!frame) ThrowAv("Unable to allocate a video frame", AVERROR(ENOMEM));
  return frame;
}

PacketPtr NewPacket() {
  PacketPtr packet(av_packet_alloc());
  if (!packet) ThrowAv("Unable to allocate a packet", AVERROR(ENOMEM));
  return packet;
}

void EncodeInto(AVFormatContext* muxer, AVCodecContext* encoder, AVStream* stream, const AVFrame* frame,
                AVPacket* packet, const char* what) {
  Check(avcodec_send_frame(encoder, frame), std::string("Unable to encode ") + what);
  for (;;) {
    const int received = avcodec_receive_packet(encoder, packet);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    Check(received, std::string("Unable to encode ") + what);
    av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
    packet->stream_index = stream->index;
    // The muxer takes the packet's data and leaves it blank.
    Check(av_interleaved_write_frame(muxer, packet), std::string("Unable to write ") + what);
  }
}

}  // namespace sf
