// The hint window shown by the "?" labels, and the About window's links.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/about_form.h"
#include "app/clickable_label.h"
#include "app/help_notes.h"
#include "app/hint_form.h"
#include "app/main_window.h"
#include "app/home_pages.h"
#include "common/desktop.h"
#include "support/recording_reporter.h"

namespace {

class RecordingDesktop final : public sf::Desktop {
 public:
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

QColor TextColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class TestSecondaryWindows : public QObject {
  Q_OBJECT

 private slots:
  void HelpLabelsShowTheirNotesModally() {
    sf::test::RecordingReporter reporter;
    RecordingDesktop desktop;
    sf::app::WindowServices services;
    services.reporter = &reporter;
    services.desktop = &desktop;
    sf::app::TAVICompileForm form(services);
    form.show();
    sf::app::THintForm& hint = form.HintForm();
    QCOMPARE(hint.NoteText(), QStringLiteral("ERROR - No hint available."));
    for (const auto& [label, note] : {std::pair{form.Ui().GIFHelpLbl, sf::app::kGifNotes},
                                      std::pair{form.Ui().ResizeHelpLbl, sf::app::kResizeNotes}}) {
      bool was_modal = false;
      QTimer::singleShot(0, &hint, [&] {
        was_modal = hint.isVisible() && hint.isModal();
        QTest::mouseClick(hint.findChild<QPushButton*>(QStringLiteral("CloseBtn")), Qt::LeftButton);
      });
      QTest::mouseClick(label, Qt::LeftButton);
      QVERIFY(was_modal);
      QVERIFY(!hint.isVisible());
      QCOMPARE(hint.NoteText(), QString::fromUtf8(note));
    }
    QCOMPARE(hint.windowTitle(), QStringLiteral("Hint Box"));
  }

  void AboutLinksTurnGreenUnderTheMouseAndOpenTheirAddress() {
    RecordingDesktop desktop;
    sf::app::TAboutForm about(desktop);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* website = about.findChild<QLabel*>(QStringLiteral("WebsiteLbl"));
    auto* email = about.findChild<QLabel*>(QStringLiteral("EmailLbl"));
    QCOMPARE(TextColour(website), QColor(0, 0, 255));
    QTest::mouseMove(website, QPoint(3, 3));
    QCOMPARE(TextColour(website), QColor(0, 128, 0));
    QCOMPARE(TextColour(email), QColor(0, 0, 255));
    QTest::mouseMove(&about, QPoint(about.width() / 2, about.height() - 50));
    QCOMPARE(TextColour(website), QColor(0, 0, 255));

    QTest::mouseClick(email, Qt::LeftButton);
    QTest::mouseClick(website, Qt::LeftButton);
    QCOMPARE(desktop.opened, (std::vector<std::string>{sf::app::kMakerEmail, sf::app::kMakerHomePage}));
  }
};

QTEST_MAIN(TestSecondaryWindows)
#include "secondary_windows_test.moc"
