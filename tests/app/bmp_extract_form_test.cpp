// The AVI frame extractor window, opened from the Tools menu and driven through
// its controls: loading corpus videos, the preview with its view field and
// track bar, range extraction forward and reversed, the messages of a missing
// output name and a bad range, and Stop.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "app/bmp_extract_form.h"
#include "app/frame_track_bar.h"
#include "app/main_window.h"
#include "avi/avi_reader.h"
#include "avi/avi_writer.h"
#include "common/file_util.h"
#include "fake_file_dialogs.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"
#include "tool_window_rig.h"

namespace {

constexpr char kRawAvi[] = "avi/gen-ffmpeg-raw-bgr24-80x60.avi";
constexpr char kPal8Avi[] = "avi/gen-ffmpeg-raw-pal8-80x60-pcm16.avi";

class RecordingDesktop final : public sf::Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

class ExtractRig : public sf::test::ToolWindowRig<sf::app::TBMPExtractForm, RecordingDesktop> {
 public:
  ExtractRig()
      : ToolWindowRig(&sf::app::TAVICompileForm::BMPExtractForm, &sf::app::MainMenu::ExtractBitmaps),
        dir(sf::test::MakeTempDir()) {}

  void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
  // Loads a file through Load AVI's dialog.
  void Load(const std::string& path) {
    dialogs.answers.push_back(sf::app::FileDialogAnswer{path, 1});
    Click("LoadAVIBtn");
  }
  void ChooseOutput(const std::string& base) {
    dialogs.answers.push_back(sf::app::FileDialogAnswer{base, 1});
    Click("OutputNameBtn");
  }
  void SetRange(int first, int last) {
    Find<QSpinBox>("FrameStartCEdit")->setValue(first);
    Find<QSpinBox>("FrameEndCEdit")->setValue(last);
  }
  std::vector<std::string> WrittenFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir;
};

// Frame `index` of a video as the AVI reader draws it, for comparing files with.
sf::Bitmap ReaderFrame(const std::string& path, int index) {
  sf::SilentReporter silent;
  sf::AviReader reader(silent);
  reader.InitAvi(path);
  const auto info = reader.GetAviInfo();
  sf::Bitmap frame(info->frame.right - info->frame.left, info->frame.bottom - info->frame.top);
  reader.GetFrame(frame, frame.Width(), frame.Height(), index);
  return frame;
}

sf::Bitmap WrittenFrame(const std::string& path) { return sf::ReadBmp(sf::ReadWholeFile(path)); }

// A video of `frames` 6 x 4 frames, frame k filled with the red level k.
std::string CountingVideo(const std::string& dir, int frames) {
  const std::string path = dir + "/counting.avi";
  auto writer = sf::AviWriter::Open(path, 100000.0, 25);
  for (int k = 0; k < frames; ++k) writer->AddFrame(sf::test::MakeSolid(6, 4, sf::Rgb{static_cast<std::uint8_t>(k), 0, 0}));
  sf::AviWriter::Close(std::move(writer));
  return path;
}

}  // namespace

class TestBMPExtractForm : public QObject {
  Q_OBJECT

