// The summary's table of estimates with standard errors, tests and intervals.
#include <algorithm>
#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "tfn/diagnostics/t_test_p_value.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_review_sections.h"

namespace quorvane {

namespace {

constexpr int kDigits = 6;  // significant digits of estimates, errors and limits
constexpr std::size_t kValueWidth = 13;

std::string Value(const std::optional<double>& value) {
  return RightJustify(value ? SignificantText(*value, kDigits) : std::string("-"), kValueWidth);
}

std::string PText(const std::optional<double>& p) {
  if (!p) return RightJustify("-", 9);
  return RightJustify(*p < 0.0001 ? std::string(kPValueBelowLimitText) : FormatPicture(*p, "0.0000"), 9);
}

std::string Source(const CoefficientTable& table) {
  if (table.Analytical) return "the analytical covariance analysis";
  return "grid " + PlainNumberText(table.Grid) + " (grid factor " + PlainNumberText(table.GridFactor) +
         ") of the numerical covariance analysis";
}

}  // namespace

std::string SignificantText(double value, int digits) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return FormatPicture(value, "0");
  const double magnitude = std::fabs(value);
  if (magnitude < 1e-4 || magnitude >= 1e7)
    return FormatPicture(value, "0." + std::string(static_cast<size_t>(digits - 1), '0') + "E+00");
  const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  const int decimals = std::max(0, digits - 1 - exponent);
  return FormatPicture(value, decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') : "0");
}

void WriteCoefficientTableSection(std::string& text, const CoefficientTable& table) {
  if (!table.HasStandardErrors) {
    AddLine(text, "Estimates with standard errors: there are no covariance results for these estimates.");
    AddLine(text, "     Choose \"Single model covariances\" in the main menu, then ask for the results summary "
                  "again: it shows");
    AddLine(text, "     each estimate with its standard error, z, p and 95% interval.");
    AddLine(text);
    return;
  }
  AddLine(text, "Estimates with standard errors from " + Source(table) + ":");
  AddLine(text, "Par#" + RightJustify("Estimate", kValueWidth) + RightJustify("Std. error", kValueWidth) +
                    RightJustify("z", 8) + RightJustify("P>|z|", 9) + RightJustify("Lower 95%", kValueWidth + 2) +
                    RightJustify("Upper 95%", kValueWidth) + "   Parameter");
  bool limits = false, logits = false;
  for (const CoefficientRow& row : table.Rows) {
    std::string line = RightJustify(row.Parameter, 4) + Value(row.Estimate) + Value(row.StandardError);
    line += row.Z ? RightJustify(FormatPicture(*row.Z, "#0.00"), 8) : RightJustify("-", 8);
    line += PText(row.P) + "  " + Value(row.Lower) + Value(row.Upper) + "   " + row.Name;
    if (!row.LimitRegion.empty()) {
      line += "  (on the limit of the " + row.LimitRegion + " region)";
      limits = true;
    }
    AddLine(text, line);
    if (row.Name.rfind("Logit[", 0) == 0) logits = true;
    if (!row.FusedMembers.empty()) {
      std::string members;
      for (int m : row.FusedMembers) members += (members.empty() ? "" : ", ") + PlainNumberText(m);
      AddLine(text, "         fused (code " + row.FuseCode + ") with parameter" +
                        (row.FusedMembers.size() > 1 ? "s " : " ") + members + ", which take" +
                        (row.FusedMembers.size() > 1 ? "" : "s") + " its value");
    }
  }
  AddLine(text, "     z = estimate / SE; P>|z| the two-sided probability of a standard normal |z| at least as "
                "large; the 95% interval is estimate -+ 1.96 SE.");
  if (limits)
    AddLine(text, "     An estimate on the limit of its region has no z, p or interval: the -ln[L] is not "
                  "smooth there, so its SE is not a basis for them.");
  if (logits)
    AddLine(text, "     A Logit[...] row is the logit x the model estimated; its coefficient is 2(e^x/(e^x + 1) - 0.5), "
                  "and so are the ends of the coefficient's interval.");
  if (table.Optimistic)
    AddLine(text, "     Note: these SEs are optimistic (under-estimated) conditional estimates, each with the "
                  "other parameters held fixed.");
  AddLine(text);
}

}  // namespace quorvane
