#include "project/project_state.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(ProjectState, SaveCommandsFollowTheFileMenuRules) {
  ProjectState state;
  state.FileMenuOpened(false);
  EXPECT_FALSE(state.SaveAsEnabled() || state.SaveEnabled());
  // Pictures in the list: Save As comes on; Save stays off while the current path
  // ("My project") is not the one last opened.
  state.FileMenuOpened(true);
  EXPECT_TRUE(state.SaveAsEnabled());
  EXPECT_FALSE(state.SaveEnabled());

  // After Save As to a new path the File menu leaves Save on.
  state.SetModified();
  state.SaveAsChosen("/w/new.sfg");
  state.SaveStarted();
  EXPECT_FALSE(state.SaveEnabled()) << "off while the file is written";
  state.SaveFinished(true);
  state.FileMenuOpened(true);
  EXPECT_TRUE(state.SaveEnabled());
  EXPECT_FALSE(state.Modified());
  EXPECT_EQ(state.Title(), "Slideforge - /w/new.sfg");

  // An open that fails leaves the current path; one that succeeds takes its own.
  state.OpenChosen("/w/Trip.sfg");
  EXPECT_EQ(state.ProjectPath(), "/w/new.sfg");
  state.OpenSucceeded();
  EXPECT_EQ(state.Title(), "Slideforge - /w/Trip.sfg");
}

}  // namespace
}  // namespace sf
