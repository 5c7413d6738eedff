// Small file-system helpers shared by every module: whole-file reads with a size
// ceiling, existence tests, and a write that replaces a file only once the new
// content is complete on disk.
//   const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
//   WriteFileReplacing(path, text);   // the old file survives a failed write
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sf {

// The largest file any reader loads whole into memory.
inline constexpr std::uint64_t kMaxReadSize = std::uint64_t{1} << 31;

// Throws std::runtime_error with a plain message when the file cannot be read
// or is larger than max_size.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t max_size = kMaxReadSize);
// Up to n bytes from the start of a file; fewer when the file is shorter, none
// when it cannot be opened.
std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t n);

bool FileExists(const std::string& path);     // a regular file (or a link to one)
bool PathExists(const std::string& path);     // anything at that path
bool DeleteFile(const std::string& path);

// Writes the whole content to a temporary file in the same folder, then renames
// it over path. Throws std::runtime_error when any step fails; path is then
// untouched.
void WriteFileReplacing(const std::string& path, std::string_view content);

// The failure of a write that has just gone wrong, with the system's reason
// when it gave one: "Unable to write file PATH: No space left on device".
std::runtime_error WriteFailure(const std::string& path);
// Plain create-or-truncate write; throws std::runtime_error on failure.
void WriteWholeFile(const std::string& path, std::string_view content);

std::string ToLowerAscii(std::string_view text);
// The text from the last "." to the end, lower-cased; empty when there is no ".".
std::string LowerExtension(std::string_view path);
// The folder part of a path including its last "/", or empty.
std::string FolderOf(std::string_view path);

}  // namespace sf
