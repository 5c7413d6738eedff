// Renders every window offscreen into DIR, one PNG per window named after its
// class (TAVICompileForm.png, THintForm.png, ...), for looking at the layout
// without a display:  QT_QPA_PLATFORM=offscreen slideforge_screenshots DIR
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <cstdio>
#include <deque>

#include "app/about_form.h"
#include "app/bitmap_image.h"
#include "app/bitrate_form.h"
#include "app/bmp_extract_form.h"
#include "app/convert_images_form.h"
#include "app/decorative_pictures.h"
#include "app/effects_form.h"
#include "app/file_dialogs.h"
#include "app/gif_settings_form.h"
#include "app/gif_to_bmp_form.h"
#include "app/help_notes.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/main_window_effects.h"
#include "app/open_dir_form.h"
#include "app/open_folder_form.h"
#include "app/transitions_form.h"
#include "app/video_compression_form.h"
#include "app/video_encoding_form.h"
#include "app/view_image_form.h"
#include "app/view_image_form.h"
#include "avi/avi_writer.h"
#include "common/desktop.h"
#include "common/reporter.h"
#include "gif/gif_extensions.h"
#include "gif/gif_image.h"

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
  // A few rows with their own display time and motion.
  window.List().SetCellAdding(0, sf::kDisplayTimeColumn, "2.5");
  window.List().SetCellAdding(0, sf::kMotionColumn, "Zoom In");
  window.List().SetCellAdding(2, sf::kDisplayTimeColumn, "0.5");
  window.List().SetCellAdding(3, sf::kMotionColumn, "Pan Left");
  window.List().SetCellAdding(4, sf::kMotionColumn, "Rect 0 0 1 1 > 0.25 0.25 0.5 0.5");
  window.Ui().StringGrid->Reload();
  window.Ui().StringGrid->setEnabled(true);
  // What adding files enables.
  for (QPushButton* button : {window.Ui().DeleteBtn, window.Ui().SortBtn, window.Ui().CompileBtn,
                              window.Ui().EditEffectsBtn})
    button->setEnabled(true);
  window.Ui().StringGrid->SelectRow(0);
  window.ShowMessage(QStringLiteral("5 image files added to the list."));
  window.SetPanelText(sf::app::TAVICompileForm::kSelectedImagePanel, QStringLiteral("Selected Image: 1"));
  window.SetPanelText(sf::app::TAVICompileForm::kTotalImagesPanel, QStringLiteral("Total Images: 5"));
  window.SetProgress(QStringLiteral("40% - Complete - 2 of 5 total frames."), 40);
  window.RefreshReadouts();
}

// A sky-to-sea picture with a sun, so that previews show something.
QImage ExamplePicture(int width, int height, int hue) {
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor::fromHsv(hue, 120, 250));
  sky.setColorAt(0.6, QColor::fromHsv((hue + 30) % 360, 60, 255));
  sky.setColorAt(0.61, QColor(30, 90, 150));
  sky.setColorAt(1, QColor(10, 40, 80));
  painter.fillRect(picture.rect(), sky);
  painter.setBrush(QColor(255, 220, 120));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPoint(width * 2 / 3, height / 3), height / 8, height / 8);
  return picture;
}

// A folder of example pictures for the folder browser.
std::string ExampleFolder(const QTemporaryDir& dir) {
  const QString folder = dir.path() + QStringLiteral("/Holiday 2026");
  QDir().mkpath(folder);
  const char* names[] = {"beach_01.bmp", "beach_02.bmp", "harbour at dusk.bmp", "lighthouse.bmp", "sunset.bmp"};
  int hue = 20;
  for (const char* name : names) {
    ExamplePicture(320, 240, hue).save(folder + "/" + name, "BMP");
    hue += 50;
  }
  return folder.toStdString();
}

