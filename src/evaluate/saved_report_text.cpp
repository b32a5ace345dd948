#include "evaluate/saved_report_text.h"

#include "base/format/line_endings.h"

namespace quorvane {

std::string SavedReportText(const std::string& path, const std::string& windowText) {
  return WithCrLf("Originally saved with the file name: " + path + "\r\n\r\n" + windowText);
}

}  // namespace quorvane
