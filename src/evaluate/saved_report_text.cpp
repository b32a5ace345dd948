#include "evaluate/saved_report_text.h"

#include <cstddef>

namespace quorvane {

std::string SavedReportText(const std::string& path, const std::string& windowText) {
  const std::string text = "Originally saved with the file name: " + path + "\r\n\r\n" + windowText;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (ch == '\n') {
      out += "\r\n";
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace quorvane
