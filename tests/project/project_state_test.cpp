#include "project/project_state.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(ProjectState, FileMenuEnablesTheSaveCommands) {
  ProjectState state;
  state.FileMenuOpened(false);
  EXPECT_FALSE(state.SaveAsEnabled());
  EXPECT_FALSE(state.SaveEnabled());
  EXPECT_EQ(state.Title(), "Slideforge - Version 1.3 - Create an AVI from a List of Images");

  // A list with pictures: Save As comes on; Save stays off while the current
  // path ("My project") is not the one last opened.
  state.FileMenuOpened(true);
  EXPECT_TRUE(state.SaveAsEnabled());
  EXPECT_FALSE(state.SaveEnabled());

  // After Save As to a new path the File menu leaves Save on.
  state.SaveAsChosen("/w/new.sfg");
  state.SaveStarted();
  EXPECT_FALSE(state.SaveEnabled()) << "off while the file is written";
  state.SaveFinished(true);
  state.FileMenuOpened(true);
  EXPECT_TRUE(state.SaveEnabled());
  EXPECT_EQ(state.Title(), "Slideforge - /w/new.sfg");
}

TEST(ProjectState, OpeningMakesThePathCurrent) {
  ProjectState state;
  state.OpenChosen("/w/Trip.sfg");
  state.FileMenuOpened(true);
  EXPECT_FALSE(state.SaveEnabled()) << "a refused open leaves the current path";

  state.SetModified();
  EXPECT_TRUE(state.AskBeforeOpen());
  EXPECT_TRUE(state.YesRunsSaveAs());
  state.OpenSucceeded();
  EXPECT_FALSE(state.Modified());
  EXPECT_TRUE(state.SaveEnabled());
  EXPECT_EQ(state.ProjectPath(), "/w/Trip.sfg");
  EXPECT_FALSE(state.YesRunsSaveAs());

  // A refused Save As keeps its path current and Save on.
  state.SaveAsChosen("/w/other.sfg");
  state.SaveStarted();
  state.SaveFinished(false);
  EXPECT_TRUE(state.SaveEnabled());
  EXPECT_EQ(state.Title(), "Slideforge - /w/Trip.sfg");
  state.SetModified();
  EXPECT_TRUE(state.AskBeforeExit(true));
  EXPECT_FALSE(state.AskBeforeExit(false));
}

TEST(ProjectState, AddingPicturesSetsTheFlag) {
  ProjectState state;
  state.PicturesAdded();
  EXPECT_TRUE(state.Modified());
  EXPECT_TRUE(state.SaveAsEnabled());
}

}  // namespace
}  // namespace sf