// File dialogs that answer with the queued paths.
class AnsweringDialogs final : public sf::app::FileDialogs {
 public:
  std::optional<sf::app::FileDialogAnswer> Save(const sf::app::FileDialogRequest&) override { return Next(); }
  std::optional<sf::app::FileDialogAnswer> Open(const sf::app::FileDialogRequest&) override { return Next(); }
  std::deque<std::string> paths;

 private:
  std::optional<sf::app::FileDialogAnswer> Next() {
    if (paths.empty()) return std::nullopt;
    sf::app::FileDialogAnswer answer{paths.front(), 1};
    paths.pop_front();
    return answer;
  }
};

// An eight-frame animation of the example picture going round the colours.
std::string ExampleAnimation(const QTemporaryDir& dir) {
  sf::TGIFImage animation;
  for (int k = 0; k < 8; ++k) {
    sf::TGIFSubImage& frame = animation.Frame(animation.Add(sf::app::ToBitmap(ExamplePicture(200, 150, k * 45))));
    auto control = frame.CreateGraphicControlExtension();
    control->SetDelay(25);
    frame.AppendExtension(control);
  }
  const std::string path = dir.path().toStdString() + "/Holiday 2026/sunset.gif";
  animation.SaveToFile(path);
  return path;
}

// A 160 x 120 AVI of a sun setting over 30 frames, for the frame extractor.
std::string ExampleVideo(const QTemporaryDir& dir) {
  const std::string path = dir.path().toStdString() + "/sunset.avi";
  auto writer = sf::AviWriter::Open(path, 100000.0, 25);
  if (!writer) return path;
  for (int frame = 0; frame < 30; ++frame) writer->AddFrame(sf::app::ToBitmap(ExamplePicture(160, 120, frame * 4)));
  sf::AviWriter::Close(std::move(writer));
  return path;
}

// Lets the windows run for a while, as a person watching them would.
void RunEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The editor with an applied list, showing the preview of Twist over them.
bool SaveEffectsEditor(sf::app::TAVICompileForm& main_window, const QDir& folder) {
  sf::app::TEffectsForm& editor = main_window.EffectCommands().EffectsForm();
  editor.SetSourceImage(sf::app::ToBitmap(ExamplePicture(640, 480, 200)));
  editor.SetBackImage(sf::app::DecorativeBackground());
  editor.SetAppliedEntries({"Brighter=50", "Saturation=25"});
  editor.show();
  editor.findChild<QCheckBox*>(QStringLiteral("IncludeAppliedChkBox"))->setChecked(true);
  QEventLoop wait;
  QObject::connect(&editor, &sf::app::TEffectsForm::PreviewFinished, &wait, &QEventLoop::quit);
  auto* effects = editor.findChild<QListWidget*>(QStringLiteral("EffectsListBox"));
  effects->setCurrentItem(effects->findItems(QStringLiteral("Twist"), Qt::MatchExactly).front());
  wait.exec();
  return Save(editor, folder);
}

// The transitions window halfway through Page Flip - Up.
bool SaveTransitions(sf::app::TAVICompileForm& main_window, const std::string& picture, const QDir& folder) {
  sf::app::TTransitionsForm& transitions = main_window.EffectCommands().TransitionsForm();
  transitions.Load(picture, sf::app::ToBitmap(sf::app::DecorativeBackground()), {.upright = true});
  transitions.show();
  auto* list = transitions.findChild<QListWidget*>(QStringLiteral("TransListBox"));
  list->setCurrentRow(2);
  RunEventsFor(40 * sf::app::TTransitionsForm::kFrameMilliseconds);
  return Save(transitions, folder);
}

