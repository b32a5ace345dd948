#include "base/files/csv_text.h"

#include <csv.h>

#include <charconv>
#include <cmath>

namespace quorvane {

void CsvText::AddRow(const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text_ += ',';
    text_ += CsvField(fields[i]);
  }
  text_ += "\r\n";
}

std::string CsvField(std::string_view text) {
  const bool plain = text.find_first_of(",\"\r\n") == std::string_view::npos &&
                     (text.empty() || (text.front() != ' ' && text.back() != ' ' &&
                                       text.front() != '\t' && text.back() != '\t'));
  if (plain) return std::string(text);
  // libcsv quotes the field and doubles every quote inside it.
  std::string quoted(csv_write(nullptr, 0, text.data(), text.size()), '\0');
  csv_write(quoted.data(), quoted.size(), text.data(), text.size());
  return quoted;
}

std::string CsvNumber(double value) {
  if (std::isnan(value)) return "";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  char text[32];
  // Without a precision, to_chars writes the shortest round-trip form.
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string();
}

std::string CsvNumber(const std::optional<double>& value) { return value ? CsvNumber(*value) : ""; }

}  // namespace quorvane
