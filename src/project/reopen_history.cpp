#include "project/reopen_history.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "common/file_util.h"
#include "common/number_format.h"
#include "common/reporter.h"
#include "project/text_scanner.h"

namespace sf {

namespace {

// Five captions of at most 9999 characters fit many times over.
constexpr std::uint64_t kMaxHistoryFile = std::uint64_t{1} << 20;

std::optional<long long> ReadInteger(std::optional<std::string_view> item) {
  if (!item) return std::nullopt;
  return ParseInteger(*item);
}

}  // namespace

void ReopenHistory::Load(const std::string& file_path) {
  *this = ReopenHistory();
  std::string text;
  try {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(file_path, kMaxHistoryFile);
    text.assign(bytes.begin(), bytes.end());
  } catch (const std::runtime_error&) {
    return;
  }
  TextScanner in(text);
  const std::optional<long long> count = ReadInteger(in.Word());
  if (!count) return;
  // A damaged slot ends the reading; the slots read so far stay, and every entry
  // is checked against the disk below anyway.
  for (std::size_t slot = 0; slot < kSlots; ++slot) {
    const std::optional<long long> length = ReadInteger(in.DigitRun());
    if (!length || *length < 0) break;
    const std::optional<std::string_view> caption = in.Counted(static_cast<std::size_t>(*length));
    if (!caption) break;
    m_captions[slot] = std::string(caption->substr(0, kMaxCaption));
  }
  const int count_read = static_cast<int>(std::clamp<long long>(*count, 0, kSlots));
  m_count = count_read;
  DropMissingEntries(count_read);
}

void ReopenHistory::DropMissingEntries(int count_read) {
  // Seven passes settle every arrangement of five slots.
  for (int pass = 0; pass < 7; ++pass) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(count_read); ++k) {
      if (FileExists(m_captions[k])) {
        m_shown[k] = true;
        continue;
      }
      for (std::size_t j = k; j + 1 < kSlots; ++j) m_captions[j] = m_captions[j + 1];
      m_captions[kSlots - 1].clear();
      m_shown[k] = false;
    }
  }
  m_count = 0;
  for (int k = kSlots; k >= 1; --k) {
    if (m_shown[static_cast<std::size_t>(k - 1)]) {
      m_count = k;
      break;
    }
  }
}

void ReopenHistory::Add(const std::string& path) {
  if (std::find(m_captions.begin(), m_captions.end(), path) != m_captions.end()) return;
  const auto c = static_cast<std::size_t>(m_count);
  const std::size_t moved = std::min(c, static_cast<std::size_t>(kSlots - 1));
  for (std::size_t i = moved; i >= 1; --i) m_captions[i] = m_captions[i - 1];
  m_captions[0] = path;
  m_shown[moved] = true;
  m_count = std::min(m_count + 1, kSlots);
}

bool ReopenHistory::Clear(const std::string& file_path, Reporter& reporter) {
  if (!reporter.Confirm("Clear reopen history?")) return false;
  *this = ReopenHistory();
  try {
    WriteFileReplacing(file_path, Format());
  } catch (const std::runtime_error&) {
    reporter.Error("Unable to clear history in data file:\n\n" + file_path +
                   ".\n\nPlease make sure that this file is accessible and not write protected.");
  }
  return true;
}

void ReopenHistory::SaveAtExit(const std::string& file_path, Reporter& reporter) const {
  if (!MenuEnabled()) return;
  try {
    WriteFileReplacing(file_path, Format());
  } catch (const std::runtime_error&) {
    reporter.Error("Unable to save the 'Reopen' menu list to disk.");
  }
}

std::string ReopenHistory::Format() const {
  std::string text = std::to_string(m_count) + "\r\n";
  for (const std::string& caption : m_captions) text += std::to_string(caption.size()) + " " + caption + "\r\n";
  return text;
}

}  // namespace sf
