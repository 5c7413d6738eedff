#include "avi/avi_file.h"

#include <algorithm>

#include "avi/riff_reader.h"
#include "common/format_error.h"

namespace sf {

namespace {

// Formats are small; a larger strf body is cut here rather than copied.
constexpr std::size_t kMaxFormatBytes = std::size_t{1} << 16;
// A ceiling on the chunks kept per file, so that a file of empty chunks cannot
// make the index larger than memory.
constexpr std::size_t kMaxChunks = std::size_t{1} << 24;
// Palette changes are replayed for every frame drawn, so only the first ones count.
constexpr std::size_t kMaxPaletteChanges = 1024;
constexpr std::uint8_t kIndexOfIndexes = 0;
constexpr std::uint8_t kIndexOfChunks = 1;

struct Layout {
  std::optional<RiffChunk> hdrl;
  std::optional<RiffChunk> idx1;
  std::uint64_t first_movi_form = 0;  // the "movi" form of the first RIFF, where idx1 offsets count from
  std::vector<RiffChunk> movi_lists;
  int segments = 0;
};

void ScanSegment(const RiffChunk& riff, Layout& layout) {
  ++layout.segments;
  RiffWalker walker(riff.body, riff.body_offset);
  while (auto chunk = walker.Next()) {
    if (chunk->list_type == "hdrl" && !layout.hdrl) {
      layout.hdrl = chunk;
    } else if (chunk->list_type == "movi") {
      if (layout.movi_lists.empty()) layout.first_movi_form = chunk->body_offset - 4;
      layout.movi_lists.push_back(*chunk);
    } else if (chunk->id == "idx1" && !layout.idx1 && layout.segments == 1) {
      layout.idx1 = chunk;
    }
  }
}

AviStreamHeader ReadStreamHeader(ByteReader r) {
  AviStreamHeader h;
  h.type = r.FourCC();
  h.handler = r.U32();
  h.flags = r.U32();
  h.priority = r.U16();
  h.language = r.U16();
  h.initial_frames = r.U32();
  h.scale = r.U32();
  h.rate = r.U32();
  h.start = r.U32();
  h.length = r.U32();
  h.suggested_buffer_size = r.U32();
  h.quality = r.U32();
  h.sample_size = r.U32();
  // Short headers (48 bytes) leave out the frame rectangle.
  if (r.Remaining() >= 8) h.frame = AviRect{r.I16(), r.I16(), r.I16(), r.I16()};
  return h;
}

struct StreamList {
  std::optional<AviStream> stream;
  std::optional<RiffChunk> super_index;
};

StreamList ReadStreamList(const RiffChunk& strl) {
  StreamList list;
  AviStream stream;
  bool has_header = false;
  RiffWalker walker(strl.body, strl.body_offset);
  while (auto chunk = walker.Next()) {
    if (chunk->id == "strh" && chunk->body.size() >= 48 && !has_header) {
      stream.header = ReadStreamHeader(chunk->Reader());
      has_header = true;
    } else if (chunk->id == "strf") {
      const auto body = chunk->body.first(std::min(chunk->body.size(), kMaxFormatBytes));
      stream.format.assign(body.begin(), body.end());
    } else if (chunk->id == "indx") {
      list.super_index = chunk;
    }
  }
  if (has_header) list.stream = std::move(stream);
  return list;
}

// Sorts chunk ids into the streams' chunk lists.
class ChunkCollector {
 public:
  explicit ChunkCollector(std::vector<std::optional<AviStream>>& streams, std::vector<bool> wanted)
      : m_streams(streams), m_wanted(std::move(wanted)) {}

  void Add(std::string_view id, AviChunkRef ref) {
    const int number = StreamOfChunkId(id);
    if (number < 0 || number >= static_cast<int>(m_streams.size()) || !m_wanted[number] || m_total >= kMaxChunks) {
      return;
    }
    AviStream& stream = *m_streams[number];
    const std::string_view kind = id.substr(2);
    if (kind == "pc") {
      if (stream.palette_changes.size() < kMaxPaletteChanges)
        stream.palette_changes.push_back({stream.chunks.size(), ref});
    } else if (IsDataKind(stream.header.type, kind)) {
      stream.chunks.push_back(ref);
      ++m_total;
    }
  }

 private:
  static bool IsDataKind(std::string_view type, std::string_view kind) {
    if (type == "vids") return kind == "dc" || kind == "db";
    if (type == "auds") return kind == "wb";
    return true;
  }

