// Fuzz target: the algorithm data file reader. The input is a file's bytes.
//
// Properties:
//  - a read that fails leaves the algorithm data exactly as they were, and
//    its message says something;
//  - a read that succeeds gives usable data: arrays of the model's size,
//    finite numbers, fuse codes that are codes, no log output;
//  - what was read, written, read again and written again gives the same
//    text both times, with either parameter-line label.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "base/files/text_file.h"
#include "base/format/leading_number.h"
#include "core/algorithm_data.h"
#include "core/algorithm_file.h"
#include "core/fuse_code.h"
#include "fuzz_support.h"

namespace quorvane {
namespace {

using Count = decltype(AlgorithmData::ParameterCount);

std::vector<std::string> ReadLines(std::string_view bytes) {
  std::string error;
  auto lines = ReadTextLines(fuzz::ScratchFile("algorithm.alg", bytes), error);
  FUZZ_CHECK(lines.has_value());
  return *lines;
}

// Algorithm data unlike the defaults in every field, so that any field a
// failed read touches shows.
AlgorithmData Before(Count n) {
  AlgorithmData data;
  data.ParameterCount = n;
  DefaultAlgorithmData(data);
  data.Descriptions.assign(n, "");
  for (int i = 1; i <= n; ++i) {
    data.Values[i] = 1.5 * i;
    data.Steps[i] = 0.25 / i;
    data.FuseCodes[i] = i % 3 == 0 ? "AB" : kUnfused;
    data.Descriptions[i] = "Parameter " + std::to_string(i);
  }
  data.Tolerance = -3e-5;
  data.MaxFunctionCalls = 1234;
  data.TerminalFrequency = 7;
  data.FileFrequency = 3;
  data.LogFileName = "earlier.qvl";
  data.ReductionFraction = 0.25;
  return data;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameData(const AlgorithmData& a, const AlgorithmData& b) {
  if (a.ParameterCount != b.ParameterCount || a.Values.size() != b.Values.size() ||
      a.Steps.size() != b.Steps.size() || !(a.FuseCodes == b.FuseCodes) ||
      !(a.Descriptions == b.Descriptions))
    return false;
  for (int i = 1; i <= a.Values.size(); ++i)
    if (!SameBits(a.Values[i], b.Values[i])) return false;
  for (int i = 1; i <= a.Steps.size(); ++i)
    if (!SameBits(a.Steps[i], b.Steps[i])) return false;
  return SameBits(a.Tolerance, b.Tolerance) && a.MaxFunctionCalls == b.MaxFunctionCalls &&
         a.TerminalFrequency == b.TerminalFrequency && a.FileFrequency == b.FileFrequency &&
         a.LogFileName == b.LogFileName && SameBits(a.ReductionFraction, b.ReductionFraction);
}

void CheckUsable(const AlgorithmData& data, const AlgorithmData& before) {
  FUZZ_CHECK(HasParameterArrays(data));
  FUZZ_CHECK(data.ParameterCount == before.ParameterCount);
  FUZZ_CHECK(data.Descriptions == before.Descriptions);
  for (int i = 1; i <= data.ParameterCount; ++i) {
    FUZZ_CHECK(std::isfinite(data.Values[i]));
    FUZZ_CHECK(std::isfinite(data.Steps[i]));
    FUZZ_CHECK(IsFuseCode(data.FuseCodes[i]));
  }
  FUZZ_CHECK(std::isfinite(data.Tolerance));
  FUZZ_CHECK(std::isfinite(data.ReductionFraction));
  FUZZ_CHECK(data.FileFrequency == 0);
  FUZZ_CHECK(data.LogFileName.size() <= 14);
}

// Writes the data, reads the file back into fresh data, and writes those:
// both texts must agree, and the second read must succeed.
void CheckRoundTrip(const AlgorithmData& data, ParameterLineLabel label) {
  const std::vector<std::string> written = AlgorithmFileLines(data, label);
  const std::vector<std::string> lines = ReadLines(JoinCrLf(written));
  FUZZ_CHECK(lines == written);
  AlgorithmData again = Before(data.ParameterCount);
  const AlgorithmFileReading reading = ParseAlgorithmFile(lines, data.ParameterCount, again);
  FUZZ_CHECK(reading.Problem == AlgorithmFileProblem::None);
  CheckUsable(again, Before(data.ParameterCount));
  FUZZ_CHECK(AlgorithmFileLines(again, label) == written);
}

void Check(const std::vector<std::string>& lines, Count n) {
  const AlgorithmData before = Before(n);
  AlgorithmData data = before;
  const AlgorithmFileReading reading = ParseAlgorithmFile(lines, n, data);
  if (reading.Problem != AlgorithmFileProblem::None) {
    FUZZ_CHECK(SameData(data, before));
    FUZZ_CHECK(!AlgorithmFileProblemText(reading, "x.alg", n).empty());
    if (reading.Problem == AlgorithmFileProblem::CountMismatch) FUZZ_CHECK(reading.Count != n);
    if (reading.Problem == AlgorithmFileProblem::NotFinite) {
      FUZZ_CHECK(reading.Line >= 1 && reading.Line <= lines.size());
      FUZZ_CHECK(!reading.Field.empty());
    }
    return;
  }
  CheckUsable(data, before);
  CheckRoundTrip(data, ParameterLineLabel::MainMenu);
  CheckRoundTrip(data, ParameterLineLabel::Ranking);
}

// The model's parameter count: the one the file claims when that is small,
// so that files which match their model are explored; otherwise 2.
Count ModelCount(const std::vector<std::string>& lines) {
  if (lines.empty()) return 2;
  const double claimed = LeadingNumber(std::string_view(lines[0]).substr(0, 14));
  if (claimed >= 0 && claimed <= 64 && claimed == std::floor(claimed)) return static_cast<Count>(claimed);
  return 2;
}

}  // namespace
}  // namespace quorvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::vector<std::string> lines = ReadLines({reinterpret_cast<const char*>(data), size});
  const Count n = ModelCount(lines);
  Check(lines, n);
  // A model of one parameter more: the count check, or a file that matches it.
  Check(lines, static_cast<Count>(n + 1));
  return 0;
}