 private slots:
  void LoadsAVideoAndExtractsItsFramesForwardAndReversed() {
    const auto video = sf::test::CorpusPath(kRawAvi);
    if (!video) QSKIP("corpus not present");
    ExtractRig rig;
    QVERIFY(rig.Open());
    QVERIFY(!rig.main_window->isVisible());
    QCOMPARE(rig.Form().windowTitle(), QStringLiteral("Extract Bitmaps from AVI"));
    QCOMPARE(rig.Text("WidthLbl"), QStringLiteral("Width: ?"));
    QVERIFY(!rig.Find("ExtractBtn")->isEnabled());
    QVERIFY(!rig.Find("TrackBarImage")->isEnabled());

    rig.Load(*video);
    QCOMPARE(rig.dialogs.requests.back().filter, std::string("AVI file (*.avi)|*.avi|All files (*.*)|*.*"));
    QCOMPARE(rig.Text("AVIFileEdit"), QString::fromStdString(*video));
    QCOMPARE(rig.Text("WidthLbl"), QStringLiteral("Width:\t80"));
    QCOMPARE(rig.Text("HeightLbl"), QStringLiteral("Height:\t60"));
    QCOMPARE(rig.Text("TotalFramesLbl"), QStringLiteral("Total Frames: 8"));
    QCOMPARE(rig.Find<QSpinBox>("FrameEndCEdit")->value(), 8);
    QVERIFY(rig.Find("TrackBarImage")->isEnabled());
    QVERIFY(sf::test::SamePixels(rig.Form().PreviewPicture(), ReaderFrame(*video, 0)));

    rig.ChooseOutput(rig.dir + "/clip");
    QCOMPARE(rig.Text("OutputNameEdit"), QString::fromStdString(rig.dir + "/clip"));
    rig.Click("ExtractBtn");
    QCOMPARE(rig.WrittenFiles(), (std::vector<std::string>{"clip0.bmp", "clip1.bmp", "clip2.bmp", "clip3.bmp",
                                                           "clip4.bmp", "clip5.bmp", "clip6.bmp", "clip7.bmp"}));
    for (int k = 0; k < 8; ++k)
      QVERIFY(sf::test::SamePixels(WrittenFrame(rig.dir + "/clip" + std::to_string(k) + ".bmp"), ReaderFrame(*video, k)));
    QCOMPARE(rig.Text("ProgressLbl"), QStringLiteral("Frames Processed/Percent: 8 / 100%"));
    QCOMPARE(rig.Find("ProgressImage")->width(), 305);
    QCOMPARE(rig.desktop.opened, (std::vector<std::string>{rig.dir + "/"}));

    // Frames 3 to 5 reversed: ascending file numbers 2, 3, 4 hold frames 4, 3, 2.
    for (const auto& name : rig.WrittenFiles()) std::filesystem::remove(rig.dir + "/" + name);
    rig.SetRange(3, 5);
    QVERIFY(!rig.Find("ProgressBevel")->isVisible());
    QTest::mouseClick(rig.Find("ExtractReverseChkBoxLbl"), Qt::LeftButton);
    QVERIFY(rig.Find<QCheckBox>("ExtractReverseChkBox")->isChecked());
    QTest::mouseClick(rig.Find("OpenFolderChkBoxLbl"), Qt::LeftButton);
    rig.Click("ExtractBtn");
    QCOMPARE(rig.WrittenFiles(), (std::vector<std::string>{"clip2.bmp", "clip3.bmp", "clip4.bmp"}));
    for (int k = 2; k <= 4; ++k) {
      const sf::Bitmap written = WrittenFrame(rig.dir + "/clip" + std::to_string(k) + ".bmp");
      QVERIFY(sf::test::SamePixels(written, ReaderFrame(*video, 6 - k)));
    }
    QCOMPARE(rig.desktop.opened.size(), std::size_t{1});
    QVERIFY(rig.reporter.entries.empty());

    rig.Click("CloseBtn");
    QVERIFY(!rig.Form().isVisible());
    QVERIFY(rig.main_window->isVisible());
  }

