// The steps both compiles share: the overwrite question, the busy state with
// the list validation, the frame progress texts, and the status panels that
// remember their texts so a failure can append " - ERROR" to them.
//   StatusPanels panels(services.progress);
//   if (!ConfirmOverwrite(job, services)) return {CompileOutcome::kOverwriteDeclined};
//   panels.Progress(FrameProgressText(p, c, total), p);
#pragma once

#include <cstdint>
#include <string>

#include "common/reporter.h"
#include "compile/compile_engine.h"

namespace sf {

// The progress observer with the texts last shown in the progress and message
// panels.
class StatusPanels {
 public:
  explicit StatusPanels(ProgressObserver& observer) : m_observer(observer) {}

  void Progress(const std::string& text, std::int64_t percent);
  void ProgressText(const std::string& text);
  // The fill alone; the text stays.
  void Fill(std::int64_t percent);
  void AppendToProgress(const std::string& suffix) { ProgressText(m_progress + suffix); }
  void Message(const std::string& text, bool remember = false);
  void AppendToMessage(const std::string& suffix, bool remember) { Message(m_message + suffix, remember); }
  void Title(const std::string& text);
  // Processes pending events, then tests the stop request.
  bool ProcessEventsAndCheckStop();
  void ProcessEvents();

 private:
  ProgressObserver& m_observer;
  std::string m_progress;
  std::string m_message;
};

// Asks "Output file name already exists. Overwrite?" when the output exists;
// on No offers the output-file command and returns false.
bool ConfirmOverwrite(const CompileJob& job, const CompileServices& services);

// Enters the busy state and validates the list as a compile does (silent when
// nothing was removed); a sound track that has gone is cleared from the
// settings. Returns false when the list is now empty.
bool EnterBusyAndValidate(const CompileJob& job, const CompileServices& services);

// trunc(counter / total x 100), and 100 for a total of 0.
std::int64_t FramePercent(double counter, std::int64_t total);
// "50% - Complete - 150 of 300 total frames."
std::string FrameProgressText(std::int64_t percent, std::int64_t frame, std::int64_t total);
// "50% Slideforge"
std::string TitleText(std::int64_t percent);

// Row i is a checkpoint (row selection, events, the stop request) every 14
// rows, starting with row 1.
inline bool IsRowCheckpoint(int row) { return row % 14 == 1; }

}  // namespace sf
