#pragma once

#include <QIcon>

namespace quorvane::qt {

// The application's icon: a likelihood-like curve with its minimum marked,
// drawn at the usual icon sizes.
QIcon ApplicationIcon();

}  // namespace quorvane::qt
