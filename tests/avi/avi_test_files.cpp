#include "avi/avi_test_files.h"

#include <algorithm>
#include <sstream>

#include "avi/riff_writer.h"
#include "support/corpus.h"

namespace sf::test {

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutId(std::vector<std::uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

std::vector<std::uint8_t> MakeWav(int channels, int rate, int bits, std::uint32_t data_size, int seed) {
  const int block = channels * bits / 8;
  std::vector<std::uint8_t> out;
  PutId(out, "RIFF");
  Put(out, 36 + data_size, 4);
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2);                  // PCM
  Put(out, channels, 2);
  Put(out, rate, 4);
  Put(out, rate * block, 4);
  Put(out, block, 2);
  Put(out, bits, 2);
  PutId(out, "data");
  Put(out, data_size, 4);
  for (std::uint32_t i = 0; i < data_size; ++i) out.push_back(static_cast<std::uint8_t>(i + seed));
  return out;
}

std::vector<std::string> TopLevelChunks(const std::vector<std::uint8_t>& file) {
  std::vector<std::string> ids;
  std::size_t at = 0;
  while (at + 8 <= file.size()) {
    std::string id(file.begin() + at, file.begin() + at + 4);
    if (id == "RIFF" && at + 12 <= file.size()) id += ":" + std::string(file.begin() + at + 8, file.begin() + at + 12);
    ids.push_back(id);
    at += 8 + Get32(file, at + 4);
    at += at % 2;
  }
  return ids;
}

std::int64_t FieldAfter(const std::vector<std::uint8_t>& file, const std::string& id, std::size_t offset) {
  const auto found = std::search(file.begin(), file.end(), id.begin(), id.end());
  const std::size_t at = static_cast<std::size_t>(found - file.begin()) + 8 + offset;
  if (found == file.end() || at + 4 > file.size()) return -1;
  return Get32(file, at);
}

void WriteTestAvi(const std::string& path, const std::vector<TestStream>& streams,
                  const std::vector<TestChunk>& chunks, bool with_idx1) {
  RiffWriter riff(path);
  const auto form = riff.BeginList("AVI ", "RIFF");
  const auto hdrl = riff.BeginList("hdrl");
  for (const TestStream& stream : streams) {
    const AviStreamHeader& h = stream.header;
    const auto strl = riff.BeginList("strl");
    const auto strh = riff.BeginChunk("strh");
    riff.FourCC(h.type);
    for (const std::uint32_t field : {h.handler, h.flags}) riff.U32(field);
    riff.U16(h.priority);
    riff.U16(h.language);
    for (const std::uint32_t field : {h.initial_frames, h.scale, h.rate, h.start, h.length, h.suggested_buffer_size,
                                      h.quality, h.sample_size}) {
      riff.U32(field);
    }
    for (const std::int32_t side : {h.frame.left, h.frame.top, h.frame.right, h.frame.bottom}) {
      riff.I16(static_cast<std::int16_t>(side));
    }
    riff.EndChunk(strh);
    const auto strf = riff.BeginChunk("strf");
    riff.Bytes(stream.format);
    riff.EndChunk(strf);
    riff.EndChunk(strl);
  }
  riff.EndChunk(hdrl);
  const auto movi = riff.BeginList("movi");
  struct Entry {
    std::string id;
    std::uint64_t offset;
    std::uint32_t size;
  };
  std::vector<Entry> index;
  std::vector<RiffWriter::Chunk> open_lists;
  for (const TestChunk& chunk : chunks) {
    if (chunk.id == "LIST") {
      open_lists.push_back(riff.BeginList("rec "));
    } else if (chunk.id == "END ") {
      riff.EndChunk(open_lists.back());
      open_lists.pop_back();
    } else {
      index.push_back({chunk.id, riff.Position() - movi.start - 8, static_cast<std::uint32_t>(chunk.data.size())});
      const auto c = riff.BeginChunk(chunk.id);
      riff.Bytes(chunk.data);
      riff.EndChunk(c);
    }
  }
  riff.EndChunk(movi);
  if (with_idx1) {
    const auto idx1 = riff.BeginChunk("idx1");
    for (const Entry& entry : index) {
      riff.FourCC(entry.id);
      riff.U32(0x10);
      riff.U32(static_cast<std::uint32_t>(entry.offset));
      riff.U32(entry.size);
    }
    riff.EndChunk(idx1);
  }
  riff.EndChunk(form);
  riff.Close();
}

std::vector<std::uint8_t> BitmapFormat(int width, int height, int bits, std::uint32_t compression,
                                       const std::vector<std::uint8_t>& extra) {
  std::vector<std::uint8_t> out;
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(height), 4);
  Put(out, 1, 2);
  Put(out, static_cast<std::uint32_t>(bits), 2);
  Put(out, compression, 4);
  for (int i = 0; i < 5; ++i) Put(out, 0, 4);  // size, resolutions, colours used and important
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

AviStreamHeader VideoHeader(int width, int height, std::uint32_t length) {
  AviStreamHeader h;
  h.type = "vids";
  h.scale = 1;
  h.rate = 25;
  h.length = length;
  h.frame = AviRect{0, 0, width, height};
  return h;
}

std::vector<std::string> Probe(const std::string& path) {
  if (!HaveProgram("ffprobe")) return {};
  std::string out;
  RunCommand("ffprobe -v error -count_frames -show_entries "
             "stream=codec_type,codec_name,width,height,r_frame_rate,nb_read_frames,sample_rate,channels,"
             "bits_per_sample:format=format_name -of compact=p=0 '" + path + "'",
             &out);
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string DecodeErrors(const std::string& path) {
  std::string errors;
  RunCommand("ffmpeg -nostdin -v error -xerror -i '" + path + "' -f null - 2>&1", &errors);
  return errors;
}

}  // namespace sf::test
