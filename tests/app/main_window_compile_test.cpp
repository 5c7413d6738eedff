// Compiling from the main window: the busy state's table, Stop in the middle of
// a compile, and a window compile that writes the same file as the command line.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <set>

#include "app/gif_settings_form.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "avi/avi_reader.h"
#include "avi/video_compressor.h"
#include "common/desktop.h"
#include "common/file_util.h"
#include "gif/gif_extensions.h"
#include "gif/gif_image.h"
#include "support/corpus.h"
#include "fake_file_dialogs.h"
#include "image/bmp_writer.h"
#include "support/pictures.h"
#include "project/project_writer.h"
#include "support/recording_reporter.h"

using sf::app::TAVICompileForm;

namespace {

std::vector<std::string> WritePictures(const std::string& folder, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    paths.push_back(folder + "/picture" + std::to_string(i) + ".bmp");
    sf::WriteBmpFile(sf::test::MakeGradient(40 + i, 30 + (i % 7)), paths.back());
  }
  return paths;
}

std::uint32_t AviLength(const std::string& path) {
  sf::test::RecordingReporter reporter;
  sf::AviReader reader(reporter);
  if (!reader.InitAvi(path)) return 0;
  const auto info = reader.GetAviInfo();
  return info ? info->length : 0;
}

}  // namespace

