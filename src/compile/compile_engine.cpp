#include "compile/compile_engine.h"

namespace sf {

CompileResult CompileImages(const CompileJob& job, const CompileServices& services) {
  return IsAviOutput(job.settings.output_path) ? SaveAsAVI(job, services) : SaveAsGifAnim(job, services);
}

}  // namespace sf
