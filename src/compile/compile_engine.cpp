#include "compile/compile_engine.h"

#include <algorithm>
#include <thread>

namespace sf {

int PreparationThreadsForThisComputer() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

CompileResult CompileImages(const CompileJob& job, const CompileServices& services) {
  switch (OutputKindOf(job.settings.output_path)) {
    case CompileOutputKind::kMp4:
    case CompileOutputKind::kWebm:
      return SaveAsVideo(job, services);
    case CompileOutputKind::kAvi:
      return SaveAsAVI(job, services);
    case CompileOutputKind::kGif:
      break;
  }
  return SaveAsGifAnim(job, services);
}

}  // namespace sf
