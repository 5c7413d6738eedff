// A compile without a window: a temporary folder with pictures drawn in code,
// a list and settings for a small frame, and recorders for everything the
// compile tells the window.
//   CompileRig rig;
//   rig.AddPicture("a.bmp", test::MakeGradient(40, 30), "1<Invert Colors=1>");
//   const CompileResult result = rig.Run();
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "avi/video_compressor.h"
#include "common/desktop.h"
#include "compile/compile_engine.h"
#include "list/list_validation.h"
#include "support/recording_reporter.h"
#include "video/video_encoding.h"

namespace sf::test {

class RecordingHost final : public CompileHost {
 public:
  void EnterBusyState() override { ++entered; }
  void LeaveBusyState() override { ++left; }
  void SelectRow(int row) override { selected.push_back(row); }
  void ListValidated(const ValidationResult& result) override { validated = result; }
  void ChooseOutputFile() override { ++output_choices; }

  int entered = 0;
  int left = 0;
  std::vector<int> selected;
  std::optional<ValidationResult> validated;
  int output_choices = 0;
};

// Asks to stop once this many frames have been shown in the progress panel.
class StopAfterFrames final : public RecordingProgress {
 public:
  explicit StopAfterFrames(int frames) : m_frames(frames) {}
  void Progress(const std::string& text, int percent) override;
  bool StopRequested() override { return m_shown >= m_frames; }

 private:
  int m_frames;
  int m_shown = 0;
};

// Asks to stop as soon as the compile has selected a row at a checkpoint.
class StopAtCheckpoint final : public RecordingProgress {
 public:
  explicit StopAtCheckpoint(const RecordingHost& host) : m_host(host) {}
  bool StopRequested() override { return !m_host.selected.empty(); }

 private:
  const RecordingHost& m_host;
};

struct CompileRig {
  CompileRig();

  // Writes the picture as a BMP file in the folder and appends its row.
  std::string AddPicture(const std::string& name, const Bitmap& picture, const std::string& effects = "");
  std::string Path(const std::string& name) const { return dir + "/" + name; }
  CompileResult Run(RecordingProgress& observer);
  CompileResult Run() { return Run(progress); }

  std::string dir;
  std::string project_path;
  ImageList list;
  CompileSettings settings;
  RecordingReporter reporter;
  RecordingProgress progress;
  NoDesktop desktop;
  RecordingHost host;
  std::optional<FixedChooser> chooser;
  EncodingChooser* encoding_chooser = nullptr;
  int preparation_threads = PreparationThreadsForThisComputer();
};

}  // namespace sf::test
