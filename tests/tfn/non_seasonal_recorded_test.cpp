// Set-ups without seasonal terms evaluate, describe and forecast exactly as
// they did before the seasonal model existed: the objective values and the
// forecasts below were recorded, to the last bit, from the build just before
// it, at fixed parameter vectors of the example data.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "support/example_setups.h"
#include "tfn/forecast/tfn_forecast.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_model_harness.h"

namespace quorvane {
namespace {

using testing::ExamplePath;
using testing::TfnModelHarness;

std::string Hex(double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%a", x);
  return text;
}

struct RecordedCase {
  const char* name;
  TfnSetup (*setup)();
  std::vector<std::pair<int, double>> values;  // (index, value); the rest 0
  std::vector<std::pair<int, double>> steps;
  const char* objective;  // %a of F
};

TfnSetup Nile() { return testing::NileSetup(); }

TfnSetup NileLogitsOrderThree() {
  TfnSetup s = testing::NileSetup();
  s.LagOrder = 3;
  s.EstimateLogits = true;
  return s;
}

TfnSetup SeatBelts() { return testing::SeatBeltSetup(); }
TfnSetup SeatBeltsLogits() { return testing::SeatBeltSetup(true); }

// Lake Huron: the Box-Cox transform (lambda 0.5, constant 10) of its first differences.
TfnSetup LakeHuronBoxCox() {
  TfnSetup s;
  s.Response = {ExamplePath("lakehuron.dat"), 1875, 1972, 1, 1, 1, SeriesTransformation::BoxCox, 0.5, 10};
  s.GroupFirst[0] = s.GroupLast[0] = 1;
  s.LagOrder = 2;
  s.EstimateLogits = false;
  return s;
}

const RecordedCase kCases[] = {
    {"NileStep", Nile, {{1, 0.16}, {3, 1099.0}, {4, 1899}, {5, 1}, {6, -249.0}},
     {{1, 0.05}, {3, 20.0}, {6, 20.0}}, "0x1.e2a5529b27abdp+8"},
    {"NileArma33Logits", NileLogitsOrderThree,
     {{1, 0.4}, {2, -0.3}, {3, 0.2}, {4, 0.5}, {6, -0.1}, {7, 1000.0}, {8, 1899}, {9, 1}, {10, -200.0},
      {11, 30.0}, {14, 0.6}},
     {{1, 0.1}, {4, 0.1}, {7, 20.0}}, "0x1.0b9af9704af63p+9"},
    // Intercepts 5..7; covariate blocks at 8 (petrol), 15 (distance) and
    // 22 (the law, an intervention series): shift, intercept, Omega(0..2), Delta(1..2).
    {"SeatBeltsDirect", SeatBelts,
     {{1, 0.3}, {2, -0.1}, {3, 0.5}, {5, 3.0}, {6, 1.0}, {7, 0.5}, {10, -0.8}, {17, 0.02}, {20, 0.3},
      {24, -60.0}, {25, 20.0}},
     {{1, 0.1}, {3, 0.1}, {5, 1.0}, {10, 0.1}}, "0x1.38d948b3e85bdp+11"},
    {"SeatBeltsLogits", SeatBeltsLogits,
     {{1, 0.6}, {2, -0.2}, {3, 1.1}, {4, 0.3}, {5, -2.0}, {10, -0.5}, {13, 0.9}, {15, 1.0},
      {17, 0.03}, {24, -40.0}, {27, 0.5}},
     {{1, 0.1}, {3, 0.1}, {13, 0.1}}, "0x1.37afcfd1cf146p+11"},
    {"LakeHuronBoxCoxDifferences", LakeHuronBoxCox,
     {{1, 0.7}, {2, -0.2}, {3, 0.3}, {5, 4.3}}, {{1, 0.1}, {3, 0.1}}, "-0x1.17f74d07b573bp+7"},
};

void PrintTo(const RecordedCase& c, std::ostream* out) { *out << c.name; }

class NonSeasonalRecordedTest : public ::testing::TestWithParam<RecordedCase> {};

TEST_P(NonSeasonalRecordedTest, ObjectiveIsBitForBitAsRecorded) {
  const RecordedCase& c = GetParam();
  TfnModelHarness h;
  h.SetUp(c.setup());
  for (const auto& [i, v] : c.values) h.P[i] = v;
  for (const auto& [i, v] : c.steps) h.STP[i] = v;
  EXPECT_EQ(Hex(h.Evaluate(1)), c.objective);
}

INSTANTIATE_TEST_SUITE_P(ExampleSetUps, NonSeasonalRecordedTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

// The forecasts: for each case the periods ahead and, row by row on both
// scales, the forecast, its standard error and both limits.
struct RecordedForecast {
  const char* name;
  TfnSetup (*setup)();
  std::vector<std::pair<int, double>> values;
  int periods;
  const char* rows;  // %a of every number, separated by blanks
};

// Lake Huron, first differences of the level as read.
TfnSetup LakeHuronDifferenced() {
  TfnSetup s = LakeHuronBoxCox();
  s.Response.Transformation = SeriesTransformation::None;
  return s;
}

// The Nile flow on the log scale, not differenced.
TfnSetup NileLog() {
  TfnSetup s = testing::NileSetup();
  s.Response.Transformation = SeriesTransformation::BoxCox;
  s.Response.BoxCoxLambda = 0.0;
  return s;
}

const RecordedForecast kForecasts[] = {
    {"NileStep", Nile, {{1, 0.16}, {3, 1099.0}, {4, 1899}, {5, 1}, {6, -249.0}}, 4,
     "0x1.a033333333333p+9 0x1.f3021c1b535dbp+6 0x1.25f1fa6baa2b2p+9 0x1.0d3a35fd5e1dap+10 "
     "0x1.a7978d4fdf3b6p+9 0x1.f95aed4822932p+6 0x1.2bc841e0950e8p+9 0x1.11b36c5f94b42p+10 "
     "0x1.a8c6540cc78eap+9 0x1.f984411fe5b53p+6 0x1.2cece899f0f4fp+9 0x1.124fdfbfcf142p+10 "
     "0x1.a8f6c5c49acf2p+9 0x1.f9854fec99c91p+6 0x1.2d1d17f986b4cp+9 0x1.126839c7d774cp+10 "
     "0x1.a033333333333p+9 0x1.f3021c1b535dbp+6 0x1.25f1fa6baa2b2p+9 0x1.0d3a35fd5e1dap+10 "
     "0x1.a7978d4fdf3b6p+9 0x1.f95aed4822932p+6 0x1.2bc841e0950e8p+9 0x1.11b36c5f94b42p+10 "
     "0x1.a8c6540cc78eap+9 0x1.f984411fe5b53p+6 0x1.2cece899f0f4fp+9 0x1.124fdfbfcf142p+10 "
     "0x1.a8f6c5c49acf2p+9 0x1.f9854fec99c91p+6 0x1.2d1d17f986b4cp+9 0x1.126839c7d774cp+10"},
    {"NileLog", NileLog, {{1, 0.2}, {3, 7.0}, {4, 1899}, {5, 1}, {6, -0.25}}, 3,
     "0x1.ae2a4575e4455p+2 0x1.248eb79cca252p-3 0x1.9c3f0ddf898f6p+2 0x1.c0157d0c3efb4p+2 "
     "0x1.afa20de460dabp+2 0x1.2a59ecc83deccp-3 0x1.9d5bfe09155cbp+2 0x1.c1e81dbfac58bp+2 "
     "0x1.afed35fa79c55p+2 0x1.2a94a793ea09bp-3 0x1.9da38d41eaf03p+2 0x1.c236deb3089a7p+2 "
     "0x1.9ef5d6521d178p+9 nan 0x1.39a04497aed26p+9 0x1.1284a2182d6p+10 "
     "0x1.a8967a5d9d2f3p+9 nan 0x1.3f20cb1335bcep+9 0x1.1a72ef867d157p+10 "
     "0x1.aa8a39daefb0cp+9 nan 0x1.40866563a2c55p+9 0x1.1bcf55547d83fp+10"},
    {"LakeHuronDifferencedArma21", LakeHuronDifferenced, {{1, 0.6}, {2, -0.3}, {3, 0.4}, {5, -0.02}},
     4,
     "-0x1.3394099bc0535p-3 0x1.6c610bafa244cp-1 -0x1.8b883fe8e5513p+0 0x1.3ea33d81f53c5p+0 "
     "-0x1.003a1a3ebb351p-3 0x1.73985fd8d2f4ap-1 -0x1.8c2f5b4f94c5ap+0 0x1.4c20d4bfe5f86p+0 "
     "-0x1.6889edd37627cp-5 0x1.7956d12ecea99p-1 -0x1.7d0d695a4d3f1p+0 0x1.6684ca7d15dc9p+0 "
     "-0x1.789f65e9b7ep-9 0x1.7e45bb3c07b27p-1 -0x1.775b0bba744e4p+0 0x1.75e26c548a966p+0 "
     "0x1.21e7a80714588p+9 0x1.6c610bafa244cp-1 0x1.21351d27b9a1ep+9 0x1.229a32e66f0f2p+9 "
     "0x1.21d7a465706cdp+9 0x1.1c96d35e19af8p+0 0x1.20c0bffaa35d2p+9 0x1.22ee88d03d7c8p+9 "
     "0x1.21d2023db91efp+9 0x1.53e3c47245532p+0 0x1.2084ec46a5e99p+9 0x1.231f1834cc545p+9 "
     "0x1.21d1a415dfa48p+9 0x1.75a855d6a4fc5p+0 0x1.206376997213p+9 0x1.233fd1924d36p+9"},
};

void PrintTo(const RecordedForecast& c, std::ostream* out) { *out << c.name; }

class NonSeasonalRecordedForecastTest : public ::testing::TestWithParam<RecordedForecast> {};

TEST_P(NonSeasonalRecordedForecastTest, ForecastsAreBitForBitAsRecorded) {
  const RecordedForecast& c = GetParam();
  TfnModelHarness h;
  h.SetUp(c.setup());
  for (const auto& [i, v] : c.values) {
    h.P[i] = v;
    h.STP[i] = 0.0;
  }
  h.Evaluate(1);
  const TfnForecast forecast = ForecastTfnModel(h.model, h.P, h.STP, c.periods);
  std::string rows;
  for (const SeriesForecast& series : forecast.Series)
    for (const auto* table : {&series.Analysed, &series.Original})
      for (const ForecastRow& row : *table)
        for (double x : {row.Forecast, row.StandardError, row.Lower, row.Upper})
          rows += (rows.empty() ? "" : " ") + Hex(x);
  EXPECT_EQ(rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(ExampleSetUps, NonSeasonalRecordedForecastTest, ::testing::ValuesIn(kForecasts),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quorvane
