#include "common/plugin_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace sf {

namespace {

std::vector<std::filesystem::path> PluginFolders() {
  std::vector<std::filesystem::path> folders;
  if (const char* chosen = std::getenv("SLIDEFORGE_PLUGIN_DIR"); chosen != nullptr && *chosen != '\0') {
    folders.emplace_back(chosen);
  }
  std::error_code error;
  const std::filesystem::path binary = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    folders.push_back(binary.parent_path());
    folders.push_back(binary.parent_path() / SLIDEFORGE_INSTALLED_PLUGIN_DIR);
  }
  return folders;
}

// Opens the plugin on the first call and keeps it open.
void* OpenPlugin(const std::string& file) {
  static std::mutex mutex;
  static std::map<std::string, void*> opened;
  const std::lock_guard lock(mutex);
  if (const auto found = opened.find(file); found != opened.end()) return found->second;
  std::string reason = "it was not found";
  for (const std::filesystem::path& folder : PluginFolders()) {
    const std::filesystem::path path = folder / file;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) continue;
    if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); handle != nullptr) {
      opened.emplace(file, handle);
      return handle;
    }
    const char* text = dlerror();
    reason = text != nullptr ? text : "it could not be opened";
  }
  throw std::runtime_error("Unable to load " + file + ": " + reason);
}

}  // namespace

void* PluginSymbol(const std::string& file, const char* symbol) {
  void* handle = OpenPlugin(file);
  dlerror();
  void* address = dlsym(handle, symbol);
  if (address == nullptr) {
    throw std::runtime_error("Unable to load " + file + ": it has no " + symbol + " (a plugin of another version?)");
  }
  return address;
}

}  // namespace sf
