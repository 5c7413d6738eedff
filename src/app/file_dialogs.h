// The file dialogs of the windows behind a small interface, so that tests can
// answer them. Filters are written as the windows state them,
// "Description|*.a;*.b|Description|*.c", and the chosen filter comes back as a
// one-based index, the first type being 1.
//   FileDialogRequest request{.folder = documents, .file_name = "output", .filter = kOutputFilter};
//   if (const auto answer = dialogs.Save(request)) UseOutput(answer->path, answer->filter_index);
#pragma once

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace sf::app {

struct FileDialogRequest {
  std::string title;
  std::string folder;
  std::string file_name;
  std::string filter;
  int filter_index = 1;
  // The extension added to a name typed without one, for each filter in
  // order (".avi"); empty adds none.
  std::vector<std::string> default_extensions;
  bool confirm_overwrite = true;
};

struct FileDialogAnswer {
  std::string path;
  int filter_index = 1;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<FileDialogAnswer> Save(const FileDialogRequest& request) = 0;
  virtual std::optional<FileDialogAnswer> Open(const FileDialogRequest& request) = 0;
};

// Qt's own (non-native) file dialogs over a parent window.
class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
  std::optional<FileDialogAnswer> Save(const FileDialogRequest& request) override;
  std::optional<FileDialogAnswer> Open(const FileDialogRequest& request) override;

 private:
  std::optional<FileDialogAnswer> Run(const FileDialogRequest& request, bool save);
  QWidget* m_parent;
};

// "All Files (*.bmp;*.jpg)|*.bmp;*.jpg|GIF (*.gif)|*.gif" as Qt name filters:
// each description with its own pattern list in place of a trailing
// parenthesised part ("All Files (*.bmp *.jpg)", "GIF (*.gif)").
std::vector<std::string> QtNameFilters(const std::string& filter);

}  // namespace sf::app
