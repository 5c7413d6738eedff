// The two compiles behind the Compile button: the AVI compile and the animated
// GIF compile, chosen by the output path's kind. The window (or the command
// line) lends them its list, its settings and the services below; everything a
// person sees goes through the reporter and the progress observer.
//   CompileJob job{list, settings, program_folder, current_row, project_path};
//   CompileServices services{reporter, progress, desktop, host, &chooser};
//   const CompileResult result = CompileImages(job, services);
//   if (result.outcome == CompileOutcome::kOverwriteDeclined) ...
#pragma once

#include <cstdint>
#include <string>

#include "compile/compile_settings.h"
#include "list/image_list.h"

namespace sf {

class CompressorChooser;
class EncodingChooser;
class Desktop;
class ProgressObserver;
class Reporter;
struct ValidationResult;

// What the main window does for a compile besides showing messages and progress.
class CompileHost {
 public:
  virtual ~CompileHost() = default;
  // Disables every control that could change the list or the settings, shows
  // Stop instead of Compile and clears the stop request. Leaving may run twice
  // for one compile (from Stop and from the compile's own end).
  virtual void EnterBusyState() {}
  virtual void LeaveBusyState() {}
  // Selects row in the grid (the row checkpoints, the last row at the end).
  virtual void SelectRow(int row) { (void)row; }
  // The validation has run on the job's list and settings (rows removed, the
  // sound track perhaps cleared): refresh the readouts and the audio controls.
  virtual void ListValidated(const ValidationResult& result) { (void)result; }
  // The person declined to overwrite the output: offer the output-file command.
  virtual void ChooseOutputFile() {}
};

// One per core, at most four: the loading and fitting of a few rows ahead
// keep the writer busy; more would only hold more frames in memory.
int PreparationThreadsForThisComputer();

// The list and settings a compile works on. The validation may remove rows
// from the list and clear the settings' sound track; nothing else is changed.
struct CompileJob {
  ImageList& list;
  CompileSettings& settings;      // read once at the start; holds the background picture
  std::string program_folder;     // where "deleted.log" goes, with its trailing "/"
  int current_row = 0;            // the row selected before the compile
  std::string project_path;       // the project file the list came from; empty when none
  // The rows are prepared ahead on this many worker threads while the file is
  // written in list order (the same frames, messages and noise states as one
  // at a time); 0 or 1 prepares each row when its turn comes.
  int preparation_threads = PreparationThreadsForThisComputer();
};

struct CompileServices {
  Reporter& reporter;
  // The status bars: progress text and fill, message panel, title; pumps
  // events at the checkpoints and answers the stop request.
  ProgressObserver& progress;
  Desktop& desktop;               // opens the validation log and the finished file
  CompileHost& host;
  // Asked on the AVI's first frame (the compressor dialog); a cancel takes the
  // stop path. nullptr writes uncompressed "DIB " frames without asking.
  CompressorChooser* chooser = nullptr;
  // Asked before an MP4 or WebM video's first frame, with the settings'
  // encoding, which the choice replaces; a cancel takes the stop path.
  // nullptr encodes with the settings' encoding without asking.
  EncodingChooser* encoding_chooser = nullptr;
};

enum class CompileOutcome {
  kCompleted,          // "Process completed successfuly."
  kOverwriteDeclined,  // nothing done; the host was asked to choose another file
  kListEmpty,          // every picture was missing; nothing written
  kRefused,            // the output or the frame rate cannot be used (said why); nothing written
  kStopped,            // "Process stopped by user." (Stop, or a cancelled compressor choice)
  kFailed,             // reported; the AVI keeps the frames written before the failure
};

struct CompileResult {
  CompileOutcome outcome = CompileOutcome::kCompleted;
  std::int64_t frames_written = 0;
  std::int64_t total_frames = 0;   // trunc(repeat value x row count) after validation
};

// The AVI compile: one frame per distributed count, the sound track after the
// first frame is ready.
CompileResult SaveAsAVI(const CompileJob& job, const CompileServices& services);
// The animated GIF compile: built in memory, one colour table, written at the end.
CompileResult SaveAsGifAnim(const CompileJob& job, const CompileServices& services);
// The MP4 or WebM compile: the AVI compile's steps, the frames encoded as
// H.264 or VP9 and the sound track as AAC or Opus.
CompileResult SaveAsVideo(const CompileJob& job, const CompileServices& services);
// The Compile button: SaveAsVideo for a name ending in ".mp4" or ".webm",
// SaveAsAVI when the output path ends in "avi" (any case), else SaveAsGifAnim.
CompileResult CompileImages(const CompileJob& job, const CompileServices& services);

}  // namespace sf
