#include "compile/compile_run.h"

#include <cstdint>
#include <optional>

#include "common/desktop.h"
#include "common/reporter.h"
#include "compile/compile_checks.h"
#include "compile/compile_steps.h"
#include "compile/frame_pipeline.h"
#include "compile/frame_preparation.h"
#include "compile/slide_motion.h"
#include "compile/timing.h"
#include "compile/transition_frames.h"
#include "effects/noise_random.h"

namespace sf {

namespace {

class FrameCompile {
 public:
  FrameCompile(FrameFileEngine& engine, const CompileJob& job, const CompileServices& services)
      : m_engine(engine), m_texts(engine.Texts()), m_job(job), m_services(services), m_panels(services.progress) {}

  CompileResult Run();

 private:
  enum class RowEnd { kGoOn, kStopped, kFailed };

  CompileResult Compile();
  RowEnd WriteRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe, FramePipeline* pipeline);
  // Prepares (or takes from the pipeline) the row's frame and starts it.
  RowEnd TakeRow(int row, const FrameRecipe& recipe, FramePipeline* pipeline, PreparedFrame& prepared);
  // With transitions shown: the frames of the previous row's end that the
  // transition into row takes, else 0.
  std::int64_t TransitionFramesInto(int row, std::int64_t previous_frames);
  CompileResult Completed();
  CompileResult Ended(CompileOutcome outcome);
  CompileResult StopPath();
  CompileResult FailurePath(const std::exception& failure);

