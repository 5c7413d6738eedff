// A row's own display time and motion in the main window: the grid's columns
// for them and the pop-up menu's commands, driven through real actions and the
// real input dialog.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/bitmap_image.h"
#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "app/main_window_list_host.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

using sf::app::TAVICompileForm;

class TestMainWindowRowTiming : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_reporter = std::make_unique<sf::test::RecordingReporter>();
    sf::app::WindowServices services;
    services.reporter = m_reporter.get();
    m_form = std::make_unique<TAVICompileForm>(services);
    m_form->show();
  }
  void cleanup() { m_form.reset(); }

  void TheGridShowsBothColumnsBeforeTheListHasThem() {
    AddPictures(2);
    sf::app::ImageListGrid* grid = m_form->Ui().StringGrid;
    QCOMPARE(m_form->List().ColumnCount(), sf::kDefaultColumnCount);
    QCOMPARE(grid->model()->columnCount({}), sf::kMotionColumn + 1);
    QVERIFY(!grid->isColumnHidden(sf::kDisplayTimeColumn));
    QVERIFY(!grid->isColumnHidden(sf::kMotionColumn));
    QVERIFY(grid->isColumnHidden(sf::kEffectsColumn));
    QCOMPARE(grid->columnWidth(sf::kDisplayTimeColumn), 60);
    QCOMPARE(grid->columnWidth(sf::kMotionColumn), 90);
    QVERIFY(grid->horizontalHeader()->isVisible());
    QCOMPARE(grid->model()->headerData(sf::kDisplayTimeColumn, Qt::Horizontal).toString(), QStringLiteral("Seconds"));
    QCOMPARE(grid->model()->headerData(sf::kMotionColumn, Qt::Horizontal).toString(), QStringLiteral("Motion"));
    // The columns fit the grid: nothing is cut off at its right edge.
    int width = 0;
    for (int c = 0; c <= sf::kMotionColumn; ++c) width += grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
    QVERIFY2(width <= grid->viewport()->width(), qPrintable(QString::number(width)));
    QCOMPARE(grid->model()->index(0, sf::kMotionColumn).data().toString(), QString());
  }

  void SetDisplayTimeWritesTheSelectedRowsAndTheReadouts() {
    AddPictures(3);
    m_form->Ui().StringGrid->SelectRows(0, 1);
    AnswerDialog("2.50");
    QCOMPARE(m_form->List().DisplayTime(0), std::string("2.5"));
    QCOMPARE(m_form->List().DisplayTime(1), std::string("2.5"));
    QCOMPARE(m_form->List().DisplayTime(2), std::string());
    QVERIFY(m_form->Project().Modified());
    QCOMPARE(m_form->Ui().StringGrid->model()->index(1, sf::kDisplayTimeColumn).data().toString(),
             QStringLiteral("2.5"));
    // 29.97 frames per second, one frame per picture: 74.925 + 74.925 + 1.
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalFramesPanel), QStringLiteral("Total Frames: 150"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kVideoLengthPanel),
             QStringLiteral("Video Length: 0 min. 5 sec. 33 ms."));

    // A text that is no time is refused and changes nothing; the dialog
    // offered the current row's time.
    m_form->Ui().StringGrid->SelectRow(1);
    QCOMPARE(AnswerDialog("soon"), QStringLiteral("2.5"));
    QCOMPARE(m_reporter->Errors(), std::vector<std::string>{"\"soon\" is not a number of seconds from 0 to 86400."});
    QCOMPARE(m_form->List().DisplayTime(1), std::string("2.5"));

    // An empty answer gives the row the global time back.
    AnswerDialog("");
    QCOMPARE(m_form->List().DisplayTime(1), std::string());
    QCOMPARE(m_form->List().DisplayTime(0), std::string("2.5"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalFramesPanel), QStringLiteral("Total Frames: 76"));
  }

  void ClearDisplayTimeAndTheMotionSubmenu() {
    AddPictures(3);
    sf::app::ImageListGrid* grid = m_form->Ui().StringGrid;
    grid->SelectRows(1, 2);
    Trigger("MotionZoomIn1");
    QCOMPARE(m_form->List().ColumnCount(), sf::kMotionColumn + 1);
    QCOMPARE(m_form->List().Motion(1), std::string("Zoom In"));
    QCOMPARE(m_form->List().Motion(2), std::string("Zoom In"));
    QCOMPARE(m_form->List().Motion(0), std::string());
    QVERIFY(m_form->Project().Modified());
    grid->SelectRow(2);
    Trigger("MotionPanRight1");
    QCOMPARE(m_form->List().Motion(2), std::string("Pan Right"));
    Trigger("MotionNone1");
    QCOMPARE(m_form->List().Motion(2), std::string());
    QCOMPARE(m_form->List().Motion(1), std::string("Zoom In"));

    AnswerDialog("0.04");
    QCOMPARE(m_form->List().DisplayTime(2), std::string("0.04"));
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalFramesPanel), QStringLiteral("Total Frames: 3"));
    Trigger("ClearDisplayTime1");
    QCOMPARE(m_form->List().DisplayTime(2), std::string());
    QCOMPARE(m_form->PanelText(TAVICompileForm::kTotalFramesPanel), QStringLiteral("Total Frames: 3"));
    QVERIFY(m_reporter->entries.empty());
  }

  void TheItemsFollowTheListCommands() {
    QMenu* popup = m_form->Ui().StringGrid->PopupMenu();
    QMetaObject::invokeMethod(popup, "aboutToShow");
    for (const char* name : {"SetDisplayTime1", "ClearDisplayTime1"}) QVERIFY(!Action(name)->isEnabled());
    QVERIFY(!popup->findChild<QMenu*>("Motion1")->isEnabled());
    AddPictures(1);
    QMetaObject::invokeMethod(popup, "aboutToShow");
    for (const char* name : {"SetDisplayTime1", "ClearDisplayTime1"}) QVERIFY(Action(name)->isEnabled());
    QVERIFY(popup->findChild<QMenu*>("Motion1")->isEnabled());

    // The current row's motion is ticked; rectangles tick none.
    QVERIFY(Action("MotionNone1")->isChecked());
    m_form->List().SetCellAdding(0, sf::kMotionColumn, "Pan Left");
    QMetaObject::invokeMethod(popup, "aboutToShow");
    QVERIFY(Action("MotionPanLeft1")->isChecked());
    QVERIFY(!Action("MotionNone1")->isChecked());
    m_form->List().SetCell(0, sf::kMotionColumn, "Rect 0 0 1 1 > 0 0 0.5 0.5");
    QMetaObject::invokeMethod(popup, "aboutToShow");
    for (const char* name : {"MotionNone1", "MotionZoomIn1", "MotionZoomOut1", "MotionPanLeft1", "MotionPanRight1"})
      QVERIFY(!Action(name)->isChecked());
  }

 private:
  void AddPictures(int count) {
    for (int i = 0; i < count; ++i) {
      const QString path = m_dir.filePath(QStringLiteral("picture%1.bmp").arg(i));
      sf::app::ToQImage(sf::test::MakeGradient(40, 30)).save(path, "BMP");
      m_form->List().AddPath(path.toStdString());
    }
    m_form->Ui().StringGrid->Reload();
    m_form->ListCommandsHost().EnableListCommands(true);
    m_form->ListCommandsHost().EnableDeleteButton(true);
    m_form->RefreshReadouts();
  }

  QAction* Action(const char* name) {
    auto* action = m_form->Ui().StringGrid->PopupMenu()->findChild<QAction*>(QString::fromLatin1(name));
    if (action == nullptr) qFatal("no action %s", name);
    return action;
  }
  void Trigger(const char* name) { Action(name)->trigger(); }

  // Runs Set Display Time..., types the answer into the dialog and presses OK;
  // returns the text the dialog offered.
  QString AnswerDialog(const QString& answer) {
    QString offered;
    bool answered = false;
    std::function<void()> answer_when_shown;
    answer_when_shown = [&] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        QTimer::singleShot(10, answer_when_shown);
        return;
      }
      offered = dialog->textValue();
      dialog->setTextValue(answer);
      dialog->accept();
      answered = true;
    };
    QTimer::singleShot(0, answer_when_shown);
    Trigger("SetDisplayTime1");
    if (!answered) qFatal("the display time dialog did not open");
    return offered;
  }

  QTemporaryDir m_dir;
  std::unique_ptr<sf::test::RecordingReporter> m_reporter;
  std::unique_ptr<TAVICompileForm> m_form;
};

QTEST_MAIN(TestMainWindowRowTiming)
#include "main_window_row_timing_test.moc"
