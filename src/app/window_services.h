// What the main window borrows from outside: message boxes, file dialogs, the
// desktop's default handler and the compressor dialog. Tests lend recorders and
// fixed answers; an empty field gets the real one.
//   WindowServices services;  services.reporter = &recording_reporter;
//   TAVICompileForm window(services);
#pragma once

namespace sf {
class CompressorChooser;
class EncodingChooser;
class Desktop;
class Reporter;
}  // namespace sf

namespace sf::app {

class FileDialogs;

struct WindowServices {
  Reporter* reporter = nullptr;
  FileDialogs* dialogs = nullptr;
  Desktop* desktop = nullptr;
  CompressorChooser* chooser = nullptr;
  EncodingChooser* encoding_chooser = nullptr;  // MP4 and WebM
};

}  // namespace sf::app
