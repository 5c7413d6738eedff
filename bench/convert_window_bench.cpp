// The batch converter with 500 photos resized to 800 x 600 JPEG files: the
// core run on one core and on every core, then the real window's Convert
// Images, printing the time taken and, for the window, the longest stretch
// during which it handled no events, which is what a person feels as an
// unresponsive window.
//   build-bench/bench/convert_window_bench [photos]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/convert_images_form.h"
#include "app/hint_form.h"
#include "common/desktop.h"
#include "image/bitmap.h"
#include "image/jpeg_writer.h"
#include "list/image_list.h"
#include "tools/batch_conversion.h"
#include "window_measure.h"

namespace {

using sf::bench::Measure;
using sf::bench::YesReporter;

// The names column of the printed lines.
constexpr int kNameWidth = 30;

// A 1600 x 1200 picture with smooth gradients and some detail, as a photo has.
sf::Bitmap Photo(int seed) {
  sf::Bitmap photo(1600, 1200);
  for (int y = 0; y < photo.Height(); ++y) {
    auto row = photo.Row(y);
    for (int x = 0; x < photo.Width(); ++x) {
      row[3 * x] = static_cast<std::uint8_t>((x + seed * 7) / 7);
      row[3 * x + 1] = static_cast<std::uint8_t>((y + seed * 3) / 5);
      row[3 * x + 2] = static_cast<std::uint8_t>(((x ^ y) & 31) * 4 + seed);
    }
  }
  return photo;
}

void TimeCoreRun(const char* name, const std::vector<std::string>& paths, const std::string& out, int threads) {
  sf::ImageList list;
  for (const std::string& path : paths) list.AddPath(path);
  sf::ConversionSettings settings;
  settings.output_folder = out;
  settings.format_index = 2;
  settings.if_exists = sf::IfFileExists::kOverwrite;
  settings.picture.resize = true;
  settings.picture.width = 800;
  settings.picture.height = 600;
  settings.picture.depth_index = sf::kDepth24Bits;
  settings.threads = threads;
  YesReporter reporter;
  sf::ProgressObserver progress;
  sf::NoDesktop desktop;
  QElapsedTimer clock;
  clock.start();
  const sf::ConversionResult result = sf::ConvertImages(list, settings, {reporter, progress, desktop});
  std::printf("%-*s %7lld ms   written %d\n", kNameWidth, name, static_cast<long long>(clock.elapsed()),
              result.written);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/photos";
  QDir().mkpath(QString::fromStdString(folder));
  std::vector<std::string> names;
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    names.push_back("photo" + std::to_string(i) + ".jpg");
    paths.push_back(folder + "/" + names.back());
    sf::WriteJpegFile(Photo(i % 50), paths.back(), 90);
  }
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::printf("%d photos of 1600 x 1200 to 800 x 600 JPEG, %d cores\n", count, cores);
  TimeCoreRun("core run, one core", paths, dir.path().toStdString() + "/one/", 1);
  TimeCoreRun("core run, every core", paths, dir.path().toStdString() + "/all/", cores);

  YesReporter reporter;
  sf::NoDesktop desktop;
  sf::app::THintForm hint;
  sf::app::TConvertImagesForm window(hint, reporter, desktop, dir.path().toStdString() + "/");
  window.show();
  window.AddFiles(folder, names);
  window.findChild<QLineEdit*>("OutputEdit")->setText(dir.path() + "/window/");
  window.findChild<QComboBox*>("FormatCBox")->setCurrentIndex(2);
  window.findChild<QComboBox*>("OutputSizeCBox")->setCurrentIndex(9);  // 800 x 600
  Measure(kNameWidth, "window, Convert Images", [&] { window.findChild<QPushButton*>("ConvertBtn")->click(); });
  std::printf("  %s\n", window.PanelText(sf::app::TConvertImagesForm::kProgressPanel).toStdString().c_str());
  return 0;
}
