// The AVI compile's own part: the writer opened at the frame rate, the
// compression chosen on the first frame with the sound track added after it,
// and each frame added as a key frame.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "avi/avi_writer.h"
#include "common/file_util.h"
#include "common/replacing_file.h"
#include "common/reporter.h"
#include "compile/compile_engine.h"
#include "compile/compile_run.h"
#include "compile/compile_steps.h"
#include "compile/frame_preparation.h"

namespace sf {

namespace {

const EngineTexts kAviTexts{
    "0% - Creating AVI",
    "Preparing AVI file...",
    "AVI Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
    "found.\n\n- SaveAsAVI()",
    "Error compiling AVI. Please make sure sound and image files are valid.",
    "Error compiling AVI file. Please make sure that the sound file is a valid PCM WAV file and that the image "
    "files are valid. \n- SaveAsAVI()",
    false,
};

// A writer code that means the file is no longer being written as it should:
// what failed, the writer's own reason, and the code.
std::runtime_error WriterFailure(const char* what, const std::string& reason, AviResult code) {
  char number[32];
  std::snprintf(number, sizeof number, "AVI error 0x%08X", static_cast<unsigned>(code));
  return std::runtime_error(std::string(what) + (reason.empty() ? "" : ": " + reason) + " (" + number + ").");
}

class AviEngine final : public FrameFileEngine {
 public:
  AviEngine(const CompileSettings& settings, const CompileServices& services)
      : m_settings(settings), m_services(services) {}

  const EngineTexts& Texts() const override { return kAviTexts; }
  std::optional<OpenFailure> Open(StatusPanels& panels, std::int64_t total_frames) override;
  RowStart StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) override;
  void AddFrame(const Bitmap& frame, bool repeat) override;
  void Complete(StatusPanels&) override { Close(); }
  void Close() override;
  void Abandon() override;

 private:
  std::optional<std::string> SizeRefusal(std::int64_t total_frames) const;
  bool AddSoundTrack();

  const CompileSettings& m_settings;
  const CompileServices& m_services;
  // Written beside the output and put in place when closed, so that a compile
  // killed half-way leaves the old file as it was.
  ReplacingFile m_output{m_settings.output_path};
  std::unique_ptr<AviWriter> m_writer;
};

// What can be known before the first frame: the stream's 32-bit frame count,
// and for uncompressed frames (no compression to choose) the room on the drive.
std::optional<std::string> AviEngine::SizeRefusal(std::int64_t total_frames) const {
  constexpr std::int64_t kMaxFrames = 4294967295;
  if (total_frames > kMaxFrames) {
    return "An AVI file holds at most 4294967295 frames; this compile would write " + std::to_string(total_frames) +
           ". Lower the repeat value.";
  }
  if (m_services.chooser != nullptr) return std::nullopt;
  const int bytes_per_pixel = m_settings.pixel_format == PixelFormat::kBits8 ? 1 : 3;
  const std::uint64_t row = (static_cast<std::uint64_t>(m_settings.frame_width) * bytes_per_pixel + 3) / 4 * 4;
  // A frame's chunk header and its entries in the two indexes come with it.
  const std::uint64_t per_frame = row * static_cast<std::uint64_t>(m_settings.frame_height) + 32;
  const auto frames = static_cast<std::uint64_t>(std::max<std::int64_t>(total_frames, 0));
  std::uint64_t needed = frames > UINT64_MAX / per_frame ? UINT64_MAX : per_frame * frames;
  std::error_code error;
  if (m_settings.include_audio) {
    const std::uintmax_t audio = std::filesystem::file_size(m_settings.audio_path, error);
    if (!error) needed = audio > UINT64_MAX - needed ? UINT64_MAX : needed + audio;
  }
  const std::filesystem::path folder = std::filesystem::absolute(m_output.WritingPath(), error).parent_path();
  const std::filesystem::space_info space = std::filesystem::space(folder, error);
  if (error || needed <= space.available) return std::nullopt;  // unknown room: the writes will tell
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  return "The AVI file would need " + std::to_string(needed / kMegabyte + 1) + " MB, but only " +
         std::to_string(space.available / kMegabyte) + " MB are free in " + folder.string() + ".";
}

std::optional<OpenFailure> AviEngine::Open(StatusPanels& panels, std::int64_t total_frames) {
  if (const std::optional<std::string> refusal = SizeRefusal(total_frames)) {
    return OpenFailure{*refusal, " - ERROR.", " - ERROR. The AVI file would be too large."};
  }
  m_writer = AviWriter::Open(m_output.WritingPath(), 100000.0, m_settings.frames_per_second);
  if (!m_writer) {
    return OpenFailure{
        "Error creating AVI file. Please make sure file name is not already in use by another program.",
        " - ERROR.", " - ERROR. Unable to create AVI file."};
  }
  panels.ProcessEvents();
  return std::nullopt;
}

// The compression is chosen on the first frame, and the sound track goes in
// right after it.
RowStart AviEngine::StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) {
  if (row != 0) return RowStart::kGoOn;
  if (m_writer->BeginVideo(prepared.frame, Compression{}, m_services.chooser) == AVIERR_USERABORT) {
    return RowStart::kStopped;
  }
  panels.Message("Adding audio file...");
  panels.ProcessEvents();
  if (m_settings.include_audio && FileExists(m_settings.audio_path) && !AddSoundTrack()) {
    panels.AppendToProgress(" - ERROR");
    panels.Message("Error compiling AVI. Stopped due to invalid WAV audio file.", true);
    return RowStart::kFailed;
  }
  panels.Message("Compiling images...");
  panels.ProcessEvents();
  return RowStart::kGoOn;
}

