#include "core/number_field.h"
#include "minimize/marquardt_reports.h"
#include "minimize/marquardt_state.h"
#include "minimize/marquardt_window.h"
#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kCrLf = "\r\n";

// A value in its report field. A rendering longer than the field (a
// negative value with a three-digit exponent) is kept whole rather than cut,
// which would show a different number.
std::string ValueField(double value, const char* picture, std::size_t width) {
  return FitNumberField(FormatPicture(value, picture), width);
}

std::string Group(int parameter, double value) {
  return FormatPicture(parameter, "    000) ") + ValueField(value, "0.0000000E+00", 14);
}

}  // namespace

std::string MarquardtParameterLines(const Session& session) {
  const FreeParameterList& free = session.Free;
  const AlgorithmData& data = session.Algorithm;
  std::string text;
  for (int k = 1; k <= free.FreeCount; ++k) {
    const int i = free.FreeIndex[k];
    const std::string description = i <= data.Descriptions.size() ? data.Descriptions[i] : "";
    text += Group(i, free.FreeStart[k]) + " " +
            RightJustify(FormatPicture(std::string_view(data.FuseCodes[i]), "  "), 3) + "  " +
            description + kCrLf;
  }
  return text;
}

std::vector<std::string> MarquardtParameterGroupLines(const Session& session) {
  const FreeParameterList& free = session.Free;
  std::vector<std::string> lines;
  std::string line;
  for (int k = 1; k <= free.FreeCount; ++k) {
    line += Group(free.FreeIndex[k], free.FreeStart[k]);
    if (k % 4 == 0) {
      lines.push_back(line);
      line.clear();
    }
  }
  // The first line end closes a remainder line, or makes an empty line
  // after a full one; the second always makes an empty line.
  lines.push_back(line);
  lines.push_back("");
  return lines;
}

std::string MarquardtDerivativeDisplay(Session& session, const MarquardtState& state) {
  Ui& ui = session.ui();
  const FreeParameterList& free = session.Free;
  const bool analytical = session.MarquardtView().DerivativeChoice == DerivativeKind::Analytical;
  const std::string kind = analytical ? "Analytical" : "Numerical";
  ui.SetStatusPanel(5, 1, "Please be patient while derivative output is collated");
  std::string text = std::string(kCrLf) +
                     "1st & 2nd partial derivatives of the objective function wrt to the previous "
                     "parameter estimates:" +
                     kCrLf + kCrLf;
  for (int k = 1; k <= free.FreeCount; ++k) {
    text += kind + " 1st derivative wrt Parameter      " +
            FormatPicture(free.FreeIndex[k], "000)") +
            ValueField(state.SavedGradient[k], "0.00000E+00", 13) + kCrLf;
    ui.PumpEvents();
    for (int m = k; m <= free.FreeCount; ++m) {
      text += kind + " 2nd derivative wrt Parameters " + FormatPicture(free.FreeIndex[k], "000") +
              "," + FormatPicture(free.FreeIndex[m], "000)") +
              ValueField(state.SavedHessian(k, m), "0.00000E+00", 13) + kCrLf;
      ui.PumpEvents();
    }
  }
  return text;
}

}  // namespace quorvane
