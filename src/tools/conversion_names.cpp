#include "tools/conversion_names.h"

#include <algorithm>

#include "common/file_util.h"

namespace sf {

namespace {

constexpr std::size_t kExtensionSearch = 100;
constexpr std::size_t kFolderSearch = 9998;

}  // namespace

std::optional<std::string> GetFileExtension(std::string_view path) {
  const std::size_t searched = std::min(path.size(), kExtensionSearch);
  for (std::size_t k = 1; k <= searched; ++k) {
    const std::size_t at = path.size() - k;
    if (path[at] == '.') return std::string(path.substr(at));
  }
  return std::nullopt;
}

std::optional<std::string> GetBaseFileName(std::string_view path) {
  const std::size_t searched = std::min(path.size(), kFolderSearch);
  const std::size_t slash = path.substr(path.size() - searched).rfind('/');
  const std::size_t dot = path.rfind('.');
  if (slash == std::string_view::npos || dot == std::string_view::npos) return std::nullopt;
  const std::size_t name_start = path.size() - searched + slash + 1;
  // A "." only in a folder name would give a name reaching back past the "/".
  if (dot < name_start) return std::nullopt;
  return std::string(path.substr(name_start, dot - name_start));
}

std::string OutputExtension(int format_index, std::string_view input_extension) {
  switch (format_index) {
    case 1: return ".bmp";
    case 2: return ".jpg";
    case 3: return ".gif";
    default: break;
  }
  const std::string lower = ToLowerAscii(input_extension);
  if (lower == ".bmp" || lower == ".jpg" || lower == ".jpeg" || lower == ".gif") return std::string(input_extension);
  return ".bmp";
}

OutputName ChooseOutputName(const std::string& folder, const std::string& base, const std::string& extension,
                            IfFileExists choice, const std::string& name_text,
                            const std::function<bool(const std::string&)>& exists) {
  std::string name = base;
  OutputName result{OutputName::Action::kWrite, folder + name + extension};
  if (!exists(result.path)) return result;
  switch (choice) {
    case IfFileExists::kOverwrite: return result;
    case IfFileExists::kSkip: return {OutputName::Action::kSkip, result.path};
    case IfFileExists::kAbort: return {OutputName::Action::kAbort, result.path};
    case IfFileExists::kAddPrefix:
    case IfFileExists::kAddPostfix: break;
  }
  if (name_text.empty()) return {OutputName::Action::kSkip, result.path};
  while (exists(result.path)) {
    name = choice == IfFileExists::kAddPrefix ? name_text + name : name + name_text;
    result.path = folder + name + extension;
  }
  return result;
}

}  // namespace sf
