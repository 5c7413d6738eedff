// The GIF frame extractor window: loading with its readouts, viewing frames,
// the range fields, extraction (compared with the command line's files),
// playback with the codec's waits on a clock the test steps, and closing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "app/gif_to_bmp_form.h"
#include "app/main_window.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "fake_file_dialogs.h"
#include "gif/gif_extensions.h"
#include "gif/gif_image.h"
#include "gif/gif_player.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace {

using sf::Rgb;

constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0};

class RecordingDesktop final : public sf::Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

// Twelve frames of a 12 x 1 screen, 10 hundredths each: a white frame, then
// frame k adds a red pixel at column k, so that frame k drawn over the ones
// before it shows k red pixels.
void WriteGrowingAnimation(const std::string& path) {
  sf::TGIFImage image;
  image.SetScreenSize(12, 1);
  image.GlobalColorMap().Assign(std::vector<Rgb>{kWhite, kRed});
  for (std::uint16_t k = 0; k < 12; ++k) {
    sf::TGIFSubImage& frame = image.AppendFrame();
    const std::uint16_t width = k == 0 ? 12 : 1;
    frame.Place(k, 0, width, 1, 0);
    std::fill(frame.MutableData().begin(), frame.MutableData().end(), k == 0 ? 0 : 1);
    auto control = frame.CreateGraphicControlExtension();
    control->SetDelay(10);
    frame.AppendExtension(control);
  }
  image.SaveToFile(path);
}

int RedPixels(const QImage& picture) {
  int red = 0;
  for (int x = 0; x < picture.width(); ++x) red += picture.pixel(x, 0) == qRgb(255, 0, 0) ? 1 : 0;
  return red;
}

int RedPixels(const std::string& bmp_path) {
  const sf::Bitmap bitmap = sf::ReadBmp(sf::ReadWholeFile(bmp_path));
  int red = 0;
  for (int x = 0; x < bitmap.Width(); ++x) red += bitmap.PixelColor(x, 0) == kRed ? 1 : 0;
  return red;
}

// Waits last until the test steps them; the schedule is what they were asked for.
struct SteppedTime {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<int> waits;
  int steps = 0;
  bool cancelled = false;

  std::vector<int> Waits() {
    const std::lock_guard lock(mutex);
    return waits;
  }
  void Step() {
    {
      const std::lock_guard lock(mutex);
      ++steps;
    }
    changed.notify_all();
  }
};

class SteppedClock final : public sf::GifPlayerClock {
 public:
  explicit SteppedClock(std::shared_ptr<SteppedTime> time) : m_time(std::move(time)) {}
  long long NowMs() override { return 0; }
  bool Wait(int ms) override {
    std::unique_lock lock(m_time->mutex);
    m_time->waits.push_back(ms);
    const auto waited = m_time->waits.size();
    m_time->changed.wait(lock, [&] { return m_time->cancelled || m_time->steps >= static_cast<int>(waited); });
    return !m_time->cancelled;
  }
  void Cancel() override {
    {
      const std::lock_guard lock(m_time->mutex);
      m_time->cancelled = true;
    }
    m_time->changed.notify_all();
  }

 private:
  std::shared_ptr<SteppedTime> m_time;
};

}  // namespace

class TestGifToBmpForm : public QObject {
  Q_OBJECT

 private:
  std::string m_dir;
  std::string m_gif;
  sf::test::RecordingReporter m_reporter;
  sf::test::FakeFileDialogs m_dialogs;
  RecordingDesktop m_desktop;
  std::unique_ptr<sf::app::TAVICompileForm> m_main;
  sf::app::TGIFtoBMPForm* m_form = nullptr;

