#include "project/project_reader.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "common/number_format.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "compile/compile_settings.h"
#include "project/project_writer.h"
#include "project/text_scanner.h"

namespace sf {

namespace {

// Every cell read becomes a string of its own: the ceiling keeps a file of
// nothing but empty cells within about a gigabyte of memory.
constexpr std::uint64_t kMaxProjectFile = std::uint64_t{1} << 26;
constexpr long long kMaxColumns = 1000;
constexpr long long kMaxColumnWidth = 100000;
constexpr long long kMaxGifLoops = 999999999;
// A version word quoted in the refusal is cut to this many characters.
constexpr std::size_t kMaxQuotedWord = 200;

[[noreturn]] void Damaged(const std::string& subject, const std::string& what) {
  throw FormatError("Project file is damaged: " + subject + " " + what);
}

// trunc(value) kept within [low, high]; value is finite.
int TruncateInto(double value, int low, int high) {
  return static_cast<int>(std::clamp(std::trunc(value), static_cast<double>(low), static_cast<double>(high)));
}

// An index read as a number: truncated when it is within the list's items, else 0.
int IndexOrZero(double value, std::size_t item_count) {
  if (value < 0.0 || value >= static_cast<double>(item_count)) return 0;
  return static_cast<int>(std::trunc(value));
}

// A digit character giving an index below item_count, else 0. Throws when c is
// not a digit.
int DigitIndex(char c, int item_count, const std::string& subject) {
  if (c < '0' || c > '9') Damaged(subject, "are not readable.");
  const int value = c - '0';
  return value < item_count ? value : 0;
}

class ProjectParser {
 public:
  ProjectParser(std::string_view text, ProgressObserver* progress) : m_in(text), m_progress(progress) {}

  ProjectRecord Parse() {
    ProjectRecord record;
    ReadHeader();
    ReadGrid(record);
    ReadOptions(record);
    ReadTiming(record);
    ReadPaths(record);
    ReadRows(record.list);
    return record;
  }

 private:
  std::string_view Item(const std::string& subject) {
    const auto word = m_in.Word();
    if (!word) Damaged(subject, "is missing.");
    return *word;
  }

  long long Integer(const std::string& subject) {
    const auto value = ParseInteger(Item(subject));
    if (!value) Damaged(subject, "is not a whole number.");
    return *value;
  }

  double Number(const std::string& subject) {
    const auto value = ParseDouble(Item(subject));
    if (!value) Damaged(subject, "is not a number.");
    return *value;
  }

  void Ignore(int words, const std::string& subject) {
    for (int i = 0; i < words; ++i) Item(subject);
  }

  std::string CountedText(const std::string& subject) {
    const auto run = m_in.DigitRun();
    if (!run) Damaged(subject, m_in.Word() ? "does not start with its length." : "is missing.");
    const auto length = ParseInteger(*run);
    if (!length || *length < 0 || static_cast<unsigned long long>(*length) > kMaxCountedText) {
      Damaged(subject, "has an impossible length.");
    }
    const auto text = m_in.Counted(static_cast<std::size_t>(*length));
    if (!text) Damaged(subject, "is cut short.");
    return std::string(*text);
  }

  void ReadHeader() {
    const auto header = m_in.Word();
    if (!header || *header != kProjectHeader) {
      throw FormatError("This file is not a valid Slideforge project. File not opened.");
    }
    const std::string version(m_in.Word().value_or("").substr(0, kMaxQuotedWord));
    if (version != kProjectVersion) {
      throw FormatError("This project file is " + version +
                        " This release of Slideforge can only read version 1.0. File not opened.");
    }
  }

  void ReadGrid(ProjectRecord& record) {
    const long long columns = Integer("the column count on line 2");
    const long long rows = Integer("the row count on line 2");
    // Every cell takes at least two characters (its length and the separator).
    if (columns < kDefaultColumnCount || columns > kMaxColumns ||
        static_cast<unsigned long long>(columns) > m_in.Remaining() / 2) {
      Damaged("the column count on line 2", "is out of range.");
    }
    if (rows < 1 || static_cast<unsigned long long>(rows) > m_in.Remaining() / (2 * static_cast<std::size_t>(columns))) {
      Damaged("the row count on line 2", "is out of range.");
    }
    record.column_widths.clear();
    for (long long c = 0; c < columns; ++c) {
      const long long width = Integer("a column width on line 3");
      if (width < 0 || width > kMaxColumnWidth) Damaged("a column width on line 3", "is out of range.");
      record.column_widths.push_back(static_cast<int>(width));
    }
    record.list = ImageList(static_cast<int>(columns));
    record.list.SetRowCount(static_cast<int>(rows));
  }

  void ReadOptions(ProjectRecord& record) {
    record.maintain_aspect = Number("the aspect ratio setting on line 4") != 0.0;
    record.zoom_in = Number("the zoom setting on line 4") != 0.0;
    record.border_width = TruncateInto(Number("the border width on line 4"), 0, kMaxBorderPercent);
    record.border_height = TruncateInto(Number("the border height on line 4"), 0, kMaxBorderPercent);
    record.pixel_format = IndexOrZero(Number("the pixel format on line 4"), PixelFormatItems().size());
    ReadGroups(std::string(Item("the output and GIF settings on line 4")), record);
    record.video_encoding = ReadEncoding(Item("a filler word on line 4"));
    record.gif_optimise = Item("a filler word on line 4") == kGifOptimiseWord;
    record.upright = Item("a filler word on line 4") == kUprightWord;
  }

