#include "common/replacing_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace sf {

ReplacingFile::ReplacingFile(std::string path) : m_path(std::move(path)), m_writing_path(m_path + ".part") {}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::PutInPlace() {
  if (m_done) return;
  struct stat info {};
  if (stat(m_path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      Discard();
      throw std::runtime_error("Unable to write " + m_path + ": a folder of that name is in the way");
    }
    chmod(m_writing_path.c_str(), info.st_mode & 07777);
  }
  if (std::rename(m_writing_path.c_str(), m_path.c_str()) != 0) {
    const int error = errno;
    Discard();
    throw std::runtime_error("Unable to write " + m_path + ": " + std::strerror(error));
  }
  m_done = true;
}

void ReplacingFile::Discard() {
  if (m_done) return;
  std::remove(m_writing_path.c_str());
  m_done = true;
}

}  // namespace sf
