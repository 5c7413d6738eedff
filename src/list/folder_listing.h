// What the folder browser and the directory chooser show and accept: the file
// types of the browser's filter, the files of a folder that match a mask (sorted
// by name without regard to case), and the path typed into the chooser.
//   const auto names = ListMatchingFiles(folder, FolderBrowserFilters()[0].mask);
//   const std::string chosen = WithTrailingSlash(RemoveForbiddenPathCharacters(typed));
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sf {

struct FileFilter {
  const char* caption;
  const char* mask;  // "*.jpg;*.jpeg"
};
// The folder browser's six file types, "All Files" first.
std::span<const FileFilter> FolderBrowserFilters();

// Whether a file name matches one of the ";"-separated patterns of a mask, with
// "*" for any run of characters and "?" for one; letters match in either case.
bool MatchesMask(std::string_view name, std::string_view mask);

// The names of the regular files in folder that match the mask, sorted by name
// without regard to case. A folder that cannot be read gives no names.
std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view mask);

// The path field drops the characters a folder name cannot hold: " * < > ? |
std::string RemoveForbiddenPathCharacters(std::string_view text);
// The chosen folder always ends with "/".
std::string WithTrailingSlash(std::string_view folder);

}  // namespace sf
