#include "covariance/covariance_report.h"

#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "covariance/covariance_results.h"
#include "covariance/probability_text.h"

namespace quorvane {

namespace {

constexpr const char* kE = "0.0000000E+00";
constexpr const char* kF = "#####0.0000000";
constexpr const char* kP = "#0.0000";
constexpr const char* kEnd = "\r\n";

std::string Field(double value, const char* picture, int width) {
  return RightJustify(FormatPicture(value, picture), width);
}

// The probability field of one estimate: -1 when the grid has no standard error.
std::string Probability(double value, double se, double reference, int width) {
  if (se == -1.0) return Field(-1.0, kP, width);
  return RightJustify(ProbabilityText(std::fabs((value - reference) / se)), width);
}

class ReportBuilder {
 public:
  explicit ReportBuilder(std::size_t expectedSize) { text_.reserve(expectedSize); }
  void Line(const std::string& line = "") {
    text_ += line;
    text_ += kEnd;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string CovarianceReport(const CovarianceResults& cov, const OneBased<std::string>& fuseCodes,
                             const OneBased<std::string>& descriptions,
                             const std::function<void()>& pump) {
  const bool numerical = cov.CovarianceMethod != "A";
  const int P = cov.CovValues.size();
  const int K = cov.nCov;
  // About 80 characters a line; the pair sections hold K(K + 1) lines.
  ReportBuilder out(static_cast<std::size_t>(P + 2 * K + K * (K + 1) + 40) * 82);
  const auto pumpAfterLine = [&pump] {
    if (pump) pump();
  };

  out.Line(numerical ? "Parameter values, step sizes, link codes, and definitions for numerically "
                       "calculated covariances:"
                     : "Parameter values, step sizes, link codes, and definitions for analytically "
                       "calculated covariances:");
  out.Line();
  for (int p = 1; p <= P; ++p) {
    const std::string code = p <= fuseCodes.size() ? fuseCodes[p] : "~~";
    const std::string description = p <= descriptions.size() ? descriptions[p] : "";
    out.Line(FormatPicture(static_cast<double>(p), " 000) ") + Field(cov.CovValues[p], kE, 14) +
             Field(cov.CovSteps[p], kE, 16) + " " + RightJustify(FormatPicture(code, "  "), 3) +
             "  " + description);
  }

  out.Line();
  out.Line(numerical ? "Reliable numerical covariance results should be similar among three grids "
                       "with quite different grid factors"
                     : "Analytical covariance results are redundant for all grids; likelihood "
                       "function value summary is meaningless");
  out.Line();
  out.Line("Covariance constant: " + PlainNumberText(1.0 / cov.ObjectiveScale));
  out.Line();
  out.Line("                               Grid #1           Grid #2           Grid #3");
  out.Line();
  out.Line("Factors:              1) " + Field(cov.GridFactor[1], kE, 13) + "  2) " +
           Field(cov.GridFactor[2], kE, 13) + "  3) " + Field(cov.GridFactor[3], kE, 13));

  out.Line();
  out.Line("Likelihood function value summary:");
  std::string mean = "   Mean:            ", sd = "   Std Dev:         ",
              variation = "   Coef of Var:     ";
  for (int g = 1; g <= 3; ++g) {
    if (numerical) {
      double gridMean = cov.GridMean[g];
      double coefficient = 0.0;
      if (gridMean == 0.0) {
        gridMean = -1.0;
        coefficient = -1.0;
      } else {
        coefficient = std::fabs(cov.GridSd[g] / gridMean);
      }
      mean += Field(gridMean / cov.ObjectiveScale, kE, 18);
      sd += Field(cov.GridSd[g] / cov.ObjectiveScale, kE, 18);
      variation += Field(coefficient, kF, 18);
    } else {
      mean += Field(cov.AnalyticalObjective / cov.ObjectiveScale, kE, 18);
      sd += Field(-1.0, kE, 18);
      variation += Field(-1.0, kF, 18);
    }
  }
  out.Line(mean);
  out.Line(sd);
  out.Line(variation);
  out.Line();

  out.Line("Par#                               Standard errors of the estimates");
  for (int k = 1; k <= K; ++k) {
    out.Line(RightJustify(cov.CovIndex[k], 3) + Field(cov.Grid(1)(0, k), kE, 35) +
             Field(cov.Grid(2)(0, k), kE, 18) + Field(cov.Grid(3)(0, k), kE, 18));
    pumpAfterLine();
  }

  if (!cov.LimitNotes.empty()) {
    out.Line();
    out.Line("Note: these estimates lie on a limit of the parameter space, where a penalty holds");
    out.Line("the model inside it. The -ln[L] is not smooth there, so their standard errors are");
    out.Line("undefined: -1 where the Hessian is not positive-definite, meaningless where a number");
    out.Line("is shown:");
    for (const std::string& note : cov.LimitNotes) out.Line("   " + note);
  }

  out.Line();
  out.Line("Par#               Probabilities that the estimates do not differ from 0, then 1");
  for (int k = 1; k <= K; ++k) {
    const double value = cov.CovValues[cov.CovIndex[k]];
    std::string line = RightJustify(cov.CovIndex[k], 3) + std::string(17, ' ');
    for (int g = 1; g <= 3; ++g) {
      const double se = cov.Grid(g)(0, k);
      line += Probability(value, se, 0.0, 10);
      line += Probability(value, se, 1.0, 8);
    }
    out.Line(line);
    pumpAfterLine();
  }

  if (cov.Optimistic) {
    out.Line();
    out.Line("Note: The above SE estimates are optimistic (under-estimated) conditional estimates");
  } else {
    out.Line();
    out.Line("Par#,Par#                                   Correlations");
    for (int k = 1; k < K; ++k) {
      for (int m = k + 1; m <= K; ++m) {
        std::string line = RightJustify(cov.CovIndex[k], 3) + RightJustify(cov.CovIndex[m], 5);
        for (int g = 1; g <= 3; ++g) {
          const GridCovariance& r = cov.Grid(g);
          const double product = r(0, k) * r(0, m);
          const double correlation = product != 0.0 ? r(k, m) / product : -1.0;
          line += Field(correlation, kF, g == 1 ? 30 : 18);
        }
        out.Line(line);
        pumpAfterLine();
      }
    }
    out.Line();
    out.Line("Par#,Par#                                   Covariances");
    for (int k = 1; k <= K; ++k) {
      for (int m = k; m <= K; ++m) {
        out.Line(RightJustify(cov.CovIndex[k], 3) + RightJustify(cov.CovIndex[m], 5) +
                 Field(cov.Grid(1)(k, m), kE, 30) + Field(cov.Grid(2)(k, m), kE, 18) +
                 Field(cov.Grid(3)(k, m), kE, 18));
        pumpAfterLine();
      }
    }
  }

  out.Line();
  out.Line("                                            Determinants");
  std::string covariance = "Covariance Matrix:  ", correlation = "Correlation Matrix: ";
  for (int g = 1; g <= 3; ++g) {
    const GridCovariance& r = cov.Grid(g);
    covariance += Field(r(0, 0), kE, 18);
    const double product = r(1, 0);
    const double d = (product == -1.0 || product == 0.0) ? -1.0 : r(0, 0) / product;
    correlation += Field(d, kE, 18);
  }
  out.Line(covariance);
  out.Line(correlation);
  return out.Take();
}

}  // namespace quorvane
