// The list commands against a recording host: what they ask of the window that
// holds the list (busy marks, enabling, panels, the sound track, the frame size)
// without the main window around them.
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/list_commands.h"
#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "recording_list_host.h"
#include "support/pictures.h"

using sf::test::RecordingListHost;

class TestListHostCommands : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_host = std::make_unique<RecordingListHost>();
    m_host->program_folder = Folder() + "/";
    m_commands = std::make_unique<sf::app::ListCommands>(*m_host, [this](const std::string& path) {
      m_opened_projects.push_back(path);
    });
  }
  void cleanup() {
    m_commands.reset();
    m_host.reset();
    m_dir.reset();
    m_opened_projects.clear();
  }

  void AddingMarksTheListBusyThenEnablesItsCommands() {
    Picture("a.bmp", 40, 30);
    Picture("b.bmp", 40, 30);
    m_host->chosen = sf::app::ChosenFiles{Folder(), {"a.bmp", "b.bmp"}};
    m_commands->AddBtnClick();

    QCOMPARE(m_host->list.RowCount(), 2);
    QCOMPARE(m_host->busy_marks, (std::vector<bool>{true, false}));
    QCOMPARE(m_host->cursor_depth, 0);
    QVERIFY(m_host->list_commands_enabled);
    QCOMPARE(m_host->total_panel, std::string("Total Images: 2"));
    QCOMPARE(m_host->selected_panel, std::string("Selected Image: 1"));
    QVERIFY(!m_host->previews.empty() && !m_host->previews.back().isNull());
    QVERIFY(m_host->project.Modified());
    QCOMPARE(m_host->reporter.Texts(), (std::vector<std::string>{"2 image files added to the list."}));

    // A cancelled browser changes nothing.
    m_host->chosen.reset();
    m_commands->AddBtnClick();
    QCOMPARE(m_host->list.RowCount(), 2);
    QCOMPARE(m_host->busy_marks.size(), std::size_t{2});
  }

  void SoundTrackComesFromAFirstDroppedWavAndGoesWhenMissing() {
    const std::string wav = Folder() + "/song.wav";
    sf::WriteWholeFile(wav, "RIFF");
    m_host->include_audio_enabled = false;
    m_commands->DropFiles({wav});
    QVERIFY(m_host->sound_tracks_taken.empty());
    m_host->include_audio_enabled = true;
    m_commands->DropFiles({wav});
    QCOMPARE(m_host->sound_tracks_taken, (std::vector<std::string>{wav}));
    QVERIFY(m_host->list.IsEmpty());
    QVERIFY(m_opened_projects.empty());

    m_host->list.AddPath(Picture("a.bmp", 20, 20));
    m_host->grid.Reload();
    // "(none)" is no file name: nothing to check, nothing to remove.
    m_commands->ValidateListBtnClick();
    QCOMPARE(m_host->sound_tracks_removed, 0);
    m_host->reporter.entries.clear();

    m_host->audio_path = Folder() + "/gone.wav";
    m_commands->ValidateListBtnClick();
    QCOMPARE(m_host->sound_tracks_removed, 1);
    QCOMPARE(m_host->reporter.Texts().front(),
             "Audio file not found:\n" + m_host->audio_path + "\nAudio file will be removed from project.");
  }

  void WhileCompilingTheListCannotBeEdited() {
    m_host->list.AddPath(Picture("a.bmp", 20, 20));
    m_host->list.AddPath(Picture("b.bmp", 20, 20));
    m_host->grid.Reload();
    m_host->compiling = true;
    m_commands->DeleteBtnClick();
    m_commands->ClearListBtnClick();
    QCOMPARE(m_host->list.RowCount(), 2);
    QVERIFY(m_host->reporter.entries.empty());  // not even the clear question
    m_commands->StringGridClick();
    QVERIFY(!m_host->delete_enabled);
    m_host->compiling = false;
    m_commands->StringGridClick();
    QVERIFY(m_host->delete_enabled);
  }

  void DoubleClickTakesTheFrameSizeWithItsBorder() {
    m_host->list.AddPath(Picture("wide.bmp", 100, 50));
    m_host->grid.Reload();
    m_host->grid.SelectRow(0);
    m_host->settings.border_size_width = 10;
    m_commands->StringGridDblClick();
    QCOMPARE(m_host->frame_sizes, (std::vector<std::pair<int, int>>{{120, 50}}));
  }

 private:
  std::string Folder() const { return m_dir->path().toStdString(); }
  std::string Picture(const std::string& name, int width, int height) {
    const std::string path = Folder() + "/" + name;
    sf::WriteBmpFile(sf::test::MakeGradient(width, height), path);
    return path;
  }

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<RecordingListHost> m_host;
  std::unique_ptr<sf::app::ListCommands> m_commands;
  std::vector<std::string> m_opened_projects;
};

QTEST_MAIN(TestListHostCommands)
#include "list_host_commands_test.moc"
