// Fuzz target: the priors file reader. The input is a file's bytes.
//
// Properties:
//  - a file that is refused names a line of the file (the count line or a
//    row) and a reason; a count mismatch gives a count other than the model's;
//  - a file that is read gives one row per parameter, each with a one-letter
//    type and terms that type can use (a letter outside the nine is kept and
//    adds nothing);
//  - what was read, written, read again and written again gives the same
//    text both times (below: the one loss the file's format allows).

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "fuzz_support.h"
#include "priors/prior_table.h"
#include "priors/priors_file.h"

namespace quorvane {
namespace {

std::vector<std::string> ReadLines(std::string_view bytes) {
  std::string error;
  auto lines = ReadTextLines(fuzz::ScratchFile("priors.pri", bytes), error);
  FUZZ_CHECK(lines.has_value());
  return *lines;
}

void CheckRows(const std::vector<PriorRow>& rows, int n) {
  FUZZ_CHECK(rows.size() == static_cast<std::size_t>(n));
  for (const PriorRow& row : rows) {
    FUZZ_CHECK(row.Type.size() == 1);
    FUZZ_CHECK(UndefinedPriorTerms(row).empty());
    FUZZ_CHECK(std::isfinite(row.FirstTerm) && std::isfinite(row.SecondTerm));
  }
}

// True when writing changed a term of row `i` (0-based) of the written lines.
bool WritingRounded(const std::vector<std::string>& written, const PriorRow& row, std::size_t i) {
  const std::string& line = written[i + 1];
  const auto term = [&line](std::size_t first) {
    return line.size() < first ? 0.0 : LeadingNumber(std::string_view(line).substr(first - 1, 11));
  };
  return term(8) != row.FirstTerm || term(19) != row.SecondTerm || term(30) != row.ThirdValue ||
         term(41) != row.FourthValue;
}

// Terms are written with four significant digits, so a row that is usable
// only at full precision (a Gamma SD a hair below its mean, a bounded
// uniform's right foot a hair above its left) is written as one that is
// not: that loss belongs to the file's format. Apart from it, what is
// written reads back, and writing that again gives the same text.
void CheckRoundTrip(const std::vector<PriorRow>& rows, int n) {
  PriorTable table;
  table.Rows = rows;
  const std::string text = PriorsFileText(table);
  const std::vector<std::string> written = ReadLines(text);
  PriorsFileContent again = ParsePriorsFile(written, n);
  if (const auto* fault = std::get_if<PriorsFileFault>(&again)) {
    FUZZ_CHECK(fault->line >= 2 && fault->line <= n + 1);
    const auto i = static_cast<std::size_t>(fault->line - 2);
    FUZZ_CHECK(WritingRounded(written, rows[i], i));
    return;
  }
  const auto* read = std::get_if<std::vector<PriorRow>>(&again);
  FUZZ_CHECK(read != nullptr);
  CheckRows(*read, n);
  for (std::size_t i = 0; i < rows.size(); ++i) FUZZ_CHECK((*read)[i].Type == rows[i].Type);
  PriorTable second;
  second.Rows = *read;
  FUZZ_CHECK(PriorsFileText(second) == text);
}

void Check(const std::vector<std::string>& lines, int n) {
  const PriorsFileContent content = ParsePriorsFile(lines, n);
  if (const auto* fault = std::get_if<PriorsFileFault>(&content)) {
    FUZZ_CHECK(fault->line >= 1 && fault->line <= n + 1);
    FUZZ_CHECK(!fault->reason.empty());
    return;
  }
  if (const auto* mismatch = std::get_if<PriorsCountMismatch>(&content)) {
    FUZZ_CHECK(mismatch->count != n);
    return;
  }
  const auto& rows = std::get<std::vector<PriorRow>>(content);
  CheckRows(rows, n);
  CheckRoundTrip(rows, n);
}

// The model's parameter count: the one the file claims when that is small,
// so that files which match their model are explored; otherwise 1.
int ModelCount(const std::vector<std::string>& lines) {
  if (lines.empty()) return 1;
  const std::string_view first = lines[0];
  const double claimed = LeadingNumber(first.substr(0, first.find(',')));
  if (claimed >= 0 && claimed <= 64 && claimed == std::floor(claimed)) return static_cast<int>(claimed);
  return 1;
}

}  // namespace
}  // namespace quorvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::vector<std::string> lines = ReadLines({reinterpret_cast<const char*>(data), size});
  const int n = ModelCount(lines);
  Check(lines, n);
  Check(lines, n + 1);
  return 0;
}
