#include "tfn/summary/report_text.h"

#include "core/number_field.h"
#include "base/format/format_picture.h"

namespace quorvane {

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

std::string PadLabel(std::string_view label) {
  std::string padded(label);
  if (padded.size() < kSummaryLabelWidth) padded.append(kSummaryLabelWidth - padded.size(), ' ');
  return padded;
}

std::string NumberField(double value, std::string_view picture, std::size_t width) {
  return FitNumberField(FormatPicture(value, picture), width);
}

}  // namespace quorvane