// The list grid's pop-up menu with its Motion submenu open.
bool SaveGridPopup(sf::app::TAVICompileForm& main_window, const QDir& folder) {
  QMenu* popup = main_window.Ui().StringGrid->PopupMenu();
  popup->popup(main_window.mapToGlobal(QPoint(120, 80)));
  QApplication::processEvents();
  QMenu* motion = popup->findChild<QMenu*>(QStringLiteral("Motion1"));
  popup->setActiveAction(motion->menuAction());
  motion->popup(popup->mapToGlobal(popup->actionGeometry(motion->menuAction()).topRight()));
  const bool saved = Save(*popup, folder) && Save(*motion, folder);
  popup->hide();
  return saved;
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
  AnsweringDialogs dialogs;
  sf::app::WindowServices services;
  services.reporter = &reporter;
  services.desktop = &desktop;
  services.dialogs = &dialogs;
  sf::app::TAVICompileForm main_window(services);
  FillExampleList(main_window);
  bool saved = Save(main_window, folder);
  main_window.show();
  saved &= SaveGridPopup(main_window, folder);
  main_window.hide();

  sf::app::THintForm& hint = main_window.HintForm();
  hint.SetNote(sf::app::kGifNotes);
  saved &= Save(hint, folder);
  sf::app::TAboutForm about(desktop);
  saved &= Save(about, folder);
  saved &= Save(main_window.GifSettingsForm(), folder);
  sf::app::TVideoCompressionForm compression;
  saved &= Save(compression, folder);
  sf::app::TVideoEncodingForm encoding(sf::VideoCodec::kH264);
  saved &= Save(encoding, folder);
  saved &= Save(main_window.BitrateForm(), folder);

  const QTemporaryDir pictures;
  const std::string example_folder = ExampleFolder(pictures);
  sf::app::TOpenFolderForm browser(main_window.DocumentsFolder(), [](const std::string&) {});
  browser.MoveTo(example_folder);
  browser.FileList()->item(2)->setSelected(true);
  browser.FileList()->setCurrentRow(2);
  saved &= Save(browser, folder);
  sf::app::TOpenDirForm chooser(main_window.DocumentsFolder());
  chooser.MoveTo(example_folder);
  saved &= Save(chooser, folder);
  sf::app::TViewImageForm viewer;
  viewer.ShowPicture(ExamplePicture(640, 420, 200), example_folder + "/harbour at dusk.bmp");
  viewer.setWindowState(Qt::WindowNoState);
  viewer.resize(720, 540);
  saved &= Save(viewer, folder);

  sf::app::TConvertImagesForm& converter = main_window.ConvertImagesForm();
  converter.AddFiles(example_folder,
                     {"beach_01.bmp", "beach_02.bmp", "harbour at dusk.bmp", "lighthouse.bmp", "sunset.bmp"});
  converter.List().SetCell(2, sf::kEffectsColumn, "2<Brighter=50><Noise Mono=30>");
  converter.Grid().SelectRow(2);
  converter.StringGridClick();
  saved &= Save(converter, folder);
  sf::app::TGIFtoBMPForm& gif_extract = main_window.GifExtractForm();
  gif_extract.show();
  dialogs.paths = {ExampleAnimation(pictures), example_folder + "/GIF Bitmap"};
  gif_extract.LoadGIFBtnClick();
  gif_extract.OutputNameBtnClick();
  gif_extract.findChild<QSpinBox*>(QStringLiteral("ViewFrameCEdit"))->setValue(3);
  saved &= Save(gif_extract, folder);
  // The frame extractor after writing all 30 frames of a video.
  dialogs.paths = {ExampleVideo(pictures), pictures.path().toStdString() + "/Frames/sunset"};
  QDir().mkpath(pictures.path() + QStringLiteral("/Frames"));
  sf::app::TBMPExtractForm extractor(reporter, dialogs, desktop, main_window.DocumentsFolder());
  extractor.LoadAVIBtnClick();
  extractor.findChild<QPushButton*>(QStringLiteral("OutputNameBtn"))->click();
  extractor.ExtractBtnClick();
  saved &= Save(extractor, folder);
  saved &= SaveEffectsEditor(main_window, folder);
  saved &= SaveTransitions(main_window, example_folder + "/lighthouse.bmp", folder);
  return saved ? 0 : 1;
}
