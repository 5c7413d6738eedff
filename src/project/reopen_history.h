// The last five projects opened or saved under a new name, newest first, as shown
// on the File menu's Reopen submenu, and their file "Reopen.dat" in the program
// folder (a count, then five counted captions, CR LF lines).
//   history.Load(program_folder + kReopenFileName);
//   history.Add(project_path);
//   history.SaveAtExit(program_folder + kReopenFileName, reporter);
#pragma once

#include <array>
#include <string>

namespace sf {

class Reporter;

inline constexpr char kReopenFileName[] = "Reopen.dat";

class ReopenHistory {
 public:
  static constexpr int kSlots = 5;
  // The longest caption read from the file.
  static constexpr std::size_t kMaxCaption = 9999;

  // The submenu is enabled exactly when the count is above 0.
  int Count() const { return m_count; }
  bool MenuEnabled() const { return m_count > 0; }
  // Slot 0 is the newest. A hidden slot keeps its caption, which is saved too.
  const std::string& Caption(int slot) const { return m_captions.at(static_cast<std::size_t>(slot)); }
  bool Shown(int slot) const { return m_shown.at(static_cast<std::size_t>(slot)); }

  // Reads the file; a missing or unreadable file gives an empty history without a
  // message. Entries whose project no longer exists are dropped, the others keep
  // their order.
  void Load(const std::string& file_path);
  // A path already in any slot (compared exactly) changes nothing; a new one goes
  // to the top and the oldest of five falls off.
  void Add(const std::string& path);
  // Asks "Clear reopen history?"; on Yes empties the history and writes the file
  // at once. Returns true when cleared.
  bool Clear(const std::string& file_path, Reporter& reporter);
  // Writes the file when the count is above 0; a failure is reported.
  void SaveAtExit(const std::string& file_path, Reporter& reporter) const;

  // The file text.
  std::string Format() const;

 private:
  void DropMissingEntries(int count_read);

  int m_count = 0;
  std::array<std::string, kSlots> m_captions;
  std::array<bool, kSlots> m_shown{};
};

}  // namespace sf
