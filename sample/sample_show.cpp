#include "sample_show.h"

#include <cmath>
#include <cstdint>

#include "common/file_util.h"
#include "common/number_format.h"
#include "project/project_record.h"
#include "project/project_writer.h"

namespace sf::sample {

namespace {

constexpr int kSampleRate = 22050;
constexpr double kSeconds = 6.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFramesPerSecond = 29.97;
constexpr double kFramesPerPicture = 22.5;

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// Effects shown by some rows, keyed by the row.
struct RowEffects {
  int row;
  const char* text;
};
constexpr RowEffects kRowEffects[] = {
    {1, "2<Brighter=40><Blur Gaussian=2>"},
    {3, "1<Saturation=180>"},
    {5, "1<Noise Mono=60>"},
    {6, "1<Solarize=128>"},
};

}  // namespace

void WriteSampleSound(const std::string& path) {
  const auto samples = static_cast<std::uint32_t>(kSampleRate * kSeconds);
  std::string wav;
  wav += "RIFF";
  PutU32(wav, 36 + samples * 2);
  wav += "WAVEfmt ";
  PutU32(wav, 16);
  PutU16(wav, 1);                // PCM
  PutU16(wav, 1);                // mono
  PutU32(wav, kSampleRate);
  PutU32(wav, kSampleRate * 2);  // bytes per second
  PutU16(wav, 2);                // block align
  PutU16(wav, 16);               // bits per sample
  wav += "data";
  PutU32(wav, samples * 2);
  const double chord[] = {220.0, 277.18, 329.63};
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double t = i / static_cast<double>(kSampleRate);
    const double envelope = std::sin(kPi * t / kSeconds);
    double value = 0;
    for (const double frequency : chord) value += std::sin(2 * kPi * frequency * t);
    const auto sample = static_cast<std::int16_t>(std::lround(value / 3 * envelope * 9000));
    PutU16(wav, static_cast<std::uint16_t>(sample));
  }
  WriteWholeFile(path, wav);
}

std::string WriteSampleProject(const std::string& folder, const std::vector<std::string>& picture_names) {
  ProjectRecord record;
  for (const std::string& name : picture_names) record.list.AddPath(folder + name);
  for (const RowEffects& effects : kRowEffects) {
    if (effects.row < record.list.RowCount()) record.list.SetCell(effects.row, kEffectsColumn, effects.text);
  }
  record.media_type = 1;  // "VCD NTSC 352 x 240"
  record.frames_per_second = FormatGeneral(kFramesPerSecond);
  record.frame_width = 352;
  record.frame_height = 240;
  record.repeat_value = FormatGeneral(kFramesPerPicture);
  record.repeat_seconds = FormatGeneral(kFramesPerPicture / kFramesPerSecond);
  record.resize_method = 1;  // smooth
  record.include_audio = true;
  record.audio_path = folder + "sample-tune.wav";
  record.output_path = folder + "sample.avi";

  const std::string path = folder + "sample.sfg";
  WriteFileReplacing(path, FormatProject(record));
  return path;
}

}  // namespace sf::sample
