#include "tools/batch_conversion.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "common/file_util.h"
#include "list/image_list.h"
#include "effects/noise_random.h"
#include "tools/conversion_pipeline.h"
#include "tools/converter_list_validation.h"

namespace sf {

namespace {

constexpr char kSkippedEnd[] = "\n\nThis file will be skipped.\n\n- ";
constexpr char kReasonUnknown[] = "\n\nError reason unknown.\n - ConvertBtnClick()";
constexpr int kMaxJpegTries = 20;
// More failed tries than this are worth a word even when the file got saved.
constexpr int kQuietJpegTries = 5;

std::string NormalPath(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

struct Stopped {
  ConversionResult::Outcome outcome;
};

class ConversionRun {
 public:
  ConversionRun(ImageList& list, const ConversionSettings& settings, const ConversionServices& services)
      : m_list(list), m_settings(settings), m_services(services), m_noise(NoiseRandomState()) {}

  ConversionResult Run();

 private:
  void Prepare();
  void ConvertRows();
  void ConvertRow(int row);
  void ShowRowProgress(int row);
  void Save(ConvertedPicture& picture, const std::string& name);
  bool SaveJpeg(ConvertedPicture& picture, const std::string& name);
  ConvertedPicture PictureFor(int row, OutputKind kind);
  std::vector<std::optional<PictureJob>> Jobs() const;
  void Skip(const std::string& text);
  void Written(const std::string& name) {
    ++m_result.written;
    m_written.insert(NormalPath(name));
  }
  void Finish();

  Reporter& reporter() { return m_services.reporter; }
  ProgressObserver& progress() { return m_services.progress; }
  void ShowRow(int row) {
    if (m_services.show_row) m_services.show_row(row);
  }

  ImageList& m_list;
  const ConversionSettings& m_settings;
  const ConversionServices& m_services;
  ConversionResult m_result;
  // The generator state a one-at-a-time run would have at the current row.
  std::uint64_t m_noise;
  std::unique_ptr<ConversionPipeline> m_pipeline;
  // Files this run has written, so that a later row reading one of them is
  // converted from what is there now.
  std::set<std::string> m_written;
  std::string m_progress_text;
};

// The output extension and base name, or nothing when the path has none
// (reported as a skipped file).
struct RowNames {
  std::string extension;
  std::string base;
};

std::optional<RowNames> NamesOf(const std::string& path) {
  const auto extension = GetFileExtension(path);
  const auto base = GetBaseFileName(path);
  if (!extension || !base) return std::nullopt;
  return RowNames{*extension, *base};
}

ConversionResult ConversionRun::Run() {
  try {
    Prepare();
    ConvertRows();
  } catch (const Stopped& stop) {
    m_pipeline.reset();
    SetNoiseRandomState(m_noise);
    m_result.outcome = stop.outcome;
    return m_result;
  } catch (const std::exception& failure) {
    m_pipeline.reset();
    SetNoiseRandomState(m_noise);
    reporter().Error(failure.what());
    progress().ProgressText(m_progress_text + " - ERROR");
    reporter().Error(
        "Error converting image file(s). Please make sure that the image files are valid and that the disks being "
        "accessed have full read/write access permissions. \n- ConvertBtnClick()");
    m_result.outcome = ConversionResult::Outcome::kFailed;
    Finish();
    return m_result;
  }
  m_pipeline.reset();
  SetNoiseRandomState(m_noise);
  Finish();
  return m_result;
}

void ConversionRun::Prepare() {
  ValidateConverterList(m_list, 0, true, reporter(), progress());
  if (m_list.IsEmpty()) {
    reporter().Error(
        "Image Conversion Aborted:\n\nImage list is now empty after validating files.\nImage files were not "
        "found.\n\n- ConvertBtnClick()");
    progress().ProgressText("Conversion process stopped.");
    throw Stopped{ConversionResult::Outcome::kEmptyList};
  }
  m_progress_text = "Preparing conversion process...";
  progress().ProgressText(m_progress_text);
  progress().ProcessEvents();

  const std::string& folder = m_settings.output_folder;
  if (folder.empty()) throw std::runtime_error("Unable to create directory");
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  if (!std::filesystem::is_directory(folder, ignored)) {
    reporter().Error(
        "Image Conversion Aborted:\n\nUnable to create the directory path for the output\nfiles. Please make sure "
        "that the drive being accessed\nhas full read/write access permissions and that\n it exists.\n\n- "
        "ConvertBtnClick()");
    progress().ProgressText("Unable to create directory path. Conversion stopped.");
    throw Stopped{ConversionResult::Outcome::kNoFolder};
  }
}

std::vector<std::optional<PictureJob>> ConversionRun::Jobs() const {
  std::vector<std::optional<PictureJob>> jobs;
  for (int row = 0; row < m_list.RowCount(); ++row) {
    const std::string& path = m_list.Path(row);
    const auto names = NamesOf(path);
    if (!names) {
      jobs.emplace_back();
      continue;
    }
    const OutputKind kind = OutputKindOf(OutputExtension(m_settings.format_index, names->extension));
    jobs.push_back(PictureJob{path, m_list.Effects(row), kind});
  }
  return jobs;
}

void ConversionRun::ConvertRows() {
  m_result.rows = m_list.RowCount();
  if (m_settings.threads > 1) {
    m_pipeline = std::make_unique<ConversionPipeline>(Jobs(), m_settings.picture, m_settings.threads, m_noise);
  }
  for (int row = 0; row < m_result.rows; ++row) {
    if (m_pipeline) m_pipeline->Advance(row);
    ConvertRow(row);
  }
  const int rows = m_result.rows;
  m_progress_text = "100% - " + std::to_string(rows) + " of " + std::to_string(rows) + " processed. " +
                    std::to_string(m_result.skipped) + " skipped.";
  progress().Progress(m_progress_text, 100);
  ShowRow(rows - 1);
}

void ConversionRun::ShowRowProgress(int row) {
  const int rows = m_result.rows;
  const int percent = static_cast<int>(static_cast<double>(row) / rows * 100);
  ShowRow(row);
  m_progress_text = std::to_string(percent) + "% - " + std::to_string(row) + " of " + std::to_string(rows) +
                    " converted.";
  progress().Progress(m_progress_text, percent);
  progress().Title(std::to_string(percent) + "% - Slideforge");
  progress().ProcessEvents();
  if (progress().StopRequested()) {
    m_progress_text += " Stopped.";
    progress().ProgressText(m_progress_text);
    throw Stopped{ConversionResult::Outcome::kStopped};
  }
}

void ConversionRun::Skip(const std::string& text) {
  if (!m_settings.skip_errors && !text.empty()) reporter().Error(text);
  ++m_result.skipped;
}

ConvertedPicture ConversionRun::PictureFor(int row, OutputKind kind) {
  const auto from_here = [this] { return m_noise; };
  if (m_pipeline) {
    ConvertedPicture picture = m_pipeline->Take(row);
    // Converted ahead from a state that an earlier row did not leave after all
    // (it was skipped): the effects must see the one-at-a-time sequence. A
    // picture read before an earlier row wrote over its file is read again.
    const bool input_rewritten = m_written.count(NormalPath(m_list.Path(row))) > 0;
    if (!input_rewritten && (!picture.DrewNoise() || picture.noise_before == m_noise)) return picture;
    return ConvertPicture(m_list.Path(row), m_list.Effects(row), kind, m_settings.picture, from_here, nullptr);
  }
  return ConvertPicture(m_list.Path(row), m_list.Effects(row), kind, m_settings.picture, from_here, &progress());
}

void ConversionRun::ConvertRow(int row) {
  if (row % 3 == 1) ShowRowProgress(row);
  const std::string& path = m_list.Path(row);
  const auto extension = GetFileExtension(path);
  if (!extension) {
    return Skip("Error: No file extension was found in input file name:\n\n" + path + kSkippedEnd +
                "GetFileExtension() in ConvertBtnClick()");
  }
  const auto base = GetBaseFileName(path);
  if (!base) {
    return Skip("Error: Unable to extract the base file name from input file name:\n\n" + path + kSkippedEnd +
                "GetBaseFileName() in ConvertBtnClick()");
  }
  const std::string output_extension = OutputExtension(m_settings.format_index, *extension);
  const OutputName name = ChooseOutputName(m_settings.output_folder, *base, output_extension, m_settings.if_exists,
                                           m_settings.name_text, [](const std::string& p) { return PathExists(p); });
  if (name.action == OutputName::Action::kSkip) return Skip("");
  if (name.action == OutputName::Action::kAbort) {
    reporter().Error("Process aborted to avoid file overwrite of file name:\n\n" + name.path);
    m_progress_text += " - Aborted";
    progress().ProgressText(m_progress_text);
    throw Stopped{ConversionResult::Outcome::kAborted};
  }

  ConvertedPicture picture = PictureFor(row, OutputKindOf(output_extension));
  picture.reports.Replay(reporter());
  if (picture.DrewNoise()) m_noise = picture.noise_after;
  const bool smooth = m_settings.picture.method == ResizeMethod::kSmooth;
  switch (picture.outcome) {
    case ConvertedPicture::Outcome::kLoadFailed: return Skip("");
    case ConvertedPicture::Outcome::kResizeFailed:
      return Skip(std::string(smooth ? "Error: Unable to apply a smooth resize to file:\n\n"
                                     : "Error: Unable to apply a standard resize to file:\n\n") +
                  path + kSkippedEnd + (smooth ? "ResizeSmooth()" : "ResizeStandard()") + " in ConvertBtnClick()");
    case ConvertedPicture::Outcome::kEffectsFailed:
      return Skip("There was an error applying effects to file: \n\n" + path + kSkippedEnd +
                  "ApplyListOfEffects() in ConvertBtnClick()");
    case ConvertedPicture::Outcome::kReady: break;
  }
  Save(picture, name.path);
}

void ConversionRun::Save(ConvertedPicture& picture, const std::string& name) {
  if (picture.kind == OutputKind::kJpeg) {
    if (SaveJpeg(picture, name)) Written(name);
    return;
  }
  const bool gif = picture.kind == OutputKind::kGif;
  try {
    if (!picture.encoded) throw std::runtime_error(picture.encode_failure);
    WriteFileReplacing(name, std::string_view(reinterpret_cast<const char*>(picture.encoded->data()),
                                              picture.encoded->size()));
    Written(name);
  } catch (const std::exception& failure) {
    ++m_result.skipped;
    if (m_settings.skip_errors) return;
    reporter().Error(failure.what());
    reporter().Error(std::string(gif ? "Error saving GIF. File NOT saved. File name:\n"
                                     : "Error saving BMP. File NOT saved. File name:\n") +
                     name + kReasonUnknown);
    m_progress_text = gif ? "Error saving GIF." : "Error saving BMP.";
    progress().ProgressText(m_progress_text);
  }
}

bool ConversionRun::SaveJpeg(ConvertedPicture& picture, const std::string& name) {
  int quality = m_settings.picture.jpeg_quality;
  int tries = 0;
  bool failed = false;
  do {
    try {
      // The first try writes the encoding made beside the run.
      std::vector<std::uint8_t> bytes;
      if (tries > 0) {
        bytes = EncodeOutput(picture.output, picture.kind, quality);
      } else if (picture.encoded) {
        bytes = std::move(*picture.encoded);
      } else {
        throw std::runtime_error(picture.encode_failure);
      }
      WriteFileReplacing(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
      if (failed && tries > kQuietJpegTries && !m_settings.skip_errors) {
        reporter().Error(
            "Error saving current JPEG at desired compression\nquality. File was succesfully saved at " +
            std::to_string(quality) + "%\ncompression quality. Current file name:\n" + name + kReasonUnknown);
      }
      return true;
    } catch (const std::exception&) {
      ++tries;
      --quality;
      m_progress_text = "Error saving current JPEG. Trying again at lower quality...";
      progress().ProgressText(m_progress_text);
      progress().ProcessEvents();
      failed = true;
    }
  } while (tries < quality && tries < kMaxJpegTries);
  ++m_result.skipped;
  if (!m_settings.skip_errors) {
    reporter().Error("Error saving JPEG. File NOT saved. File name:\n" + name + kReasonUnknown);
    m_progress_text = "Error saving JPEG.";
    progress().ProgressText(m_progress_text);
  }
  return false;
}

void ConversionRun::Finish() {
  progress().Title("100% - Slideforge");
  if (m_settings.open_folder) m_services.desktop.Open(m_settings.output_folder);
}

}  // namespace

ConversionResult ConvertImages(ImageList& list, const ConversionSettings& settings,
                               const ConversionServices& services) {
  return ConversionRun(list, settings, services).Run();
}

}  // namespace sf
