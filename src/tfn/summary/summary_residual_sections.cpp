// The summary's tests of the residuals' normality and autocorrelation.
#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "tfn/diagnostics/t_test_p_value.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_review_sections.h"

namespace quorvane {

namespace {

std::string PText(double p) {
  return RightJustify(p < 0.0001 ? std::string(kPValueBelowLimitText) : FormatPicture(p, "0.0000"), 7);
}

// A correlation in its column, marked "*" outside the band.
std::string Correlation(double r, double band) {
  if (std::isnan(r)) return RightJustify("-", 9) + "  ";
  return NumberField(r, "#0.0000", 9) + (std::fabs(r) > band ? " *" : "  ");
}

std::string WithoutTrailingBlanks(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

void WriteSeries(std::string& text, const SeriesResidualCorrelation& s, int fitted) {
  AddLine(text, "Series " + PlainNumberText(s.Series) + " (" + s.Name + "): n = " + PlainNumberText(s.Count) +
                    " residuals, band +-1.96/sqrt(n) = +-" + FormatPicture(s.Band, "0.0000"));
  if (!s.Defined) {
    AddLine(text, s.Count < 2 ? "     No autocorrelations: fewer than two residuals."
                              : "     No autocorrelations: the residuals have no variance.");
    return;
  }
  AddLine(text, "  Lag      ACF         PACF");
  for (int k = 1; k <= s.Lags; ++k)
    AddLine(text, WithoutTrailingBlanks(RightJustify(k, 5) + Correlation(s.Acf[static_cast<size_t>(k)], s.Band) +
                                        "  " + Correlation(s.Pacf[static_cast<size_t>(k)], s.Band)));
  for (const LjungBoxResult& q : s.LjungBox) {
    std::string line = "The Ljung-Box Q, df and p of the residual autocorrelations to lag " +
                       RightJustify(q.Lag, 3) + " are: " + NumberField(q.Q, "####0.0000", 11) + ", " +
                       RightJustify(q.Df, 3) + ", ";
    line += q.P ? PText(*q.P) : std::string("undefined (no degrees of freedom left by the ") +
                                    PlainNumberText(fitted) + " ARMA coefficients)";
    AddLine(text, line);
  }
}

}  // namespace

void WriteNormalitySection(std::string& text, const HeldDiagnostics& held, const DiagnosticsRun& run) {
  AddLine(text, "The value, df and p[normal] of the residual (a-hat) Jarque-Bera statistic, n/6 (g1^2 + g2^2/4), are: " +
                    NumberField(held.JarqueBera.Statistic, "###0.0000", 9) + ",  2, " + PText(held.JarqueBera.P) +
                    (run.JarqueBera ? "" : "  (no result for this fit; the values last computed are shown)"));
  AddLine(text);
}

void WriteResidualCorrelationSection(std::string& text, const ResidualCorrelation& c) {
  AddLine(text, "Residual autocorrelation: the ACF and PACF of the standardized residuals (Melard's a-hat/h-hat) "
                "of each response series,");
  AddLine(text, (c.SeasonalPeriod > 0
                     ? "     to lag 2s with the seasonal period s = " + PlainNumberText(c.SeasonalPeriod)
                     : std::string("     to lag min(10 log10 n, n/4)")) +
                    "; * marks a value outside the band +-1.96/sqrt(n). Missing values are left out of the sums.");
  AddLine(text, "     The Ljung-Box Q(h) = n(n+2) sum r(k)^2/(n-k), k = 1..h, has h - " +
                    PlainNumberText(c.FreeArmaCoefficients) +
                    " df: the lags less the free ARMA coefficients.");
  for (const SeriesResidualCorrelation& s : c.Series) WriteSeries(text, s, c.FreeArmaCoefficients);
  AddLine(text);
}

}  // namespace quorvane
