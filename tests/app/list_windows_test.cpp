// The windows of the image list on their own: the directory chooser's path
// rules, the image viewer's sizes and scrolling, and the grid's cell text.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "app/grid_cells.h"
#include "app/open_dir_form.h"
#include "app/open_folder_form.h"
#include "app/view_image_form.h"

class TestListWindows : public QObject {
  Q_OBJECT

 private slots:
  void DirectoryChooserDropsBadCharactersAndEndsWithSlash() {
    sf::app::TOpenDirForm chooser(QDir::tempPath().toStdString());
    chooser.show();
    auto* path = chooser.findChild<QLineEdit*>("DirPathEdit");
    for (const char* typed : {"/data/Work", "/data/Work/"}) {
      path->clear();
      QTest::keyClicks(path, QString(typed).replace("Work", "W|o\"r*k?<>"));
      QCOMPARE(path->text(), QString(typed));
      QTest::mouseClick(chooser.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
      QCOMPARE(chooser.result(), int(QDialog::Accepted));
      QCOMPARE(chooser.Path(), std::string("/data/Work/"));
    }
  }

  void FolderBrowserFiltersSelectsAndPreviews() {
    QTemporaryDir dir;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const char* name : {"b.BMP", "a.bmp", "c.jpg"}) picture.save(dir.filePath(name), "BMP");
    QFile(dir.filePath("broken.bmp")).open(QIODevice::WriteOnly);
    std::string note;
    sf::app::TOpenFolderForm browser(dir.path().toStdString(), [&](const std::string& text) { note = text; });
    browser.show();
    browser.MoveTo(dir.path().toStdString());
    QCOMPARE(browser.Folder(), dir.path().toStdString());
    QListWidget* files = browser.FileList();
    auto* ok = browser.findChild<QPushButton*>("OkBtn");
    auto* preview = browser.findChild<QLabel*>("PreviewImage");
    QCOMPARE(files->count(), 4);
    QCOMPARE(files->item(0)->text(), QStringLiteral("a.bmp"));  // the current item is selected and shown
    QVERIFY(ok->isEnabled());
    QCOMPARE(preview->pixmap().size(), QSize(264, 242));

    // A picture that cannot be read shows nothing and says nothing.
    files->setCurrentRow(2);
    QCOMPARE(files->currentItem()->text(), QStringLiteral("broken.bmp"));
    QVERIFY(preview->pixmap().isNull());

    auto* filter = browser.findChild<QComboBox*>("FilterBox");
    filter->setCurrentIndex(1);  // JPEG files
    QCOMPARE(files->count(), 1);
    filter->setCurrentIndex(0);
    files->clearSelection();
    QVERIFY(!ok->isEnabled());
    QTest::mouseClick(browser.findChild<QPushButton*>("SelectAllBtn"), Qt::LeftButton);
    QVERIFY(ok->isEnabled());
    QCOMPARE(browser.SelectedNames(), (std::vector<std::string>{"a.bmp", "b.BMP", "broken.bmp", "c.jpg"}));

    QTest::mouseClick(browser.findChild<QLabel*>("AspectHelpLbl"), Qt::LeftButton);
    QVERIFY(note.find("Press 'Ctrl + A' to select all files.") != std::string::npos);
  }

  void ViewerFitsKeepingTheAspectAndClosesAtActualSize() {
    sf::app::TViewImageForm viewer;
    QImage wide(1000, 500, QImage::Format_RGB32);
    wide.fill(Qt::green);
    viewer.ShowPicture(wide, "/pics/wide.bmp");
    QCOMPARE(viewer.windowTitle(), QStringLiteral("View Image -/pics/wide.bmp"));
    viewer.show();
    viewer.resize(800, 900);
    QCoreApplication::processEvents();
    auto* area = viewer.findChild<QScrollArea*>("ScrollBox");
    QCOMPARE(viewer.PictureSize(), QSize(1000, 500));

    QTest::mouseClick(viewer.findChild<QPushButton*>("FitBtn"), Qt::LeftButton);
    const QSize available = area->viewport()->size() - QSize(16, 16);
    QCOMPARE(viewer.PictureSize(), QSize(available.width(), available.width() / 2));

    // Wheel up moves towards the top.
    QTest::mouseClick(viewer.findChild<QPushButton*>("ActualSizeBtn"), Qt::LeftButton);
    viewer.resize(400, 300);
    QCoreApplication::processEvents();
    QScrollBar* bar = area->verticalScrollBar();
    bar->setValue(200);
    QWheelEvent wheel(QPointF(50, 50), area->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(area->viewport(), &wheel);
    QCOMPARE(bar->value(), 80);

    QTest::mouseClick(viewer.findChild<QPushButton*>("FitBtn"), Qt::LeftButton);
    QTest::mouseClick(viewer.findChild<QPushButton*>("CloseBtn"), Qt::LeftButton);
    QCOMPARE(viewer.PictureSize(), QSize(1000, 500));
  }

  void GridCellsShortenOnlyTextsWiderThanThePathColumn() {
    sf::app::GridCells cells(378, nullptr);
    const QFont font;
    const QString short_path = "/pics/beach1.jpg";
    QCOMPARE(cells.ShownText(short_path, font), short_path);
    const QString long_path = "/home/" + QString(200, 'x') + "/beach1.jpg";
    const QString shown = cells.ShownText(long_path, font);
    QVERIFY(shown.startsWith("/ho..."));
    QVERIFY(shown.endsWith("/beach1.jpg"));
    QVERIFY(QFontMetrics(font).horizontalAdvance(shown) <= 378);
  }
};

QTEST_MAIN(TestListWindows)
#include "list_windows_test.moc"
