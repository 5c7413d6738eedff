#include "common/file_util.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "common/replacing_file.h"

namespace sf {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t max_size) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("Unable to open file " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<std::uint64_t>(info.st_size) > max_size) {
      std::fclose(file);
      throw std::runtime_error("File is too large: " + path);
    }
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  std::uint8_t buffer[65536];
  while (true) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    if (got == 0) break;
    if (bytes.size() + got > max_size) {
      std::fclose(file);
      throw std::runtime_error("File is too large: " + path);
    }
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw std::runtime_error("Unable to read file " + path);
  return bytes;
}

std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  const std::size_t got = std::fread(bytes.data(), 1, n, file);
  std::fclose(file);
  bytes.resize(got);
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool DeleteFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

void WriteWholeFile(const std::string& path, std::string_view content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("Unable to create file " + path + ": " + std::strerror(errno));
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) throw WriteFailure(path);
}

void WriteFileReplacing(const std::string& path, std::string_view content) {
  ReplacingFile output(path);
  const std::string& temporary = output.WritingPath();
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("Unable to create file " + temporary + ": " + std::strerror(errno));
  bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) throw WriteFailure(path);
  output.PutInPlace();
}

std::runtime_error WriteFailure(const std::string& path) {
  const int error = errno;
  return std::runtime_error("Unable to write file " + path + (error != 0 ? ": " + std::string(std::strerror(error)) : ""));
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string LowerExtension(std::string_view path) {
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  return ToLowerAscii(path.substr(dot));
}

std::string FolderOf(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

}  // namespace sf
