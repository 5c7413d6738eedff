#include "compile/output_clash.h"

#include <filesystem>
#include <system_error>

#include "compile/compile_settings.h"

namespace sf {

namespace {

bool SameFile(const std::string& output, const std::string& other) {
  if (other.empty()) return false;
  std::error_code error;
  return std::filesystem::equivalent(output, other, error) && !error;
}

std::string Refusal(const std::string& output, const std::string& what) {
  return "The output file \"" + output + "\" is " + what +
         ". Compiling would write over it; choose another output file.";
}

}  // namespace

std::optional<std::string> OutputClash(const CompileJob& job) {
  const std::string& output = job.settings.output_path;
  std::error_code error;
  if (!std::filesystem::exists(output, error)) return std::nullopt;
  if (SameFile(output, job.project_path)) return Refusal(output, "the project file");
  if (SameFile(output, SoundTrackToCheck(job.settings.audio_path))) return Refusal(output, "the sound track");
  if (SameFile(output, job.settings.background_path)) return Refusal(output, "the background picture");
  for (int row = 0; row < job.list.RowCount(); ++row) {
    if (SameFile(output, job.list.Path(row))) {
      return Refusal(output, "the picture in row " + std::to_string(row + 1) + " of the list");
    }
  }
  return std::nullopt;
}

}  // namespace sf
