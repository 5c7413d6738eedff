#include "list/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/file_util.h"

namespace sf {
namespace {

constexpr FileFilter kFilters[] = {
    {"All Files (*.bmp;*.jpg;*.gif,*.ico, *.wmf,*.emf)", "*.bmp;*.jpg;*.jpeg;*.gif;*.ico;*.wmf;*.emf"},
    {"JPEG Files (*.jpg; *.jpeg)", "*.jpg;*.jpeg"},
    {"Bitmaps (*.bmp)", "*.bmp"},
    {"GIF (*.gif)", "*.gif"},
    {"Icon (*.ico)", "*.ico"},
    {"Windows Meta Files (*.wmf,*.emf)", "*.wmf;*.emf"},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Wildcard matching with one remembered "*": linear in practice, never recursive.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0, p = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::span<const FileFilter> FolderBrowserFilters() { return kFilters; }

bool MatchesMask(std::string_view name, std::string_view mask) {
  while (!mask.empty()) {
    const std::size_t end = std::min(mask.find(';'), mask.size());
    if (end > 0 && MatchesPattern(name, mask.substr(0, end))) return true;
    mask.remove_prefix(std::min(end + 1, mask.size()));
  }
  return false;
}

std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view mask) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code entry_error;
    if (!it->is_regular_file(entry_error)) continue;
    std::string name = it->path().filename().string();
    if (MatchesMask(name, mask)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = ToLowerAscii(a), lb = ToLowerAscii(b);
    return la != lb ? la < lb : a < b;
  });
  return names;
}

std::string RemoveForbiddenPathCharacters(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (std::string_view("\"*<>?|").find(c) == std::string_view::npos) kept += c;
  }
  return kept;
}

std::string WithTrailingSlash(std::string_view folder) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace sf
