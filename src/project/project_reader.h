// Reading project files into a whole record. A file with another header or
// version word is refused with its message; a body that is malformed or cut short
// stops the reading at the first bad field with a message that names it. Nothing
// is read past the data, and a failure leaves nothing half-read behind.
//   std::optional<ProjectRecord> record = OpenProjectFile(path, reporter, progress);
//   if (record) ...copy it into the window, then validate the list
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/project_record.h"

namespace sf {

class ProgressObserver;
class Reporter;

// The longest counted text (a path or a cell) a reader accepts.
inline constexpr std::size_t kMaxCountedText = std::size_t{1} << 20;

// Parses a whole project file text. Throws FormatError with the message to show.
// With a progress observer, progress is shown every 55 rows.
ProjectRecord ParseProject(std::string_view text, ProgressObserver* progress = nullptr);

// Open Project from reading the file on: a file that cannot be read, a refused
// header or version and a damaged body are reported and give nullopt. On success
// the progress panel reads "100% - complete. Project opened." and the message
// panel "Ready.".
std::optional<ProjectRecord> OpenProjectFile(const std::string& path, Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
