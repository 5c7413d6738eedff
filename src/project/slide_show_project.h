// A slide show made straight from pictures and folders, as the project the
// window would hold for it: folders give their pictures in natural order, every
// picture shows for the same time, each row after the first carries the chosen
// transition (shown in the video), and the rows may move.
//   SlideShowRequest request;
//   request.inputs = {"/photos/holiday"};
//   request.output_path = "/videos/holiday.mp4";
//   const std::optional<ProjectRecord> record = SlideShowProject(request, reporter);
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "effects/transitions.h"
#include "project/project_record.h"

namespace sf {

class Reporter;

enum class SlideShowMotion { kNone, kZoomIn, kZoomOut, kPan };

struct SlideShowRequest {
  std::vector<std::string> inputs;          // picture files and folders
  std::string output_path;
  int width = 1280;
  int height = 720;
  double frames_per_second = 25;
  double seconds = 3;                       // each picture's time on screen
  std::optional<Transition> transition = Transition::kCrossFade;   // nothing: plain cuts
  double transition_seconds = 0.75;
  SlideShowMotion motion = SlideShowMotion::kNone;   // kPan alternates Pan Right and Pan Left
  std::string audio_path;                   // empty: no sound track
  bool upright = true;                      // JPEG photos turned by their EXIF orientation
};

// The project, or nothing after reporting why (an input that is neither a
// picture nor a folder, a folder without pictures, no pictures at all).
std::optional<ProjectRecord> SlideShowProject(const SlideShowRequest& request, Reporter& reporter);

}  // namespace sf
