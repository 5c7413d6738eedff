// The image list and project commands on the real main window; message boxes
// are recorded instead of shown.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/application.h"
#include "app/clickable_label.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/open_folder_form.h"
#include "common/desktop.h"
#include "fake_file_dialogs.h"
#include "image/bmp_writer.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

using sf::app::FileDialogAnswer;
using sf::app::TAVICompileForm;

namespace {

class RecordingDesktop final : public sf::Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

class TestListCommands : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_dir->path());  // the program folder, home of the logs
    m_reporter = std::make_unique<sf::test::RecordingReporter>();
    m_dialogs = std::make_unique<sf::test::FakeFileDialogs>();
    m_desktop = std::make_unique<RecordingDesktop>();
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    services.dialogs = m_dialogs.get();
    services.desktop = m_desktop.get();
    m_form = std::make_unique<TAVICompileForm>(services);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
  }
  void cleanup() {
    m_form.reset();
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
  }

  void AddingThroughTheFolderBrowserFillsRowZeroThenAppends() {
    const std::string folder = Folder("pictures");
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "notes.txt"}) Picture("pictures/" + std::string(name));
    ChooseInBrowser(folder, {"b.bmp"});
    QTest::mouseClick(Ui().AddBtn, Qt::LeftButton);
    QCOMPARE(Paths(), std::vector<std::string>{folder + "/b.bmp"});
    QCOMPARE(Grid().CurrentRow(), 0);
    QVERIFY(Contains(m_reporter->Texts(), "1 image file added to the list."));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalImagesPanel), QStringLiteral("Total Images: 1"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kSelectedImagePanel), QStringLiteral("Selected Image: 1"));
    QVERIFY(Grid().isEnabled() && Ui().DeleteBtn->isEnabled() && Ui().SortBtn->isEnabled() &&
            Ui().CompileBtn->isEnabled());
    QVERIFY(!Ui().Image1->pixmap().isNull());
    QVERIFY(m_form->Project().Modified());

    // The browser lists pictures only, sorted, and a second add appends.
    ChooseInBrowser(folder, {"a.bmp", "c.bmp"});
    QTest::mouseClick(Ui().AddBtn, Qt::LeftButton);
    QCOMPARE(m_browser_items, QStringList({"a.bmp", "b.bmp", "c.bmp"}));
    QCOMPARE(Paths(), (std::vector<std::string>{folder + "/b.bmp", folder + "/a.bmp", folder + "/c.bmp"}));
    QCOMPARE(Grid().CurrentRow(), 2);
    QVERIFY(Contains(m_reporter->Texts(), "2 image files added to the list."));

    // Cancelling the browser adds nothing.
    m_reporter->entries.clear();
    QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
    QTest::mouseClick(Ui().AddBtn, Qt::LeftButton);
    QCOMPARE(Paths().size(), std::size_t{3});
    QVERIFY(m_reporter->entries.empty());
  }

  void DropOpensAProjectOnlyWhenItComesFirst() {
    const std::string picture = Picture("drop.bmp");
    const std::string project = SaveProjectOf({Picture("in_project.bmp")});
    m_reporter->entries.clear();
    m_reporter->answers = {false};  // the cleared list is not saved over the project
    Drop({project, picture});
    QCOMPARE(Paths(), std::vector<std::string>{Path("in_project.bmp")});
    QCOMPARE(m_form->windowTitle(), QString::fromStdString("Slideforge - " + project));
    QVERIFY(!Contains(m_reporter->Texts(), "1 image file added to the list. 0 file(s) ignored"));

    m_reporter->entries.clear();
    Drop({picture, project, Path("folder_without_dot")});
    QCOMPARE(Paths(), (std::vector<std::string>{Path("in_project.bmp"), picture}));
    QCOMPARE(Grid().CurrentRow(), 1);
    QVERIFY(Contains(m_reporter->Texts(), "1 image file added to the list. 1 file(s) ignored"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel),
             QStringLiteral("1 image file added to the list. 1 file(s) ignored."));
    QCOMPARE(ReadText(Path("temp.log")),
             "Total 'Drag and Drop' files ignored: 1\r\n\r\nList of 'Drag and Drop' files ignored:\r\n\r\n" + project +
                 "\r\n");
    QCOMPARE(m_desktop->opened.back(), Path("temp.log"));

    // A sound track dropped first becomes the audio path of an AVI output.
    Drop({Path("song.wav"), picture});
    QCOMPARE(Ui().AudioPathEdit->text(), QString::fromStdString(Path("song.wav")));
    QVERIFY(Ui().IncludeAudioChkBox->isChecked());
    QCOMPARE(Paths().size(), std::size_t{2});
  }

  void SortingIsNaturalInBothDirections() {
    Drop({Path("pic10.jpg"), Path("pic9.jpg"), Path("PIC1.jpg")});
    QTest::mouseClick(Ui().SortBtn, Qt::LeftButton);
    QCOMPARE(Paths(), (std::vector<std::string>{Path("PIC1.jpg"), Path("pic9.jpg"), Path("pic10.jpg")}));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("List sorted."));
    QVERIFY(Ui().SortBtn->isVisible() && !Ui().StopSortBtn->isVisible());
    QTest::mouseClick(Ui().SortBackChkBox, Qt::LeftButton);
    QTest::mouseClick(Ui().SortBtn, Qt::LeftButton);
    QCOMPARE(Paths(), (std::vector<std::string>{Path("pic10.jpg"), Path("pic9.jpg"), Path("PIC1.jpg")}));

    // Sort Selection touches only the selected rows.
    Drop({Path("pic5.jpg"), Path("pic3.jpg")});
    ClickRow(3);
    ClickRow(4, Qt::ShiftModifier);
    QTest::mouseClick(Ui().SortBackChkBox, Qt::LeftButton);
    m_form->Menu().SortSelectionBtn->trigger();
    QCOMPARE(Paths(), (std::vector<std::string>{Path("pic10.jpg"), Path("pic9.jpg"), Path("PIC1.jpg"),
                                                Path("pic3.jpg"), Path("pic5.jpg")}));
  }

  void StopSortEndsTheSortAtItsNextStep() {
    std::vector<std::string> paths;
    for (int i = 99; i >= 0; --i) paths.push_back(Path("p" + std::to_string(i) + ".jpg"));
    Drop(paths);
    bool stop_was_shown = false;
    QTimer::singleShot(0, this, [&] {
      stop_was_shown = Ui().StopSortBtn->isVisible() && !Ui().SortBtn->isVisible();
      QTest::mouseClick(Ui().StopSortBtn, Qt::LeftButton);
    });
    QTest::mouseClick(Ui().SortBtn, Qt::LeftButton);
    QVERIFY(stop_was_shown);
    QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel), QStringLiteral("Sort cancelled."));
    QCOMPARE(Paths(), paths);  // stopped at the first step, before any row moved
    QVERIFY(Ui().SortBtn->isVisible() && !Ui().StopSortBtn->isVisible());
  }

  void DeletingASelectionEitherWayRemovesTheSameRows() {
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) paths.push_back(Picture("d" + std::to_string(i) + ".bmp"));
    const std::vector<std::string> expected{paths[0], paths[4], paths[5]};
    for (const bool top_down : {true, false}) {
      Drop(paths);
      ClickRow(top_down ? 1 : 3);
      ClickRow(top_down ? 3 : 1, Qt::ShiftModifier);
      QTest::keyClick(&Grid(), Qt::Key_Delete);
      QCOMPARE(Paths(), expected);
      QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalImagesPanel), QStringLiteral("Total Images: 3"));
      QCOMPARE(m_form->PanelText(TAVICompileForm::kMessagePanel),
               QStringLiteral("Selected image files deleted from list."));
      // Clear List asks first; No keeps the list.
      m_reporter->answers = {false};
      m_form->Menu().ClearListBtn->trigger();
      QCOMPARE(Paths().size(), std::size_t{3});
      m_form->Menu().ClearListBtn->trigger();
      QCOMPARE(m_reporter->Texts().back(), std::string("Clear entire list of pictures?"));
      QCOMPARE(Paths(), std::vector<std::string>{""});
    }
    QVERIFY(!Grid().isEnabled() && !Ui().CompileBtn->isEnabled() && !Ui().DeleteBtn->isEnabled());
    QCOMPARE(m_form->PanelText(TAVICompileForm::kSelectedImagePanel), QStringLiteral("Selected Image: None."));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalImagesPanel), QStringLiteral("Total Images: 0"));
    QVERIFY(Ui().Image1->pixmap().isNull());
  }

  void ValidationRemovesMissingRowsInOrderAndLogsThem() {
    std::vector<std::string> paths;
    for (int i = 1; i <= 10; ++i) {
      const std::string name = "v" + std::to_string(i) + ".bmp";
      paths.push_back(i == 3 || i == 4 || i == 8 ? Path(name) : Picture(name));
    }
    Drop(paths);
    ClickRow(9);
    m_reporter->entries.clear();
    m_form->Menu().ValidateListBtn->trigger();
    std::vector<std::string> expected = paths;
    expected.erase(expected.begin() + 7);
    expected.erase(expected.begin() + 2, expected.begin() + 4);
    QCOMPARE(Paths(), expected);
    QCOMPARE(ReadText(Path("deleted.log")),
             "Total image file paths not found: 3\r\n\r\nList of image files deleted from project:\r\n\r\n" + paths[2] +
                 "\r\n" + paths[3] + "\r\n" + paths[7] + "\r\n");
    QCOMPARE(m_reporter->Texts(),
             std::vector<std::string>{"3 image(s) deleted from list.\n\nFile list verification complete."});
    QCOMPARE(Grid().CurrentRow(), 6);  // the remembered row 9 is past the end now
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalImagesPanel), QStringLiteral("Total Images: 7"));
    QVERIFY(m_form->Project().Modified());

    // A validation that finds every picture gone leaves the empty list.
    for (const std::string& path : expected) QFile::remove(QString::fromStdString(path));
    m_form->Menu().ValidateListBtn->trigger();
    QCOMPARE(Paths(), std::vector<std::string>{""});
    QVERIFY(!Ui().CompileBtn->isEnabled());
  }

  void RowSelectionShowsPictureEffectsAndInformation() {
    Drop({Picture("small.bmp", 40, 30), Picture("wide.bmp", 200, 50)});
    Grid().List().SetCell(1, sf::kEffectsColumn, "2<Brighter=50><Mosaic=4>");
    ClickRow(1);
    QCOMPARE(EffectLines(), QStringList({"Applied Effects: 2", "Brighter=50", "Mosaic=4"}));
    QCOMPARE(Ui().Image1->pixmap().size(), QSize(160, 120));
    m_reporter->entries.clear();
    m_form->Menu().ImageLocationBtn->trigger();
    QCOMPARE(m_reporter->Texts(), std::vector<std::string>{Path("wide.bmp") +
                                                          "\n\nImage Type: Bitmap\nWidth: 200\nHeight: 50\n"
                                                          "Pixel format: 24 bit (16,777,216 Colors)\n"});

    Grid().setFocus();
    QTest::keyClick(&Grid(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(EffectLines(), QStringList({"Applied Effects: ?"}));
    QCOMPARE(Grid().SelectedRowCount(), 2);

    // A double click takes the frame size from the picture and its border.
    Ui().BorderSizeWidthEdit->setValue(10);
    QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, RowPoint(0));
    QCOMPARE(Ui().WidthEdit->value(), 48);
    QCOMPARE(Ui().HeightEdit->value(), 30);
    QCOMPARE(Ui().MediaTypeCBox->currentText(), QStringLiteral("Custom"));

    // A malformed effect text is reported and the selection goes on.
    Grid().List().SetCell(0, sf::kEffectsColumn, "x");
    m_reporter->entries.clear();
    ClickRow(0);
    QCOMPARE(m_reporter->Errors().size(), std::size_t{1});
    QCOMPARE(m_form->PanelText(TAVICompileForm::kSelectedImagePanel), QStringLiteral("Selected Image: 1"));
  }

  void DraggingARowTabMovesTheRow() {
    Drop({Path("r0.jpg"), Path("r1.jpg"), Path("r2.jpg"), Path("r3.jpg")});
    m_dialogs->answers.push_back(FileDialogAnswer{Path("moved.sfg"), 1});
    m_form->Menu().SaveProjectAsBtn->trigger();
    QVERIFY(!m_form->Project().Modified());
    const QPoint tab = Grid().visualRect(Grid().model()->index(0, sf::kRowTabColumn)).center();
    QTest::mousePress(Grid().viewport(), Qt::LeftButton, {}, tab);
    QTest::mouseRelease(Grid().viewport(), Qt::LeftButton, {}, RowPoint(2));
    QCOMPARE(Paths(), (std::vector<std::string>{Path("r1.jpg"), Path("r2.jpg"), Path("r0.jpg"), Path("r3.jpg")}));
    QCOMPARE(Grid().CurrentRow(), 2);
    QVERIFY(m_form->Project().Modified());
  }

  void SavedProjectOpensWithEveryCellAndSetting() {
    Drop({Picture("s1.bmp"), Picture("s2.bmp")});
    sf::ImageList& list = Grid().List();
    list.SetCell(0, sf::kEffectsColumn, "1<Blur Gaussian=3>");
    list.SetCell(1, sf::kTransitionColumn, "2");
    Ui().AspectChkBox->click();
    Ui().BorderSizeHeightEdit->setValue(7);
    Ui().PixelFormCBox->setCurrentIndex(0);
    Ui().ResizeCBox->setCurrentIndex(1);
    Ui().WidthEdit->setValue(640);
    Ui().RepeatValueEdit->setText("3");
    Ui().RepeatSecondsEdit->setText("0.1001001001001");
    const std::string project = Path("show.sfg");
    m_dialogs->answers.push_back(FileDialogAnswer{project, 1});
    m_form->Menu().SaveProjectAsBtn->trigger();
    QCOMPARE(m_form->windowTitle(), QString::fromStdString("Slideforge - " + project));
    QVERIFY(!m_form->Project().Modified());
    const std::string saved = ReadText(project);

    // Change everything, then open the project again; the unsaved change is asked about.
    Drop({Picture("other.bmp")});
    Ui().AspectChkBox->click();
    Ui().WidthEdit->setValue(100);
    m_reporter->answers = {false};
    m_dialogs->answers.push_back(FileDialogAnswer{project, 1});
    m_reporter->entries.clear();
    m_form->Menu().OpenProjectBtn->trigger();
    QCOMPARE(m_reporter->Texts().front(), std::string("Save changes to current project?"));
    QCOMPARE(Paths(), (std::vector<std::string>{Path("s1.bmp"), Path("s2.bmp")}));
    QCOMPARE(list.Effects(0), std::string("1<Blur Gaussian=3>"));
    QCOMPARE(list.Transition(1), std::string("2"));
    QVERIFY(!Ui().AspectChkBox->isChecked());
    QCOMPARE(Ui().BorderSizeHeightEdit->value(), 7);
    QCOMPARE(Ui().PixelFormCBox->currentIndex(), 0);
    QCOMPARE(Ui().ResizeCBox->currentIndex(), 1);
    QCOMPARE(Ui().WidthEdit->value(), 640);
    QCOMPARE(Ui().RepeatValueEdit->text(), QStringLiteral("3"));
    QCOMPARE(Ui().RepeatSecondsEdit->text(), QStringLiteral("0.1001001001001"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalImagesPanel), QStringLiteral("Total Images: 2"));
    QVERIFY(!m_form->Project().Modified());
    QVERIFY(m_form->Menu().SaveProjectBtn->isEnabled());

    // Saving again writes the same file.
    m_form->Menu().SaveProjectBtn->trigger();
    QCOMPARE(ReadText(project), saved);
  }

  void AProjectNamedOnTheCommandLineOpens() {
    Drop({Picture("c1.bmp"), Picture("c2.bmp")});
    m_dialogs->answers.push_back(FileDialogAnswer{Path("start.sfg"), 1});
    m_form->Menu().SaveProjectAsBtn->trigger();
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    services.dialogs = m_dialogs.get();
    TAVICompileForm second(services);
    second.show();
    sf::app::OpenAtStart(second, "start.sfg");  // relative to the current folder
    QCOMPARE(second.windowTitle(), QString::fromStdString("Slideforge - " + Path("start.sfg")));
    QCOMPARE(second.findChild<sf::app::ImageListGrid*>()->List().RowCount(), 2);
    QVERIFY(!second.Project().Modified());
  }

  void AYesWhoseSaveDoesNotHappenKeepsTheWork() {
    Drop({Picture("w1.bmp"), Picture("w2.bmp")});
    // Exit, Yes, and the Save As dialog cancelled: the program stays.
    m_reporter->answers = {true};
    m_reporter->entries.clear();
    m_dialogs->answers.push_back(std::nullopt);
    m_form->close();
    QVERIFY(m_form->isVisible() && !m_form->ExitRequested());
    QCOMPARE(m_reporter->Texts(), (std::vector<std::string>{"Save changes to project before exiting?", "Project NOT saved."}));
    // Open, Yes, and a save that fails: no open dialog, the list is untouched.
    m_reporter->answers = {true};
    m_reporter->entries.clear();
    m_dialogs->answers = {FileDialogAnswer{Path("no such folder/show.sfg"), 1},
                          FileDialogAnswer{Path("other.sfg"), 1}};
    m_form->Menu().OpenProjectBtn->trigger();
    QCOMPARE(m_reporter->Texts().front(), std::string("Save changes to current project?"));
    QCOMPARE(m_reporter->Texts().size(), std::size_t{2});  // the save's own failure message
    QCOMPARE(m_dialogs->answers.size(), std::size_t{1});
    QCOMPARE(Paths(), (std::vector<std::string>{Path("w1.bmp"), Path("w2.bmp")}));
    QVERIFY(m_form->Project().Modified());
    // No lets the exit go on.
    m_reporter->answers = {false};
    m_form->close();
    QVERIFY(m_form->ExitRequested());
  }

  void FileMenuFollowsTheListAndTheProjectPath() {
    QMenu* file = m_form->Menu().File1;
    QAction* save = m_form->Menu().SaveProjectBtn;
    QAction* save_as = m_form->Menu().SaveProjectAsBtn;
    emit file->aboutToShow();
    QVERIFY(!save->isEnabled() && !save_as->isEnabled());
    Drop({Picture("f.bmp")});
    QVERIFY(save_as->isEnabled() && !save->isEnabled());
    m_dialogs->answers.push_back(FileDialogAnswer{Path("f.sfg"), 1});
    save_as->trigger();
    emit file->aboutToShow();
    QVERIFY(save->isEnabled());

    // Cancelling Save As says so and changes nothing.
    m_reporter->entries.clear();
    save_as->trigger();
    QCOMPARE(m_reporter->Texts(), std::vector<std::string>{"Project NOT saved."});
    QCOMPARE(m_form->windowTitle(), QString::fromStdString("Slideforge - " + Path("f.sfg")));

    // The information box before any picture was shown, in a fresh window.
    TAVICompileForm fresh(sf::app::WindowServices{m_reporter.get(), m_dialogs.get(), m_desktop.get(), nullptr});
    m_reporter->entries.clear();
    fresh.Menu().ImageLocationBtn->setEnabled(true);
    fresh.Menu().ImageLocationBtn->trigger();
    QVERIFY(m_reporter->Texts().front().starts_with("Error: no image has been loaded yet.\n\nImage Type: "));
    QVERIFY(m_reporter->Texts().front().ends_with(
        "\nWidth: -1\nHeight: -1\nPixel format: Unknown bit depth/pixel format\n"));
  }

  void SixthSavedPathDropsTheOldestReopenEntry() {
    Drop({Picture("h.bmp")});
    for (int i = 1; i <= 6; ++i) {
      m_dialogs->answers.push_back(FileDialogAnswer{Path("p" + std::to_string(i) + ".sfg"), 1});
      m_form->Menu().SaveProjectAsBtn->trigger();
    }
    QStringList shown;
    for (QAction* item : m_form->Menu().Reopen) {
      if (item->isVisible()) shown << item->text();
    }
    QStringList newest_first;
    for (int i = 6; i >= 2; --i) newest_first << QString::fromStdString(Path("p" + std::to_string(i) + ".sfg"));
    QCOMPARE(shown, newest_first);
    QVERIFY(m_form->Menu().ReopenBtn->isEnabled());

    // Reopening slot 3 opens that project without a dialog and keeps the order.
    m_form->Menu().Reopen[2]->trigger();
    QCOMPARE(m_form->windowTitle(), QString::fromStdString("Slideforge - " + Path("p4.sfg")));
    QCOMPARE(m_form->Menu().Reopen[2]->text(), QString::fromStdString(Path("p4.sfg")));

    m_form->Menu().ClearReopenBtn->trigger();
    QVERIFY(!m_form->Menu().ReopenBtn->isEnabled());
    QCOMPARE(ReadText(Path("Reopen.dat")), std::string("0\r\n0 \r\n0 \r\n0 \r\n0 \r\n0 \r\n"));
  }

 private:
  const sf::app::MainControls& Ui() const { return m_form->Ui(); }
  sf::app::ImageListGrid& Grid() { return *Ui().StringGrid; }
  std::string Path(const std::string& name) const { return m_dir->path().toStdString() + "/" + name; }

  std::string Folder(const std::string& name) const {
    QDir().mkpath(QString::fromStdString(Path(name)));
    return Path(name);
  }

  std::string Picture(const std::string& name, int width = 24, int height = 18) const {
    sf::WriteBmpFile(sf::test::MakeGradient(width, height), Path(name));
    return Path(name);
  }

  std::string SaveProjectOf(const std::vector<std::string>& pictures) {
    Drop(pictures);
    const std::string project = Path("dropped.sfg");
    m_dialogs->answers.push_back(FileDialogAnswer{project, 1});
    m_form->Menu().SaveProjectAsBtn->trigger();
    m_reporter->answers = {true};
    m_form->Menu().ClearListBtn->trigger();
    return project;
  }

  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (int r = 0; r < Grid().List().RowCount(); ++r) paths.push_back(Grid().List().Path(r));
    return paths;
  }

  QStringList EffectLines() const {
    QStringList lines;
    for (int i = 0; i < Ui().AppliedEffectsListBox->count(); ++i) lines << Ui().AppliedEffectsListBox->item(i)->text();
    return lines;
  }

  QPoint RowPoint(int row) { return Grid().visualRect(Grid().model()->index(row, sf::kPathColumn)).center(); }

  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, modifiers, RowPoint(row));
  }

  void Drop(const std::vector<std::string>& paths) {
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    mime->setUrls(urls);
    // Through the window system's side, as a desktop delivers a drop.
    const QPointF point = m_form->mapFromGlobal(Ui().AddBtn->mapToGlobal(QPoint(2, 2)));
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form->windowHandle(), &enter);
    QDropEvent drop(point, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_form->windowHandle(), &drop);
  }

  // Picks files in the folder browser once it is shown, then presses its OK.
  void ChooseInBrowser(const std::string& folder, const std::vector<std::string>& names) {
    QTimer::singleShot(0, this, [this, folder, names] {
      auto* browser = qobject_cast<sf::app::TOpenFolderForm*>(QApplication::activeModalWidget());
      QVERIFY(browser != nullptr);
      browser->MoveTo(folder);
      QListWidget* files = browser->FileList();
      m_browser_items.clear();
      files->clearSelection();
      for (int i = 0; i < files->count(); ++i) {
        m_browser_items << files->item(i)->text();
        for (const std::string& name : names) {
          if (files->item(i)->text().toStdString() == name) files->item(i)->setSelected(true);
        }
      }
      QTest::mouseClick(browser->findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    });
  }

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<sf::test::RecordingReporter> m_reporter;
  std::unique_ptr<sf::test::FakeFileDialogs> m_dialogs;
  std::unique_ptr<RecordingDesktop> m_desktop;
  std::unique_ptr<TAVICompileForm> m_form;
  QStringList m_browser_items;
};

QTEST_MAIN(TestListCommands)
#include "list_commands_test.moc"
