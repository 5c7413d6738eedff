// "Rotate photos upright (EXIF)" in the main window and the batch converter:
// where it stands, what it starts as, what toggling it marks, how a project
// keeps it, and the picture sizes the windows show for a photo stored sideways.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "app/clickable_label.h"
#include "app/convert_images_form.h"
#include "app/hint_form.h"
#include "app/list_commands.h"
#include "app/main_window.h"
#include "app/main_window_list_host.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "fake_file_dialogs.h"
#include "image/bmp_writer.h"
#include "image/jpeg_writer.h"
#include "project/project_writer.h"
#include "support/corpus.h"
#include "support/exif_jpeg.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

using sf::app::FileDialogAnswer;
using sf::app::TAVICompileForm;

namespace {

std::string Text(const std::string& path) {
  const auto bytes = sf::ReadWholeFile(path);
  return {bytes.begin(), bytes.end()};
}

// A 36 x 24 photo whose camera says it must be turned a quarter clockwise.
std::string WriteSidewaysPhoto(const std::string& folder) {
  const auto photo = sf::test::WithExifOrientation(sf::EncodeJpeg(sf::test::MakeGradient(36, 24), 90), 6,
                                                   sf::test::ByteOrder::kIntel);
  const std::string path = folder + "/sideways.jpg";
  sf::WriteWholeFile(path, std::string(photo.begin(), photo.end()));
  return path;
}

bool SaysSize(const std::string& info, int width, int height) {
  return info.find("Width: " + std::to_string(width) + "\nHeight: " + std::to_string(height) + "\n") !=
         std::string::npos;
}

}  // namespace

