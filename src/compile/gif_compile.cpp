// The animated GIF compile's own part: the whole animation is built in memory,
// one frame per output frame with its delay, then given one colour table and
// written. The optimised GIF takes the same frames and delays and hands them
// to the optimiser, which merges and encodes them at the end.
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/reporter.h"
#include "compile/compile_engine.h"
#include "compile/compile_run.h"
#include "compile/compile_steps.h"
#include "compile/frame_preparation.h"
#include "compile/gif_delays.h"
#include "gif/gif_image.h"
#include "gif/gif_optimiser.h"

namespace sf {

namespace {

const EngineTexts kGifTexts{
    "0% - Creating GIF animation",
    "Setting up GIF animation...",
    "GIF Compilation Aborted:\n\nImage list is now empty after validating files. Image files were not "
    "found.\n\n- SaveAsGifAnim()",
    "Error compiling GIF.",
    "Error compiling GIF file. \n- SaveAsGifAnim()",
    true,
};

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

// A picture that could not be fitted ends the compile: a GIF frame is never
// the background alone.
RowStart StartGifRow(const PreparedFrame& prepared, StatusPanels& panels, Reporter& reporter) {
  if (!prepared.fitted) {
    reporter.Error("GIF Compilation Aborted:\n\nError obtaining aspectedimage.\n\n- SaveAsGifAnim()");
    panels.Message("Error obtaining aspected image: Process aborted.");
    return RowStart::kFailed;
  }
  panels.Message("Compiling images...");
  panels.ProcessEvents();
  return RowStart::kGoOn;
}

class GifEngine final : public FrameFileEngine {
 public:
  GifEngine(const CompileSettings& settings, const CompileServices& services)
      : m_settings(settings), m_services(services) {}

  const EngineTexts& Texts() const override { return kGifTexts; }
  std::optional<OpenFailure> Open(StatusPanels& panels, std::int64_t total_frames) override;
  RowStart StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) override;
  void AddFrame(const Bitmap& frame, bool repeat) override;
  void Complete(StatusPanels& panels) override;
  // Nothing is written before the end.
  void Close() override {}
  void Abandon() override {}

 private:
  const CompileSettings& m_settings;
  const CompileServices& m_services;
  TGIFImage m_animation;
  GifFrameOptions m_options;
  GifDelays m_delays{kDefaultFramesPerSecond};
};

// The animation is held whole in memory, a byte a pixel of every frame: a
// compile that could never fit is refused before it starts, rather than
// growing until the system stops it.
std::optional<std::string> MemoryRefusal(const CompileSettings& settings, std::int64_t total_frames) {
  const auto pixels = static_cast<std::uint64_t>(settings.frame_width) * static_cast<std::uint64_t>(settings.frame_height);
  const auto frames = static_cast<std::uint64_t>(std::max<std::int64_t>(total_frames, 0));
  const std::uint64_t needed = pixels != 0 && frames > UINT64_MAX / pixels ? UINT64_MAX : pixels * frames;
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::nullopt;
  const std::uint64_t memory = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
  if (needed <= memory) return std::nullopt;
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  return "The GIF animation of " + std::to_string(frames) + " frames would need " +
         std::to_string(needed / kMegabyte + 1) + " MB of memory, but this computer has " +
         std::to_string(memory / kMegabyte) + " MB. Lower the repeat value or the frame size.";
}

std::optional<OpenFailure> GifEngine::Open(StatusPanels&, std::int64_t total_frames) {
  if (const std::optional<std::string> refusal = MemoryRefusal(m_settings, total_frames)) {
    return OpenFailure{*refusal, " - ERROR.", " - ERROR. The GIF animation would be too large."};
  }
  m_delays = GifDelays(m_settings.frames_per_second);
  m_animation.SetColorReduction(TColorReduction::rmQuantize);
  m_options = GifFrameOptionsFrom(m_settings);
  return std::nullopt;
}

RowStart GifEngine::StartRow(int, const PreparedFrame& prepared, StatusPanels& panels) {
  return StartGifRow(prepared, panels, m_services.reporter);
}

void GifEngine::AddFrame(const Bitmap& frame, bool) {
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

void GifEngine::Complete(StatusPanels& panels) {
  panels.Message("Optimizing GIF...");
  m_animation.OptimizeColorMap();
  panels.Message("Saving GIF to drive...");
  m_animation.SaveToFile(m_settings.output_path);
}

// The optimised GIF: every copy of a row's frame adds its delay to the
// picture, and the optimiser builds the frames once all are in.
class OptimisedGifEngine final : public FrameFileEngine {
 public:
  OptimisedGifEngine(const CompileSettings& settings, const CompileServices& services)
      : m_settings(settings), m_services(services) {}

  const EngineTexts& Texts() const override { return kGifTexts; }
  std::optional<OpenFailure> Open(StatusPanels& panels, std::int64_t total_frames) override;
  RowStart StartRow(int, const PreparedFrame& prepared, StatusPanels& panels) override {
    return StartGifRow(prepared, panels, m_services.reporter);
  }
  void AddFrame(const Bitmap& frame, bool repeat) override;
  void Complete(StatusPanels& panels) override;
  void Close() override {}
  void Abandon() override {}

 private:
  const CompileSettings& m_settings;
  const CompileServices& m_services;
  std::optional<GifOptimiser> m_optimiser;
  GifDelays m_delays{kDefaultFramesPerSecond};
};

std::optional<OpenFailure> OptimisedGifEngine::Open(StatusPanels&, std::int64_t) {
  m_delays = GifDelays(m_settings.frames_per_second);
  const GifFrameOptions frame = GifFrameOptionsFrom(m_settings);
  GifOptimiserOptions options;
  options.loops = frame.loops;
  options.transparency = frame.transparency;
  options.draw_on_top = frame.disposal == TDisposalMethod::dmNoDisposal;
  options.dither = m_settings.gif_dither;
  options.threads = PreparationThreadsForThisComputer();
  m_optimiser.emplace(m_settings.frame_width, m_settings.frame_height, options);
  return std::nullopt;
}

// A repeat is the same picture again: only its delay is added.
void OptimisedGifEngine::AddFrame(const Bitmap& frame, bool repeat) {
  const std::uint16_t delay = m_delays.Next();
  if (repeat) {
    m_optimiser->Repeat(delay);
  } else {
    m_optimiser->Add(frame, delay);
  }
}

void OptimisedGifEngine::Complete(StatusPanels& panels) {
  panels.Message("Optimizing GIF...");
  TGIFImage animation;
  m_optimiser->Build(animation);
  panels.Message("Saving GIF to drive...");
  animation.SaveToFile(m_settings.output_path);
}

}  // namespace

CompileResult SaveAsGifAnim(const CompileJob& job, const CompileServices& services) {
  if (job.settings.gif_optimise) {
    OptimisedGifEngine engine(job.settings, services);
    return RunFrameCompile(engine, job, services);
  }
  GifEngine engine(job.settings, services);
  return RunFrameCompile(engine, job, services);
}

}  // namespace sf
