// The converter's output names: the extension and base name of an input path,
// the output extension of a format choice, and the way a name is changed when
// the output file already exists.
//   GetFileExtension("/pics/a.JPG") == ".JPG";  GetBaseFileName("/pics/a.JPG") == "a"
//   ChooseOutputName("/out/", "photo", ".bmp", IfFileExists::kAddPrefix, "New_", exists)
//     -> {kWrite, "/out/New_photo.bmp"} when /out/photo.bmp exists
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sf {

// The "." and everything after it, the "." searched backwards over at most the
// last 100 characters; nothing when there is none.
std::optional<std::string> GetFileExtension(std::string_view path);
// The text after the last "/" up to the last "."; nothing when the path holds
// no "/" or the file name itself holds no ".".
std::optional<std::string> GetBaseFileName(std::string_view path);

// Format index 0 keeps the input's extension (letter case and all) when it is a
// BMP, JPEG or GIF extension and gives ".bmp" otherwise; 1 ".bmp", 2 ".jpg", 3 ".gif".
std::string OutputExtension(int format_index, std::string_view input_extension);

// In the order of the window's if-file-exists box.
enum class IfFileExists { kAddPrefix = 0, kAddPostfix = 1, kOverwrite = 2, kSkip = 3, kAbort = 4 };

struct OutputName {
  enum class Action { kWrite, kSkip, kAbort };
  Action action = Action::kWrite;
  // The name to write, or for kAbort the existing file that stopped the run.
  std::string path;
};

// The output name folder + base + extension, changed by the choice while a
// file of that name exists. An empty name text can never free a name, so it
// skips the file.
OutputName ChooseOutputName(const std::string& folder, const std::string& base, const std::string& extension,
                            IfFileExists choice, const std::string& name_text,
                            const std::function<bool(const std::string&)>& exists);

}  // namespace sf
