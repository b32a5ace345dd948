#include "multimodel/ranking_texts.h"

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane {

namespace {

constexpr const char* kCrLf = "\r\n";

std::string NumberOrUndefined(const std::optional<double>& value, const char* picture) {
  return value ? FormatPicture(*value, picture) : std::string("undefined");
}

}  // namespace

std::string RankRowLabel(int row, int entry) {
  return std::string(row <= 9 ? "   " : " ") + std::to_string(row) + (entry <= 9 ? ")    " : ")  ") +
         std::to_string(entry);
}

std::string AveragingText(const AveragedEstimates& averages) {
  std::string text =
      "Parameter estimates and their SEs resulting from averaging across all ranked models.\r\n"
      "Each model contributes to the reported averages according to its AIC Weight.\r\n"
      "SEs will report a value of -1 if any model is missing an estimate for SE.\r\n"
      "\r\n"
      "Parameter_#  Parameter_Value     SEs_Grid_#1     SEs_Grid_#2     SEs_Grid_#3\r\n";
  constexpr const char* kE = "0.0000E+00";
  for (size_t p = 0; p < averages.Value.size(); ++p) {
    text += RightJustify(FormatPicture(static_cast<double>(p + 1), "##0"), 11) + " " +
            RightJustify(FormatPicture(averages.Value[p], kE), 16);
    for (double se : averages.StandardError[p]) text += RightJustify(FormatPicture(se, kE), 16);
    text += kCrLf;
  }
  return text;
}

std::string RankingFileText(const std::vector<RankedModel>& models, double cHat,
                            const std::string& averagingText) {
  const bool quasi = cHat > 1.0;
  const double count = static_cast<double>(models.size());
  std::string text = RightJustify(FormatPicture(count, "####0"), 6) + " < Number of models ranked";
  if (quasi) text += "; C-hat for QAICc calculation: " + FormatPicture(cHat, "0.000");
  text += kCrLf;
  text += quasi ? " Model     -nln[L] #Prms       QAICc      dQAICc     QAIC Wt"
                : " Model     -nln[L] #Prms        AICc       dAICc      AIC Wt";
  text += "                            Algorithm file                           Covariance file  Notes>";
  text += kCrLf;
  constexpr const char* kE = "0.0000E+00";
  for (size_t r = 0; r < models.size(); ++r) {
    const RankedModel& m = models[r];
    text += RightJustify(FormatPicture(static_cast<double>(r + 1), "####0"), 6);
    if (m.HasValues) {
      text += RightJustify(FormatPicture(m.NegLogL, kE), 12) +
              RightJustify(FormatPicture(static_cast<double>(m.K), "####0"), 6) +
              RightJustify(NumberOrUndefined(m.Criterion, kE), 12) +
              RightJustify(NumberOrUndefined(m.Difference, kE), 12) +
              RightJustify(NumberOrUndefined(m.Weight, "0.00000"), 12);
    } else {
      text += std::string(12 + 6 + 12 + 12 + 12, ' ');
    }
    text += "  " + RightJustify(m.AlgorithmFileName, 40) + "  " + RightJustify(m.CovarianceFile, 40) +
            "  " + m.Notes + kCrLf;
  }
  if (!averagingText.empty()) text += kCrLf + averagingText + kCrLf;
  return text;
}

}  // namespace quorvane