  FrameFileEngine& m_engine;
  const EngineTexts& m_texts;
  const CompileJob& m_job;
  const CompileServices& m_services;
  StatusPanels m_panels;
  CompileResult m_result;
  double m_counter = 1.0;          // the number of the next frame to write
  std::int64_t m_last_shown = 0;   // the frame number last shown in the progress text
  // The next row, taken while this one ends for the transition into it.
  std::optional<PreparedFrame> m_next;
  Transition m_transition = Transition::kCrossFade;   // the one into m_next
};

CompileResult FrameCompile::Run() {
  if (const std::optional<std::string> refusal = RefusalBeforeCompile(m_job)) {
    m_services.reporter.Error(*refusal);
    return {CompileOutcome::kRefused};
  }
  if (!ConfirmOverwrite(m_job, m_services)) return {CompileOutcome::kOverwriteDeclined};
  if (!EnterBusyAndValidate(m_job, m_services)) {
    m_services.reporter.Error(m_texts.emptied_list_error);
    m_services.host.LeaveBusyState();
    return {CompileOutcome::kListEmpty};
  }
  try {
    return Compile();
  } catch (const std::exception& failure) {
    return FailurePath(failure);
  }
}

CompileResult FrameCompile::Compile() {
  m_panels.ProgressText(m_texts.creating_progress);
  m_panels.Message(m_texts.creating_message);
  m_panels.ProcessEvents();

  const CompileSettings& settings = m_job.settings;
  const int rows = m_job.list.RowCount();
  m_result.total_frames = TotalFrames(rows, settings.repeat_value);
  // The old output stays until the engine puts the new file in its place.
  if (const std::optional<OpenFailure> failure = m_engine.Open(m_panels, m_result.total_frames)) {
    m_services.reporter.Error(failure->error);
    m_services.host.LeaveBusyState();
    m_panels.AppendToProgress(failure->progress_suffix);
    m_panels.AppendToMessage(failure->message_suffix, true);
    m_result.outcome = CompileOutcome::kFailed;
    return m_result;
  }

  const FrameRecipe recipe = FrameRecipeFrom(settings);
  RepeatDistributor frames(settings.repeat_value);
  std::optional<FramePipeline> pipeline;
  if (m_job.preparation_threads > 1) {
    pipeline.emplace(m_job.list, recipe, m_job.preparation_threads, NoiseRandomState());
  }
  for (int row = 0; row < rows; ++row) {
    switch (WriteRow(row, frames, recipe, pipeline ? &*pipeline : nullptr)) {
      case RowEnd::kGoOn:
        break;
      case RowEnd::kStopped:
        return StopPath();
      case RowEnd::kFailed:
        return Ended(CompileOutcome::kFailed);
    }
  }
  return Completed();
}

FrameCompile::RowEnd FrameCompile::TakeRow(int row, const FrameRecipe& recipe, FramePipeline* pipeline,
                                            PreparedFrame& prepared) {
  if (pipeline != nullptr) {
    prepared = pipeline->Take(row, m_services.reporter);
  } else {
    const std::optional<MotionPath> motion = RowMotionPath(m_job.list, row);
    prepared = PrepareFrame(m_job.list.Path(row), m_job.list.Effects(row), recipe, NoiseRandomState(),
                            m_services.reporter, motion ? &*motion : nullptr);
  }
  SetNoiseRandomState(prepared.noise_state_after);
  switch (m_engine.StartRow(row, prepared, m_panels)) {
    case RowStart::kGoOn:
      return RowEnd::kGoOn;
    case RowStart::kStopped:
      return RowEnd::kStopped;
    case RowStart::kFailed:
      return RowEnd::kFailed;
  }
  return RowEnd::kFailed;
}

std::int64_t FrameCompile::TransitionFramesInto(int row, std::int64_t previous_frames) {
  const CompileSettings& settings = m_job.settings;
  if (!settings.show_transitions || row >= m_job.list.RowCount()) return 0;
  const std::optional<Transition> transition = ParseTransitionCell(m_job.list.Transition(row));
  if (!transition) return 0;
  m_transition = *transition;
  return TransitionFrameCount(settings.transition_seconds, settings.frames_per_second, previous_frames);
}

FrameCompile::RowEnd FrameCompile::WriteRow(int row, RepeatDistributor& frames, const FrameRecipe& recipe,
                                             FramePipeline* pipeline) {
  const std::int64_t total = m_result.total_frames;
  if (IsRowCheckpoint(row)) {
    m_services.host.SelectRow(row);
    if (!m_texts.written_at_end) {
      m_panels.ProgressText(
          FrameProgressText(FramePercent(m_counter, total), static_cast<std::int64_t>(m_counter), total));
    }
    if (m_panels.ProcessEventsAndCheckStop()) return RowEnd::kStopped;
  }
  PreparedFrame prepared;
  if (m_next) {
    // Taken and started during the transition into it.
    prepared = std::move(*m_next);
    m_next.reset();
  } else if (const RowEnd started = TakeRow(row, recipe, pipeline, prepared); started != RowEnd::kGoOn) {
    return started;
  }

  const std::int64_t count = frames.NextRow();
  const std::int64_t blend = TransitionFramesInto(row + 1, count);
  Bitmap moved;
  Bitmap mixed;
  const Bitmap* last = nullptr;
  for (std::int64_t i = 0; i < count; ++i) {
    if (i == count - blend) {
      PreparedFrame next;
      if (const RowEnd started = TakeRow(row + 1, recipe, pipeline, next); started != RowEnd::kGoOn) return started;
      m_next = std::move(next);
    }
    const Bitmap* frame = &prepared.frame;
    if (prepared.motion) {
      moved = prepared.motion->FrameAt(MotionProgress(i, count));
      frame = &moved;
    }
    if (i >= count - blend) {
      mixed = TransitionFrame(m_transition, *frame, m_next->frame, TransitionProgress(i - (count - blend), blend),
                              recipe);
      frame = &mixed;
    }
    m_engine.AddFrame(*frame, frame == &prepared.frame && last == frame);
    last = frame;
    ++m_result.frames_written;
    const std::int64_t percent = FramePercent(m_counter, total) - (m_texts.written_at_end ? 1 : 0);
    m_last_shown = static_cast<std::int64_t>(m_counter);
    m_panels.Progress(FrameProgressText(percent, m_last_shown, total), percent);
    m_panels.Title(TitleText(percent));
    if (m_panels.ProcessEventsAndCheckStop()) {
      m_panels.Fill(0);
      return RowEnd::kStopped;
    }
    m_counter += 1.0;
  }
  return RowEnd::kGoOn;
}

// The file is complete only once the engine has completed it, so success is
// told after that.
CompileResult FrameCompile::Completed() {
  m_engine.Complete(m_panels);
  if (m_texts.written_at_end) {
    m_panels.Progress(FrameProgressText(100, m_last_shown, m_result.total_frames), 100);
    m_panels.Title(TitleText(100));
  }
  m_panels.Fill(0);
  m_panels.Message("Process completed successfuly.", true);
  m_services.host.SelectRow(m_job.list.LastRow());
  if (m_job.settings.open_file_when_finished) m_services.desktop.Open(m_job.settings.output_path);
  m_services.host.LeaveBusyState();
  return m_result;
}

// A row that could not start has said why; what was written is kept.
CompileResult FrameCompile::Ended(CompileOutcome outcome) {
  m_services.host.LeaveBusyState();
  m_engine.Close();
  m_result.outcome = outcome;
  return m_result;
}

CompileResult FrameCompile::StopPath() {
  Ended(CompileOutcome::kStopped);
  m_panels.Message("Process stopped by user.", true);
  return m_result;
}

CompileResult FrameCompile::FailurePath(const std::exception& failure) {
  m_services.reporter.Error(failure.what());
  m_panels.AppendToProgress(" - ERROR");
  m_panels.Message(m_texts.failure_message, true);
  m_services.reporter.Error(m_texts.failure_error);
  m_services.host.LeaveBusyState();
  m_engine.Abandon();
  m_result.outcome = CompileOutcome::kFailed;
  return m_result;
}

}  // namespace

CompileResult RunFrameCompile(FrameFileEngine& engine, const CompileJob& job, const CompileServices& services) {
  FrameCompile compile(engine, job, services);
  return compile.Run();
}

}  // namespace sf
