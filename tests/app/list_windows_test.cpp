// The windows of the image list on their own: the directory chooser's path
// rules, the image viewer's sizes and scrolling, and the grid's cell text.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "app/grid_cells.h"
#include "app/open_dir_form.h"
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
