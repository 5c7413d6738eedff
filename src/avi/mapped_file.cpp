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

void MappedFile::Release(std::span<const std::uint8_t> range) const {
  if (range.empty() || range.data() < m_data || range.data() + range.size() > m_data + m_size) return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(range.data()) / page * page;
  const auto end = reinterpret_cast<std::uintptr_t>(range.data() + range.size());
  // Pages of a read-only private mapping that were never written are dropped
  // and read again from the file when touched.
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

MappedFile::~MappedFile() {
  if (m_data != nullptr) munmap(const_cast<std::uint8_t*>(m_data), m_size);
}

}  // namespace sf
