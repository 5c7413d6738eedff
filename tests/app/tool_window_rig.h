// A main window with recording services, for driving one of the tool windows
// it opens from its menu: Open picks the menu item and waits for the tool
// window to be active; controls are found by their object names.
//   ToolWindowRig<TBitrateForm> rig(&TAVICompileForm::BitrateForm, &MainMenu::BitrateCalcBtn);
//   QVERIFY(rig.Open());  QCOMPARE(rig.Text("OverheadEdit"), QStringLiteral("92"));
#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "common/desktop.h"
#include "fake_file_dialogs.h"
#include "support/recording_reporter.h"

namespace sf::test {

template <typename Window, typename DesktopKind = NoDesktop>
class ToolWindowRig {
 public:
  using WindowOf = Window& (app::TAVICompileForm::*)();
  using MenuItem = QAction* app::MainMenu::*;

  ToolWindowRig(WindowOf window, MenuItem item) : m_window(window), m_item(item) {
    services.reporter = &reporter;
    services.dialogs = &dialogs;
    services.desktop = &desktop;
    main_window = std::make_unique<app::TAVICompileForm>(services);
    main_window->show();
  }

  // Focus and shortcuts need the window active.
  bool Open() {
    (main_window->Menu().*m_item)->trigger();
    Form().activateWindow();
    return QTest::qWaitForWindowActive(&Form());
  }

  Window& Form() { return ((*main_window).*m_window)(); }
  template <typename Control = QWidget>
  Control* Find(const char* name) {
    auto* control = Form().template findChild<Control*>(QString::fromLatin1(name));
    if (!control) qFatal("no control %s", name);
    return control;
  }
  // A label's or an edit field's text.
  QString Text(const char* name) {
    if (auto* label = Form().template findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
    return Find<QLineEdit>(name)->text();
  }

  RecordingReporter reporter;
  FakeFileDialogs dialogs;
  DesktopKind desktop;
  app::WindowServices services;
  std::unique_ptr<app::TAVICompileForm> main_window;

 private:
  WindowOf m_window;
  MenuItem m_item;
};

}  // namespace sf::test
