#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace sf::app {

std::vector<std::string> QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  std::vector<std::string> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // Qt reads the patterns from the last parenthesised part, so the shown
    // pattern list must be the real one.
    if (description.endsWith(QLatin1Char(')'))) {
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      if (open > 0) description = description.left(open).trimmed();
    }
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    filters.push_back((description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'))
                          .toStdString());
  }
  return filters;
}

std::optional<FileDialogAnswer> QtFileDialogs::Save(const FileDialogRequest& request) { return Run(request, true); }

std::optional<FileDialogAnswer> QtFileDialogs::Open(const FileDialogRequest& request) { return Run(request, false); }

std::optional<FileDialogAnswer> QtFileDialogs::Run(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(m_parent, QString::fromStdString(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  QStringList filters;
  for (const std::string& name_filter : QtNameFilters(request.filter)) filters << QString::fromStdString(name_filter);
  dialog.setNameFilters(filters);
  const int index = request.filter_index - 1;
  if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
  const auto suffix_for = [&](const QString& name_filter) {
    const auto position = static_cast<std::size_t>(filters.indexOf(name_filter));
    if (position >= request.default_extensions.size()) return QString();
    return QString::fromStdString(request.default_extensions[position]).remove(0, 1);
  };
  dialog.setDefaultSuffix(suffix_for(dialog.selectedNameFilter()));
  // Changing the file type changes the extension a bare name gets.
  QObject::connect(&dialog, &QFileDialog::filterSelected,
                   [&](const QString& name_filter) { dialog.setDefaultSuffix(suffix_for(name_filter)); });
  QString folder = QString::fromStdString(request.folder);
  QString name = QString::fromStdString(request.file_name);
  if (QFileInfo(name).isAbsolute()) {
    folder = QFileInfo(name).absolutePath();
    name = QFileInfo(name).fileName();
  }
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (!name.isEmpty()) dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileDialogAnswer{dialog.selectedFiles().front().toStdString(),
                          static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

}  // namespace sf::app
