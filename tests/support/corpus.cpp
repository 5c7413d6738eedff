#include "support/corpus.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace sf::test {

namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

// The folders made by MakeTempDir, removed when the test program ends.
class TempDirs {
 public:
  ~TempDirs() {
    std::error_code ignored;
    for (const auto& dir : m_dirs) std::filesystem::remove_all(dir, ignored);
  }
  void Add(const std::string& dir) { m_dirs.push_back(dir); }

 private:
  std::vector<std::string> m_dirs;
};

}  // namespace

std::optional<std::string> CorpusRoot() {
  const char* root = std::getenv("SLIDEFORGE_CORPUS");
  if (root == nullptr || !Exists(std::string(root) + "/MANIFEST.md")) return std::nullopt;
  return std::string(root);
}

std::optional<std::string> CorpusPath(const std::string& relative) {
  const auto root = CorpusRoot();
  if (!root) return std::nullopt;
  const std::string path = *root + "/" + relative;
  if (!Exists(path)) return std::nullopt;
  return path;
}

std::string SlideforgeBinary() {
  const char* binary = std::getenv("SLIDEFORGE_BINARY");
  return binary != nullptr ? binary : "slideforge";
}

bool HaveProgram(const std::string& name) {
  return RunCommand("command -v " + name + " >/dev/null 2>&1") == 0;
}

int RunCommand(const std::string& command, std::string* out) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 4096> buffer{};
  std::string text;
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), got);
  const int status = pclose(pipe);
  if (out != nullptr) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MakeTempDir() {
  std::string pattern = "/tmp/slideforge-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  static TempDirs made;
  made.Add(pattern);
  return pattern;
}

}  // namespace sf::test
