#include "compile/compile_rig.h"

#include <cstdint>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "support/corpus.h"

namespace sf::test {

void StopAfterFrames::Progress(const std::string& text, int percent) {
  RecordingProgress::Progress(text, percent);
  if (text.find("% - Complete - ") != std::string::npos && percent > 0) ++m_shown;
}

CompileRig::CompileRig() : dir(MakeTempDir()) {
  settings.frame_width = 32;
  settings.frame_height = 24;
  settings.frames_per_second = 25;
  settings.output_path = dir + "/out.avi";
}

std::string CompileRig::AddPicture(const std::string& name, const Bitmap& picture, const std::string& effects) {
  const std::string path = Path(name);
  if (!FileExists(path)) WriteBmpFile(picture, path);
  list.AddPath(path);
  list.SetCell(list.LastRow(), kEffectsColumn, effects);
  return path;
}

CompileResult CompileRig::Run(RecordingProgress& observer) {
  const CompileJob job{list, settings, dir + "/", 0};
  const CompileServices services{reporter, observer, desktop, host, chooser ? &*chooser : nullptr};
  return CompileImages(job, services);
}

void WriteWav(const std::string& path, int channels, int rate, int bits, int frames) {
  const auto block = static_cast<std::uint32_t>(channels * bits / 8);
  const std::uint32_t data = block * static_cast<std::uint32_t>(frames);
  std::string wav;
  const auto u16 = [&wav](std::uint32_t v) {
    wav += static_cast<char>(v & 0xFF);
    wav += static_cast<char>((v >> 8) & 0xFF);
  };
  const auto u32 = [&u16](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  wav += "RIFF";
  u32(36 + data);
  wav += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(static_cast<std::uint32_t>(channels));
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate) * block);
  u16(block);
  u16(static_cast<std::uint32_t>(bits));
  wav += "data";
  u32(data);
  for (std::uint32_t i = 0; i < data; ++i) wav += static_cast<char>((i * 7) & 0xFF);
  WriteWholeFile(path, wav);
}

}  // namespace sf::test