class TestMainWindowCompile : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_reporter = std::make_unique<sf::test::RecordingReporter>();
    m_chooser = std::make_unique<sf::FixedChooser>(sf::Compression{});
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    services.dialogs = &m_dialogs;
    services.desktop = &m_desktop;
    services.chooser = m_chooser.get();
    m_form = std::make_unique<TAVICompileForm>(services);
    m_form->show();
    m_folder = sf::test::MakeTempDir();
  }
  void cleanup() { m_form.reset(); }

  void BusyStateDisablesTheTableAndRestoresIt() {
    Fill(WritePictures(m_folder, 2));
    const std::set<QString> enabled_before = EnabledControls();
    m_form->EnterBusyState();
    QVERIFY(m_form->Compiling());
    QVERIFY(Ui().CompileBtn->isHidden());
    const std::set<QString> still_enabled = EnabledControls();
    // Only the box beside the result, the read-only path fields, the
    // applied-effects list and the Stop button stay usable.
    QCOMPARE(still_enabled, (std::set<QString>{"OpenFileChkBox", "AudioPathEdit", "OutputEdit",
                                               "AppliedEffectsListBox", "StopBtn"}));
    const sf::app::MainMenu& menu = m_form->Menu();
    for (QAction* item : {menu.OpenProjectBtn, menu.ImageList1->menuAction(), menu.Effects1->menuAction(),
                          menu.Tools1->menuAction(), menu.Help1->menuAction(), menu.ReopenBtn->menuAction()})
      QVERIFY2(!item->isEnabled(), qPrintable(item->text()));
    QVERIFY(menu.SaveProjectAsBtn->isEnabled() == false && menu.ExitBtn->isEnabled());
    // Their shortcut keys go with the menus.
    for (QAction* item : {menu.AddImageFilesBtn2, menu.SelectAllBtn, menu.AddEffectBtn, menu.HelpBtn})
      QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));

    m_form->LeaveBusyState();
    m_form->LeaveBusyState();  // from Stop and from the compile's own end
    QVERIFY(!m_form->Compiling());
    QCOMPARE(EnabledControls(), enabled_before);
    QVERIFY(menu.Help1->menuAction()->isEnabled());
    for (QAction* item : {menu.AddImageFilesBtn2, menu.SelectAllBtn, menu.AddEffectBtn, menu.HelpBtn})
      QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    QVERIFY(!menu.ReopenBtn->menuAction()->isEnabled());  // no history
  }

  void GifCompileTakesTheGifSettingsWindowsValues() {
    Fill(WritePictures(m_folder, 2));
    const std::string output = m_folder + "/anim.gif";
    m_dialogs.answers.push_back(sf::app::FileDialogAnswer{output, 2});
    QTest::mouseClick(Ui().OutputPathBtn, Qt::LeftButton);
    QTest::mouseClick(Ui().GIFSettingsBtn, Qt::LeftButton);
    sf::app::TGIFSettingsForm& gif = m_form->GifSettingsForm();
    auto* loops = gif.findChild<QSpinBox*>(QStringLiteral("NumLoopsEdit"));
    loops->setFocus();
    QTest::keyClick(loops, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(loops, QStringLiteral("3"));
    auto* transparency = gif.findChild<QComboBox*>(QStringLiteral("TransCBox"));
    transparency->setFocus();
    QTest::keyClick(transparency, Qt::Key_Down);
    gif.findChild<QComboBox*>(QStringLiteral("DisposalCBox"))->setCurrentIndex(1);

    QTest::mouseClick(Ui().CompileBtn, Qt::LeftButton);
    QCOMPARE(m_form->PanelText(TAVICompileForm::kProgressPanel), QStringLiteral("100% - Complete - 2 of 2 total frames."));
    QVERIFY(!Ui().IncludeAudioChkBox->isEnabled());  // a GIF output keeps it off after the busy state
    sf::TGIFImage animation;
    animation.LoadFromFile(output);
    QCOMPARE(animation.Count(), 2);
    const auto& extensions = animation.Frame(0).Extensions();
    const auto* loop = dynamic_cast<const sf::TGIFAppExtNSLoop*>(extensions.front().get());
    QVERIFY(loop);
    QCOMPARE(loop->Loops(), 3);
    const auto* control = dynamic_cast<const sf::TGIFGraphicControlExtension*>(extensions.back().get());
    QVERIFY(control);
    QVERIFY(control->GetTransparent());
    QCOMPARE(static_cast<int>(control->GetDisposal()), 1);
  }

  void StopLeavesAShorterValidAvi() {
    Fill(WritePictures(m_folder, 30));
    const std::string output = m_folder + "/stopped.avi";
    Ui().OutputEdit->setText(QString::fromStdString(output));
    // Stop is clicked from inside the compile's event processing, once the
    // fifth frame has been written.
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [this, &watcher] {
      if (m_form->PanelText(TAVICompileForm::kProgressPanel).contains(QStringLiteral("Complete - 5 of"))) {
        watcher.stop();
        QTest::mouseClick(Ui().StopBtn, Qt::LeftButton);
      }
    });
    watcher.start(0);
    QTest::mouseClick(Ui().CompileBtn, Qt::LeftButton);

    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Process stopped by user."));
    QCOMPARE(m_form->RememberedMessage(), QStringLiteral("Process stopped by user."));
    QCOMPARE(m_reporter->Texts(), std::vector<std::string>{"Stop rendering?"});
    QVERIFY(!m_form->Compiling());
    QVERIFY(Ui().CompileBtn->isVisible());
    const std::uint32_t frames = AviLength(output);
    QVERIFY2(frames >= 5 && frames < 30, qPrintable(QString::number(frames)));
    if (sf::test::HaveProgram("ffprobe")) {
      std::string out;
      QCOMPARE(sf::test::RunCommand("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                    "stream=nb_read_frames -of csv=p=0 '" + output + "'", &out), 0);
      QCOMPARE(std::stoul(out), static_cast<unsigned long>(frames));
    }
  }

  void ExitAnsweredNoLeavesTheCompileRunning() {
    Fill(WritePictures(m_folder, 3));
    Ui().OutputEdit->setText(QString::fromStdString(m_folder + "/kept.avi"));
    m_reporter->answers = {false};
    QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
    QTest::mouseClick(Ui().CompileBtn, Qt::LeftButton);
    QCOMPARE(m_reporter->Texts(), std::vector<std::string>{"Exit program and abort compilation?"});
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Process completed successfuly."));
    QVERIFY(m_form->isVisible());
    QVERIFY(!m_form->ExitRequested());
    QCOMPARE(AviLength(m_folder + "/kept.avi"), 3u);
  }

  void EnterInAnEditCompiles() {
    Fill(WritePictures(m_folder, 1));
    Ui().OutputEdit->setText(QString::fromStdString(m_folder + "/entered.avi"));
    Ui().RepeatValueEdit->setFocus();
    QTest::keyClick(Ui().RepeatValueEdit, Qt::Key_Return);
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Process completed successfuly."));
    QCOMPARE(AviLength(m_folder + "/entered.avi"), 1u);
  }

  void CancelledCompressorChoiceStops() {
    Fill(WritePictures(m_folder, 2));
    *m_chooser = sf::FixedChooser(std::nullopt);
    const std::string output = m_folder + "/cancelled.avi";
    Ui().OutputEdit->setText(QString::fromStdString(output));
    QTest::mouseClick(Ui().CompileBtn, Qt::LeftButton);
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Process stopped by user."));
    QVERIFY(!m_form->Compiling());
    QCOMPARE(AviLength(output), 0u);
  }

  void WindowCompileMatchesTheCommandLine() {
    const std::vector<std::string> pictures = WritePictures(m_folder, 20);
    sf::ProjectRecord record;
    for (const std::string& path : pictures) record.list.AddPath(path);
    record.output_path = m_folder + "/cli.avi";
    const std::string project = m_folder + "/twenty.sfg";
    sf::WriteWholeFile(project, sf::FormatProject(record));
    const int status = sf::test::RunCommand("'" + sf::test::SlideforgeBinary() + "' compile '" + project + "' --yes 2>/dev/null");
    QCOMPARE(status, 0);

    Fill(pictures);
    const std::string output = m_folder + "/window.avi";
    Ui().OutputEdit->setText(QString::fromStdString(output));
    QTest::mouseClick(Ui().CompileBtn, Qt::LeftButton);
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Process completed successfuly."));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kProgressPanel),
             QStringLiteral("100% - Complete - 20 of 20 total frames."));
    QCOMPARE(m_form->ProgressFillWidth(), 0);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("100% Slideforge"));
    QVERIFY(m_reporter->entries.empty());
    QVERIFY(sf::ReadWholeFile(output) == sf::ReadWholeFile(m_folder + "/cli.avi"));
  }

 private:
  const sf::app::MainControls& Ui() const { return m_form->Ui(); }

  void Fill(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) m_form->List().AddPath(path);
    Ui().StringGrid->Reload();
    for (QWidget* control : std::initializer_list<QWidget*>{Ui().StringGrid, Ui().DeleteBtn, Ui().SortBtn,
                                                            Ui().EditEffectsBtn, Ui().CompileBtn})
      control->setEnabled(true);
  }

  // The objectNames of the enabled input controls of the client area.
  std::set<QString> EnabledControls() const {
    std::set<QString> names;
    for (QWidget* widget : m_form->ClientArea()->findChildren<QWidget*>()) {
      const bool input = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                         qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                         qobject_cast<QAbstractItemView*>(widget);
      if (input && !widget->objectName().isEmpty() && widget->isEnabled() && !widget->isHidden() &&
          !qobject_cast<QLineEdit*>(widget->parentWidget()))
        names.insert(widget->objectName());
    }
    return names;
  }

  std::unique_ptr<sf::test::RecordingReporter> m_reporter;
  std::unique_ptr<sf::FixedChooser> m_chooser;
  sf::test::FakeFileDialogs m_dialogs;
  sf::NoDesktop m_desktop;
  std::unique_ptr<TAVICompileForm> m_form;
  std::string m_folder;
};

QTEST_MAIN(TestMainWindowCompile)
#include "main_window_compile_test.moc"
