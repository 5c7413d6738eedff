// The effects editor and the transitions window through their real controls:
// picture-dependent ranges, previews after every choice and once per slider
// drag, the number box's keys, the main window writing the confirmed list into
// the selected rows, and page flips that give way to the next choice at once.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "app/bitmap_image.h"
#include "app/decorative_pictures.h"
#include "app/effect_slider.h"
#include "app/effects_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/main_window_effects.h"
#include "app/main_window_list_host.h"
#include "app/transitions_form.h"
#include "app/view_image_form.h"
#include "effects/apply_list_of_effects.h"
#include "effects/effect_editing.h"
#include "effects/noise_random.h"
#include "effects/page_flip.h"
#include "image/fitting.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace {

bool SameBytes(const sf::Bitmap& a, const sf::Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && a.Format() == b.Format() &&
         std::ranges::equal(a.Storage(), b.Storage());
}

// What a compile makes of the picture with the effect list.
sf::Bitmap Compiled(const sf::Bitmap& picture, const char* list) {
  sf::Bitmap result(picture.Width(), picture.Height());
  result.Draw(picture, 0, 0);
  sf::SilentReporter reporter;
  sf::ApplyListOfEffects(result, list, reporter);
  return result;
}

void ClickItem(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY(found.size() == 1);
  list->scrollToItem(found.front());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// An editor over a 640 x 480 gradient, shown, with its picture fitted.
struct EditorRig {
  sf::test::RecordingReporter reporter;
  sf::app::TViewImageForm viewer;
  sf::app::TEffectsForm editor{reporter, viewer};
  sf::Bitmap source;
  QSignalSpy finished{&editor, &sf::app::TEffectsForm::PreviewFinished};

  explicit EditorRig(int width = 640, int height = 480) : source(sf::test::MakeGradient(width, height)) {
    editor.SetSourceImage(source);
    editor.SetBackImage(sf::app::DecorativeBackground());
    editor.show();
  }
  template <typename T>
  T* Find(const char* name) {
    return editor.findChild<T*>(QString::fromLatin1(name));
  }
};

// A main window listing `count` pictures in a temporary folder.
struct MainRig {
  QTemporaryDir dir;
  sf::test::RecordingReporter reporter;
  sf::app::WindowServices services;
  std::unique_ptr<sf::app::TAVICompileForm> window;

  explicit MainRig(int count) {
    services.reporter = &reporter;
    window = std::make_unique<sf::app::TAVICompileForm>(services);
    for (int i = 0; i < count; ++i) {
      const QString path = dir.filePath(QStringLiteral("picture%1.bmp").arg(i));
      sf::app::ToQImage(sf::test::MakeGradient(200 + 20 * i, 150)).save(path, "BMP");
      window->List().AddPath(path.toStdString());
    }
    window->Ui().StringGrid->Reload();
    window->ListCommandsHost().EnableListCommands(true);
    window->ListCommandsHost().EnableDeleteButton(true);
    window->show();
  }
  sf::ImageList& List() { return window->List(); }
  sf::app::TEffectsForm& Editor() { return window->EffectCommands().EffectsForm(); }
};

}  // namespace

class TestEffectsWindows : public QObject {
  Q_OBJECT

