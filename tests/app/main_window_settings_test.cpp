// The main window's settings controls driven by real key presses and clicks.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "app/gif_settings_form.h"
#include "app/main_window.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "fake_file_dialogs.h"
#include "image/bmp_writer.h"
#include "support/pictures.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

using sf::app::FileDialogAnswer;
using sf::app::TAVICompileForm;
using Kind = sf::test::RecordingReporter::Kind;

class TestMainWindowSettings : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_reporter = std::make_unique<sf::test::RecordingReporter>();
    m_dialogs = std::make_unique<sf::test::FakeFileDialogs>();
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    services.dialogs = m_dialogs.get();
    services.desktop = &m_desktop;
    m_form = std::make_unique<TAVICompileForm>(services);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  }
  void cleanup() { m_form.reset(); }

  void SecondsDriveTheRepeatValueAndStayAsTyped() {
    QLineEdit* seconds = Ui().RepeatSecondsEdit;
    QCOMPARE(seconds->text(), QStringLiteral("0.0333667000333667"));
    Retype(seconds, "2");
    QCOMPARE(Ui().RepeatValueEdit->text(), QStringLiteral("59.94"));
    QCOMPARE(seconds->text(), QStringLiteral("2"));
    QCOMPARE(seconds->toolTip(), QStringLiteral("2"));
    QVERIFY(m_form->Project().Modified());
    // An empty list has no totals.
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalFramesPanel), QStringLiteral("Total Frames: ?"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kVideoLengthPanel), QStringLiteral("Video Length: ?"));

    // The frame rate keeps the frames per picture; the seconds follow it.
    Retype(Ui().FramesPerSecondEdit, "25");
    QCOMPARE(Ui().RepeatValueEdit->text(), QStringLiteral("59.94"));
    QCOMPARE(seconds->text(), QStringLiteral("2.3976"));
    QCOMPARE(Ui().MediaTypeCBox->currentText(), QStringLiteral("Custom"));
  }

  void LeavingATimingEditValidatesIt() {
    QLineEdit* repeat = Ui().RepeatValueEdit;
    Retype(repeat, "0.5");
    QTest::keyClick(repeat, Qt::Key_Tab);
    QCOMPARE(m_reporter->Errors(),
             std::vector<std::string>{"This must be a valid number greater than one or equal to one."});
    QCOMPARE(repeat->text(), QStringLiteral("1"));
    QVERIFY(repeat->hasFocus());

    m_reporter->entries.clear();
    Retype(repeat, "abc");
    QTest::keyClick(repeat, Qt::Key_Tab);
    QCOMPARE(m_reporter->Errors(), std::vector<std::string>{"This must be a valid number greater than or equal to one."});
    QCOMPARE(repeat->text(), QStringLiteral("1"));
    QCOMPARE(Ui().RepeatSecondsEdit->text(), QStringLiteral("0.0333667000333667"));

    // Seconds of 0 while the repeat value is 2: the repeat value goes back to 1
    // and the seconds follow it.
    m_reporter->entries.clear();
    Retype(repeat, "2");
    Retype(Ui().RepeatSecondsEdit, "0");
    QTest::keyClick(Ui().RepeatSecondsEdit, Qt::Key_Tab);
    QCOMPARE(m_reporter->Errors(), std::vector<std::string>{"The repeat each frame value needs to be one or greater."});
    QCOMPARE(repeat->text(), QStringLiteral("1"));
    QCOMPARE(Ui().RepeatSecondsEdit->text(), QStringLiteral("0.0333667000333667"));
    QVERIFY(Ui().RepeatSecondsEdit->hasFocus());

    m_reporter->entries.clear();
    Retype(Ui().FramesPerSecondEdit, "0");
    QTest::keyClick(Ui().FramesPerSecondEdit, Qt::Key_Tab);
    QCOMPARE(m_reporter->Errors(), std::vector<std::string>{"Frames per second must be a valid number greater than zero."});
    QCOMPARE(Ui().FramesPerSecondEdit->text(), QStringLiteral("29.97"));
  }

  void PresetThenTypedWidthGivesCustom() {
    QComboBox* media = Ui().MediaTypeCBox;
    QCOMPARE(media->currentText(), QStringLiteral("DVD NTSC 720 x 480"));
    media->setFocus();
    QTest::keyClick(media, Qt::Key_Down);
    QTest::keyClick(media, Qt::Key_Down);
    QCOMPARE(media->currentText(), QStringLiteral("HD Low 720p60"));
    QCOMPARE(Ui().FramesPerSecondEdit->text(), QStringLiteral("60"));
    QCOMPARE(Ui().WidthEdit->value(), 1280);
    QCOMPARE(Ui().HeightEdit->value(), 720);
    QCOMPARE(Ui().RepeatSecondsEdit->text(), QStringLiteral("0.0166666666666667"));

    Retype(Ui().WidthEdit, "1000");
    QCOMPARE(Ui().WidthEdit->value(), 1000);
    QCOMPARE(media->currentText(), QStringLiteral("Custom"));
  }

  void NumberFieldsTakeOnlyDigits() {
    QSpinBox* width = Ui().WidthEdit;
    Retype(width, "3x-5.");
    QCOMPARE(width->text(), QStringLiteral("35"));
    QTest::keyClick(width, Qt::Key_Backspace);
    QCOMPARE(width->text(), QStringLiteral("3"));
    // Enter is dropped in the field: it neither compiles nor changes the value.
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(width->value(), 3);
    QVERIFY(m_reporter->entries.empty());
    // Left empty, the field takes its minimum.
    QTest::keyClick(width, Qt::Key_Backspace);
    QTest::keyClick(width, Qt::Key_Tab);
    QCOMPARE(width->text(), QStringLiteral("1"));
    QCOMPARE(width->value(), 1);
  }

  void OutputDialogSetsNameAndKind() {
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/movie.mpg", 1});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/movie.avi"));
    const sf::app::FileDialogRequest& request = m_dialogs->requests.back();
    QCOMPARE(request.folder, m_form->DocumentsFolder());
    QCOMPARE(request.file_name, m_form->DocumentsFolder() + "output.avi");
    QTest::mouseClick(Ui().IncludeAudioChkBox, Qt::LeftButton);
    QVERIFY(Ui().OpenAudioPathBtn->isEnabled());
    QTest::mouseClick(Ui().GIFSettingsBtn, Qt::LeftButton);  // disabled: nothing opens
    QVERIFY(!m_form->GifSettingsForm().isVisible());

    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/anim.avi", 2});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/anim.gif"));
    QCOMPARE(m_dialogs->requests.back().filter_index, 1);
    QVERIFY(!Ui().IncludeAudioChkBox->isChecked());
    QVERIFY(!Ui().IncludeAudioChkBox->isEnabled());
    QVERIFY(!Ui().OpenAudioPathBtn->isEnabled());
    QVERIFY(Ui().GIFSettingsBtn->isEnabled());
    QTest::mouseClick(Ui().GIFSettingsBtn, Qt::LeftButton);
    QVERIFY(m_form->GifSettingsForm().isVisible());

    // A name without a dot is kept as typed and the kind shown stays.
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/noext", 1});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/noext"));
    QVERIFY(Ui().GIFSettingsBtn->isEnabled());

    // Back to AVI hides the GIF settings; a cancelled dialog changes nothing.
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/clip.AVI", 1});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/clip.AVI"));
    QVERIFY(!m_form->GifSettingsForm().isVisible());
    QVERIFY(Ui().IncludeAudioChkBox->isEnabled());
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/clip.AVI"));

    // The two videos carry the sound track as the AVI does.
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/anim.gif", 2});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/show.avi", 3});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/show.mp4"));
    QVERIFY(Ui().IncludeAudioChkBox->isEnabled());
    QVERIFY(!Ui().GIFSettingsBtn->isEnabled());
    m_dialogs->answers.push_back(FileDialogAnswer{"/tmp/out/show.mp4", 4});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QCOMPARE(Ui().OutputEdit->text(), QStringLiteral("/tmp/out/show.webm"));
    QVERIFY(Ui().IncludeAudioChkBox->isEnabled());
  }

  void GifDrawMethodFollowsTransparency() {
    sf::app::TGIFSettingsForm& gif = m_form->GifSettingsForm();
    auto* transparency = gif.findChild<QComboBox*>(QStringLiteral("TransCBox"));
    auto* disposal = gif.findChild<QComboBox*>(QStringLiteral("DisposalCBox"));
    gif.show();
    QVERIFY(!disposal->isEnabled());
    transparency->setFocus();
    QTest::keyClick(transparency, Qt::Key_Down);
    QVERIFY(disposal->isEnabled());
    disposal->setCurrentIndex(1);
    QTest::keyClick(transparency, Qt::Key_Up);
    QVERIFY(!disposal->isEnabled());
    QCOMPARE(disposal->currentText(), QStringLiteral("Draw each frame new"));
  }

  void HintsStandInForTheRememberedMessage() {
    const QString start = m_form->PanelText(TAVICompileForm::kMessagePanel);
    QWidget* client = m_form->ClientArea();
    QTest::mouseMove(Ui().AddBtn, QPoint(5, 5));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel),
             QStringLiteral("Click here to add Bitmaps or JPEG files to the compilation list."));
    QTest::mouseMove(Ui().OutputPathBtn, QPoint(5, 5));
    QVERIFY(m_form->PanelText(TAVICompileForm::kMessagePanel).startsWith(QStringLiteral("Note: Standard AVI")));
    QTest::mouseMove(client, QPoint(300, 502));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), start);

    // A command's message meanwhile is what comes back.
    QTest::mouseMove(Ui().AddBtn, QPoint(6, 6));
    m_form->ShowMessage(QStringLiteral("Background picture loaded."));
    QTest::mouseMove(Ui().OpenBackPicBtn, QPoint(5, 5));
    QTest::mouseMove(client, QPoint(301, 502));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Background picture loaded."));
  }

  void MenuItemsFollowTheListButtons() {
    const sf::app::MainMenu& menu = m_form->Menu();
    QVERIFY(!menu.DeleteSelectedBtn2->isEnabled());
    QVERIFY(!menu.AddEffectBtn->isEnabled());
    Ui().DeleteBtn->setEnabled(true);
    QVERIFY(menu.DeleteSelectedBtn2->isEnabled());
    QVERIFY(menu.AddEffectBtn->isEnabled());
    QVERIFY(!menu.SortBtn2->isEnabled());
    Ui().SortBtn->setEnabled(true);
    for (QAction* item : {menu.SortBtn2, menu.SortSelectionBtn, menu.SelectAllBtn, menu.ImageLocationBtn,
                          menu.ViewImageBtn, menu.ValidateListBtn, menu.ClearListBtn})
      QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
  }

  void BackgroundPictureLoadedMissingOrBroken() {
    const std::string folder = sf::test::MakeTempDir();
    const std::string picture = folder + "/back.bmp";
    sf::WriteBmpFile(sf::test::MakeGradient(9, 7), picture);
    m_dialogs->answers.push_back(FileDialogAnswer{picture, 1});
    QTest::mouseClick(Ui().OpenBackPicBtn, Qt::LeftButton);
    QCOMPARE(m_dialogs->requests.back().folder, m_form->ProgramFolder() + "Backgrounds");
    QCOMPARE(m_form->RememberedMessage(), QStringLiteral("Background picture loaded."));
    QCOMPARE(m_form->HeldSettings().background_picture.Width(), 9);
    QVERIFY(m_reporter->entries.empty());

    // A broken file is reported and the picture held so far stays.
    const std::string broken = folder + "/broken.bmp";
    sf::WriteWholeFile(broken, "BM not really a bitmap");
    m_dialogs->answers.push_back(FileDialogAnswer{broken, 1});
    QTest::mouseClick(Ui().OpenBackPicBtn, Qt::LeftButton);
    QCOMPARE(m_reporter->Errors().back(), std::string("Error loading background picture."));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Error loading background picture."));
    QCOMPARE(m_form->HeldSettings().background_picture.Width(), 9);

    m_reporter->entries.clear();
    m_dialogs->answers.push_back(FileDialogAnswer{folder + "/gone.bmp", 1});
    QTest::mouseClick(Ui().OpenBackPicBtn, Qt::LeftButton);
    QCOMPARE(m_reporter->Texts(), std::vector<std::string>{"Background picture not found:\n" + folder +
                                                           "/gone.bmp\nBackground file path has been removed from project."});
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Background picture not found."));
    QVERIFY(m_form->HeldSettings().background_path.empty());
    QCOMPARE(m_form->HeldSettings().background_picture.Width(), 9);
  }

  void HelpReportsAMissingDocument() {
    m_form->Menu().HelpBtn->trigger();
    QCOMPARE(m_reporter->Errors(), std::vector<std::string>{"Unable to open 'Slideforge Documentation.pdf'. This file "
                                                            "should be found in the root folder of this program."});
  }

 private:
  const sf::app::MainControls& Ui() const { return m_form->Ui(); }

  // Focuses the field, selects its text and types over it.
  static void Retype(QWidget* field, const char* text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QString::fromLatin1(text));
  }

  std::unique_ptr<sf::test::RecordingReporter> m_reporter;
  std::unique_ptr<sf::test::FakeFileDialogs> m_dialogs;
  sf::NoDesktop m_desktop;
  std::unique_ptr<TAVICompileForm> m_form;
};

QTEST_MAIN(TestMainWindowSettings)
#include "main_window_settings_test.moc"
