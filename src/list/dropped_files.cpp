#include "list/dropped_files.h"

#include <algorithm>
#include <stdexcept>

#include "common/desktop.h"
#include "common/file_util.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "list/image_list.h"

namespace sf {

namespace {

constexpr std::string_view kPictureExtensions[] = {".bmp", ".gif", ".jpg", ".jpeg", ".ico", ".emf", ".wmf"};

int Percent(long long part, long long whole) { return static_cast<int>(part * 100 / whole); }

// The row a finished add selects: row 0 when every row is new, else the last row.
int RowAfterAdding(const ImageList& list, int added) { return added == list.RowCount() ? 0 : list.LastRow(); }

void WriteIgnoredLog(const std::string& program_folder, const std::vector<std::string>& ignored, Reporter& reporter,
                     Desktop& desktop) {
  const std::string path = program_folder + kIgnoredLogName;
  std::string text = "Total 'Drag and Drop' files ignored: " + std::to_string(ignored.size()) +
                     "\r\n\r\nList of 'Drag and Drop' files ignored:\r\n\r\n";
  for (const std::string& file : ignored) text += file + "\r\n";
  try {
    WriteWholeFile(path, text);
  } catch (const std::runtime_error&) {
    reporter.Error(
        "Unable to write log file for list of ignored\nfile paths. Please make sure the disk is not write protected.");
    return;
  }
  desktop.Open(path);
}

void ReportDrop(int added, int ignored, Reporter& reporter, ProgressObserver& progress) {
  const std::string text = std::to_string(added) +
                           (added == 1 ? " image file added to the list. " : " image files added to the list. ") +
                           std::to_string(ignored) + " file(s) ignored.";
  progress.Message(text, true);
  reporter.Message(text.substr(0, text.size() - 1));
}

}  // namespace

bool IsPictureExtension(std::string_view lower_extension) {
  return std::find(std::begin(kPictureExtensions), std::end(kPictureExtensions), lower_extension) !=
         std::end(kPictureExtensions);
}

DropResult DropFiles(std::span<const std::string> paths, const DropContext& context, ImageList& list,
                     Reporter& reporter, ProgressObserver& progress, Desktop& desktop) {
  DropResult result;
  progress.Message("Scanning 'Drag and Drop' files...", false);
  // While a compile runs nothing may join the list, whatever the first path is.
  if (!context.open_project_enabled) {
    result.action = DropAction::kRefused;
    return result;
  }
  const int n = static_cast<int>(paths.size());
  std::vector<std::string> ignored;
  for (int i = 0; i < n; ++i) {
    const std::string& path = paths[static_cast<std::size_t>(i)];
    if (path.find('.') == std::string::npos) continue;  // a folder or a name without extension: not counted
    const std::string extension = LowerExtension(path);
    if (i == 0 && extension == ".sfg") return DropResult{DropAction::kOpenProject, path, 0, 0, 0};
    if (i == 0 && extension == ".wav" && context.include_audio_enabled) {
      return DropResult{DropAction::kSoundTrack, path, 0, 0, 0};
    }
    if (i % 40 == 0 || i == n - 1) {
      const int percent = Percent(i + 1, n);
      progress.Progress(std::to_string(percent) + "% Scanning file " + std::to_string(i + 1) + " of " +
                            std::to_string(n) + ".",
                        percent);
      progress.ProcessEvents();
    }
    if (IsPictureExtension(extension)) {
      list.AddPath(path);
      ++result.added;
    } else {
      ignored.push_back(path);
    }
  }
  result.ignored = static_cast<int>(ignored.size());
  if (result.added > 0) {
    result.row_to_select = RowAfterAdding(list, result.added);
    progress.ProcessEvents();
    progress.ProgressText("100% Scanning file " + std::to_string(n) + " of " + std::to_string(n) + ".");
  }
  ReportDrop(result.added, result.ignored, reporter, progress);
  if (!ignored.empty()) WriteIgnoredLog(context.program_folder, ignored, reporter, desktop);
  return result;
}

AddResult AddImageFiles(ImageList& list, std::string_view folder, std::span<const std::string> names,
                        Reporter& reporter, ProgressObserver& progress) {
  AddResult result;
  if (names.empty()) return result;
  std::string prefix(folder);
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  const int total = static_cast<int>(names.size());
  std::string last_progress;
  for (int k = 1; k <= total; ++k) {
    list.AddPath(prefix + names[static_cast<std::size_t>(k - 1)]);
    if ((k - 1) % 40 == 0 || k == total) {
      const int percent = Percent(k, total);
      last_progress = std::to_string(percent) + "% Loading file " + std::to_string(k) + " of " + std::to_string(total) + ".";
      progress.Progress(last_progress, percent);
      progress.ProcessEvents();
    }
  }
  result.added = total;
  result.row_to_select = RowAfterAdding(list, total);
  progress.ProcessEvents();
  const std::string text =
      std::to_string(total) + (total == 1 ? " image file added to the list." : " image files added to the list.");
  reporter.Message(text);
  progress.Message(text, true);
  // The progress fill goes back to 0 once the pictures are in.
  progress.Progress(last_progress, 0);
  return result;
}

}  // namespace sf
