#include "qt/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

#include "qt/dialog_memory.h"
#include "qt/text_convert.h"

namespace quorvane::qt {

namespace {

QString QtPattern(QString pattern) {
  QStringList parts;
  for (QString part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    part = part.trimmed();
    if (part == QLatin1String("*.*")) part = QStringLiteral("*");
    if (!part.isEmpty() && !parts.contains(part)) parts << part;
  }
  return parts.isEmpty() ? QStringLiteral("*") : parts.join(QLatin1Char(' '));
}

// The extension a name filter gives a file typed without one: "alg" for
// "Algorithm files (*.alg)", nothing for "All files (*)".
QString DefaultSuffix(const QString& nameFilter) {
  static const QRegularExpression kSingle(QStringLiteral("\\(\\*\\.([A-Za-z0-9_]+)\\)$"));
  const QRegularExpressionMatch match = kSingle.match(nameFilter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  static const QRegularExpression kTrailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    description.remove(kTrailingPatterns);
    if (description.isEmpty()) description = QStringLiteral("Files");
    filters << QStringLiteral("%1 (%2)").arg(description, QtPattern(parts[i + 1]));
  }
  if (filters.isEmpty()) filters << QStringLiteral("All files (*)");
  return filters;
}

QMessageBox::Icon QtIcon(Icon icon) {
  switch (icon) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

void SetUpMessageBox(QMessageBox& box, const std::string& text, const std::string& title, Icon icon,
                     QMessageBox::StandardButtons buttons,
                     QMessageBox::StandardButton defaultButton,
                     QMessageBox::StandardButton escapeButton) {
  box.setWindowTitle(ToQt(title));
  box.setIcon(QtIcon(icon));
  box.setTextFormat(Qt::PlainText);
  box.setText(DisplayText(text));
  box.setStandardButtons(buttons);
  box.setDefaultButton(defaultButton);
  box.setEscapeButton(escapeButton);
}

void SetUpInputDialog(QInputDialog& dialog, const std::string& prompt, const std::string& title,
                      const std::string& defaultText) {
  dialog.setWindowTitle(ToQt(title));
  dialog.setLabelText(DisplayText(prompt));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(ToQt(defaultText));
  // Selected once the dialog shows, when the field has the focus.
  QTimer::singleShot(0, &dialog, [&dialog] {
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->selectAll();
  });
}

void SetUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving,
                     const DialogMemory& memory, const std::string& kind) {
  dialog.setWindowTitle(ToQt(request.title));
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  const qsizetype chosen = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                               ? request.filterIndex - 1
                               : 0;
  dialog.selectNameFilter(filters[chosen]);
  if (forSaving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDefaultSuffix(DefaultSuffix(filters[chosen]));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(DefaultSuffix(filter)); });
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  memory.Prepare(dialog, kind, request.proposedName);
}

}  // namespace quorvane::qt