 private slots:
  void ChoosingAnEffectSetsItsRangeAndPreviewsTheCompileBytes() {
    EditorRig rig;
    auto* effects = rig.Find<QListWidget>("EffectsListBox");
    QCOMPARE(effects->currentItem()->text(), QStringLiteral("Anti-alias"));
    ClickItem(effects, "Emboss");
    QVERIFY(rig.editor.Busy());
    QVERIFY(rig.finished.wait(20000));
    QCOMPARE(rig.Find<QLabel>("RangeLbl")->text(), QStringLiteral("(1 - 9)"));
    QCOMPARE(rig.Find<QSpinBox>("ValueEdit")->value(), 3);
    QVERIFY(rig.Find<QLabel>("EffectImage")->isVisible());
    QCOMPARE(rig.Find<QLabel>("ImageLbl")->text(), QStringLiteral("(Click 'Preview' to view effect)"));
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, "1<Emboss=3>")));

    // Emboss Noise has the same default: the value does not change, yet it previews.
    ClickItem(effects, "Emboss Noise");
    QVERIFY(rig.finished.wait(20000));
    QCOMPARE(rig.finished.count(), 2);
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, "1<Emboss Noise=3>")));

    ClickItem(effects, "Blur Split");
    QVERIFY(rig.finished.wait(20000));
    QCOMPARE(rig.Find<QLabel>("RangeLbl")->text(), QStringLiteral("(1 - 319)"));
    QCOMPARE(rig.Find<QSpinBox>("ValueEdit")->value(), 2);
    QVERIFY(rig.reporter.entries.empty());
  }

  void DraggingTheThumbPreviewsOnceOnRelease() {
    EditorRig rig;
    ClickItem(rig.Find<QListWidget>("EffectsListBox"), "Brighter");
    QVERIFY(rig.finished.wait(20000));
    rig.finished.clear();
    auto* slider = rig.Find<sf::app::EffectSlider>("SliderImage");
    auto* value = rig.Find<QSpinBox>("ValueEdit");
    const int start_left = slider->ThumbLeft();
    const QPoint grab = slider->ThumbRect().center();
    SendMouse(slider, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    for (int step = 1; step <= 6; ++step) {
      SendMouse(slider, QEvent::MouseMove, grab + QPoint(10 * step, 0), Qt::LeftButton);
      QTest::qWait(30);
    }
    QCOMPARE(slider->ThumbLeft(), start_left + 60);
    QCOMPARE(value->value(), sf::ValueForThumbLeft(sf::SliderTrack{}, start_left + 60, 256));
    QVERIFY(!rig.editor.Busy());
    QCOMPARE(rig.finished.count(), 0);
    SendMouse(slider, QEvent::MouseButtonRelease, grab + QPoint(60, 0), Qt::NoButton);
    QVERIFY(rig.editor.Busy());
    QVERIFY(rig.finished.wait(20000));
    QTest::qWait(100);
    QCOMPARE(rig.finished.count(), 1);
    const std::string list = "1<Brighter=" + std::to_string(value->value()) + ">";
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, list.c_str())));
    QCOMPARE(slider->ThumbLeft(), start_left + 60);  // where it was let go

    // A press on the track moves the thumb there and previews the new value.
    rig.finished.clear();
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(150, slider->height() / 2));
    QCOMPARE(value->value(), sf::ValueForThumbLeft(sf::SliderTrack{}, 150, 256));
    QVERIFY(rig.finished.wait(20000));
    const std::string pressed = "1<Brighter=" + std::to_string(value->value()) + ">";
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, pressed.c_str())));
  }

  void TheValueBoxTakesDigitsOnlyAndEnterPreviewsWithoutAutoPreview() {
    EditorRig rig;
    auto* value = rig.Find<QSpinBox>("ValueEdit");
    ClickItem(rig.Find<QListWidget>("EffectsListBox"), "Posterize");
    QVERIFY(rig.finished.wait(20000));
    rig.finished.clear();
    value->setFocus();
    QTest::keyClicks(value, "ab!");
    QCOMPARE(value->value(), 50);
    QTest::keyClick(value, Qt::Key_Return);  // Auto Preview is on: Enter does nothing
    QVERIFY(!rig.editor.Busy());

    // Its label toggles the box.
    QTest::mouseClick(rig.Find<QLabel>("AutoPrevLbl"), Qt::LeftButton);
    QVERIFY(!rig.Find<QCheckBox>("AutoPrevChkBox")->isChecked());
    QTest::keyClick(value, Qt::Key_Return);
    QVERIFY(rig.editor.Busy());
    QVERIFY(rig.finished.wait(20000));
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, "1<Posterize=50>")));

    // In the effect list the side arrows step the value and leave the selection.
    auto* effects = rig.Find<QListWidget>("EffectsListBox");
    effects->setFocus();
    QTest::keyClick(effects, Qt::Key_Right);
    QTest::keyClick(effects, Qt::Key_Right);
    QTest::keyClick(effects, Qt::Key_Left);
    QTest::keyClick(effects, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(value->value(), 52);
    QCOMPARE(effects->currentItem()->text(), QStringLiteral("Posterize"));
  }

  void IncludedAppliedEffectsPreviewAsTheWholeListWouldCompile() {
    EditorRig rig;
    rig.editor.SetAppliedEntries({"Noise Mono=100", "Brighter=50"});
    ClickItem(rig.Find<QListWidget>("EffectsListBox"), "Invert Colors");
    QVERIFY(rig.finished.wait(20000));
    QTest::mouseClick(rig.Find<QLabel>("Label6"), Qt::LeftButton);  // Include Applied Effects
    QVERIFY(rig.editor.Busy());
    // A second request while the first runs replaces it.
    QTest::mouseClick(rig.Find<QPushButton>("PreviewBtn"), Qt::LeftButton);
    const std::uint64_t before = sf::NoiseRandomState();
    QVERIFY(rig.finished.wait(20000));
    sf::SetNoiseRandomState(before);
    QVERIFY(SameBytes(rig.editor.DestinationImage(),
                      Compiled(rig.source, "3<Noise Mono=100><Brighter=50><Invert Colors=1>")));

    rig.editor.SetAppliedEntries({"Brighter=50", "Nothing=3"});
    QTest::mouseClick(rig.Find<QPushButton>("PreviewAllBtn"), Qt::LeftButton);
    QVERIFY(rig.finished.wait(20000));
    QCOMPARE(rig.reporter.Errors(), (std::vector<std::string>{
                                        "Error applying effect \"Nothing\". Effect not found.\n - PreviewAllBtnClick()"}));
    QCOMPARE(rig.Find<QLabel>("ImageLbl")->text(), QStringLiteral("Error applying effect."));
    QVERIFY(!rig.editor.Busy());
  }

  void AHeavyPreviewLeavesTheWindowAnsweringAndGivesWayToTheNextChoice() {
    EditorRig rig(4000, 3000);
    auto* effects = rig.Find<QListWidget>("EffectsListBox");
    ClickItem(effects, "Fisheye");
    QVERIFY(rig.editor.Busy());
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(200);
    ticker.stop();
    QVERIFY(rig.editor.Busy());
    QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(clock.elapsed())));
    QCOMPARE(rig.Find<QLabel>("ImageLbl")->text(), QStringLiteral("\t Processing..."));

    // The newer choice is the one shown; the Fisheye never is.
    ClickItem(effects, "Invert Colors");
    QVERIFY(rig.finished.wait(120000));
    QTest::qWait(50);
    QCOMPARE(rig.finished.count(), 1);
    QVERIFY(!rig.editor.Busy());
    QVERIFY(SameBytes(rig.editor.DestinationImage(), Compiled(rig.source, "1<Invert Colors=1>")));
  }

  void TheMainWindowWritesTheConfirmedListIntoEverySelectedRow() {
    MainRig rig(4);
    rig.List().SetCell(0, sf::kEffectsColumn, "2<Brighter=50><Mosaic=10>");
    rig.List().SetCell(3, sf::kEffectsColumn, "1<Darker=100>");
    sf::app::ImageListGrid& grid = *rig.window->Ui().StringGrid;
    grid.SelectRow(0);
    sf::app::TEffectsForm& editor = rig.Editor();
    auto* applied = editor.findChild<QListWidget*>("AppliedEffectsListBox");

    // One row: the editor shows its entries; Cancel after an edit changes nothing.
    QStringList shown;
    QTimer::singleShot(0, &editor, [&] {
      for (int i = 0; i < applied->count(); ++i) shown << applied->item(i)->text();
      QTest::mouseClick(editor.findChild<QPushButton*>("AddEffectBtn"), Qt::LeftButton);
      QTest::mouseClick(editor.findChild<QPushButton*>("CloseBtn"), Qt::LeftButton);
    });
    rig.window->Menu().AddEffectBtn->trigger();
    QCOMPARE(shown, (QStringList{"Brighter=50", "Mosaic=10"}));
    QCOMPARE(rig.List().Effects(0), std::string("2<Brighter=50><Mosaic=10>"));
    QVERIFY(!rig.window->Project().Modified());

    // Three rows: the list left from the last opening, the question, then one text for all.
    grid.SelectRows(0, 2);
    QTimer::singleShot(0, &editor, [&] {
      shown.clear();
      for (int i = 0; i < applied->count(); ++i) shown << applied->item(i)->text();
      applied->setCurrentRow(0);
      QTest::mouseClick(editor.findChild<QPushButton*>("RemoveEffectBtn"), Qt::LeftButton);
      QTest::mouseClick(editor.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    rig.window->Ui().EditEffectsBtn->click();
    QCOMPARE(shown, (QStringList{"Brighter=50", "Mosaic=10", "Anti-alias=1"}));
    QCOMPARE(rig.reporter.Texts(),
             (std::vector<std::string>{"Effect(s) will be applied to all selected images in the \nimage list. All "
                                       "previous effects will be overwritten.\n\nContinue?"}));
    for (int row = 0; row < 3; ++row)
      QCOMPARE(rig.List().Effects(row), std::string("2<Mosaic=10><Anti-alias=1>"));
    QCOMPARE(rig.List().Effects(3), std::string("1<Darker=100>"));
    QVERIFY(rig.window->Project().Modified());
    QCOMPARE(rig.window->Ui().AppliedEffectsListBox->item(0)->text(), QStringLiteral("Applied Effects: ?"));

    // Clearing asks nothing: the selection, then every row.
    rig.window->Menu().Effects1->aboutToShow();
    QVERIFY(rig.window->Menu().ClearEffectsBtn->isEnabled());
    grid.SelectRows(1, 2);
    rig.window->Menu().ClearEffectsBtn->trigger();
    QCOMPARE(rig.List().Effects(0), std::string("2<Mosaic=10><Anti-alias=1>"));
    QCOMPARE(rig.List().Effects(1), std::string());
    rig.window->EffectCommands().EffectsPopMenu()->aboutToShow();
    rig.window->EffectCommands().PopupClearAllEffects()->trigger();
    for (int row = 0; row < 4; ++row) QCOMPARE(rig.List().Effects(row), std::string());
    QCOMPARE(rig.reporter.entries.size(), std::size_t{1});
  }

  void APageFlipGivesWayWithinOneFrameAndEndsAtFullSize() {
    MainRig rig(1);
    sf::test::RecordingReporter reporter;
    sf::app::TTransitionsForm form(reporter);
    const sf::Bitmap background = sf::test::MakeSolid(5, 5, sf::Rgb{0, 0, 255});
    form.Load(rig.List().Path(0), background, {.upright = true});
    form.show();
    auto* list = form.findChild<QListWidget*>("TransListBox");
    ClickItem(list, "Page Flip - Up");
    QCOMPARE(form.PlayingTransition(), 2);
    QTest::qWait(150);
    QVERIFY(form.NextFrame() > 1 && form.NextFrame() < sf::kPageFlipFrames);
    QElapsedTimer clock;
    clock.start();
    ClickItem(list, "Page Flip - Down");
    QCOMPARE(form.PlayingTransition(), 3);
    QCOMPARE(form.NextFrame(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(form.PlayingTransition(), -1, 10000);
    QVERIFY(clock.elapsed() >= (sf::kPageFlipFrames - 1) * sf::app::TTransitionsForm::kFrameMilliseconds);

    // The last frame: the picture at full size, its key-coloured margins showing the background.
    const sf::Bitmap& fitted = form.FittedPicture();
    sf::Bitmap expected = sf::BackgroundFrame(background, sf::ResizeMethod::kStandard, 287, 255);
    sf::DrawPageFlipFrame(sf::PageFlip::kDown, fitted, expected, sf::kPageFlipFrames - 1, form.KeyColor());
    QVERIFY(SameBytes(form.PreviewPicture(), expected));
    QCOMPARE(sf::ToColorRef(fitted.PixelColor(0, 0)), form.KeyColor());  // a 200 x 150 picture leaves margins
    QCOMPARE(form.PreviewPicture().PixelColor(0, 0), (sf::Rgb{0, 0, 255}));
    QVERIFY(reporter.entries.empty());
  }

  void F7OpensTheTransitionsWindowAndApplyWritesTheSelectedRows() {
    MainRig rig(4);
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->Ui().StringGrid->SelectRows(1, 3);
    sf::app::TTransitionsForm& form = rig.window->EffectCommands().TransitionsForm();
    bool opened = false;
    QTimer::singleShot(0, &form, [&] {
      opened = form.isVisible() && form.isModal();
      ClickItem(form.findChild<QListWidget*>("TransListBox"), "Page Flip - Right");
      QTest::qWait(60);
      QTest::mouseClick(form.findChild<QPushButton*>("ApplyBtn"), Qt::LeftButton);
    });
    QTest::keyClick(rig.window.get(), Qt::Key_F7);
    QVERIFY(opened);
    QCOMPARE(form.PlayingTransition(), -1);
    QCOMPARE(rig.List().Transition(0), std::string());
    for (int row = 1; row < 4; ++row) QCOMPARE(rig.List().Transition(row), std::string("1"));
    QVERIFY(rig.window->Project().Modified());

    rig.window->Ui().StringGrid->SelectRow(0);
    QTimer::singleShot(0, &form, [&] {
      ClickItem(form.findChild<QListWidget*>("TransListBox"), "Page Flip - Left");
      QTest::mouseClick(form.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
    });
    QTest::keyClick(rig.window.get(), Qt::Key_F7);
    QCOMPARE(rig.List().Transition(0), std::string());
    QVERIFY(rig.reporter.entries.empty());
  }
};

QTEST_MAIN(TestEffectsWindows)
#include "effects_windows_test.moc"
