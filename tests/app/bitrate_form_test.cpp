// The bitrate calculator window, opened from the Tools menu: its first results,
// recalculation as fields change, the presets, the notes of its status bar and
// the messages of a calculation that fails.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "app/bitrate_form.h"
#include "tool_window_rig.h"

namespace {

class BitrateRig : public sf::test::ToolWindowRig<sf::app::TBitrateForm> {
 public:
  BitrateRig() : ToolWindowRig(&sf::app::TAVICompileForm::BitrateForm, &sf::app::MainMenu::BitrateCalcBtn) {}

  // Replaces a field's text by typing, as a person would.
  void Type(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }
};

}  // namespace

class TestBitrateForm : public QObject {
  Q_OBJECT

 private slots:
  void OpensInPlaceOfTheMainWindowWithTheResultsOfItsDefaults() {
    BitrateRig rig;
    QVERIFY(rig.Open());
    QVERIFY(rig.Form().isVisible());
    QVERIFY(!rig.main_window->isVisible());
    QCOMPARE(rig.Form().windowTitle(), QStringLiteral("Video Bitrate Calculator -  Korvane Software"));
    QCOMPARE(rig.Text("DVDMaxLbl"), QStringLiteral("9570"));
    QCOMPARE(rig.Text("OverheadEdit"), QStringLiteral("92"));
    QCOMPARE(rig.Text("AudioFileSizeLbl"), QStringLiteral("Audio size = 151200 KB (147 MB)"));
    QCOMPARE(rig.Text("BitrateEdit"), QStringLiteral("6548"));
    QCOMPARE(rig.Text("BitrateBitsEdit"), QStringLiteral("6548308"));
    QCOMPARE(rig.Text("DiskSpaceLbl"), QStringLiteral("Video size = 4316512 KB (4215 MB)"));
    QCOMPARE(rig.Text("TotalISOSizeLbl"), QStringLiteral("Total ISO size = 25 MB"));
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("Note: Some encoders use 1024 bits in a kilobit. File sizes may "
                                                   "vary slightly from these calculations."));

