// The image list of the real main window with 5000 pictures: adding them through
// the folder browser, sorting (and stopping a sort), validating, saving and
// opening the project. For each step it prints the time taken and the longest
// stretch during which the window handled no events, which is what a person
// feels as an unresponsive window.
//   build-bench/bench/list_window_bench [pictures]
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/file_dialogs.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/open_folder_form.h"
#include "common/desktop.h"
#include "image/bitmap.h"
#include "image/bmp_writer.h"
#include "window_measure.h"

namespace {

using sf::bench::Measure;
using sf::bench::YesReporter;

// The names column of the printed lines.
constexpr int kNameWidth = 28;

class FixedDialogs final : public sf::app::FileDialogs {
 public:
  std::string path;
  std::optional<sf::app::FileDialogAnswer> Save(const sf::app::FileDialogRequest&) override { return Answer(); }
  std::optional<sf::app::FileDialogAnswer> Open(const sf::app::FileDialogRequest&) override { return Answer(); }

 private:
  std::optional<sf::app::FileDialogAnswer> Answer() const { return sf::app::FileDialogAnswer{path, 1}; }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  const std::string folder = dir.path().toStdString() + "/pictures";
  QDir().mkpath(QString::fromStdString(folder));
  const sf::Bitmap picture(32, 24);
  for (int i = 0; i < count; ++i) sf::WriteBmpFile(picture, folder + "/pic" + std::to_string(count - i) + ".bmp");

  YesReporter reporter;
  FixedDialogs dialogs;
  sf::NoDesktop desktop;
  sf::app::TAVICompileForm window(sf::app::WindowServices{&reporter, &dialogs, &desktop, nullptr});
  window.show();
  const sf::app::MainControls& ui = window.Ui();

  Measure(kNameWidth, "add through the browser", [&] {
    QTimer::singleShot(0, [&] {
      auto* browser = qobject_cast<sf::app::TOpenFolderForm*>(QApplication::activeModalWidget());
      browser->MoveTo(folder);
      browser->FileList()->selectAll();
      browser->findChild<QPushButton*>("OkBtn")->click();
    });
    ui.AddBtn->click();
  });
  std::printf("  rows: %d\n", window.List().RowCount());

  Measure(kNameWidth, "sort, stopped after 1 s", [&] {
    QTimer::singleShot(1000, [&] { ui.StopSortBtn->click(); });
    ui.SortBtn->click();
  });
  Measure(kNameWidth, "sort", [&] { ui.SortBtn->click(); });
  std::printf("  first rows: %s, %s\n", window.List().Path(0).c_str(), window.List().Path(1).c_str());

  for (int i = 1; i <= count; i += 50) QFile::remove(QString::fromStdString(folder + "/pic" + std::to_string(i) + ".bmp"));
  Measure(kNameWidth, "validate (every 50th gone)", [&] { window.Menu().ValidateListBtn->trigger(); });
  std::printf("  rows: %d\n", window.List().RowCount());

  dialogs.path = dir.path().toStdString() + "/bench.sfg";
  Measure(kNameWidth, "save project as", [&] { window.Menu().SaveProjectAsBtn->trigger(); });
  Measure(kNameWidth, "open project", [&] { window.Menu().OpenProjectBtn->trigger(); });
  std::printf("  rows: %d\n", window.List().RowCount());
  return 0;
}
