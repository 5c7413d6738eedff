// The AVI compile's own part: the writer opened at the frame rate, the
// compression chosen on the first frame with the sound track added after it,
// and each frame added as a key frame.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "avi/avi_writer.h"
#include "common/file_util.h"
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
  std::optional<OpenFailure> Open(StatusPanels& panels) override;
  RowStart StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) override;
  void AddFrame(const Bitmap& frame) override;
  void Complete(StatusPanels&) override { Close(); }
  void Close() override;
  void Abandon() override {
    if (m_writer) AviWriter::Close(std::move(m_writer));
  }

 private:
  bool AddSoundTrack();

  const CompileSettings& m_settings;
  const CompileServices& m_services;
  std::unique_ptr<AviWriter> m_writer;
};

std::optional<OpenFailure> AviEngine::Open(StatusPanels& panels) {
  m_writer = AviWriter::Open(m_settings.output_path, 100000.0, m_settings.frames_per_second);
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

void AviEngine::AddFrame(const Bitmap& frame) {
  const AviResult added = m_writer->AddFrame(frame);
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
  if (closed != AVIERR_OK) throw WriterFailure("The AVI file could not be completed", reason, closed);
}

}  // namespace

CompileResult SaveAsAVI(const CompileJob& job, const CompileServices& services) {
  AviEngine engine(job.settings, services);
  return RunFrameCompile(engine, job, services);
}

}  // namespace sf
