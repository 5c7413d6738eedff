// The AVI compile: every row is prepared once and written as many times as the
// frame distribution gives it; the sound track goes in once the first frame
// has set up the compression.
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "avi/avi_writer.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "common/reporter.h"
#include "compile/compile_engine.h"
#include "compile/compile_steps.h"
#include "compile/frame_preparation.h"
#include "compile/timing.h"
#include "effects/noise_random.h"

namespace sf {

namespace {

// A writer code that means the file is no longer being written as it should.
std::runtime_error WriterFailure(const char* what, AviResult code) {
  char text[128];
  std::snprintf(text, sizeof text, "%s (AVI error 0x%08X).", what, static_cast<unsigned>(code));
  return std::runtime_error(text);
}

class AviCompile {
 public:
  AviCompile(const CompileJob& job, const CompileServices& services)
      : m_job(job), m_services(services), m_settings(job.settings), m_panels(services.progress) {}

  // The engine's own part, run by RunCompile after the steps every compile
  // shares; a failure it throws goes to FailurePath.
  CompileResult Compile();
  CompileResult FailurePath(const std::exception& failure);

 private:
  enum class RowEnd { kGoOn, kStopped, kAudioRefused };

  RowEnd WriteRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe);
  RowEnd StartVideo(const Bitmap& first_frame);
  bool AddSoundTrack();
  CompileResult StopPath();
  void CloseWriter();

  const CompileJob& m_job;
  const CompileServices& m_services;
  CompileSettings& m_settings;
  StatusPanels m_panels;
  std::unique_ptr<AviWriter> m_writer;
  CompileResult m_result;
  double m_counter = 1.0;   // the number of the next frame to write
};

CompileResult AviCompile::Compile() {
  m_panels.ProgressText("0% - Creating AVI");
  m_panels.Message("Preparing AVI file...");
  m_panels.ProcessEvents();

  const int rows = m_job.list.RowCount();
  m_result.total_frames = TotalFrames(rows, m_settings.repeat_value);
  const std::string& output = m_settings.output_path;
  if (FileExists(output)) DeleteFile(output);
  m_writer = AviWriter::Open(output, 100000.0, m_settings.frames_per_second);
  if (!m_writer) {
    m_services.reporter.Error(
        "Error creating AVI file. Please make sure file name is not already in use by another program.");
    m_services.host.LeaveBusyState();
    m_panels.AppendToProgress(" - ERROR.");
    m_panels.AppendToMessage(" - ERROR. Unable to create AVI file.", true);
    m_result.outcome = CompileOutcome::kFailed;
    return m_result;
  }

  m_panels.ProcessEvents();
  const FrameRecipe recipe = FrameRecipeFrom(m_settings);
  RepeatDistributor frames(m_settings.repeat_value);
  for (int row = 0; row < rows; ++row) {
    switch (WriteRow(row, frames, recipe)) {
      case RowEnd::kGoOn:
        break;
      case RowEnd::kStopped:
        return StopPath();
      case RowEnd::kAudioRefused:
        m_result.outcome = CompileOutcome::kFailed;
        return m_result;
    }
  }

  // The file is complete only once closed, so success is told after that.
  CloseWriter();
  m_panels.Fill(0);
  m_panels.Message("Process completed successfuly.", true);
  m_services.host.SelectRow(m_job.list.LastRow());
  if (m_settings.open_file_when_finished) m_services.desktop.Open(output);
  m_services.host.LeaveBusyState();
  return m_result;
}

AviCompile::RowEnd AviCompile::WriteRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe) {
  if (IsRowCheckpoint(row)) {
    m_services.host.SelectRow(row);
    m_panels.ProgressText(FrameProgressText(FramePercent(m_counter, m_result.total_frames),
                                            static_cast<std::int64_t>(m_counter), m_result.total_frames));
    if (m_panels.ProcessEventsAndCheckStop()) return RowEnd::kStopped;
  }
  const PreparedFrame prepared =
      PrepareFrame(m_job.list.Path(row), m_job.list.Effects(row), recipe, NoiseRandomState(), m_services.reporter);
  SetNoiseRandomState(prepared.noise_state_after);
  if (row == 0) {
    const RowEnd started = StartVideo(prepared.frame);
    if (started != RowEnd::kGoOn) return started;
  }

  for (std::int64_t n = frames.NextRow(); n > 0; --n) {
    const AviResult added = m_writer->AddFrame(prepared.frame);
    if (added != AVIERR_OK) throw WriterFailure("The frame could not be added to the AVI file", added);
    ++m_result.frames_written;
    const std::int64_t percent = FramePercent(m_counter, m_result.total_frames);
    m_panels.Progress(FrameProgressText(percent, static_cast<std::int64_t>(m_counter), m_result.total_frames),
                      percent);
    m_panels.Title(TitleText(percent));
    if (m_panels.ProcessEventsAndCheckStop()) {
      m_panels.Fill(0);
      return RowEnd::kStopped;
    }
    m_counter += 1.0;
  }
  return RowEnd::kGoOn;
}

