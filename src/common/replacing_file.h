// A file written beside its destination and put in place only once complete,
// so that an interrupted or failed write never destroys the file it was to
// replace. Killed half-way, it leaves the old file and a "<name>.part" file.
//   ReplacingFile output(path);
//   Write(output.WritingPath());
//   output.PutInPlace();   // throws when the rename fails; the old file stays
#pragma once

#include <string>

namespace sf {

class ReplacingFile {
 public:
  explicit ReplacingFile(std::string path);
  // Removes the file being written unless it has been put in place.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  const std::string& Path() const { return m_path; }
  const std::string& WritingPath() const { return m_writing_path; }
  // Renames the written file over the destination, keeping the permissions of
  // the file it replaces. Throws std::runtime_error (the written file is then
  // removed and the destination untouched).
  void PutInPlace();
  // Removes the written file; the destination stays as it was.
  void Discard();

 private:
  std::string m_path;
  std::string m_writing_path;
  bool m_done = false;
};

}  // namespace sf
