#pragma once

#include <QIcon>

namespace quorvane::qt {

// The application's icon: the curve of -ln[L] against a parameter with its
// minimum marked. Its PNGs, rendered at build time from the SVG the desktop
// entry installs too, are built into the program at the usual icon sizes.
QIcon ApplicationIcon();

}  // namespace quorvane::qt