class TestUprightSetting : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_folder = sf::test::MakeTempDir();
    m_reporter = std::make_unique<sf::test::RecordingReporter>();
    m_dialogs = std::make_unique<sf::test::FakeFileDialogs>();
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    services.dialogs = m_dialogs.get();
    services.desktop = &m_desktop;
    m_form = std::make_unique<TAVICompileForm>(services);
    m_form->show();
  }
  void cleanup() { m_form.reset(); }

  void StandsUnderZoomInAndMarksTheProjectChanged() {
    QCheckBox* upright = Check();
    QCOMPARE(upright->text(), QStringLiteral("Rotate photos upri&ght (EXIF)"));
    QVERIFY(upright->isChecked());
    QVERIFY(m_form->ReadSettings()->upright);
    // In the fitting group, right under Zoom In, and clear of every other control there.
    QCheckBox* zoom = m_form->Ui().ZoomInChkBox;
    QCOMPARE(upright->parentWidget(), zoom->parentWidget());
    QVERIFY(upright->geometry().top() >= zoom->geometry().bottom());
    for (QWidget* other : upright->parentWidget()->findChildren<QWidget*>()) {
      if (other == upright || !other->isVisible()) continue;
      QVERIFY2(!other->geometry().intersects(upright->geometry()), qPrintable(other->objectName()));
      QVERIFY2(upright->parentWidget()->rect().contains(other->geometry()), qPrintable(other->objectName()));
    }
    // The preview below the group keeps clear of it.
    const QRect group(upright->parentWidget()->mapTo(m_form->Ui().Image1->parentWidget(), QPoint(0, 0)),
                      upright->parentWidget()->size());
    QVERIFY(!group.intersects(m_form->Ui().Image1->geometry()));

    QVERIFY(!m_form->Project().Modified());
    QTest::mouseClick(upright, Qt::LeftButton);
    QVERIFY(!upright->isChecked());
    QVERIFY(m_form->Project().Modified());
    QVERIFY(!m_form->ReadSettings()->upright);
  }

  void PreviewViewerAndInfoFollowIt() {
    m_form->ListCommandsHost().List().DropFiles({WriteSidewaysPhoto(m_folder)});
    QCOMPARE(m_form->List().RowCount(), 1);
    m_form->Menu().ImageLocationBtn->trigger();
    QVERIFY2(SaysSize(m_reporter->Texts().back(), 24, 36), m_reporter->Texts().back().c_str());
    QTest::mouseClick(Check(), Qt::LeftButton);  // refreshes the preview
    m_form->Menu().ImageLocationBtn->trigger();
    QVERIFY2(SaysSize(m_reporter->Texts().back(), 36, 24), m_reporter->Texts().back().c_str());
  }

  void AProjectKeepsItAndOlderProjectsOpenWithItOff() {
    const std::string picture = m_folder + "/a.bmp";
    sf::WriteBmpFile(sf::test::MakeGradient(20, 10), picture);
    m_form->ListCommandsHost().List().DropFiles({picture});
    const std::string saved = m_folder + "/on.sfg";
    m_dialogs->answers.push_back(FileDialogAnswer{saved, 1});
    m_form->Menu().SaveProjectAsBtn->trigger();
    QVERIFY(Text(saved).find("reserved3 upright \r\n") != std::string::npos);

    // A project from before the setting: off when opened, and saved byte for byte.
    sf::ProjectRecord old_record;
    old_record.list.AddPath(picture);
    old_record.output_path = m_folder + "/out.avi";
    const std::string old_project = m_folder + "/old.sfg";
    const std::string old_text = sf::FormatProject(old_record);
    QVERIFY(old_text.find("reserved3 reserved4 \r\n") != std::string::npos);
    sf::WriteWholeFile(old_project, old_text);
    m_dialogs->answers.push_back(FileDialogAnswer{old_project, 1});
    m_form->Menu().OpenProjectBtn->trigger();
    QCOMPARE(m_form->List().RowCount(), 1);
    QVERIFY(!Check()->isChecked());
    QVERIFY(!m_form->Project().Modified());
    m_form->Menu().SaveProjectBtn->trigger();
    QCOMPARE(Text(old_project), old_text);

    // Clear List starts a new list, which turns photos upright again.
    m_reporter->answers = {true};
    m_form->Menu().ClearListBtn->trigger();
    QVERIFY(m_form->List().IsEmpty());
    QVERIFY(Check()->isChecked());
  }

  void TheConverterHasItsOwnBoxOnAtStart() {
    sf::app::THintForm hint;
    sf::test::RecordingReporter reporter;
    sf::app::TConvertImagesForm converter(hint, reporter, m_desktop, m_folder + "/");
    converter.show();
    auto* upright = converter.findChild<QCheckBox*>(QStringLiteral("AutoOrientCheck"));
    QVERIFY(upright != nullptr);
    QVERIFY(upright->isChecked());
    QVERIFY(converter.ReadSettings().picture.upright);
    QTest::mouseClick(Check(), Qt::LeftButton);
    QVERIFY2(upright->isChecked(), "the main window's box is not the converter's");

    WriteSidewaysPhoto(m_folder);
    converter.AddFiles(m_folder, {"sideways.jpg"});
    converter.ImageLocationBtnClick();
    QVERIFY2(SaysSize(reporter.Texts().back(), 24, 36), reporter.Texts().back().c_str());
    // Its caption toggles it, as the window's other boxes do.
    QTest::mouseClick(converter.findChild<QLabel*>(QStringLiteral("AutoOrientLbl")), Qt::LeftButton);
    QVERIFY(!upright->isChecked());
    QVERIFY(!converter.ReadSettings().picture.upright);
    converter.ImageLocationBtnClick();
    QVERIFY2(SaysSize(reporter.Texts().back(), 36, 24), reporter.Texts().back().c_str());
  }

 private:
  QCheckBox* Check() { return m_form->findChild<QCheckBox*>(QStringLiteral("AutoOrientCheck")); }

  std::string m_folder;
  sf::NoDesktop m_desktop;
  std::unique_ptr<sf::test::RecordingReporter> m_reporter;
  std::unique_ptr<sf::test::FakeFileDialogs> m_dialogs;
  std::unique_ptr<TAVICompileForm> m_form;
};

QTEST_MAIN(TestUprightSetting)
#include "upright_setting_test.moc"
