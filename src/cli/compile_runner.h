// What `compile` and `make` share once their settings are known: the reporter
// that keeps its texts off the progress bar's line, and the compile itself with
// the background picture loaded first and the output path printed at the end.
//   BarReporter reporter(stderr_reporter, progress);
//   return CompileAndReport(list, settings, project_path, compression, reporter, progress);
#pragma once

#include <optional>
#include <string>

#include "avi/video_compressor.h"
#include "cli/stderr_reporter.h"
#include "cli/terminal_progress.h"
#include "common/reporter.h"

namespace sf {
class ImageList;
struct CompileSettings;
}  // namespace sf

namespace sf::cli {

class BarReporter final : public Reporter {
 public:
  BarReporter(StderrReporter& inner, TerminalProgress& bar) : m_inner(inner), m_bar(bar) {}
  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override;

 private:
  StderrReporter& m_inner;
  TerminalProgress& m_bar;
};

struct ParsedArgs;

// --codec and --quality for an AVI output (the compression, or nothing for
// uncompressed frames), --quality and --preset over the settings' encoding for
// an MP4 or WebM one. Throws UsageError for an option the output cannot take.
std::optional<Compression> ParseOutputOptions(const ParsedArgs& parsed, CompileSettings& settings);

// Compiles the list with the settings (an AVI's frames compressed as given,
// uncompressed without); project_path is where the list came from, or empty.
// Returns the exit status: 0 with the output path printed, else 1.
int CompileAndReport(ImageList& list, CompileSettings& settings, const std::string& project_path,
                     const std::optional<Compression>& compression, Reporter& reporter, TerminalProgress& progress);

}  // namespace sf::cli