AviCompile::RowEnd AviCompile::StartVideo(const Bitmap& first_frame) {
  if (m_writer->BeginVideo(first_frame, Compression{}, m_services.chooser) == AVIERR_USERABORT) {
    return RowEnd::kStopped;
  }
  m_panels.Message("Adding audio file...");
  m_panels.ProcessEvents();
  if (m_settings.include_audio && FileExists(m_settings.audio_path) && !AddSoundTrack()) {
    m_panels.AppendToProgress(" - ERROR");
    m_panels.Message("Error compiling AVI. Stopped due to invalid WAV audio file.", true);
    m_services.host.LeaveBusyState();
    CloseWriter();
    return RowEnd::kAudioRefused;
  }
  m_panels.Message("Compiling images...");
  m_panels.ProcessEvents();
  return RowEnd::kGoOn;
}

// Returns false when the sound track could not be added and the person chose
// not to go on without it. A WAV the writer refuses is treated like one that
// cannot be read, so a compile never drops a chosen sound track unasked.
bool AviCompile::AddSoundTrack() {
  AviResult added = AVIERR_OK;
  try {
    added = m_writer->AddWav(m_settings.audio_path);
  } catch (const std::exception&) {
    added = AVIERR_FILEREAD;
  }
  if (added == AVIERR_OK) return true;
  return m_services.reporter.ErrorQuestion(
      "Error adding WAV file. Please make sure that the audio file is a valid PCM WAV file. \n- "
      "CompileBtnClick()\n\n Do you wish to continue without audio?");
}

CompileResult AviCompile::StopPath() {
  m_services.host.LeaveBusyState();
  CloseWriter();
  m_panels.Message("Process stopped by user.", true);
  m_result.outcome = CompileOutcome::kStopped;
  return m_result;
}

CompileResult AviCompile::FailurePath(const std::exception& failure) {
  m_services.reporter.Error(failure.what());
  m_panels.AppendToProgress(" - ERROR");
  m_panels.Message("Error compiling AVI. Please make sure sound and image files are valid.", true);
  m_services.reporter.Error(
      "Error compiling AVI file. Please make sure that the sound file is a valid PCM WAV file and that the image "
      "files are valid. \n- SaveAsAVI()");
  m_services.host.LeaveBusyState();
  if (m_writer) AviWriter::Close(std::move(m_writer));
  m_result.outcome = CompileOutcome::kFailed;
  return m_result;
}

// Closing writes the indexes and headers; a file that cannot be completed is a
// failure of the compile, not a success.
void AviCompile::CloseWriter() {
  if (!m_writer) return;
  const AviResult closed = AviWriter::Close(std::move(m_writer));
  if (closed != AVIERR_OK) throw WriterFailure("The AVI file could not be completed", closed);
}

}  // namespace

CompileResult SaveAsAVI(const CompileJob& job, const CompileServices& services) {
  AviCompile engine(job, services);
  return RunCompile(engine, job, services,
                    "AVI Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
                    "found.\n\n- SaveAsAVI()");
}

}  // namespace sf
