// A whole file mapped read-only into memory, so that readers can walk AVI files
// of many gigabytes without copying them. Shared ownership lets the streams
// taken from a file outlive the file's own handle.
//   const auto file = MappedFile::Open(path);   // throws std::runtime_error
//   ByteReader reader(file->Bytes());
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace sf {

class MappedFile {
 public:
  static std::shared_ptr<const MappedFile> Open(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const std::uint8_t> Bytes() const { return {m_data, m_size}; }
  // Lets the system drop the pages of a range that was read and is not needed
  // again soon, so that walking a file of gigabytes keeps little of it resident.
  // The bytes stay readable: a later read brings them back from the file.
  void Release(std::span<const std::uint8_t> range) const;

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  const std::uint8_t* m_data = nullptr;
  std::size_t m_size = 0;
};

}  // namespace sf