  std::vector<std::optional<AviStream>>& m_streams;
  std::vector<bool> m_wanted;
  std::size_t m_total = 0;
};

void ReadStandardIndex(std::span<const std::uint8_t> file, std::uint64_t offset, std::vector<AviChunkRef>& out) {
  const auto chunk = ChunkAt(file, offset);
  if (!chunk) return;
  ByteReader r = chunk->Reader();
  const std::uint16_t longs_per_entry = r.U16();
  r.Skip(1);  // bIndexSubType
  const std::uint8_t type = r.U8();
  std::uint32_t entries = r.U32();
  r.Skip(4);  // dwChunkId
  const std::uint64_t base = static_cast<std::uint64_t>(r.U32()) | (static_cast<std::uint64_t>(r.U32()) << 32);
  r.Skip(4);  // dwReserved
  if (type != kIndexOfChunks || longs_per_entry != 2) return;
  entries = static_cast<std::uint32_t>(std::min<std::size_t>(entries, r.Remaining() / 8));
  for (std::uint32_t i = 0; i < entries && out.size() < kMaxChunks; ++i) {
    const std::uint32_t relative = r.U32();
    const std::uint32_t size = r.U32() & 0x7FFFFFFFu;  // the top bit marks frames that are not key frames
    out.push_back({base + relative, size});
  }
}

// The chunks an OpenDML super index lists; empty when it is not one.
std::vector<AviChunkRef> ReadSuperIndex(std::span<const std::uint8_t> file, const RiffChunk& indx) {
  std::vector<AviChunkRef> chunks;
  try {
    ByteReader r = indx.Reader();
    const std::uint16_t longs_per_entry = r.U16();
    r.Skip(1);  // bIndexSubType
    const std::uint8_t type = r.U8();
    std::uint32_t entries = r.U32();
    r.Skip(4 + 12);  // dwChunkId, dwReserved[3]
    if (type != kIndexOfIndexes || longs_per_entry != 4) return {};
    entries = static_cast<std::uint32_t>(std::min<std::size_t>(entries, r.Remaining() / 16));
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint64_t offset = static_cast<std::uint64_t>(r.U32()) | (static_cast<std::uint64_t>(r.U32()) << 32);
      r.Skip(8);  // dwSize, dwDuration
      ReadStandardIndex(file, offset, chunks);
    }
  } catch (const FormatError&) {
    // A broken index lists what it could; the entries read so far stand.
  }
  return chunks;
}

// idx1 offsets count from the "movi" form, or from the file's start in some
// writers; the first entry that names a stream tells which.
std::optional<std::uint64_t> Idx1Base(std::span<const std::uint8_t> file, const Layout& layout) {
  ByteReader r = layout.idx1->Reader();
  while (r.Remaining() >= 16) {
    const std::string id = r.FourCC();
    const std::uint32_t flags = r.U32();
    const std::uint32_t offset = r.U32();
    r.Skip(4);
    if ((flags & kAviIndexList) != 0 || StreamOfChunkId(id) < 0) continue;
    for (const std::uint64_t base : {layout.first_movi_form, std::uint64_t{0}}) {
      const auto chunk = ChunkAt(file, base + offset);
      if (chunk && chunk->id == id) return base;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

bool ReadIdx1(std::span<const std::uint8_t> file, const Layout& layout, ChunkCollector& collector) {
  const auto base = Idx1Base(file, layout);
  if (!base) return false;
  ByteReader r = layout.idx1->Reader();
  while (r.Remaining() >= 16) {
    const std::string id = r.FourCC();
    const std::uint32_t flags = r.U32();
    const std::uint32_t offset = r.U32();
    const std::uint32_t size = r.U32();
    if ((flags & kAviIndexList) == 0) collector.Add(id, {*base + offset + 8, size});
  }
  return true;
}

void WalkChunks(const RiffChunk& list, ChunkCollector& collector) {
  RiffWalker walker(list.body, list.body_offset);
  while (const auto chunk = walker.Next()) {
    if (chunk->list_type == "rec ") {
      WalkChunks(*chunk, collector);
      continue;
    }
    if (chunk->truncated) break;  // the file ends inside this chunk
    collector.Add(chunk->id, {chunk->body_offset, chunk->declared_size});
  }
}

void IndexStreams(std::span<const std::uint8_t> file, const Layout& layout, std::vector<StreamList>& lists,
                  std::vector<std::optional<AviStream>>& streams) {
  std::vector<bool> unindexed(streams.size(), false);
  bool any_unindexed = false;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    if (!streams[i]) continue;
    if (lists[i].super_index) streams[i]->chunks = ReadSuperIndex(file, *lists[i].super_index);
    unindexed[i] = streams[i]->chunks.empty();
    any_unindexed = any_unindexed || unindexed[i];
  }
  if (!any_unindexed) return;
  ChunkCollector collector(streams, unindexed);
  // idx1 covers the first RIFF only, so a file of several segments is walked.
  if (layout.idx1 && layout.segments == 1 && ReadIdx1(file, layout, collector)) return;
  for (const RiffChunk& movi : layout.movi_lists) WalkChunks(movi, collector);
}

}  // namespace

AviFile ReadAviFile(std::span<const std::uint8_t> file) {
  RiffWalker top(file);
  const auto riff = top.Next();
  if (!riff || riff->id != "RIFF" || riff->list_type != "AVI ") throw FormatError("Not an AVI file");
  Layout layout;
  ScanSegment(*riff, layout);
  while (const auto next = top.Next()) {
    if (next->id == "RIFF" && next->list_type == "AVIX") ScanSegment(*next, layout);
  }
  if (!layout.hdrl) throw FormatError("AVI file has no header list");

  std::vector<StreamList> lists;
  RiffWalker walker(layout.hdrl->body, layout.hdrl->body_offset);
  while (const auto chunk = walker.Next()) {
    if (chunk->list_type == "strl") lists.push_back(ReadStreamList(*chunk));
  }
  AviFile result;
  for (StreamList& list : lists) result.streams.push_back(std::move(list.stream));
  IndexStreams(file, layout, lists, result.streams);
  return result;
}

}  // namespace sf
