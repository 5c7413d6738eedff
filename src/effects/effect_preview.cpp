#include "effects/effect_preview.h"

#include <exception>
#include <utility>

#include "effects/apply_effect.h"
#include "effects/noise_random.h"
#include "image/fitting.h"

namespace sf {

namespace {

// Keeps the fitting's messages for the window to show.
class CollectingReporter final : public Reporter {
 public:
  void Message(const std::string& text) override { Add(text); }
  bool Confirm(const std::string& text) override {
    Add(text);
    return false;
  }
  void Error(const std::string& text) override { Add(text); }
  std::string text;

 private:
  void Add(const std::string& line) {
    if (!text.empty()) text += '\n';
    text += line;
  }
};

}  // namespace

PreviewResult RunEffectPreview(const PreviewRequest& request, ProgressObserver* observer) {
  PreviewResult result;
  SetNoiseRandomState(request.noise_state);
  try {
    Bitmap working(request.source.Width(), request.source.Height());
    working.Draw(request.source, 0, 0);
    for (const EffectStep& step : request.steps) {
      if (observer != nullptr && observer->StopRequested()) throw PreviewSuperseded{};
      if (ApplyEffect(working, step.name, step.value, observer)) {
        result.status = PreviewStatus::kNotFound;
        result.missing_name = step.name;
        result.noise_state_after = NoiseRandomState();
        return result;
      }
      ++result.steps_done;
    }
    if (observer != nullptr && observer->StopRequested()) throw PreviewSuperseded{};
    Bitmap fitted = working;
    CollectingReporter reporter;
    if (GetAspectedImage(fitted, request.display_background, ResizeMethod::kStandard, true, true, PixelFormat::kBits24,
                         0, 0, request.display_height, request.display_width, reporter) != 0) {
      result.status = PreviewStatus::kFailed;
      result.failure = reporter.text;
    } else {
      result.picture = std::move(working);
      result.fitted = std::move(fitted);
    }
  } catch (const PreviewSuperseded&) {
    result.status = PreviewStatus::kSuperseded;
  } catch (const std::exception& failure) {
    result.status = PreviewStatus::kFailed;
    result.failure = failure.what();
  }
  result.noise_state_after = NoiseRandomState();
  return result;
}

// The worker's view of the runner: a request is stale once a newer one exists.
class EffectPreviewRunner::Checkpoints final : public ProgressObserver {
 public:
  Checkpoints(const EffectPreviewRunner& runner, std::uint64_t id) : m_runner(runner), m_id(id) {}
  bool StopRequested() override { return m_runner.m_latest.load() != m_id; }
  void ProcessEvents() override {
    if (StopRequested()) throw PreviewSuperseded{};
  }

 private:
  const EffectPreviewRunner& m_runner;
  std::uint64_t m_id;
};

EffectPreviewRunner::EffectPreviewRunner(Done done) : m_done(std::move(done)), m_thread([this] { Work(); }) {}

EffectPreviewRunner::~EffectPreviewRunner() {
  {
    const std::lock_guard lock(m_mutex);
    m_quit = true;
    m_pending.reset();
    ++m_latest;  // the running request, if any, is now stale
  }
  m_wake.notify_one();
  m_thread.join();
}

std::uint64_t EffectPreviewRunner::Submit(PreviewRequest request) {
  std::uint64_t id = 0;
  {
    const std::lock_guard lock(m_mutex);
    id = ++m_latest;
    m_pending = std::move(request);
    m_pending_id = id;
  }
  m_wake.notify_one();
  return id;
}

void EffectPreviewRunner::Cancel() {
  const std::lock_guard lock(m_mutex);
  m_pending.reset();
  ++m_latest;
}

void EffectPreviewRunner::Work() {
  for (;;) {
    PreviewRequest request;
    std::uint64_t id = 0;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_quit || m_pending.has_value(); });
      if (m_quit) return;
      request = std::move(*m_pending);
      id = m_pending_id;
      m_pending.reset();
    }
    Checkpoints checkpoints(*this, id);
    PreviewResult result = RunEffectPreview(request, &checkpoints);
    result.id = id;
    m_done(std::move(result));
  }
}

}  // namespace sf
