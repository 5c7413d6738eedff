// Parts of Slideforge built as shared objects and opened on first use, so that
// their libraries cost nothing to a run that does not need them. A plugin is
// looked for in $SLIDEFORGE_PLUGIN_DIR, then beside the binary (the build
// tree), then in the binary's ../lib/.../slideforge folder (installed). It
// stays open for the life of the process.
//   auto open = PluginFunction<OpenFunction>("slideforge-ffmpeg.so", "SlideforgeOpenVideoSession1");
#pragma once

#include <string>

namespace sf {

// The address of symbol in the plugin file. Throws std::runtime_error naming
// the plugin and the loader's reason, for the last folder tried.
void* PluginSymbol(const std::string& file, const char* symbol);

template <typename Function>
Function PluginFunction(const std::string& file, const char* symbol) {
  return reinterpret_cast<Function>(PluginSymbol(file, symbol));
}

}  // namespace sf
