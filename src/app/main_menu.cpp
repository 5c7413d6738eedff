#include "app/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sf::app {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {},
                 bool enabled = true) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  action->setEnabled(enabled);
  return action;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

void BuildFileMenu(QMenuBar& bar, MainMenu& menu) {
  menu.File1 = AddMenu(bar, "File1", "&File");
  menu.OpenProjectBtn = AddItem(menu.File1, "OpenProjectBtn", "&Open Project...", Qt::Key_F4);
  menu.ReopenBtn = menu.File1->addMenu(QStringLiteral("&Reopen"));
  menu.ReopenBtn->setObjectName(QStringLiteral("ReopenBtn"));
  menu.ReopenBtn->setEnabled(false);
  for (std::size_t i = 0; i < menu.Reopen.size(); ++i) {
    const std::string name = "Reopen" + std::to_string(i + 1);
    menu.Reopen[i] = AddItem(menu.ReopenBtn, name.c_str(), name.c_str());
    menu.Reopen[i]->setVisible(false);
  }
  menu.ReopenBtn->addSeparator();
  menu.ClearReopenBtn = AddItem(menu.ReopenBtn, "ClearReopenBtn", "-- &Clear Reopen History --");
  menu.File1->addSeparator();
  menu.SaveProjectBtn = AddItem(menu.File1, "SaveProjectBtn", "&Save Project", QKeySequence(Qt::CTRL | Qt::Key_S), false);
  menu.SaveProjectAsBtn = AddItem(menu.File1, "SaveProjectAsBtn", "&S&ave Project As...", {}, false);
  menu.File1->addSeparator();
  menu.ExitBtn = AddItem(menu.File1, "ExitBtn", "E&xit");
}

void BuildImageListMenu(QMenuBar& bar, MainMenu& menu) {
  menu.ImageList1 = AddMenu(bar, "ImageList1", "Image &List");
  QMenu* list = menu.ImageList1;
  menu.AddImageFilesBtn2 = AddItem(list, "AddImageFilesBtn2", "A&dd Image Files...", Qt::Key_F5);
  menu.SortBtn2 = AddItem(list, "SortBtn2", "&Sort Image List", QKeySequence(Qt::CTRL | Qt::Key_O), false);
  menu.SortSelectionBtn = AddItem(list, "SortSelectionBtn", "S&ort Selection", QKeySequence(Qt::CTRL | Qt::Key_P), false);
  menu.ValidateListBtn = AddItem(list, "ValidateListBtn", "V&alidate List", {}, false);
  menu.ValidateListBtn->setToolTip(QStringLiteral("Checks that all file names exist."));
  list->setToolTipsVisible(true);
  list->addSeparator();
  menu.ClearListBtn = AddItem(list, "ClearListBtn", "&Clear List", QKeySequence(Qt::CTRL | Qt::Key_Delete), false);
  menu.DeleteSelectedBtn2 =
      AddItem(list, "DeleteSelectedBtn2", "D&elete Selected Image(s)", QKeySequence(Qt::SHIFT | Qt::Key_Delete), false);
  menu.SelectAllBtn = AddItem(list, "SelectAllBtn", "Se&lect All", QKeySequence(Qt::CTRL | Qt::Key_A), false);
  list->addSeparator();
  menu.ViewImageBtn = AddItem(list, "ViewImageBtn", "&View Selected Image", Qt::Key_F9, false);
  menu.ImageLocationBtn = AddItem(list, "ImageLocationBtn", "&Get Image Location/Info...", Qt::Key_F8, false);
}

void BuildEffectMenus(QMenuBar& bar, MainMenu& menu) {
  menu.Transitions1 = AddMenu(bar, "Transitions1", "&Transitions");
  menu.AddTransitionBtn1 =
      AddItem(menu.Transitions1, "AddTransitionBtn1", "&Add/Modify Transition...", Qt::Key_F7, false);
  menu.Transitions1->addSeparator();
  menu.ClearTransitionsBtn1 = AddItem(menu.Transitions1, "ClearTransitionsBtn1", "&Clear Transitions for Selected Row(s)");
  menu.Transitions1->menuAction()->setVisible(false);

  menu.Effects1 = AddMenu(bar, "Effects1", "&Effects");
  menu.AddEffectBtn = AddItem(menu.Effects1, "AddEffectBtn", "&Add/Modify Effects...", Qt::Key_F6, false);
  menu.Effects1->addSeparator();
  menu.ClearEffectsBtn = AddItem(menu.Effects1, "ClearEffectsBtn", "&Clear Effects for Selected Row(s)", {}, false);
  menu.ClearAllEffectsBtn = AddItem(menu.Effects1, "ClearAllEffectsBtn", "C&lear All Effects", {}, false);
}

void BuildToolsAndHelpMenus(QMenuBar& bar, MainMenu& menu) {
  menu.Tools1 = AddMenu(bar, "Tools1", "T&ools");
  menu.ExtractBitmaps = AddItem(menu.Tools1, "ExtractBitmaps", "E&xtract Bitmaps from AVI...");
  menu.ExtractBitmapsfromGIFAnimation1 =
      AddItem(menu.Tools1, "ExtractBitmapsfromGIFAnimation1", "Extract Bitmaps from &GIF Animation...");
  menu.Tools1->addSeparator();
  menu.ImageConverterBtn = AddItem(menu.Tools1, "ImageConverterBtn", "Batch Image &Converter with Effects...");
  menu.Tools1->addSeparator();
  menu.BitrateCalcBtn = AddItem(menu.Tools1, "BitrateCalcBtn", "Video &Bitrate Calculator...");

  menu.Help1 = AddMenu(bar, "Help1", "&Help");
  menu.HelpBtn = AddItem(menu.Help1, "HelpBtn", "&Help", Qt::Key_F1);
  menu.Help1->addSeparator();
  menu.SlideforgeHomeBtn = AddItem(menu.Help1, "SlideforgeHomeBtn", "&Slideforge Home Page");
  menu.KorvaneHomeBtn = AddItem(menu.Help1, "KorvaneHomeBtn", "&Korvane Software Home Page");
  menu.Help1->addSeparator();
  menu.AboutBtn = AddItem(menu.Help1, "AboutBtn", "A&bout...");
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar& bar) {
  MainMenu menu;
  BuildFileMenu(bar, menu);
  BuildImageListMenu(bar, menu);
  BuildEffectMenus(bar, menu);
  BuildToolsAndHelpMenus(bar, menu);
  return menu;
}

}  // namespace sf::app
