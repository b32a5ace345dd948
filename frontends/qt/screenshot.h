#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quorvane::qt {

// Renders the widget and its children to a PNG file, written to a
// temporary file in the same folder and renamed over `path` when complete.
// Gives the reason of a failure.
std::optional<QString> SaveScreenshot(QWidget& widget, const QString& path);

}  // namespace quorvane::qt
