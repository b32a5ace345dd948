#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A table as comma-separated text that R, Python and spreadsheets read as
// it is: one header row, then one row per line; fields separated by commas
// and quoted (with doubled quotes inside) only when they must be; lines
// ended by CR LF, as every file the system writes.
class CsvText {
 public:
  explicit CsvText(const std::vector<std::string>& header) { AddRow(header); }
  void AddRow(const std::vector<std::string>& fields);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A field as it is written: quoted when it holds a comma, a quote, a line
// end or blanks at either end, otherwise as it is.
std::string CsvField(std::string_view text);

// A number at full precision: the shortest text that reads back as the
// same double, with '.' as the decimal point whatever the locale. An
// infinity is "Inf" or "-Inf"; NaN, which stands for no value, is empty.
std::string CsvNumber(double value);
// A value or a missing one: missing is an empty field.
std::string CsvNumber(const std::optional<double>& value);

}  // namespace quorvane
