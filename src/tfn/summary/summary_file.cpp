#include "tfn/summary/summary_file.h"

namespace quorvane {

namespace {

// CR LF after every line: a lone LF or CR, as an editor may leave them,
// becomes CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
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

}  // namespace

std::string SavedSummaryText(const std::string& path, const std::string& windowText) {
  return WithCrLf("Originally saved with the file name: \r\n" + path + "\r\n\r\n" + windowText);
}

}  // namespace quorvane