  void EveryFileIs24BitWhateverTheVideosFormat() {
    const auto video = sf::test::CorpusPath(kPal8Avi);
    if (!video) QSKIP("corpus not present");
    ExtractRig rig;
    QVERIFY(rig.Open());
    rig.Load(*video);
    // Save Current Frame adds .bmp to a bare name.
    rig.dialogs.answers.push_back(sf::app::FileDialogAnswer{rig.dir + "/still.bmp", 1});
    rig.Click("SaveFrameBtn");
    QCOMPARE(rig.dialogs.requests.back().default_extensions.front(), std::string(".bmp"));
    rig.ChooseOutput(rig.dir + "/p");
    rig.SetRange(7, 8);
    rig.Click("ExtractBtn");
    for (const char* name : {"still.bmp", "p6.bmp", "p7.bmp"}) {
      const sf::Bitmap written = WrittenFrame(rig.dir + "/" + name);
      QCOMPARE(written.BitsPerPixel(), 24);
      QCOMPARE(written.Width(), 80);
      QCOMPARE(written.Height(), 60);
    }
    QVERIFY(sf::test::SamePixels(WrittenFrame(rig.dir + "/still.bmp"), ReaderFrame(*video, 0)));
    QVERIFY(sf::test::SamePixels(WrittenFrame(rig.dir + "/p7.bmp"), ReaderFrame(*video, 7)));
    QVERIFY(rig.reporter.entries.empty());
  }

  void AMissingOutputNameOrABadRangeStopsBeforeWriting() {
    ExtractRig rig;
    QVERIFY(rig.Open());
    rig.Load(CountingVideo(rig.dir, 12));
    const std::size_t dialogs_before = rig.dialogs.requests.size();
    rig.Click("ExtractBtn");
    QCOMPARE(rig.reporter.Errors(),
             (std::vector<std::string>{"Please choose a destination for the bitmaps. Process stopped.\n- ExtractBtnClick()"}));
    // The output dialog comes up at once; cancelled, the name stays "(none)".
    QCOMPARE(rig.dialogs.requests.size(), dialogs_before + 1);
    QCOMPARE(rig.dialogs.requests.back().file_name, std::string("AVIBitmap"));
    QCOMPARE(rig.Text("OutputNameEdit"), QStringLiteral("(none)"));
    QVERIFY(rig.Find("ExtractBtn")->isVisible());
    QVERIFY(rig.Find("ExtractBtn")->isEnabled());

    rig.reporter.entries.clear();
    rig.ChooseOutput(rig.dir + "/f");
    rig.SetRange(9, 4);
    rig.Click("ExtractBtn");
    QCOMPARE(rig.reporter.Errors(), (std::vector<std::string>{"Invalid frame range. - ExtractBtnClick()"}));
    QVERIFY(rig.Find("FrameStartCEdit")->hasFocus());
    QCOMPARE(rig.WrittenFiles(), (std::vector<std::string>{"counting.avi"}));
    QVERIFY(rig.desktop.opened.empty());
    QVERIFY(rig.Find("LoadAVIBtn")->isEnabled());
  }

  void StopAnsweredNoGoesOnAndYesEndsAtTheNextProgressStep() {
    ExtractRig rig;
    QVERIFY(rig.Open());
    rig.Load(CountingVideo(rig.dir, 50));
    rig.ChooseOutput(rig.dir + "/f");
    const auto press_stop = [&] {
      QTimer::singleShot(0, &rig.Form(), [&] {
        QVERIFY(rig.Find("StopBtn")->isVisible());
        QVERIFY(!rig.Find("CloseBtn")->isEnabled());
        QVERIFY(!rig.Find("ViewFrameCEdit")->isEnabled());
        // The close box waits for the extraction to end.
        QVERIFY(!rig.Form().close());
        rig.Click("StopBtn");
      });
      rig.Click("ExtractBtn");
    };
    rig.reporter.answers = {false};
    press_stop();
    QCOMPARE(rig.reporter.Texts(), (std::vector<std::string>{"Stop extracting bitmaps?"}));
    QCOMPARE(rig.WrittenFiles().size(), std::size_t{51});
    QCOMPARE(rig.Text("ProgressLbl"), QStringLiteral("Frames Processed/Percent: 50 / 100%"));

    for (const auto& name : rig.WrittenFiles())
      if (name != "counting.avi") std::filesystem::remove(rig.dir + "/" + name);
    rig.reporter.answers = {true};
    press_stop();
    // The request is seen after the 20th frame; the folder still opens.
    QCOMPARE(rig.WrittenFiles().size(), std::size_t{21});
    QVERIFY(sf::FileExists(rig.dir + "/f19.bmp"));
    QCOMPARE(rig.Text("ProgressLbl"), QStringLiteral("Frames Processed/Percent: 20 / 40%"));
    QCOMPARE(rig.Find("ProgressImage")->width(), 122);
    QCOMPARE(rig.desktop.opened.size(), std::size_t{2});
    QVERIFY(!rig.Find("StopBtn")->isVisible());
    QVERIFY(rig.Find("CloseBtn")->isEnabled());
  }

