#include "compile/compile_rig.h"

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "support/corpus.h"

namespace sf::test {

void StopAfterFrames::Progress(const std::string& text, int percent) {
  RecordingProgress::Progress(text, percent);
  if (text.find("% - Complete - ") != std::string::npos && percent > 0) ++m_shown;
}

CompileRig::CompileRig() : dir(MakeTempDir()) {
  settings.frame_width = 32;
  settings.frame_height = 24;
  settings.frames_per_second = 25;
  settings.output_path = dir + "/out.avi";
}

std::string CompileRig::AddPicture(const std::string& name, const Bitmap& picture, const std::string& effects) {
  const std::string path = Path(name);
  if (!FileExists(path)) WriteBmpFile(picture, path);
  list.AddPath(path);
  list.SetCell(list.LastRow(), kEffectsColumn, effects);
  return path;
}

CompileResult CompileRig::Run(RecordingProgress& observer) {
  const CompileJob job{list, settings, dir + "/", 0, project_path, preparation_threads};
  const CompileServices services{reporter, observer, desktop, host, chooser ? &*chooser : nullptr, encoding_chooser};
  return CompileImages(job, services);
}

}  // namespace sf::test