  template <typename T>
  T* Child(const char* name) {
    T* child = m_form->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no control %s", name);
    return child;
  }
  QString Text(const char* label) { return Child<QLabel>(label)->text(); }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }
  // Types into a number field and leaves it.
  void Type(const char* field, const QString& text) {
    auto* box = Child<QSpinBox>(field);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    Child<QPushButton>("CloseBtn")->setFocus();
  }
  void Load(const std::string& path) {
    m_dialogs.answers.push_back(sf::app::FileDialogAnswer{path, 1});
    Click("LoadGIFBtn");
  }
  void ChooseOutput(const std::string& base) {
    m_dialogs.answers.push_back(sf::app::FileDialogAnswer{base, 1});
    Click("OutputNameBtn");
  }

 private slots:
  void init() {
    m_dir = sf::test::MakeTempDir();
    m_gif = m_dir + "/growing.gif";
    WriteGrowingAnimation(m_gif);
    m_reporter.entries.clear();
    m_dialogs.answers.clear();
    m_dialogs.requests.clear();
    m_desktop.opened.clear();
    sf::app::WindowServices services;
    services.reporter = &m_reporter;
    services.dialogs = &m_dialogs;
    services.desktop = &m_desktop;
    m_main = std::make_unique<sf::app::TAVICompileForm>(services);
    m_main->show();
    m_form = &m_main->GifExtractForm();
    m_main->Menu().ExtractBitmapsfromGIFAnimation1->trigger();
    QVERIFY(!m_main->isVisible());
    QVERIFY(m_form->isVisible());
  }
  void cleanup() {
    m_main.reset();
    std::filesystem::remove_all(m_dir);
  }

  void LoadingShowsTheReadoutsAndViewingDrawsTheFramesBefore() {
    QCOMPARE(Text("WidthLbl"), QStringLiteral("Width: ?"));
    QVERIFY(!Child<QPushButton>("AnimateBtn")->isEnabled());
    Load(m_gif);
    QCOMPARE(m_dialogs.requests.back().filter, std::string("GIF Animation (*.gif)|*.gif"));
    QCOMPARE(Child<QLineEdit>("GIFFileEdit")->text(), QString::fromStdString(m_gif));
    QCOMPARE(Text("WidthLbl"), QStringLiteral("Width: 12"));
    QCOMPARE(Text("HeightLbl"), QStringLiteral("Height: 1"));
    QCOMPARE(Text("TotalFramesLbl"), QStringLiteral("Total Frames: 12"));
    QCOMPARE(Text("TotalTimeLbl"), QStringLiteral("Total Time: 0 min. 1 sec. 200 ms."));
    QCOMPARE(Text("FPSLbl"), QStringLiteral("Average FPS: 10"));
    QCOMPARE(Text("CurrentTimeLbl"), QStringLiteral("Time (this frame): 100 millisec."));
    QCOMPARE(Child<QComboBox>("MethodCBox")->currentIndex(), 1);  // no disposal: on top
    QCOMPARE(Child<QSpinBox>("FrameEndCEdit")->value(), 12);
    QCOMPARE(m_form->PreviewPicture().BitsPerPixel(), 8);
    QCOMPARE(RedPixels(m_form->ShownPicture()), 0);

    Child<QSpinBox>("ViewFrameCEdit")->setValue(5);
    QCOMPARE(RedPixels(m_form->ShownPicture()), 4);
    QVERIFY(m_reporter.entries.empty());

    // Not a GIF: the reason, then the window's message, and the reset state.
    const std::string text = m_dir + "/text.gif";
    sf::WriteWholeFile(text, "not a picture");
    Load(text);
    QCOMPARE(m_reporter.Errors(), (std::vector<std::string>{"Invalid GIF signature",
                                                            "Error opening GIF file - LoadGIFBtnClick()."}));
    QCOMPARE(Text("TotalFramesLbl"), QStringLiteral("Total Frames: ?"));
    QVERIFY(!Child<QPushButton>("ExtractBtn")->isEnabled());
    QVERIFY(!Child<QPushButton>("AnimateBtn")->isEnabled());
    QVERIFY(!Child<QSpinBox>("ViewFrameCEdit")->isEnabled());
    m_form->SaveFrameBtnClick();
    QCOMPARE(m_reporter.Texts().back(), std::string("Can not save picture. No picture exists."));
  }

  void RangeFieldsStayWithinTheFramesAndBadRangesWriteNothing() {
    Load(m_gif);
    Type("FrameStartCEdit", QStringLiteral("0"));
    QCOMPARE(Child<QSpinBox>("FrameStartCEdit")->value(), 1);

    // Without an output name: the message, then the output dialog.
    Type("FrameStartCEdit", QStringLiteral("8"));
    Type("FrameEndCEdit", QStringLiteral("3"));
    Click("ExtractBtn");
    QCOMPARE(m_reporter.Errors(), (std::vector<std::string>{
                                      "Please choose a destination for the bitmaps. Process stopped.\n- ExtractBtnClick()"}));
    QCOMPARE(m_dialogs.requests.back().file_name, std::string("GIF Bitmap"));
    ChooseOutput(m_dir + "/r");
    m_reporter.entries.clear();
    Click("ExtractBtn");
    QCOMPARE(m_reporter.Errors(), (std::vector<std::string>{"Invalid frame range. - ExtractBtnClick()"}));
    QVERIFY(Child<QSpinBox>("FrameStartCEdit")->hasFocus());
    QVERIFY(Child<QPushButton>("ExtractBtn")->isVisible());
    QVERIFY(!sf::FileExists(m_dir + "/r07.bmp"));
  }

  void ReverseExtractionNumbersTheFilesBackwards() {
    Load(m_gif);
    ChooseOutput(m_dir + "/g");
    Type("FrameStartCEdit", QStringLiteral("5"));
    Type("FrameEndCEdit", QStringLiteral("7"));
    Child<QCheckBox>("ExtractReverseChkBox")->setChecked(true);
    Click("ExtractBtn");
    QVERIFY(m_reporter.entries.empty());
    QCOMPARE(RedPixels(m_dir + "/g06.bmp"), 4);
    QCOMPARE(RedPixels(m_dir + "/g05.bmp"), 5);
    QCOMPARE(RedPixels(m_dir + "/g04.bmp"), 6);
    QVERIFY(!sf::FileExists(m_dir + "/g07.bmp"));
    QCOMPARE(Text("ProgressLbl"), QStringLiteral("Frames Processed/Percent: 3 / 100%"));
    QCOMPARE(m_desktop.opened, std::vector<std::string>{m_dir + "/"});
    QVERIFY(Child<QPushButton>("LoadGIFBtn")->isEnabled());
    QVERIFY(Child<QPushButton>("StopBtn")->isHidden());
  }

  void StopAnsweredYesEndsTheExtractionAtTheNextProgressStep() {
    Load(m_gif);
    ChooseOutput(m_dir + "/s");
    m_reporter.answers = {true};
    bool stop_shown = false;
    // Runs in the extraction's first event step.
    QTimer::singleShot(0, m_form, [&] {
      stop_shown = Child<QPushButton>("StopBtn")->isVisible() && !Child<QPushButton>("CloseBtn")->isEnabled();
      Click("StopBtn");
    });
    Click("ExtractBtn");
    QVERIFY(stop_shown);
    QCOMPARE(m_reporter.Texts(), std::vector<std::string>{"Stop extracting bitmaps?"});
    QVERIFY(sf::FileExists(m_dir + "/s04.bmp"));
    QVERIFY(!sf::FileExists(m_dir + "/s05.bmp"));
    QCOMPARE(Text("ProgressLbl"), QStringLiteral("Frames Processed/Percent: 5 / 41%"));
    QCOMPARE(Child<QSpinBox>("ViewFrameCEdit")->value(), 5);
    QCOMPARE(m_desktop.opened.size(), std::size_t{1});
  }

  void CorpusAnimationsGiveTheCommandLinesFiles() {
    int checked = 0;
    for (const char* name : {"gif/giflib/sample_2_animation.gif", "gif/pillow/dispose_bgnd.gif"}) {
      const auto path = sf::test::CorpusPath(name);
      if (!path) continue;
      const std::string window = m_dir + "/w" + std::to_string(checked) + "-";
      const std::string command = m_dir + "/c" + std::to_string(checked) + "-";
      Load(*path);
      ChooseOutput(window);
      Child<QCheckBox>("ExtractReverseChkBox")->setChecked(checked == 1);
      Click("ExtractBtn");
      QVERIFY(m_reporter.entries.empty());
      const int frames = Child<QSpinBox>("FrameEndCEdit")->value();
      const std::string run = "'" + sf::test::SlideforgeBinary() + "' extract-gif '" + *path + "' '" + command + "'" +
                              (checked == 1 ? " --reverse" : "");
      QCOMPARE(sf::test::RunCommand(run), 0);
      for (int k = 0; k < frames; ++k) {
        const std::string file = std::to_string(k) + ".bmp";
        QVERIFY2(sf::ReadWholeFile(window + file) == sf::ReadWholeFile(command + file), file.c_str());
      }
      ++checked;
    }
    if (checked == 0) QSKIP("corpus not present");
  }

  void PlaybackFollowsTheCodecsWaitsAndStopsOnClose() {
    auto time = std::make_shared<SteppedTime>();
    m_form->SetPlayerClockFactory([&time] { return std::make_unique<SteppedClock>(time); });
    Load(m_gif);
    Click("AnimateBtn");
    QVERIFY(m_form->Playing());
    QVERIFY(!Child<QPushButton>("AnimateBtn")->isEnabled());
    QVERIFY(Child<QPushButton>("StopAnimBtn")->isEnabled());
    QVERIFY(!Child<QPushButton>("LoadGIFBtn")->isEnabled());
    QVERIFY(Child<QPushButton>("ExtractBtn")->isVisible());
    QVERIFY(!Child<QPushButton>("ExtractBtn")->isEnabled());
    // The first frame, then its 10 hundredths in 12 ms units.
    QTRY_COMPARE(time->Waits(), std::vector<int>{120});
    QTRY_COMPARE(m_form->ShownPicture().width(), 12);
    QCOMPARE(RedPixels(m_form->ShownPicture()), 0);
    time->Step();
    time->Step();
    QTRY_COMPARE(time->Waits(), (std::vector<int>{120, 120, 120}));
    QTRY_COMPARE(RedPixels(m_form->ShownPicture()), 2);

    Click("StopAnimBtn");
    QVERIFY(!m_form->Playing());
    QVERIFY(Child<QPushButton>("AnimateBtn")->isEnabled());
    QCOMPARE(RedPixels(m_form->ShownPicture()), 0);
    QVERIFY(Child<QPushButton>("LoadGIFBtn")->isEnabled());

    // Closing while it plays stops the player; showing again starts empty.
    QVERIFY(time->cancelled);
    time = std::make_shared<SteppedTime>();
    Click("AnimateBtn");
    QVERIFY(m_form->Playing());
    QTRY_COMPARE(time->Waits(), std::vector<int>{120});
    QVERIFY(m_form->close());
    QVERIFY(!m_form->Playing());
    QVERIFY(!m_form->HasImage());
    QVERIFY(m_main->isVisible());
    QVERIFY(time->cancelled);
    m_main->Menu().ExtractBitmapsfromGIFAnimation1->trigger();
    QVERIFY(m_form->HasImage());
    QCOMPARE(Text("TotalFramesLbl"), QStringLiteral("Total Frames: ?"));
    QCOMPARE(Child<QLineEdit>("GIFFileEdit")->text(), QString::fromStdString(m_gif));
    QVERIFY(!Child<QPushButton>("AnimateBtn")->isEnabled());
  }
};

QTEST_MAIN(TestGifToBmpForm)
#include "gif_to_bmp_form_test.moc"