  void TheTrackBarAndTheViewFieldFollowEachOther() {
    ExtractRig rig;
    QVERIFY(rig.Open());
    const std::string video = CountingVideo(rig.dir, 8);
    rig.Load(video);
    auto* bar = rig.Find<sf::app::FrameTrackBar>("TrackBarImage");
    auto* view = rig.Find<QSpinBox>("ViewFrameCEdit");
    QCOMPARE(bar->ThumbLeft(), 2);

    // A press on the track centres the thumb there: left 123 is frame 5.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(130, 12));
    QCOMPARE(view->value(), 5);
    QCOMPARE(bar->ThumbLeft(), 123);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(130, 12));
    QCOMPARE(rig.Form().PreviewPicture().PixelColor(0, 0), (sf::Rgb{4, 0, 0}));

    // Dragging the thumb past the right end stops it at the last frame.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->ThumbLeft() + 3, 12));
    QMouseEvent drag(QEvent::MouseMove, QPointF(400, 12), bar->mapToGlobal(QPointF(400, 12)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &drag);
    QCOMPARE(bar->ThumbLeft(), sf::app::FrameTrackBar::kHighestThumbLeft);
    QCOMPARE(view->value(), 8);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(400, 12));

    // The view field places the thumb: frame 3 of 8 sits at 2 + 2 x 239 / 8.
    view->setValue(3);
    QCOMPARE(bar->ThumbLeft(), 61);
    QCOMPARE(rig.Form().PreviewPicture().PixelColor(0, 0), (sf::Rgb{2, 0, 0}));
    // Letters and Enter do not reach the number fields.
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("x"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(view->text(), QStringLiteral("3"));
  }

  void AFileThatIsNotAnAviKeepsTheEarlierVideoOrTheResetState() {
    ExtractRig rig;
    QVERIFY(rig.Open());
    const std::string text = rig.dir + "/notes.avi";
    sf::WriteWholeFile(text, "hello");
    rig.Load(text);
    QCOMPARE(rig.reporter.Errors().size(), std::size_t{2});
    QVERIFY(rig.reporter.Errors()[1].ends_with("- GetAviInfo()"));
    QCOMPARE(rig.Text("AVIFileEdit"), QString::fromStdString(text));
    QCOMPARE(rig.Text("TotalFramesLbl"), QStringLiteral("Total Frames: ?"));
    QVERIFY(!rig.Find("ExtractBtn")->isEnabled());
    QVERIFY(!rig.Find("SaveFrameBtn")->isEnabled());

    rig.reporter.entries.clear();
    rig.Load(CountingVideo(rig.dir, 12));
    rig.Find<QSpinBox>("ViewFrameCEdit")->setValue(6);
    rig.Load(text);
    // Only the open message: the earlier video is shown again from its first frame.
    QCOMPARE(rig.reporter.Errors().size(), std::size_t{1});
    QCOMPARE(rig.Text("TotalFramesLbl"), QStringLiteral("Total Frames: 12"));
    QCOMPARE(rig.Find<QSpinBox>("ViewFrameCEdit")->value(), 1);
    QCOMPARE(rig.Form().PreviewPicture().PixelColor(0, 0), (sf::Rgb{0, 0, 0}));
    QVERIFY(rig.Find("ExtractBtn")->isEnabled());
  }
};

QTEST_MAIN(TestBMPExtractForm)
#include "bmp_extract_form_test.moc"
