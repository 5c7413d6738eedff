// The batch converter window: the option dependencies driven by key presses on
// the real boxes, the hand-over from the main list, validation, and a run.
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QListWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <filesystem>

#include "app/convert_images_form.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/main_menu.h"
#include "app/quality_slider.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace {

// Moves a combo box to the item with the arrow keys, as a person would.
void Choose(QComboBox* box, int index) {
  box->setFocus();
  while (box->currentIndex() < index) QTest::keyClick(box, Qt::Key_Down);
  while (box->currentIndex() > index) QTest::keyClick(box, Qt::Key_Up);
}

void TypeInto(QAbstractSpinBox* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
}

}  // namespace

class TestConvertImagesForm : public QObject {
  Q_OBJECT

 private:
  template <typename T>
  T* Find(const char* name) {
    T* widget = m_form->findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }

  sf::test::RecordingReporter m_reporter;
  sf::NoDesktop m_desktop;
  std::unique_ptr<sf::app::THintForm> m_hint;
  std::unique_ptr<sf::app::TConvertImagesForm> m_form;

 private slots:
  void init() {
    m_reporter = {};
    m_hint = std::make_unique<sf::app::THintForm>();
    m_form = std::make_unique<sf::app::TConvertImagesForm>(*m_hint, m_reporter, m_desktop, "/tmp/");
    m_form->show();
  }
  void cleanup() { m_form.reset(); }

  void StartsWithOnlyTheSizeOptionsDisabled() {
    QVERIFY(Find<QSpinBox>("JpegQualityEdit")->isEnabled());
    QCOMPARE(Find<QSpinBox>("JpegQualityEdit")->value(), 100);
    QVERIFY(Find<QComboBox>("PixelFormCBox")->isEnabled());
    QCOMPARE(Find<QComboBox>("PixelFormCBox")->currentText(), QStringLiteral("Same as Input"));
    QVERIFY(Find<QLineEdit>("NameExtEdit")->isEnabled());
    QCOMPARE(Find<QLineEdit>("NameExtEdit")->text(), QStringLiteral("New_"));
    for (const char* name : {"WidthEdit", "HeightEdit", "AspectCBox", "ResizeCBox", "ResizeAfterChkBox"})
      QVERIFY2(!Find<QWidget>(name)->isEnabled(), name);
    QVERIFY(!Find<QPushButton>("ConvertBtn")->isEnabled());
    QVERIFY(Find<QPushButton>("StopBtn")->isHidden());
    QCOMPARE(m_form->PanelText(sf::app::TConvertImagesForm::kProgressPanel), QStringLiteral("Ready."));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Batch Image Converter with Effects"));
  }

  void FormatFixesThePixelFormatAndTheQuality() {
    auto* format = Find<QComboBox>("FormatCBox");
    auto* pixels = Find<QComboBox>("PixelFormCBox");
    auto* quality = Find<QSpinBox>("JpegQualityEdit");
    Choose(pixels, 0);
    Choose(format, 3);
    QCOMPARE(pixels->currentText(), QStringLiteral("8 bit (256 Colors)"));
    QVERIFY(!pixels->isEnabled());
    QVERIFY(!quality->isEnabled());
    Choose(format, 2);
    QCOMPARE(pixels->currentText(), QStringLiteral("24 bit (16,777,216 Colors)"));
    QVERIFY(!pixels->isEnabled());
    QVERIFY(quality->isEnabled());
    QVERIFY(Find<sf::app::QualitySlider>("TrackBarImage")->isEnabled());
    Choose(format, 1);
    QCOMPARE(pixels->currentText(), QStringLiteral("Same as Input"));
    QVERIFY(pixels->isEnabled());
    QVERIFY(!quality->isEnabled());
    QVERIFY(!Find<sf::app::QualitySlider>("TrackBarImage")->isEnabled());
  }

