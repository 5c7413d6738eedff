// How a long operation shows its progress and notices a stop request. The main
// window maps these onto its status bars and pumps Qt events; the command line
// draws a progress bar on a terminal; tests record the calls.
//   observer.Progress("50% - Complete - 150 of 300 total frames.", 50);
//   observer.ProcessEvents();
//   if (observer.StopRequested()) ...
#pragma once

#include <string>

namespace sf {

class ProgressObserver {
 public:
  virtual ~ProgressObserver() = default;
  // The progress panel: its text and the fill as a whole percentage (0 = no fill).
  virtual void Progress(const std::string& text, int percent) { (void)text, (void)percent; }
  // The progress panel's text alone; the fill stays as it is.
  virtual void ProgressText(const std::string& text) { (void)text; }
  // The message panel. With remember set the text also becomes the remembered
  // message that hints put back.
  virtual void Message(const std::string& text, bool remember = false) { (void)text, (void)remember; }
  // The application's title ("50% Slideforge").
  virtual void Title(const std::string& text) { (void)text; }
  // Lets the interface handle pending events (repaint, input).
  virtual void ProcessEvents() {}
  // Tested after ProcessEvents at the operation's checkpoints.
  virtual bool StopRequested() { return false; }
};

}  // namespace sf
