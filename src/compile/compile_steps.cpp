#include "compile/compile_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/file_util.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "list/list_validation.h"

namespace sf {

void StatusPanels::Progress(const std::string& text, std::int64_t percent) {
  m_progress = text;
  m_observer.Progress(text, static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100)));
}

void StatusPanels::ProgressText(const std::string& text) {
  m_progress = text;
  m_observer.ProgressText(text);
}

void StatusPanels::Fill(std::int64_t percent) { Progress(m_progress, percent); }

void StatusPanels::Message(const std::string& text, bool remember) {
  m_message = text;
  m_observer.Message(text, remember);
}

void StatusPanels::Title(const std::string& text) { m_observer.Title(text); }

bool StatusPanels::ProcessEventsAndCheckStop() {
  m_observer.ProcessEvents();
  return m_observer.StopRequested();
}

void StatusPanels::ProcessEvents() { m_observer.ProcessEvents(); }

bool ConfirmOverwrite(const CompileJob& job, const CompileServices& services) {
  if (!FileExists(job.settings.output_path)) return true;
  if (services.reporter.Confirm("Output file name already exists. Overwrite?")) return true;
  services.host.ChooseOutputFile();
  return false;
}

bool EnterBusyAndValidate(const CompileJob& job, const CompileServices& services) {
  services.host.EnterBusyState();
  ValidationContext context;
  context.program_folder = job.program_folder;
  context.audio_path = SoundTrackToCheck(job.settings.audio_path);
  context.compiling = true;
  context.current_row = job.current_row;
  const ValidationResult result =
      ValidateList(job.list, context, services.reporter, services.progress, services.desktop);
  if (result.audio_removed) {
    job.settings.audio_path = kNoAudioPath;
    job.settings.include_audio = false;
  }
  services.host.ListValidated(result);
  return !job.list.IsEmpty();
}

std::int64_t FramePercent(double counter, std::int64_t total) {
  if (total <= 0) return 100;
  const double percent = std::trunc(counter / static_cast<double>(total) * 100.0);
  // Far more frames than the total (a carry that rounds up many times) must
  // not overflow the integer.
  return percent >= 9.0e18 ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(percent);
}

std::string FrameProgressText(std::int64_t percent, std::int64_t frame, std::int64_t total) {
  return std::to_string(percent) + "% - Complete - " + std::to_string(frame) + " of " + std::to_string(total) +
         " total frames.";
}

std::string TitleText(std::int64_t percent) { return std::to_string(percent) + "% Slideforge"; }

}  // namespace sf