  void PresetSizesUntilAWidthIsTyped() {
    auto* size = Find<QComboBox>("OutputSizeCBox");
    Choose(size, 8);
    QCOMPARE(size->currentText(), QStringLiteral("720 x 576 DVD SD PAL"));
    QCOMPARE(Find<QSpinBox>("HeightEdit")->value(), 576);
    QVERIFY(Find<QComboBox>("AspectCBox")->isEnabled());
    Choose(Find<QComboBox>("AspectCBox"), 1);
    QCOMPARE(size->currentIndex(), 8);
    TypeInto(Find<QSpinBox>("WidthEdit"), QStringLiteral("721"));
    QCOMPARE(Find<QSpinBox>("WidthEdit")->value(), 721);
    QCOMPARE(size->currentText(), QStringLiteral("Custom"));
    // Letters never reach a number box.
    TypeInto(Find<QSpinBox>("HeightEdit"), QStringLiteral("4a0"));
    QCOMPARE(Find<QSpinBox>("HeightEdit")->value(), 40);
    const sf::ConversionSettings settings = m_form->ReadSettings();
    QVERIFY(settings.picture.resize);
    QCOMPARE(settings.picture.width, 721);
    QCOMPARE(settings.picture.aspect, 1);
    Choose(size, 0);
    QVERIFY(!Find<QSpinBox>("WidthEdit")->isEnabled());
    QVERIFY(!m_form->ReadSettings().picture.resize);
  }

