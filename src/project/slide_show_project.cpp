#include "project/slide_show_project.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "common/number_format.h"
#include "common/reporter.h"
#include "list/folder_listing.h"
#include "list/natural_sort.h"

namespace sf {

namespace {

// The folder's pictures, full paths, in natural order (pic9 before pic10).
std::vector<std::string> PicturesIn(const std::filesystem::path& folder) {
  std::vector<std::string> paths;
  for (const std::string& name : ListMatchingFiles(folder.string(), FolderBrowserFilters()[0].mask)) {
    paths.push_back((folder / name).string());
  }
  std::stable_sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
    return CompareKeys(SortKey(a, false, 0), SortKey(b, false, 0)) < 0;
  });
  return paths;
}

std::optional<std::vector<std::string>> ExpandInputs(const std::vector<std::string>& inputs, Reporter& reporter) {
  std::vector<std::string> pictures;
  for (const std::string& input : inputs) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(input, error);
    if (std::filesystem::is_directory(path, error)) {
      const std::vector<std::string> found = PicturesIn(path);
      if (found.empty()) {
        reporter.Error("The folder " + input + " holds no pictures.");
        return std::nullopt;
      }
      pictures.insert(pictures.end(), found.begin(), found.end());
    } else if (std::filesystem::is_regular_file(path, error)) {
      pictures.push_back(path.lexically_normal().string());
    } else {
      reporter.Error("The picture or folder " + input + " was not found.");
      return std::nullopt;
    }
  }
  if (pictures.empty()) reporter.Error("No pictures were given.");
  if (pictures.empty()) return std::nullopt;
  return pictures;
}

const char* MotionCell(SlideShowMotion motion, int row) {
  switch (motion) {
    case SlideShowMotion::kNone: return "";
    case SlideShowMotion::kZoomIn: return "Zoom In";
    case SlideShowMotion::kZoomOut: return "Zoom Out";
    case SlideShowMotion::kPan: return row % 2 == 0 ? "Pan Right" : "Pan Left";
  }
  return "";
}

// The preset of this rate and size, else "Custom".
int MediaTypeFor(double frames_per_second, int width, int height) {
  const std::span<const MediaTypePreset> presets = MediaTypePresets();
  for (std::size_t k = 1; k < presets.size(); ++k) {
    if (presets[k].frames_per_second == frames_per_second && presets[k].width == width &&
        presets[k].height == height) {
      return static_cast<int>(k);
    }
  }
  return 0;
}

}  // namespace

std::optional<ProjectRecord> SlideShowProject(const SlideShowRequest& request, Reporter& reporter) {
  const std::optional<std::vector<std::string>> pictures = ExpandInputs(request.inputs, reporter);
  if (!pictures) return std::nullopt;

  ProjectRecord record;
  for (const std::string& picture : *pictures) record.list.AddPath(picture);
  for (int row = 0; row < record.list.RowCount(); ++row) {
    record.list.SetCellAdding(row, kMotionColumn, MotionCell(request.motion, row));
  }
  if (request.transition) {
    for (int row = 1; row < record.list.RowCount(); ++row) {
      record.list.SetCell(row, kTransitionColumn, std::to_string(static_cast<int>(*request.transition)));
    }
  }
  record.column_widths.resize(static_cast<std::size_t>(record.list.ColumnCount()), 0);

  record.resize_method = 1;  // smooth: photos shrink without aliasing
  record.avi_output = OutputHasSound(request.output_path);
  record.media_type = MediaTypeFor(request.frames_per_second, request.width, request.height);
  record.frames_per_second = FormatGeneral(request.frames_per_second);
  record.frame_width = request.width;
  record.frame_height = request.height;
  record.repeat_value = FormatGeneral(request.seconds * request.frames_per_second);
  record.repeat_seconds = FormatGeneral(request.seconds);
  record.show_transitions = request.transition.has_value();
  record.transition_seconds = request.transition_seconds;
  record.output_path = request.output_path;
  record.upright = request.upright;
  if (!request.audio_path.empty()) {
    record.include_audio = true;
    record.audio_path = request.audio_path;
  }
  return record;
}

}  // namespace sf
