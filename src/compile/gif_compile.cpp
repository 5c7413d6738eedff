// The animated GIF compile: the whole animation is built in memory, one frame
// per output frame with its delay, then given one colour table and written.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "common/desktop.h"
#include "common/file_util.h"
#include "common/reporter.h"
#include "compile/compile_engine.h"
#include "compile/compile_steps.h"
#include "compile/frame_preparation.h"
#include "compile/gif_delays.h"
#include "compile/timing.h"
#include "effects/noise_random.h"
#include "gif/gif_image.h"

namespace sf {

namespace {

// What a GIF frame carries besides its pixels, read once at the start.
struct GifFrameOptions {
  int transparency = 0;   // 0 none, 1 the top-left pixel, 2 the bottom-left pixel
  TDisposalMethod disposal = TDisposalMethod::dmPrevious;
  std::uint16_t loops = 0;
};

GifFrameOptions GifFrameOptionsFrom(const CompileSettings& settings) {
  GifFrameOptions options;
  options.transparency = settings.gif_transparency == 1 || settings.gif_transparency == 2 ? settings.gif_transparency : 0;
  options.disposal = settings.gif_disposal == 1 ? TDisposalMethod::dmNoDisposal : TDisposalMethod::dmPrevious;
  // The looping extension holds 16 bits; a larger count keeps its low ones.
  options.loops = static_cast<std::uint16_t>(static_cast<std::uint32_t>(settings.gif_loops) & 0xFFFF);
  return options;
}

class GifCompile {
 public:
  GifCompile(const CompileJob& job, const CompileServices& services)
      : m_job(job), m_services(services), m_settings(job.settings), m_panels(services.progress) {}

  // The engine's own part, run by RunCompile after the steps every compile
  // shares; a failure it throws goes to FailurePath.
  CompileResult Compile();
  CompileResult FailurePath(const std::exception& failure);

 private:
  enum class RowEnd { kGoOn, kStopped, kAborted };

  RowEnd AddRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe);
  void AddFrame(const Bitmap& frame);
  CompileResult StopPath();

  const CompileJob& m_job;
  const CompileServices& m_services;
  CompileSettings& m_settings;
  StatusPanels m_panels;
  TGIFImage m_animation;
  GifFrameOptions m_options;
  GifDelays m_delays{kDefaultFramesPerSecond};
  CompileResult m_result;
  double m_counter = 1.0;
  std::int64_t m_last_shown = 0;   // the frame number last shown in the progress text
};

CompileResult GifCompile::Compile() {
  m_panels.ProgressText("0% - Creating GIF animation");
  m_panels.Message("Setting up GIF animation...");
  m_panels.ProcessEvents();

  const int rows = m_job.list.RowCount();
  m_result.total_frames = TotalFrames(rows, m_settings.repeat_value);
  m_delays = GifDelays(m_settings.frames_per_second);
  m_animation.SetColorReduction(TColorReduction::rmQuantize);
  m_options = GifFrameOptionsFrom(m_settings);
  const std::string& output = m_settings.output_path;
  if (FileExists(output)) DeleteFile(output);

  const FrameRecipe recipe = FrameRecipeFrom(m_settings);
  RepeatDistributor frames(m_settings.repeat_value);
  for (int row = 0; row < rows; ++row) {
    switch (AddRow(row, frames, recipe)) {
      case RowEnd::kGoOn:
        break;
      case RowEnd::kStopped:
        return StopPath();
      case RowEnd::kAborted:
        m_result.outcome = CompileOutcome::kFailed;
        return m_result;
    }
  }

  m_panels.Message("Optimizing GIF...");
  m_animation.OptimizeColorMap();
  m_panels.Message("Saving GIF to drive...");
  m_animation.SaveToFile(output);

  m_panels.Progress(FrameProgressText(100, m_last_shown, m_result.total_frames), 100);
  m_panels.Title(TitleText(100));
  m_panels.Fill(0);
  m_panels.Message("Process completed successfuly.", true);
  m_services.host.SelectRow(m_job.list.LastRow());
  if (m_settings.open_file_when_finished) m_services.desktop.Open(output);
  m_services.host.LeaveBusyState();
  return m_result;
}

GifCompile::RowEnd GifCompile::AddRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe) {
  if (IsRowCheckpoint(row)) {
    m_services.host.SelectRow(row);
    if (m_panels.ProcessEventsAndCheckStop()) return RowEnd::kStopped;
  }
  const PreparedFrame prepared =
      PrepareFrame(m_job.list.Path(row), m_job.list.Effects(row), recipe, NoiseRandomState(), m_services.reporter);
  SetNoiseRandomState(prepared.noise_state_after);
  if (!prepared.fitted) {
    m_services.reporter.Error("GIF Compilation Aborted:\n\nError obtaining aspectedimage.\n\n- SaveAsGifAnim()");
    m_panels.Message("Error obtaining aspected image: Process aborted.");
    m_services.host.LeaveBusyState();
    return RowEnd::kAborted;
  }
  m_panels.Message("Compiling images...");
  m_panels.ProcessEvents();

  for (std::int64_t n = frames.NextRow(); n > 0; --n) {
    AddFrame(prepared.frame);
    ++m_result.frames_written;
    // The frame loop shows one less, so 100% waits for the written file.
    const std::int64_t percent = FramePercent(m_counter, m_result.total_frames) - 1;
    m_last_shown = static_cast<std::int64_t>(m_counter);
    m_panels.Progress(FrameProgressText(percent, m_last_shown, m_result.total_frames), percent);
    m_panels.Title(TitleText(percent));
    if (m_panels.ProcessEventsAndCheckStop()) {
      m_panels.Fill(0);
      return RowEnd::kStopped;
    }
    m_counter += 1.0;
  }
  return RowEnd::kGoOn;
}

void GifCompile::AddFrame(const Bitmap& frame) {
  const int k = m_animation.Add(frame);
  TGIFSubImage& sub = m_animation.Frame(k);
  if (k == 0) {
    auto loop = std::make_shared<TGIFAppExtNSLoop>();
    loop->SetLoops(m_options.loops);
    sub.AppendExtension(loop);
  }
  const std::shared_ptr<TGIFGraphicControlExtension> control = sub.CreateGraphicControlExtension();
  control->SetDelay(m_delays.Next());
  if (m_options.transparency != 0) {
    control->SetTransparent(true);
    const int y = m_options.transparency == 1 ? 0 : sub.Height() - 1;
    control->SetTransparentColorIndex(sub.GetPixel(0, y));
    control->SetDisposal(m_options.disposal);
  }
  sub.AppendExtension(control);
  m_animation.Pack();
}

CompileResult GifCompile::StopPath() {
  m_services.host.LeaveBusyState();
  m_panels.Message("Process stopped by user.", true);
  m_result.outcome = CompileOutcome::kStopped;
  return m_result;
}

CompileResult GifCompile::FailurePath(const std::exception& failure) {
  m_services.reporter.Error(failure.what());
  m_panels.AppendToProgress(" - ERROR");
  m_panels.Message("Error compiling GIF.", true);
  m_services.reporter.Error("Error compiling GIF file. \n- SaveAsGifAnim()");
  m_services.host.LeaveBusyState();
  m_result.outcome = CompileOutcome::kFailed;
  return m_result;
}

}  // namespace

CompileResult SaveAsGifAnim(const CompileJob& job, const CompileServices& services) {
  GifCompile engine(job, services);
  return RunCompile(engine, job, services,
                    "GIF Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
                    "found.\n\n- SaveAsGifAnim()");
}

}  // namespace sf
