#include "qt/app_icon.h"

#include <QString>

namespace quorvane::qt {

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1/" QUORVANE_APP_ID ".png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace quorvane::qt