void AviEngine::AddFrame(const Bitmap& frame, bool repeat) {
  const AviResult added = m_writer->AddFrame(frame, repeat);
  if (added != AVIERR_OK) throw WriterFailure("The frame could not be added to the AVI file", m_writer->Reason(), added);
}

// Returns false when the sound track could not be added and the person chose
// not to go on without it. A WAV the writer refuses is treated like one that
// cannot be read, so a compile never drops a chosen sound track unasked; like
// every failure caught in a command, the reader's own sentence comes first.
bool AviEngine::AddSoundTrack() {
  AviResult added = AVIERR_OK;
  std::string reason;
  try {
    added = m_writer->AddWav(m_settings.audio_path);
    reason = m_writer->Reason();
  } catch (const std::exception& failure) {
    added = AVIERR_FILEREAD;
    reason = failure.what();
  }
  if (added == AVIERR_OK) return true;
  if (!reason.empty()) m_services.reporter.Error(reason);
  return m_services.reporter.ErrorQuestion(
      "Error adding WAV file. Please make sure that the audio file is a valid PCM WAV file. \n- "
      "CompileBtnClick()\n\n Do you wish to continue without audio?");
}

// Closing writes the indexes and headers; a file that cannot be completed is a
// failure of the compile, not a success.
void AviEngine::Close() {
  if (!m_writer) return;
  std::string reason;
  const AviResult closed = AviWriter::Close(std::move(m_writer), &reason);
  if (closed != AVIERR_OK) {
    m_output.Discard();
    throw WriterFailure("The AVI file could not be completed", reason, closed);
  }
  m_output.PutInPlace();
}

// After a failure the frames written so far are kept as a shorter file, when
// it can be closed as a valid one; otherwise the old output stays.
void AviEngine::Abandon() {
  if (!m_writer) return;
  if (AviWriter::Close(std::move(m_writer)) != AVIERR_OK) return m_output.Discard();
  try {
    m_output.PutInPlace();
  } catch (const std::exception&) {
    // Reported already as the compile's failure; the old output stays.
  }
}

}  // namespace

CompileResult SaveAsAVI(const CompileJob& job, const CompileServices& services) {
  AviEngine engine(job.settings, services);
  return RunFrameCompile(engine, job, services);
}

}  // namespace sf
