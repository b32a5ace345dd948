#include "tfn/summary/summary_file.h"

#include "base/format/line_endings.h"

namespace quorvane {

std::string SavedSummaryText(const std::string& path, const std::string& windowText) {
  return WithCrLf("Originally saved with the file name: \r\n" + path + "\r\n\r\n" + windowText);
}

}  // namespace quorvane
