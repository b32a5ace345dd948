// The summary's account of the data and the set-up.
#include <string_view>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_notes.h"
#include "tfn/summary/summary_sections.h"

namespace quorvane {

namespace {

std::string N(long long value) { return PlainNumberText(value); }

std::string DifferencedWords(int d) {
  if (d == 1) return " 1st differenced ";
  if (d == 2) return " 2nd differenced ";
  return " non-differenced ";
}

void WriteTransformation(std::string& text, const SeriesFileChoice& choice, std::string_view what) {
  const std::string data = "The " + std::string(what) + " series data were ";
  switch (choice.Transformation) {
    case SeriesTransformation::BoxCox:
      AddLine(text, data + "Box-Cox transformed before analysis.");
      AddLine(text, "     Box-Cox Lambda: " + FormatPicture(choice.BoxCoxLambda, "###0.00") +
                        "; Constant: " + FormatPicture(choice.BoxCoxConstant, "###0.00"));
      break;
    case SeriesTransformation::Logit: AddLine(text, data + "logit transformed before analysis."); break;
    case SeriesTransformation::None: AddLine(text, data + "not transformed before analysis."); break;
  }
  if (choice.Transformation != SeriesTransformation::None && choice.TransformBeforeDifferencing)
    AddLine(text, "     The transformation was applied to the series as read, before any differencing.");
}

// The seasonal set-up, when there is one: the period, the seasonal
// differencing and the seasonal factors of the noise model.
void WriteSeasonalTerms(std::string& text, const TfnSetup& setup) {
  const int s = setup.SeasonalPeriod;
  if (s <= 0) return;
  AddLine(text, "The seasonal period is " + N(s) + " time periods.");
  if (setup.SeasonalDifferencing > 0)
    AddLine(text, "     The response series were seasonally differenced at lag " + N(s) + ".");
  const auto factor = [&](const char* name, int order, const char* side) {
    if (order > 0)
      AddLine(text, "     The noise model has a seasonal " + std::string(side) + " factor " + name + "(B^" + N(s) +
                        ") of order " + N(order) + ", multiplying the regular one.");
  };
  factor("Phi_s", setup.SeasonalArOrder, "autoregressive");
  factor("Theta_s", setup.SeasonalMaOrder, "moving-average");
  AddLine(text);
}

void WriteHeading(std::string& text) {
  AddLine(text, "Simultaneous Time Series ARIMA, Intervention and/or TFN Analysis Results:");
  AddLine(text);
  for (std::string_view line : ComparisonNote()) AddLine(text, line);
  AddLine(text);
}

void WriteResponse(std::string& text, const SummaryInput& input) {
  const ResponseSeriesData& r = input.Response;
  const TfnSetup& setup = input.Setup;
  std::string differenced = DifferencedWords(r.Differencing);
  if (r.SeasonalDifferencingLag > 0)
    differenced = r.Differencing == 1   ? " 1st and seasonally differenced "
                  : r.Differencing == 2 ? " 2nd and seasonally differenced "
                                        : " seasonally differenced ";
  AddLine(text, "This is an analysis of " + N(r.SeriesCount) + differenced +
                    "response series for the time periods: " + r.Calendar.Label(r.FirstAnalysedPeriod) +
                    " to " + r.Calendar.Label(r.EndPeriod));
  AddLine(text);
  WriteSeasonalTerms(text, setup);

  AddLine(text, "Note: Inter-series covariance refers to period-effects on the values for each time "
                "period in all series.");
  if (setup.FlatteningOn()) {
    AddLine(text, "      Intra-period inter-series covariance among the response series has been removed.");
    if (!r.UnflattenedPeriods.empty()) {
      std::string periods;
      for (std::int32_t t : r.UnflattenedPeriods)
        periods += (periods.empty() ? "" : ", ") + r.Calendar.Label(t);
      AddLine(text, "      It was not removed in these time periods, where fewer than two response "
                    "series have a value: " + periods);
    }
  } else {
    AddLine(text, "      Intra-period inter-series covariance among the response series, if it exists, "
                  "has not been removed.");
  }
  AddLine(text);

  WriteTransformation(text, setup.Response, "response");
  AddLine(text);

  if (setup.EstimateLogits) {
    AddLine(text, "The Phi, Theta and/or Delta parameters estimated were the logit transformations of "
                  "the actual values,");
    AddLine(text, "     where, for example, 'Phi=2*(Exp[Logit[Phi]]/(1+Exp[Logit[Phi]])-0.5)'.");
    AddLine(text, "     A covariance analysis will produce covariance matrices for the transformed values.");
  } else {
    AddLine(text, "The Phi, Theta and/or Delta parameters estimated were the actual values (i.e., not "
                  "logit transformed).");
  }
  AddLine(text);

  AddLine(text, "The response series file name is:");
  AddLine(text, r.FileName);
  AddLine(text, "The response series are partitioned into the following series groups:");
  for (int g = 1; g <= setup.GroupCount; ++g) {
    const auto i = static_cast<size_t>(g - 1);
    AddLine(text, "Group " + N(g) + " begins with series # " + N(setup.GroupFirst[i]) +
                      " and ends with series # " + N(setup.GroupLast[i]));
  }
  AddLine(text);

  long long total = 0;
  for (int k = 1; k <= r.SeriesCount; ++k) {
    const int missing = r.MissingPerSeries[static_cast<size_t>(k)];
    if (missing <= 0) continue;
    total += missing;
    AddLine(text, "This analysis replaced " + N(missing) +
                      " missing response series values by the predicted group mean for series: " + N(k));
  }
  AddLine(text, "In total, this analysis replaced " + N(total) +
                    " missing response series values by the predicted series group mean");
  AddLine(text, "The number of time series values in the response series was not adjusted for the "
                "number of missing values,.");
  AddLine(text, "     That is, there was no degrees of freedom adjustment to account for any missing values.");
  AddLine(text, "     Remember that you have the option to use pulse intervention series to estimate "
                "missing values.");
  AddLine(text);
}

// The name of covariate series c as its file's header gives it, without blanks around it.
std::string NameOf(const CovariateSeriesData& cov, int c) {
  if (c < 0 || static_cast<size_t>(c) >= cov.Names.size()) return "";
  const std::string& name = cov.Names[static_cast<size_t>(c)];
  const size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

void WriteCovariates(std::string& text, const SummaryInput& input) {
  const CovariateSeriesData* cov = input.Covariates;
  if (!cov) return;
  AddLine(text, "The covariate series file name is:");
  AddLine(text, cov->FileName);
  const TfnSetup& setup = input.Setup;
  const std::string periods =
      cov->Calendar.Label(cov->FirstAnalysedPeriod) + " to " + cov->Calendar.Label(cov->EndPeriod);
  if (setup.CovariatesOnePerGroup()) {
    AddLine(text, "This analysis includes " + N(cov->SeriesCount) + DifferencedWords(cov->Differencing) +
                      "covariate series, 1 for each group, for the time periods: " + periods);
  } else {
    AddLine(text, "This analysis includes " + N(cov->SeriesCount) + DifferencedWords(cov->Differencing) +
                      "covariate series for the time periods: " + periods);
    // Each group's prediction sums the transfer functions of the series it lists.
    for (int g = 1; g <= setup.GroupCount; ++g) {
      std::string listed;
      for (int c = 1; c <= cov->SeriesCount; ++c)
        if (setup.GroupOfCovariate(c) == g)
          listed += (listed.empty() ? "" : ", ") + N(c) + " (" + NameOf(*cov, c) + ")";
      AddLine(text, "Covariate series of group " + N(g) + ": " + (listed.empty() ? "none" : listed));
    }
  }
  for (int c = 1; c <= cov->SeriesCount; ++c) {
    const bool intervention = setup.CovariateAsIntervention(c);
    AddLine(text, "Was covariate series " + N(c) + " treated as an intervention series? " +
                      (intervention ? "Yes" : "No"));
  }
  WriteTransformation(text, input.Setup.Covariates, "covariate");
  for (int c = 1; c <= cov->SeriesCount; ++c)
    AddLine(text, "The mean of covariate series " + N(c) + " is: " +
                      FormatPicture(cov->AnalysedMean[static_cast<size_t>(c)], "0.0000E+00"));
  long long total = 0;
  for (int c = 1; c <= cov->SeriesCount; ++c) {
    const int missing = cov->MissingPerSeries[static_cast<size_t>(c)];
    if (missing <= 0) continue;
    total += missing;
    AddLine(text, "This analysis replaced " + N(missing) + " missing covariate values of series " +
                      N(c) + " by the series mean.");
  }
  AddLine(text, "In total, this analysis replaced " + N(total) +
                    " missing covariate values by the series mean.");
  AddLine(text);
}

void WriteCounts(std::string& text, const SummaryInput& input) {
  const ResponseSeriesData& r = input.Response;
  AddLine(text, "The algorithm data file name is:");
  AddLine(text, input.AlgorithmFileName);
  AddLine(text);

  // The noise values of each series: one number when they are all alike.
  std::string perSeries;
  bool alike = true;
  const auto& counts = input.Best.NoiseCount;
  for (size_t k = 1; k < counts.size(); ++k) {
    perSeries += (k > 1 ? ", " : "") + N(counts[k]);
    if (counts[k] != counts[1]) alike = false;
  }
  if (alike && counts.size() > 1) perSeries = N(counts[1]);

  AddLine(text, "The first, then last, response series are:  " + N(r.FirstSeries) + ", " + N(r.LastSeries));
  AddLine(text, "The number of response series analyzed is:  " + N(r.SeriesCount));
  AddLine(text, "The number of complete response series is:  " + N(r.SeriesCount - r.SeriesWithMissing));
  AddLine(text, "The total number of time periods is:        " + N(r.EndPeriod - r.StartPeriod + 1));
  AddLine(text, "The number of time periods evaluated is:    " + N(r.AnalysedPeriods));
  AddLine(text, "Time periods in each response series is:    " + perSeries);
  AddLine(text, "Time periods in each covariate series is:   " +
                    N(input.Covariates ? input.Covariates->AnalysedPeriods : 0));
  AddLine(text);
}

}  // namespace

void WriteSetupSections(std::string& text, const SummaryInput& input) {
  WriteHeading(text);
  WriteResponse(text, input);
  WriteCovariates(text, input);
  WriteCounts(text, input);
}

}  // namespace quorvane