  // "<Q:PRESET>" in the first filler; any other word there is a filler (older
  // files, other programs) and gives the start encoding.
  static VideoEncoding ReadEncoding(std::string_view word) {
    VideoEncoding encoding;
    if (word.size() < 5 || word.front() != '<' || word.back() != '>') return encoding;
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos) return encoding;
    const auto quality = ParseInteger(word.substr(1, colon - 1));
    const auto preset = VideoPresetIndex(word.substr(colon + 1, word.size() - colon - 2));
    if (!quality || *quality < kMinVideoQuality || *quality > kMaxVideoQuality || !preset) return encoding;
    return {static_cast<int>(*quality), *preset};
  }

  // "<transitions:SECONDS>" in line 5's first filler: any other word there, or
  // a time that is not a usable one, leaves the transitions out of the video.
  static void ReadTransitions(std::string_view word, ProjectRecord& record) {
    const std::string_view start = kTransitionsWord;
    if (word.size() <= start.size() + 1 || word.substr(0, start.size()) != start || word.back() != '>') return;
    const auto seconds = ParseDouble(word.substr(start.size(), word.size() - start.size() - 1));
    if (!seconds || !(*seconds > 0 && *seconds <= kMaxTransitionSeconds)) return;
    record.show_transitions = true;
    record.transition_seconds = *seconds;
  }

  // The word <K O S><L:T D>: output kind, open when finished and resize method,
  // then the GIF loop count, transparency and draw method.
  static void ReadGroups(const std::string& word, ProjectRecord& record) {
    record.has_groups = !word.empty() && word[0] == '<';
    if (!record.has_groups) {
      record.avi_output = true;
      record.open_file_when_finished = false;
      record.resize_method = 0;
      return;
    }
    const std::string subject = "the output and GIF settings on line 4";
    const std::size_t open = word.size() >= 4 ? word.find('<', 3) : std::string::npos;
    const std::size_t colon = open == std::string::npos ? std::string::npos : word.find(':', open + 1);
    if (colon == std::string::npos || colon + 2 >= word.size()) Damaged(subject, "are not readable.");
    record.avi_output = word[1] == '1';
    record.open_file_when_finished = DigitIndex(word[2], 10, subject) != 0;
    record.resize_method = DigitIndex(word[3], static_cast<int>(ResizeItems().size()), subject);
    const auto loops = ParseInteger(std::string_view(word).substr(open + 1, colon - open - 1));
    if (!loops) Damaged(subject, "are not readable.");
    record.gif_loops = static_cast<int>(std::clamp(*loops, 0LL, kMaxGifLoops));
    record.gif_transparency = DigitIndex(word[colon + 1], static_cast<int>(GifTransparencyItems().size()), subject);
    record.gif_disposal = DigitIndex(word[colon + 2], static_cast<int>(GifDisposalItems().size()), subject);
  }

  void ReadTiming(ProjectRecord& record) {
    record.include_audio = Number("the include audio setting on line 5") != 0.0;
    record.media_type = IndexOrZero(Number("the media type on line 5"), MediaTypePresets().size());
    record.frames_per_second = FormatGeneral(Number("the frame rate on line 5"));
    record.frame_width = TruncateInto(Number("the frame width on line 5"), kMinFrameSize, kMaxFrameSize);
    record.frame_height = TruncateInto(Number("the frame height on line 5"), kMinFrameSize, kMaxFrameSize);
    record.repeat_value = FormatGeneral(Number("the repeat value on line 5"));
    record.repeat_seconds = FormatGeneral(Number("the repeat seconds on line 5"));
    ReadTransitions(Item("a filler word on line 5"), record);
    Ignore(1, "a filler word on line 5");
  }

  void ReadPaths(ProjectRecord& record) {
    // Line 6 can only tick Include Audio, never untick what line 5 ticked.
    if (Number("the include audio setting on line 6") != 0.0) record.include_audio = true;
    record.audio_path = CountedText("the audio file path on line 6");
    record.output_path = CountedText("the output file path on line 6");
    record.background_path = CountedText("the background picture path on line 6");
    Ignore(2, "a filler word on line 6");
  }

  void ReadRows(ImageList& list) {
    const int rows = list.RowCount();
    for (int r = 0; r < rows; ++r) {
      if (m_progress != nullptr && (r % 55 == 0 || r == rows - 1)) ShowProgress(r, rows);
      const std::string subject = "the cell text at row " + std::to_string(r + 1);
      for (int c = 0; c < list.ColumnCount(); ++c) list.SetCell(r, c, CountedText(subject));
    }
  }

  void ShowProgress(int row, int rows) {
    const int last = rows - 1;
    const int percent = last > 0 ? static_cast<int>(static_cast<long long>(row) * 100 / last) : 50;
    m_progress->Progress(std::to_string(percent) + "% - complete. Reading in image " + std::to_string(row + 1) +
                             " of " + std::to_string(rows),
                         percent);
    m_progress->ProcessEvents();
  }

  TextScanner m_in;
  ProgressObserver* m_progress;
};

}  // namespace

ProjectRecord ParseProject(std::string_view text, ProgressObserver* progress) {
  return ProjectParser(text, progress).Parse();
}

std::optional<ProjectRecord> OpenProjectFile(const std::string& path, Reporter& reporter, ProgressObserver& progress) {
  std::string text;
  try {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxProjectFile);
    text.assign(bytes.begin(), bytes.end());
  } catch (const std::runtime_error&) {
    reporter.Error("Unable to open project file. Please make sure the disk is accessible.");
    return std::nullopt;
  }
  try {
    ProjectRecord record = ParseProject(text, &progress);
    progress.Progress("100% - complete. Project opened.", 0);
    progress.Message("Ready.", true);
    return record;
  } catch (const FormatError& refusal) {
    reporter.Error(refusal.what());
    return std::nullopt;
  }
}

}  // namespace sf
