#include "avi/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace sf {

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("Unable to open file " + path);
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw std::runtime_error("Unable to open file " + path);
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) {
    ::close(fd);
    return std::shared_ptr<const MappedFile>(new MappedFile(nullptr, 0));
  }
  void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (data == MAP_FAILED) throw std::runtime_error("Unable to read file " + path);
  return std::shared_ptr<const MappedFile>(new MappedFile(static_cast<const std::uint8_t*>(data), size));
}

MappedFile::~MappedFile() {
  if (m_data != nullptr) munmap(const_cast<std::uint8_t*>(m_data), m_size);
}

}  // namespace sf
