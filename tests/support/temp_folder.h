// A folder of its own for one test, removed with everything in it at the end.
//   test::TempFolder folder;
//   const std::string path = folder.Write("photo.jpg", bytes);
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/file_util.h"
#include "support/corpus.h"

namespace sf::test {

class TempFolder {
 public:
  TempFolder() : m_path(MakeTempDir()) {}
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  // Writes the bytes as the file name in the folder and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string path = m_path + "/" + name;
    WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return path;
  }

 private:
  std::string m_path;
};

}  // namespace sf::test