    QTest::mouseClick(rig.Find<QPushButton>("CloseBtn"), Qt::LeftButton);
    QVERIFY(!rig.Form().isVisible());
    QVERIFY(rig.main_window->isVisible());
    QVERIFY(rig.reporter.entries.empty());
  }

  void KilobitsOf1024ChangeTheMaximumAndTheKilobitRateButNotTheAudio() {
    BitrateRig rig;
    QVERIFY(rig.Open());
    auto* bits = rig.Find<QComboBox>("BitsPerKiloBox");
    bits->setFocus();
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("Most encoders use 1000 bits per kbit."));
    QTest::keyClick(bits, Qt::Key_Down);
    QCOMPARE(bits->currentText(), QStringLiteral("1024"));
    QCOMPARE(rig.Text("DVDMaxLbl"), QStringLiteral("9346"));
    QCOMPARE(rig.Text("BitrateEdit"), QStringLiteral("6394"));
    QCOMPARE(rig.Text("BitrateBitsEdit"), QStringLiteral("6548308"));
    QCOMPARE(rig.Text("AudioFileSizeLbl"), QStringLiteral("Audio size = 151200 KB (147 MB)"));

    // SVCD writes its preset (1000 bits again) and recomputes only its own row.
    auto* type = rig.Find<QComboBox>("TypeBox");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down);
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(type->currentText(), QStringLiteral("SVCD"));
    QCOMPARE(bits->currentText(), QStringLiteral("1000"));
    QCOMPARE(rig.Find<QLineEdit>("SizeEdit")->text(), QStringLiteral("797"));
    QCOMPARE(rig.Find<QComboBox>("SizeBox")->currentText(), QStringLiteral("MB"));
    QCOMPARE(rig.Find<QComboBox>("AudioBox")->currentText(), QStringLiteral("192"));
    QCOMPARE(rig.Find<QLineEdit>("FreeSpaceEdit")->text(), QStringLiteral("5"));
    QCOMPARE(rig.Text("DVDMaxLbl"), QStringLiteral("9346"));
    QCOMPARE(rig.Text("SVCDMaxLbl"), QStringLiteral("2591"));
    QCOMPARE(rig.Text("BitrateBitsEdit"), QStringLiteral("2215893"));
    QCOMPARE(rig.Text("TotalISOSizeLbl"), QStringLiteral("Total ISO size = 10 MB"));
    QVERIFY(rig.reporter.entries.empty());
  }

  void TwoDiscsDoubleCapacityFreeSpaceAndOverhead() {
    BitrateRig rig;
    QVERIFY(rig.Open());
    auto* discs = rig.Find<QSpinBox>("NumDisksEdit");
    rig.Type(discs, QStringLiteral("2"));
    QCOMPARE(discs->value(), 2);
    QCOMPARE(rig.Text("OverheadEdit"), QStringLiteral("184"));
    QCOMPARE(rig.Text("TotalISOSizeLbl"), QStringLiteral("Total ISO size = 50 MB"));
    // The rate that fills two discs is above the DVD maximum.
    QCOMPARE(rig.Text("BitrateEdit"), QStringLiteral("9570"));
    QCOMPARE(rig.Text("BitrateBitsEdit"), QStringLiteral("9570000"));

    // Clicking the label beside the box lifts the cap.
    QTest::mouseClick(rig.Find<QLabel>("IgnoreMaxLbl"), Qt::LeftButton);
    QVERIFY(rig.Find<QCheckBox>("IgnoreMaxChkBox")->isChecked());
    QCOMPARE(rig.Text("BitrateBitsEdit"), QStringLiteral("13325993"));
    QCOMPARE(rig.Text("DiskSpaceLbl"), QStringLiteral("Video size = 8784224 KB (8578 MB)"));
    QVERIFY(rig.reporter.entries.empty());
  }

  void ADurationOfZeroFailsOnlyWhenCalculateIsPressed() {
    BitrateRig rig;
    QVERIFY(rig.Open());
    auto* duration = rig.Find<QLineEdit>("DurationEdit");
    rig.Type(duration, QStringLiteral("0"));
    QVERIFY(rig.reporter.entries.empty());
    QCOMPARE(rig.Text("BitrateEdit"), QStringLiteral("6548"));

    QTest::mouseClick(rig.Find<QPushButton>("GoBtn"), Qt::LeftButton);
    QCOMPARE(rig.reporter.Errors(),
             (std::vector<std::string>{"Floating point division by zero", "Unable to calculate bitrate."}));
    // The audio size came before the division; the rates keep their values.
    QCOMPARE(rig.Text("AudioFileSizeLbl"), QStringLiteral("Audio size = 0 KB (0 MB)"));
    QCOMPARE(rig.Text("BitrateEdit"), QStringLiteral("6548"));
    QCOMPARE(rig.Text("DiskSpaceLbl"), QStringLiteral("Video size = 4316512 KB (4215 MB)"));

    rig.reporter.entries.clear();
    rig.Type(duration, QStringLiteral("9O"));
    QVERIFY(rig.reporter.entries.empty());
    // A button's shortcut clicks it after a short press animation.
    QTest::keyClick(&rig.Form(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(rig.reporter.Errors(),
             (std::vector<std::string>{"'9O' is not a valid number.", "Unable to calculate bitrate."}));
  }

  void NotesFollowTheMouseAndTheFocus() {
    BitrateRig rig;
    QVERIFY(rig.Open());
    QTest::mouseMove(rig.Find<QPushButton>("GoBtn"));
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("Calculate!"));
    QTest::mouseMove(rig.Find<QLabel>("SVCDMaxLbl"));
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("A higher bitrate should not be used per item."));
    // The note stays when the mouse leaves for a control without one.
    QTest::mouseMove(rig.Find<QLabel>("AudioFileSizeLbl"));
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("A higher bitrate should not be used per item."));
    QTest::keyClick(&rig.Form(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(rig.Find<QLineEdit>("FreeSpaceEdit")->hasFocus());
    QCOMPARE(rig.Form().NoteText(), QStringLiteral("5MB suggested for SVCD and 25MB suggested for DVD."));
  }
};

QTEST_MAIN(TestBitrateForm)
#include "bitrate_form_test.moc"
