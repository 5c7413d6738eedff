// Writing project files: the text of a record (CR LF lines, counted cells), and
// the Save Project and Save Project As commands with their question, messages and
// progress. The file is written beside the old one and renamed over it, so a
// failed save leaves the previous file as it was.
//   if (SaveProject(record, state, reporter, progress)) ...
//   SaveProjectAs(chosen_path, record, state, history, reporter, progress);
#pragma once

#include <optional>
#include <string>

#include "project/project_record.h"

namespace sf {

class ProgressObserver;
class ProjectState;
class ReopenHistory;
class Reporter;

inline constexpr char kProjectHeader[] = "Slideforge_Project";
inline constexpr char kProjectVersion[] = "version1.0";
// Stands in line 4 in place of the second filler word when the optimised GIF is
// chosen; readers that do not know it ignore it as they ignore the filler, and a
// project without it is written exactly as before.
inline constexpr char kGifOptimiseWord[] = "gif-optimise";
// Stands in place of the third filler when JPEG photos are turned upright by
// their EXIF orientation, in the same way.
inline constexpr char kUprightWord[] = "upright";
// Begins line 5's first filler word, "<transitions:1.5>", when the transitions
// are shown in the video.
inline constexpr char kTransitionsWord[] = "<transitions:";

// The whole file text. With a progress observer, progress is shown every 5 rows.
std::string FormatProject(const ProjectRecord& record, ProgressObserver* progress = nullptr);

// Save Project: writes the record to state.ProjectPath(). A file without write
// permission is made writable only when the person agrees. Returns true when the
// file was written.
bool SaveProject(const ProjectRecord& record, ProjectState& state, Reporter& reporter, ProgressObserver& progress);

// Save Project As with the path chosen in its dialog (nullopt: cancelled). The
// chosen path becomes current and goes into the reopen history even when the save
// is refused. Returns true when the file was written.
bool SaveProjectAs(const std::optional<std::string>& chosen_path, const ProjectRecord& record, ProjectState& state,
                   ReopenHistory& history, Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
