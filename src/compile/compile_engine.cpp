#include "compile/compile_engine.h"

namespace sf {

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
