#include "fuzz/fuzz_target.h"

#include <unistd.h>

#include <filesystem>

#include "common/file_util.h"

namespace sf::fuzz {

std::string InputFile(std::span<const std::uint8_t> bytes, const std::string& extension) {
  static const std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  const std::string path = folder + "/slideforge-fuzz-" + std::to_string(getpid()) + extension;
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return path;
}

}  // namespace sf::fuzz
