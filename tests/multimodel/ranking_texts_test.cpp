// The row labels, the averaging text and the multi-model statistics file.
#include <gtest/gtest.h>

#include "multimodel/ranking_texts.h"

namespace quorvane {
namespace {

std::string Blanks(size_t n) { return std::string(n, ' '); }

TEST(RankingTextsTest, RowLabelsAlignRowAndEntryNumbers) {
  struct Case {
    int row, entry;
    const char* label;
  };
  const Case cases[] = {
      {3, 7, "   3)    7"}, {12, 10, " 12)  10"}, {1, 3, "   1)    3"}, {9, 10, "   9)  10"},
      {10, 9, " 10)    9"}};
  for (const Case& c : cases) EXPECT_EQ(RankRowLabel(c.row, c.entry), c.label);
}

TEST(RankingTextsTest, AveragingTextLaysOutOneLinePerParameter) {
  AveragedEstimates a;
  a.Value = {0.5, -250.0};
  a.StandardError = {{0.01, -1.0, 0.03}, {12.0, -1.0, 14.0}};
  const std::string text = AveragingText(a);
  const std::string head =
      "Parameter estimates and their SEs resulting from averaging across all ranked models.\r\n"
      "Each model contributes to the reported averages according to its AIC Weight.\r\n"
      "SEs will report a value of -1 if any model is missing an estimate for SE.\r\n"
      "\r\n"
      "Parameter_#  Parameter_Value     SEs_Grid_#1     SEs_Grid_#2     SEs_Grid_#3\r\n";
  const std::string line1 = Blanks(10) + "1" + " " + Blanks(6) + "5.0000E-01" + Blanks(6) +
                            "1.0000E-02" + Blanks(5) + "-1.0000E+00" + Blanks(6) + "3.0000E-02\r\n";
  const std::string line2 = Blanks(10) + "2" + " " + Blanks(5) + "-2.5000E+02" + Blanks(6) +
                            "1.2000E+01" + Blanks(5) + "-1.0000E+00" + Blanks(6) + "1.4000E+01\r\n";
  EXPECT_EQ(text, head + line1 + line2);
}

std::vector<RankedModel> TwoModels() {
  RankedModel best;
  best.EntryNumber = 2;
  best.HasValues = true;
  best.NegLogL = 630.5;
  best.K = 3;
  best.Criterion = 1267.5;
  best.Difference = 0.0;
  best.Weight = 0.75;
  best.AlgorithmFileName = "ar1_step.alg";
  best.CovarianceFile = "/data/ar1_step.cov";
  best.Notes = "with the step";
  RankedModel second = best;
  second.EntryNumber = 1;
  second.NegLogL = 632.0;
  second.K = 2;
  second.Criterion = 1268.5;
  second.Difference = 1.0;
  second.Weight = 0.25;
  second.AlgorithmFileName = "an_algorithm_file_name_longer_than_forty_characters.alg";
  second.CovarianceFile = "No covariance file found";
  second.Notes = "";
  return {best, second};
}

TEST(RankingTextsTest, RankingFileHasTheTableThenTheAveragingOnlyWhenGiven) {
  const std::string heads =
      " Model     -nln[L] #Prms        AICc       dAICc      AIC Wt                            "
      "Algorithm file                           Covariance file  Notes>\r\n";
  const std::string row1 = "     1  6.3050E+02     3  1.2675E+03  0.0000E+00     0.75000  " +
                           Blanks(28) + "ar1_step.alg  " + Blanks(22) + "/data/ar1_step.cov  with the step\r\n";
  const std::string row2 = "     2  6.3200E+02     2  1.2685E+03  1.0000E+00     0.25000  " +
                           std::string("an_algorithm_file_name_longer_than_forty") + "  " + Blanks(16) +
                           "No covariance file found  \r\n";
  const std::string table = "     2 < Number of models ranked\r\n" + heads + row1 + row2;
  EXPECT_EQ(RankingFileText(TwoModels(), 1.0, ""), table);
  EXPECT_EQ(RankingFileText(TwoModels(), 1.0, "Averages\r\n"), table + "\r\nAverages\r\n\r\n");

  const std::string quasi = RankingFileText(TwoModels(), 2.0, "");
  EXPECT_TRUE(quasi.starts_with(
      "     2 < Number of models ranked; C-hat for QAICc calculation: 2.000\r\n"
      " Model     -nln[L] #Prms       QAICc      dQAICc     QAIC Wt                            "
      "Algorithm file                           Covariance file  Notes>\r\n"));
}

TEST(RankingTextsTest, UndefinedValuesAndEmptyRowsKeepTheColumns) {
  std::vector<RankedModel> models = TwoModels();
  models[0].Difference.reset();
  models[0].Weight.reset();
  models[1] = RankedModel{};
  models[1].EntryNumber = 2;
  const std::string text = RankingFileText(models, 1.0, "");
  EXPECT_NE(text.find("  1.2675E+03   undefined   undefined  "), std::string::npos);
  EXPECT_NE(text.find("\r\n     2" + Blanks(54) + "  " + Blanks(40) + "  " + Blanks(40) + "  \r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvane
