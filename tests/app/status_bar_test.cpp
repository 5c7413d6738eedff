// The status bar object: panel geometry, layout and relayout, the fill and the
// borders as drawn, and the two bars of the fixed-size main window.
#include <QPainter>
#include <QtTest>

#include "app/main_window.h"
#include "app/status_bar.h"
#include "common/desktop.h"
#include "support/recording_reporter.h"

using sf::app::PanelRect;
using sf::app::StatusBarObject;
using sf::app::StatusBarPanelObject;

namespace {

const QColor kBackground(255, 0, 255);
const QColor kBorder(0, 128, 255);
const QColor kDark(0, 0, 128);
const QColor kLight(255, 255, 255);
const QColor kFill(0, 255, 255);

StatusBarObject TwoPanelBar() {
  StatusBarObject bar;
  bar.edges = {kLight, kDark, kBorder};
  bar.left = 5;
  bar.panels[0].width = 40;
  bar.panels[1].width = 30;
  bar.Layout(2, 10);
  return bar;
}

QImage Draw(const StatusBarPanelObject& panel, const QImage* picture = nullptr) {
  QImage canvas(100, 60, QImage::Format_RGB32);
  canvas.fill(kBackground);
  QPainter painter(&canvas);
  panel.Draw(painter, picture);
  return canvas;
}

int CountColour(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
  return count;
}

}  // namespace

class TestStatusBar : public QObject {
  Q_OBJECT

 private slots:
  void LayoutPlacesPanelsAndRectangles() {
    const StatusBarObject bar = TwoPanelBar();
    const StatusBarPanelObject& second = bar.panels[1];
    QCOMPARE(second.left, 45);
    QCOMPARE(second.top, 10);
    QCOMPARE(second.inner_width, 26);
    QCOMPARE(second.inner_height, 15);
    QVERIFY(second.inner_rect == (PanelRect{47, 13, 73, 28}));
    QVERIFY(second.text_rect == second.inner_rect);
    QVERIFY(second.left_border == (PanelRect{45, 10, 47, 29}));
    QVERIFY(second.right_border == (PanelRect{73, 10, 75, 29}));
    QVERIFY(second.top_border == (PanelRect{45, 10, 75, 13}));
    QVERIFY(second.bottom_border == (PanelRect{45, 28, 75, 29}));
  }

  void LayoutRefusesMoreThanCapacityAndRelayoutFollowsWidths() {
    StatusBarObject bar = TwoPanelBar();
    QVERIFY(!bar.Layout(StatusBarObject::kCapacity + 1, 50));
    QCOMPARE(bar.Count(), 2);
    QCOMPARE(bar.Top(), 10);
    QVERIFY(bar.Layout(StatusBarObject::kCapacity, 50));
    QVERIFY(bar.Layout(2, 10));

    bar.panels[0].width = 60;
    bar.SetTop(20);
    bar.Relayout();
    QCOMPARE(bar.panels[1].left, 65);
    QVERIFY(bar.panels[1].inner_rect == (PanelRect{67, 23, 93, 38}));
  }

  void FillCoversExactlyTheFilledPartOfTheInnerRectangle() {
    StatusBarObject bar = TwoPanelBar();
    StatusBarPanelObject& panel = bar.panels[0];
    const QRect inner = panel.inner_rect.ToQRect();

    QCOMPARE(CountColour(Draw(panel), kFill), 0);

    panel.fill_width = panel.inner_width;
    QImage full = Draw(panel);
    QCOMPARE(CountColour(full, kFill), inner.width() * inner.height());
    QCOMPARE(full.pixelColor(inner.topLeft()), kFill);
    QCOMPARE(full.pixelColor(inner.bottomRight()), kFill);

    panel.fill_width = 10;
    QImage partial = Draw(panel);
    QCOMPARE(CountColour(partial, kFill), 10 * inner.height());
    QCOMPARE(partial.pixelColor(inner.left() + 9, inner.top()), kFill);
    QCOMPARE(partial.pixelColor(inner.left() + 10, inner.top()), kBackground);

    QImage picture(248, 15, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QImage pictured = Draw(panel, &picture);
    QCOMPARE(CountColour(pictured, QColor(Qt::green)), 10 * inner.height());
  }

  void BordersAndEdgeLines() {
    const StatusBarObject bar = TwoPanelBar();
    const StatusBarPanelObject& panel = bar.panels[0];  // left 5, top 10, 40 x 19
    const QImage image = Draw(panel);
    // The dark lines sit on the inner side of the left and top borders.
    QCOMPARE(image.pixelColor(5, 15), kBorder);
    QCOMPARE(image.pixelColor(6, 15), kDark);
    QCOMPARE(image.pixelColor(6, 12), kDark);   // the top line starts one left of the inner rectangle
    QCOMPARE(image.pixelColor(5, 12), kBorder);
    QCOMPARE(image.pixelColor(43, 12), kDark);  // and ends one right of it
    QCOMPARE(image.pixelColor(6, 11), kBorder);
    // The light lines on the outer side's inner edge of the right and bottom borders.
    QCOMPARE(image.pixelColor(43, 15), kLight);
    QCOMPARE(image.pixelColor(44, 15), kBorder);
    QCOMPARE(image.pixelColor(20, 28), kLight);
    QCOMPARE(image.pixelColor(4, 15), kBackground);
    QCOMPARE(image.pixelColor(20, 29), kBackground);
  }

  void MainWindowBarsFillTheFixedClientArea() {
    sf::test::RecordingReporter reporter;
    sf::NoDesktop desktop;
    sf::app::WindowServices services;
    services.reporter = &reporter;
    services.desktop = &desktop;
    sf::app::TAVICompileForm form(services);
    QCOMPARE(form.ClientArea()->size(), QSize(742, 534));
    QCOMPARE(form.UpperStatusBar().Count(), 4);
    QCOMPARE(form.LowerStatusBar().Count(), 2);
    QCOMPARE(form.UpperStatusBar().panels[3].width, 192);
    QCOMPARE(form.LowerStatusBar().panels[1].width, 192);
    QCOMPARE(form.UpperStatusBar().Top(), 534 - 38);
    QCOMPARE(form.LowerStatusBar().Top(), 534 - 19);
    QCOMPARE(form.LowerStatusBar().panels[0].bottom_border, (PanelRect{0, 532, 550, 534}));

    form.SetProgress(QStringLiteral("50% - Complete - 1 of 2 total frames."), 50);
    QCOMPARE(form.ProgressFillWidth(), 123);  // half of the 246-pixel inner width
    form.SetProgress(QStringLiteral("100%"), 100);
    QCOMPARE(form.ProgressFillWidth(), form.UpperStatusBar().panels[0].inner_width);
  }
};

QTEST_MAIN(TestStatusBar)
#include "status_bar_test.moc"
