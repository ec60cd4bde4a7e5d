#include "platform/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/qt_colour.h"

namespace quorvin::platform {

void QtDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageTitle), text, QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

std::optional<QString> QtDialogs::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Opening takes an existing file; saving any name in an existing folder. Overwriting asks
  // first, which is QFileDialog's default for saving.
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program's descriptions already name their patterns.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const QStringList filters = ToQtNameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(request.defaultExtension);
  if (!request.fileName.isEmpty()) {
    const QFileInfo offered(request.fileName);
    if (offered.absoluteDir().exists()) dialog.setDirectory(offered.absolutePath());
    dialog.selectFile(offered.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front();
}

std::optional<ColourValue> QtDialogs::ChooseColour(ColourValue initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial, Qt::black));
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

QStringList ToQtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    if (patterns.isEmpty()) continue;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
  if (path.isEmpty() || extension.isEmpty()) return path;
  const QString name = QFileInfo(path).fileName();
  if (name.isEmpty() || name.contains(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + extension;
}

}  // namespace quorvin::platform
