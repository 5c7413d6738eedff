// The compile every output kind shares: the overwrite question, the busy state
// with the list validation, each row prepared in list order and written as many
// times as the frame distribution gives it (progress, title and the stop
// request after every frame, row selection at the checkpoints), and the
// completion, stop and failure paths. An engine supplies only what differs:
// creating its file, starting a row, adding a frame, completing and closing.
//   AviEngine engine(job.settings, services);
//   return RunFrameCompile(engine, job, services);
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "compile/compile_engine.h"

namespace sf {

class Bitmap;
class StatusPanels;
struct PreparedFrame;

// The texts that name the output kind.
struct EngineTexts {
  const char* creating_progress;    // the progress text before the first frame
  const char* creating_message;     // the message panel meanwhile
  const char* emptied_list_error;   // every picture was missing
  const char* failure_message;      // the message panel after a failure
  const char* failure_error;        // the error shown after the failure's own message
  // The file is written only once every frame is in: the frame loop shows one
  // percent less, the row checkpoints set no progress text, and 100% is shown
  // after the file is written.
  bool written_at_end;
};

// Why the output could not be created, and what the panels then say.
struct OpenFailure {
  std::string error;              // shown as an error
  std::string progress_suffix;    // appended to the progress text
  std::string message_suffix;     // appended to the message, which is remembered
};

enum class RowStart {
  kGoOn,
  kStopped,   // as if Stop had been pressed
  kFailed,    // the engine has said why; the compile ends without the failure path
};

class FrameFileEngine {
 public:
  virtual ~FrameFileEngine() = default;
  virtual const EngineTexts& Texts() const = 0;
  // Creates the output for total_frames frames, or says why it cannot hold
  // them. The old output, if any, stays until the new one is complete.
  virtual std::optional<OpenFailure> Open(StatusPanels& panels, std::int64_t total_frames) = 0;
  // The row's frame is ready; anything the engine does before its copies.
  virtual RowStart StartRow(int row, const PreparedFrame& prepared, StatusPanels& panels) = 0;
  // Throws when the frame cannot be added. repeat: the frame is the same
  // picture as the one added just before (a still row's copies after its first).
  virtual void AddFrame(const Bitmap& frame, bool repeat) = 0;
  // Every frame is in: complete the file. Throws when it cannot be.
  virtual void Complete(StatusPanels& panels) = 0;
  // Stop, or a row that could not start: keep what was written as a valid,
  // shorter file. Throws when it cannot be closed properly.
  virtual void Close() = 0;
  // After a failure: let go of the file without throwing.
  virtual void Abandon() = 0;
};

CompileResult RunFrameCompile(FrameFileEngine& engine, const CompileJob& job, const CompileServices& services);

}  // namespace sf
