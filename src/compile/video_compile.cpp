// The MP4 and WebM compiles' own part: the encoding asked for and the encoder
// set up on the first frame, with the sound track added right after it; each
// row's picture converted once and repeated for its other frames.
#include <memory>
#include <stdexcept>
#include <string>

#include "common/file_util.h"
#include "common/replacing_file.h"
#include "common/reporter.h"
#include "compile/compile_engine.h"
#include "compile/compile_run.h"
#include "compile/compile_steps.h"
#include "compile/frame_preparation.h"
#include "video/frame_rate.h"
#include "video/video_encoder.h"

namespace sf {

namespace {

const EngineTexts kMp4Texts{
    "0% - Creating MP4",
    "Preparing MP4 file...",
    "MP4 Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
    "found.\n\n- SaveAsVideo()",
    "Error compiling MP4. Please make sure sound and image files are valid.",
    "Error compiling MP4 file. Please make sure that the sound file is a valid PCM WAV file and that the image "
    "files are valid. \n- SaveAsVideo()",
    false,
};

const EngineTexts kWebmTexts{
    "0% - Creating WebM",
    "Preparing WebM file...",
    "WebM Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
    "found.\n\n- SaveAsVideo()",
    "Error compiling WebM. Please make sure sound and image files are valid.",
    "Error compiling WebM file. Please make sure that the sound file is a valid PCM WAV file and that the image "
    "files are valid. \n- SaveAsVideo()",
    false,
};

class VideoEngine final : public FrameFileEngine {
 public:
  VideoEngine(CompileSettings& settings, const CompileServices& services)
      : m_settings(settings),
        m_services(services),
        m_codec(OutputKindOf(settings.output_path) == CompileOutputKind::kWebm ? VideoCodec::kVp9 : VideoCodec::kH264),
        m_kind(m_codec == VideoCodec::kH264 ? "MP4" : "WebM") {}

  const EngineTexts& Texts() const override { return m_codec == VideoCodec::kH264 ? kMp4Texts : kWebmTexts; }
  std::optional<OpenFailure> Open(StatusPanels& panels, std::int64_t total_frames) override;
  RowStart StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) override;
  void AddFrame(const Bitmap& frame, bool repeat) override;
  void Complete(StatusPanels&) override { Close(); }
  void Close() override;
  void Abandon() override;

 private:
  bool CreateEncoder(StatusPanels& panels);
  bool AddSoundTrack();

  CompileSettings& m_settings;
  const CompileServices& m_services;
  const VideoCodec m_codec;
  const std::string m_kind;
  // Written beside the output and put in place when complete, so that a
  // failed or killed compile leaves the old file as it was.
  ReplacingFile m_output{m_settings.output_path};
  std::unique_ptr<VideoEncoder> m_encoder;
};

// The encoder needs the encoding, which is asked on the first frame.
std::optional<OpenFailure> VideoEngine::Open(StatusPanels& panels, std::int64_t) {
  panels.ProcessEvents();
  return std::nullopt;
}

// The library's own text comes first, then the compile's message.
bool VideoEngine::CreateEncoder(StatusPanels& panels) {
  const VideoFormat format{m_codec, m_settings.frame_width, m_settings.frame_height,
                           VideoFrameRate(m_settings.frames_per_second), m_settings.video_encoding};
  try {
    m_encoder = std::make_unique<VideoEncoder>(m_output.WritingPath(), format);
    return true;
  } catch (const std::exception& failure) {
    m_services.reporter.Error(failure.what());
    m_services.reporter.Error("Error creating " + m_kind +
                              " file. Please make sure file name is not already in use by another program.");
    panels.AppendToProgress(" - ERROR.");
    panels.AppendToMessage(" - ERROR. Unable to create " + m_kind + " file.", true);
    return false;
  }
}

RowStart VideoEngine::StartRow(int row, const PreparedFrame&, StatusPanels& panels) {
  if (row != 0) return RowStart::kGoOn;
  if (m_services.encoding_chooser != nullptr) {
    const std::optional<VideoEncoding> chosen = m_services.encoding_chooser->Choose(m_codec, m_settings.video_encoding);
    if (!chosen) return RowStart::kStopped;
    m_settings.video_encoding = *chosen;
  }
  if (!CreateEncoder(panels)) return RowStart::kFailed;
  panels.Message("Adding audio file...");
  panels.ProcessEvents();
  if (m_settings.include_audio && FileExists(m_settings.audio_path) && !AddSoundTrack()) {
    // Nothing worth keeping is written yet: the old output stays.
    Abandon();
    panels.AppendToProgress(" - ERROR");
    panels.Message("Error compiling " + m_kind + ". Stopped due to invalid WAV audio file.", true);
    return RowStart::kFailed;
  }
  panels.Message("Compiling images...");
  panels.ProcessEvents();
  return RowStart::kGoOn;
}

// Returns false when the sound track could not be added and the person chose
// not to go on without it; the reader's or the library's sentence comes first.
bool VideoEngine::AddSoundTrack() {
  try {
    m_encoder->SetSoundTrack(m_settings.audio_path);
    return true;
  } catch (const std::exception& failure) {
    m_services.reporter.Error(failure.what());
  }
  return m_services.reporter.ErrorQuestion(
      "Error adding WAV file. Please make sure that the audio file is a valid PCM WAV file. \n- "
      "CompileBtnClick()\n\n Do you wish to continue without audio?");
}

// A repeat of the picture before is not converted again.
void VideoEngine::AddFrame(const Bitmap& frame, bool repeat) {
  if (repeat) {
    m_encoder->RepeatFrame();
  } else {
    m_encoder->AddFrame(frame);
  }
}

// Completing flushes the encoders and writes the index; a file that cannot be
// completed is a failure of the compile, and the old output stays.
void VideoEngine::Close() {
  if (!m_encoder) return;
  try {
    m_encoder->Finish();
  } catch (const std::exception&) {
    m_encoder.reset();
    m_output.Discard();
    throw;
  }
  m_encoder.reset();
  m_output.PutInPlace();
}

// After a failure the file being written goes and the old output stays.
void VideoEngine::Abandon() {
  m_encoder.reset();
  m_output.Discard();
}

}  // namespace

CompileResult SaveAsVideo(const CompileJob& job, const CompileServices& services) {
  VideoEngine engine(job.settings, services);
  return RunFrameCompile(engine, job, services);
}

}  // namespace sf
