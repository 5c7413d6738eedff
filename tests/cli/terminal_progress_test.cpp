// Ctrl+C is a job's Stop only while a progress observer has asked for it.
#include "cli/terminal_progress.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

namespace sf::cli {
namespace {

TEST(TerminalProgress, CtrlCAsksTheJobToStopOnlyWhileWatched) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  {
    TerminalProgress progress(sink);
    EXPECT_FALSE(progress.StopRequested());
    progress.StopOnInterrupt();
    EXPECT_FALSE(progress.StopRequested());
    std::raise(SIGINT);
    EXPECT_TRUE(progress.StopRequested());
  }
  // The observer gone, the program's own handling is back.
  struct sigaction now {};
  sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
  TerminalProgress next(sink);
  next.StopOnInterrupt();
  EXPECT_FALSE(next.StopRequested()) << "an old Ctrl+C does not stop the next job";
  std::fclose(sink);
}

}  // namespace
}  // namespace sf::cli
