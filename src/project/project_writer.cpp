#include "project/project_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "common/file_util.h"
#include "common/number_format.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "project/project_state.h"
#include "project/reopen_history.h"

namespace sf {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kReadOnlyQuestion[] =
    "The project file being saved is read-only. Do you want Slideforge.exe to make this file write able?";
constexpr char kNotSaved[] = "Project NOT saved.";
constexpr char kCannotMakeWritable[] =
    "Slideforge.exe was unable to make the project file write able. Please make sure it is not on a write protected "
    "disk.";
constexpr char kCannotWrite[] = "Project was not saved. Please make sure the disk is not write protected.";

std::string Flag(bool value) { return value ? "1" : "0"; }
char Digit(int value) { return static_cast<char>('0' + std::clamp(value, 0, 9)); }

// A timing edit's text goes into the file as one word. A text that is not a
// number (an edit left empty while Ctrl+S saves) would shift every later field
// and make the file unreadable, so the edit's start value is written instead.
std::string NumberWord(std::string_view text, std::string_view fallback) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.remove_suffix(1);
  return ParseDouble(trimmed) ? std::string(trimmed) : std::string(fallback);
}

// Length in bytes, one space, the text.
std::string Counted(std::string_view text) { return std::to_string(text.size()) + " " + std::string(text); }

std::string OptionsLine(const ProjectRecord& r) {
  std::string line = Flag(r.maintain_aspect) + " " + Flag(r.zoom_in) + " " + std::to_string(r.border_width) + " " +
                     std::to_string(r.border_height) + " " + std::to_string(r.pixel_format) + " ";
  // The output group <K O S> and the GIF group <L:T D>, written together as one word.
  line += std::string("<") + (r.avi_output ? '1' : '0') + (r.open_file_when_finished ? '1' : '0') +
          Digit(r.resize_method) + ">";
  line += "<" + std::to_string(r.gif_loops) + ":" + Digit(r.gif_transparency) + Digit(r.gif_disposal) + ">";
  // A reader that knows nothing of the encoding skips the word as a filler.
  const VideoEncoding& encoding = r.video_encoding;
  const std::string first_filler =
      encoding == VideoEncoding{} ? std::string("reserved2")
                                  : "<" + std::to_string(encoding.quality) + ":" +
                                        VideoPresets()[static_cast<std::size_t>(std::clamp(encoding.preset, 0, 8))] + ">";
  return line + " " + first_filler + " " + (r.gif_optimise ? kGifOptimiseWord : "reserved3") + " " +
         (r.upright ? kUprightWord : "reserved4") + " " + kLineEnd;
}

std::string TimingLine(const ProjectRecord& r) {
  std::string line = Flag(r.include_audio) + " " + std::to_string(r.media_type) + " ";
  line += NumberWord(r.frames_per_second, "29.97") + " ";
  line += std::to_string(r.frame_width) + " " + std::to_string(r.frame_height) + " ";
  line += NumberWord(r.repeat_value, "1") + " ";
  line += NumberWord(r.repeat_seconds, "0.0333667000333667") + " ";
  const std::string first_filler =
      r.show_transitions ? std::string(kTransitionsWord) + FormatGeneral(r.transition_seconds) + ">" : "reserved5";
  return line + first_filler + " reserved6 " + kLineEnd;
}

std::string PathsLine(const ProjectRecord& r) {
  return Flag(r.include_audio) + " " + Counted(r.audio_path) + " " + Counted(r.output_path) + " " +
         Counted(r.background_path) + " reserved7 reserved8 " + kLineEnd;
}

std::string RowLine(const ImageList& list, int row) {
  std::string line;
  for (int c = 0; c < list.ColumnCount(); ++c) line += Counted(list.Cell(row, c)) + " ";
  return line + kLineEnd;
}

void ShowRowProgress(ProgressObserver& progress, int row, int last_row) {
  const int percent = last_row > 0 ? static_cast<int>(static_cast<long long>(row) * 100 / last_row) : 50;
  progress.Progress(std::to_string(percent) + "% - complete. Saving path " + std::to_string(row) + " of " +
                        std::to_string(last_row),
                    percent);
  progress.ProcessEvents();
}

// No write permission for anyone (root is not stopped by the mode), or none for us.
bool IsReadOnly(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

bool MakeWritable(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  return chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0 && !IsReadOnly(path);
}

}  // namespace

std::string FormatProject(const ProjectRecord& record, ProgressObserver* progress) {
  const ImageList& list = record.list;
  std::string text = std::string(kProjectHeader) + " " + kProjectVersion + kLineEnd;
  text += std::to_string(list.ColumnCount()) + " " + std::to_string(list.RowCount()) + kLineEnd;
  for (int c = 0; c < list.ColumnCount(); ++c) {
    const auto index = static_cast<std::size_t>(c);
    text += std::to_string(index < record.column_widths.size() ? record.column_widths[index] : 0) + " ";
  }
  text += kLineEnd;
  text += OptionsLine(record);
  text += TimingLine(record);
  text += PathsLine(record);
  for (int r = 0; r < list.RowCount(); ++r) {
    if (progress != nullptr && r % 5 == 0) ShowRowProgress(*progress, r, list.RowCount() - 1);
    text += RowLine(list, r);
  }
  return text;
}

bool SaveProject(const ProjectRecord& record, ProjectState& state, Reporter& reporter, ProgressObserver& progress) {
  const std::string path = state.ProjectPath();
  progress.Message("Preparing to save project file...", true);
  if (PathExists(path) && IsReadOnly(path)) {
    if (!reporter.Confirm(kReadOnlyQuestion)) {
      reporter.Message(kNotSaved);
      return false;
    }
    if (!MakeWritable(path)) {
      reporter.Error(kCannotMakeWritable);
      return false;
    }
  }
  state.SaveStarted();
  progress.Message("Saving project file...", true);
  const std::string text = FormatProject(record, &progress);
  try {
    WriteFileReplacing(path, text);
  } catch (const std::runtime_error&) {
    state.SaveFinished(false);
    reporter.Error(kCannotWrite);
    return false;
  }
  progress.Progress("100% - complete. Saving finished.", 0);
  progress.Message("Project saved successfully.", true);
  state.SaveFinished(true);
  return true;
}

bool SaveProjectAs(const std::optional<std::string>& chosen_path, const ProjectRecord& record, ProjectState& state,
                   ReopenHistory& history, Reporter& reporter, ProgressObserver& progress) {
  if (!chosen_path) {
    reporter.Message(kNotSaved);
    return false;
  }
  state.SaveAsChosen(*chosen_path);
  const bool saved = SaveProject(record, state, reporter, progress);
  history.Add(*chosen_path);
  return saved;
}

}  // namespace sf
