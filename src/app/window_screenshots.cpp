// Renders every window offscreen into DIR, one PNG per window named after its
// class (TAVICompileForm.png, THintForm.png, ...), for looking at the layout
// without a display:  QT_QPA_PLATFORM=offscreen slideforge_screenshots DIR
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "app/about_form.h"
#include "app/gif_settings_form.h"
#include "app/help_notes.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/video_compression_form.h"
#include "common/desktop.h"
#include "common/reporter.h"

namespace {

bool Save(QWidget& window, const QDir& folder) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(window.objectName() + QStringLiteral(".png"));
  const bool saved = window.grab().save(path);
  std::printf("%s%s\n", qPrintable(path), saved ? "" : " (not written)");
  window.hide();
  return saved;
}

void FillExampleList(sf::app::TAVICompileForm& window) {
  for (const char* name : {"beach_01.jpg", "beach_02.jpg", "harbour at dusk.jpg", "lighthouse.bmp", "sunset.gif"})
    window.List().AddPath(std::string("/home/user/Pictures/Holiday 2026/") + name);
  window.Ui().StringGrid->Reload();
  window.Ui().StringGrid->setEnabled(true);
  window.Ui().StringGrid->SelectRow(0);
  window.ShowMessage(QStringLiteral("5 image files added to the list."));
  window.SetPanelText(sf::app::TAVICompileForm::kSelectedImagePanel, QStringLiteral("Selected Image: 1"));
  window.SetPanelText(sf::app::TAVICompileForm::kTotalImagesPanel, QStringLiteral("Total Images: 5"));
  window.SetProgress(QStringLiteral("40% - Complete - 2 of 5 total frames."), 40);
  window.RefreshReadouts();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: slideforge_screenshots DIR\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  sf::SilentReporter reporter;
  sf::NoDesktop desktop;
  sf::app::WindowServices services;
  services.reporter = &reporter;
  services.desktop = &desktop;
  sf::app::TAVICompileForm main_window(services);
  FillExampleList(main_window);
  bool saved = Save(main_window, folder);

  sf::app::THintForm& hint = main_window.HintForm();
  hint.SetNote(sf::app::kGifNotes);
  saved &= Save(hint, folder);
  sf::app::TAboutForm about(desktop);
  saved &= Save(about, folder);
  saved &= Save(main_window.GifSettingsForm(), folder);
  sf::app::TVideoCompressionForm compression;
  saved &= Save(compression, folder);
  return saved ? 0 : 1;
}
