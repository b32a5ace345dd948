#include "core/number_field.h"

#include "base/format/right_justify.h"

namespace quorvane {

std::string FitNumberField(const std::string& rendered, std::size_t width) {
  if (rendered.size() >= width) return rendered;
  return RightJustify(rendered, static_cast<double>(width));
}

}  // namespace quorvane
