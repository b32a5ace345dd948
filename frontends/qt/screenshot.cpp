#include "qt/screenshot.h"

#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace quorvane::qt {

std::optional<QString> SaveScreenshot(QWidget& widget, const QString& path) {
  const QPixmap picture = widget.grab();
  if (picture.isNull()) return QStringLiteral("The window could not be rendered");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  if (!picture.save(&file, "PNG")) {
    file.cancelWriting();
    return QStringLiteral("Cannot write the picture %1").arg(path);
  }
  if (!file.commit()) return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
  return std::nullopt;
}

}  // namespace quorvane::qt