  void PostfixTurnsOnlyTheDefaultNameAround() {
    auto* exists = Find<QComboBox>("IfFileExistsCBox");
    auto* name = Find<QLineEdit>("NameExtEdit");
    Choose(exists, 1);
    QCOMPARE(name->text(), QStringLiteral("_New"));
    Choose(exists, 0);
    QCOMPARE(name->text(), QStringLiteral("New_"));
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("x"));
    Choose(exists, 1);
    QCOMPARE(name->text(), QStringLiteral("x"));
    Choose(exists, 2);
    QVERIFY(!name->isEnabled());
    QCOMPARE(m_form->ReadSettings().if_exists, sf::IfFileExists::kOverwrite);
    // The label toggles its check box.
    QTest::mouseClick(Find<QLabel>("SkipErrorsLbl"), Qt::LeftButton);
    QVERIFY(Find<QCheckBox>("SkipErrorsChkBox")->isChecked());
  }

  void HandOverCopiesTheMainListOnYes() {
    sf::ImageList main_list;
    main_list.AddPath("/pics/a.jpg");
    main_list.AddPath("/pics/b.jpg");
    main_list.SetCell(1, sf::kEffectsColumn, "1<Brighter=50>");
    m_form->TakeMainList(sf::ImageList(), false);
    QVERIFY(m_reporter.entries.empty());

    m_reporter.answers = {false};
    m_form->TakeMainList(main_list, true);
    QVERIFY(m_form->List().IsEmpty());
    m_reporter.answers = {true};
    m_form->TakeMainList(main_list, true);
    QCOMPARE(m_reporter.entries[1].kind, sf::test::RecordingReporter::Kind::kConfirm);
    QCOMPARE(m_form->List().RowCount(), 2);
    QCOMPARE(m_form->List().Effects(1), std::string("1<Brighter=50>"));
    QVERIFY(Find<QPushButton>("ConvertBtn")->isEnabled());
    m_form->List().SetCell(1, sf::kEffectsColumn, "");
    QCOMPARE(main_list.Effects(1), std::string("1<Brighter=50>"));

    // A main list with display times and motions comes over whole; the
    // converter shows none of those columns.
    main_list.SetCellAdding(0, sf::kDisplayTimeColumn, "2.5");
    main_list.SetCellAdding(1, sf::kMotionColumn, "Zoom In");
    m_reporter.answers = {true};
    m_form->TakeMainList(main_list, true);
    QCOMPARE(m_form->List().Motion(1), std::string("Zoom In"));
    auto* grid = Find<sf::app::ImageListGrid>("StringGrid");
    QVERIFY(grid->isColumnHidden(sf::kDisplayTimeColumn));
    QVERIFY(grid->isColumnHidden(sf::kMotionColumn));
    QVERIFY(!grid->horizontalHeader()->isVisible());
  }

  void ValidatingAListOfMissingFilesEmptiesIt() {
    m_form->AddFiles("/no/such/folder", {"a.bmp", "b.bmp"});
    QVERIFY(Find<QPushButton>("ConvertBtn")->isEnabled());
    m_reporter.entries.clear();
    m_form->ValidateListBtn1Click();
    QCOMPARE(m_reporter.Texts().back(), std::string("2 image(s) deleted from list.\n\nFile list verification complete."));
    QVERIFY(m_form->List().IsEmpty());
    QVERIFY(!Find<QPushButton>("ConvertBtn")->isEnabled());
    QCOMPARE(m_form->PanelText(sf::app::TConvertImagesForm::kTotalImagesPanel), QStringLiteral("Total Images: ?"));
  }

  void ConvertImagesWritesTheFilesAndComesBackToRest() {
    const std::string dir = sf::test::MakeTempDir();
    sf::WriteBmpFile(sf::test::MakeGradient(20, 10), dir + "/one.bmp");
    sf::WriteBmpFile(sf::test::MakeGradient(30, 10), dir + "/two.bmp");
    m_form->AddFiles(dir, {"one.bmp", "two.bmp"});
    QCOMPARE(m_reporter.Texts().back(), std::string("2 image files added to the list."));
    // A double click takes the row's picture size as the output size.
    m_form->StringGridDblClick();
    QCOMPARE(Find<QSpinBox>("WidthEdit")->value(), 20);
    QCOMPARE(Find<QSpinBox>("HeightEdit")->value(), 10);
    QCOMPARE(Find<QComboBox>("OutputSizeCBox")->currentText(), QStringLiteral("Custom"));
    Choose(Find<QComboBox>("OutputSizeCBox"), 0);
    Find<QLineEdit>("OutputEdit")->setText(QString::fromStdString(dir + "/out/"));
    Choose(Find<QComboBox>("FormatCBox"), 2);
    m_reporter.entries.clear();
    QTest::mouseClick(Find<QPushButton>("ConvertBtn"), Qt::LeftButton);
    QVERIFY(m_reporter.entries.empty());
    QCOMPARE(m_form->PanelText(sf::app::TConvertImagesForm::kProgressPanel),
             QStringLiteral("100% - 2 of 2 processed. 0 skipped."));
    std::string kind;
    QCOMPARE(sf::ReadPicture(dir + "/out/two.jpg", &kind).Width(), 30);
    QCOMPARE(kind, std::string("JPEG"));
    QVERIFY(!Find<QPushButton>("ConvertBtn")->isHidden());
    QVERIFY(Find<QPushButton>("StopBtn")->isHidden());
    QVERIFY(!Find<QComboBox>("PixelFormCBox")->isEnabled());
    QVERIFY(Find<QComboBox>("FormatCBox")->isEnabled());
    std::filesystem::remove_all(dir);
  }

  // The editor opens for the converter's selection and writes only its cells.
  void EditEffectsWritesTheConfirmedListIntoTheSelectedRows() {
    const std::string dir = sf::test::MakeTempDir();
    sf::WriteBmpFile(sf::test::MakeGradient(20, 10), dir + "/one.bmp");
    m_form->AddFiles(dir, {"one.bmp", "one.bmp", "one.bmp"});
    m_reporter = {};
    auto* edit = Find<QPushButton>("EditEffectsBtn");
    QVERIFY(edit->isEnabled());
    m_form->Grid().SelectRows(0, 1);
    auto* editor = m_form->findChild<QDialog*>("TEffectsForm");
    QVERIFY(editor);
    QTimer::singleShot(0, editor, [&] {
      auto* effects = editor->findChild<QListWidget*>("EffectsListBox");
      effects->setCurrentItem(effects->findItems(QStringLiteral("Mosaic"), Qt::MatchExactly).front());
      QTest::mouseClick(editor->findChild<QPushButton*>("AddEffectBtn"), Qt::LeftButton);
      QTest::mouseClick(editor->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    });
    edit->click();
    QCOMPARE(m_reporter.Texts(), (std::vector<std::string>{"Effect(s) will be applied to all selected images in "
                                                           "the \nimage list. All previous effects will be "
                                                           "overwritten.\n\nContinue?"}));
    QCOMPARE(m_form->List().Effects(0), std::string("1<Mosaic=10>"));
    QCOMPARE(m_form->List().Effects(1), std::string("1<Mosaic=10>"));
    QCOMPARE(m_form->List().Effects(2), std::string());
    // The converter's own summary, not the editor's list of the same name.
    auto* summary = m_form->findChild<QListWidget*>("AppliedEffectsListBox", Qt::FindDirectChildrenOnly);
    QVERIFY(summary);
    QCOMPARE(summary->item(1)->text(), QStringLiteral("Mosaic=10"));
  }

  void QualitySliderStepsTwoPixelsPerValue() {
    auto* slider = Find<sf::app::QualitySlider>("TrackBarImage");
    auto* quality = Find<QSpinBox>("JpegQualityEdit");
    QCOMPARE(slider->ThumbLeft(), 200);
    TypeInto(quality, QStringLiteral("50"));
    QCOMPARE(slider->ThumbLeft(), 100);
    // On the track the thumb centres on the mouse: left 53, value trunc(51 / 2 + 1).
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(60, 12));
    QCOMPARE(slider->ThumbLeft(), 53);
    QCOMPARE(quality->value(), 26);
    QVERIFY(!slider->Dragging());
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(60, 12));
    // Dragging the thumb moves it by the mouse's travel and stops at both ends.
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(58, 12));
    QVERIFY(slider->Dragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(78, 12), QPointF(78, 12), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    QCOMPARE(slider->ThumbLeft(), 73);
    QCOMPARE(quality->value(), 36);
    QMouseEvent far(QEvent::MouseMove, QPointF(400, 12), QPointF(400, 12), Qt::NoButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(slider, &far);
    QCOMPARE(slider->ThumbLeft(), sf::app::QualitySlider::kTrackWidth - sf::app::QualitySlider::kThumbWidth - 3);
    QCOMPARE(quality->value(), 100);
    // A value typed while the thumb is held waits for the release.
    TypeInto(quality, QStringLiteral("10"));
    QCOMPARE(slider->ThumbLeft(), 201);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(400, 12));
    TypeInto(quality, QStringLiteral("1"));
    QCOMPARE(slider->ThumbLeft(), 2);
  }

  void ToolsMenuHidesTheMainWindowUntilTheConverterCloses() {
    sf::app::WindowServices services;
    services.reporter = &m_reporter;
    services.desktop = &m_desktop;
    sf::app::TAVICompileForm main_window(services);
    main_window.show();
    sf::app::TConvertImagesForm& converter = main_window.ConvertImagesForm();
    main_window.Menu().ImageConverterBtn->trigger();
    QVERIFY(m_reporter.entries.empty());  // an empty main list asks nothing
    QVERIFY(converter.isVisible());
    QVERIFY(!main_window.isVisible());
    QTest::mouseClick(converter.findChild<QPushButton*>(QStringLiteral("CloseBtn")), Qt::LeftButton);
    QVERIFY(!converter.isVisible());
    QVERIFY(main_window.isVisible());
  }

  void StopAsksAndEndsTheRunAtItsNextProgressRow() {
    const std::string dir = sf::test::MakeTempDir();
    std::vector<std::string> names;
    for (int k = 0; k < 10; ++k) {
      names.push_back("p" + std::to_string(k) + ".bmp");
      sf::WriteBmpFile(sf::test::MakeGradient(8, 8), dir + "/" + names.back());
    }
    m_form->AddFiles(dir, names);
    m_form->List().SetCell(9, sf::kEffectsColumn, "1<Brighter=10>");
    Find<QLineEdit>("OutputEdit")->setText(QString::fromStdString(dir + "/out/"));
    auto* stop = Find<QPushButton>("StopBtn");
    bool stop_shown = false;
    // Runs when the run first lets events run, while it prepares.
    QTimer::singleShot(0, stop, [&] {
      stop_shown = stop->isVisible() && !Find<QComboBox>("FormatCBox")->isEnabled();
      // Menu shortcuts reach their actions while the run reads the list.
      for (const char* item : {"ClearList1", "ValidateListBtn1", "ClearAllEffects1", "AddImageFiles1"})
        Find<QAction>(item)->trigger();
      QTest::mouseClick(stop, Qt::LeftButton);
      // Stop has left the busy state, but the run goes on to its next progress
      // row and still reads the list.
      QTimer::singleShot(0, stop, [&] {
        Find<QAction>("ClearList1")->trigger();
        Find<QPushButton>("DeleteBtn")->click();
      });
    });
    m_reporter.entries.clear();
    QTest::mouseClick(Find<QPushButton>("ConvertBtn"), Qt::LeftButton);
    QVERIFY(stop_shown);
    QCOMPARE(m_reporter.Texts(), std::vector<std::string>{"Stop converting images?"});
    QCOMPARE(m_form->PanelText(sf::app::TConvertImagesForm::kProgressPanel),
             QStringLiteral("10% - 1 of 10 converted. Stopped."));
    QVERIFY(sf::FileExists(dir + "/out/p0.bmp"));
    QVERIFY(!sf::FileExists(dir + "/out/p1.bmp"));
    QVERIFY(stop->isHidden());
    QVERIFY(Find<QComboBox>("FormatCBox")->isEnabled());
    QCOMPARE(m_form->List().RowCount(), 10);
    QCOMPARE(m_form->List().Effects(9), std::string("1<Brighter=10>"));
    std::filesystem::remove_all(dir);
  }
};

QTEST_MAIN(TestConvertImagesForm)
#include "convert_images_form_test.moc"
