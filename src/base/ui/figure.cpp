#include "base/ui/figure.h"

#include "base/ui/control.h"

namespace quorvane {

Figure BareFigure(const Surface& surface) {
  Figure figure;
  figure.Drawing = surface;
  return figure;
}

Figure SavedFigure(const Control& surface) {
  return surface.figure.Framed ? surface.figure : BareFigure(surface.surface);
}

}  // namespace quorvane
