// Writing the algorithm data file.
#include <algorithm>

#include "core/algorithm_file.h"
#include "core/fuse_code.h"
#include "core/number_field.h"
#include "base/files/text_file.h"
#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane {

namespace {

constexpr std::size_t kFieldWidth = 14;
constexpr const char* kRealPicture = "0.0000000E+00";
constexpr const char* kWholePicture = "####0";

// A line break inside a description or a name would split its line in two
// and the file would no longer read back; such characters become blanks.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

std::string RealField(double value) {
  return FitNumberField(FormatPicture(value, kRealPicture), kFieldWidth);
}

std::string WholeField(double value, const char* picture) {
  return RightJustify(FormatPicture(value, picture), static_cast<double>(kFieldWidth));
}

}  // namespace

std::string ShortenLogFileName(const std::string& name) {
  if (name.size() <= kFieldWidth) return name;
  const std::string tail = name.substr(name.size() - kFieldWidth);
  const auto separator = tail.find_last_of("\\/");
  if (separator == std::string::npos) return tail;
  return tail.substr(separator + 1);
}

std::vector<std::string> AlgorithmFileLines(const AlgorithmData& data, ParameterLineLabel label) {
  const std::string parameterLabel = label == ParameterLineLabel::Ranking
                                         ? "  Value, step then link for: "
                                         : "  Value, step then link for ";
  std::vector<std::string> lines;
  lines.push_back(WholeField(data.ParameterCount, "###0") + "  Number of parameters");
  for (int i = 1; i <= data.ParameterCount; ++i) {
    // Codes are checked wherever they enter; one that is not a code would
    // make a file that does not read back, so it is written as unfused.
    const std::string& code = IsFuseCode(data.FuseCodes[i]) ? data.FuseCodes[i] : kUnfused;
    const std::string description =
        i <= data.Descriptions.size() ? OneLine(data.Descriptions[i]) : std::string();
    // The step right-aligned in 16 characters: columns 15-30 in the ordinary
    // case. A 15-character step then fills column 16, and a 15-character
    // value column 15, which tells the reader the fields have moved.
    lines.push_back(RealField(data.Values[i]) +
                    FitNumberField(FormatPicture(data.Steps[i], kRealPicture), 16) +
                    RightJustify(code, 4) + parameterLabel + description);
  }
  lines.push_back(RealField(data.Tolerance) + "  Simplex limit (+ for ABS, - for REL)");
  lines.push_back(WholeField(data.MaxFunctionCalls, kWholePicture) +
                  "  Maximum # of function calls (simplex) or iterations (Marquardt)");
  lines.push_back(WholeField(data.TerminalFrequency, kWholePicture) + "  Terminal output frequency");
  lines.push_back(WholeField(data.FileFrequency, kWholePicture) + "  File output frequency");
  lines.push_back(RightJustify(OneLine(data.LogFileName), static_cast<double>(kFieldWidth)) +
                  "  Name of output file");
  lines.push_back(RealField(data.ReductionFraction) + "  Step size reduction fraction");
  return lines;
}

std::optional<std::string> WriteAlgorithmFile(AlgorithmData& data, const std::string& path,
                                              ParameterLineLabel label) {
  data.LogFileName = ShortenLogFileName(data.LogFileName);
  if (!HasParameterArrays(data))
    return "The algorithm data do not hold a value, a step size and a fuse code for each of the " +
           std::to_string(data.ParameterCount) + " parameters";
  return WriteTextFileAtomically(path, JoinCrLf(AlgorithmFileLines(data, label)));
}

}  // namespace quorvane
