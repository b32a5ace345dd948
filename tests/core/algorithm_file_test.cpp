// The algorithm data file: its exact layout, its reader's checks and
// messages, and that whatever is written reads back.
#include "core/algorithm_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "core/number_entry.h"
#include "base/files/text_file.h"
#include "base/format/format_picture.h"

namespace quorvane {
namespace {

// The three-parameter set of the file format's description: default
// settings, the third parameter fused under AB.
AlgorithmData ThreeParameters() {
  AlgorithmData data;
  data.ParameterCount = 3;
  DefaultAlgorithmData(data);
  data.Values = {0.5, -1.25e-3, 12.0};
  data.Steps = {0.05, 0.0, 1.5};
  data.FuseCodes = {"~~", "~~", "AB"};
  data.Descriptions = {"Description of parameter 1", "Description of parameter 2",
                       "Description of parameter 3"};
  return data;
}

const char* const kThreeParameterFile =
    "             3  Number of parameters\r\n"
    " 5.0000000E-01   5.0000000E-02  ~~  Value, step then link for Description of parameter 1\r\n"
    "-1.2500000E-03   0.0000000E+00  ~~  Value, step then link for Description of parameter 2\r\n"
    " 1.2000000E+01   1.5000000E+00  AB  Value, step then link for Description of parameter 3\r\n"
    " 1.0000000E-06  Simplex limit (+ for ABS, - for REL)\r\n"
    "          9999  Maximum # of function calls (simplex) or iterations (Marquardt)\r\n"
    "            10  Terminal output frequency\r\n"
    "             0  File output frequency\r\n"
    "  minimize.qvl  Name of output file\r\n"
    " 1.0000000E-01  Step size reduction fraction\r\n";

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "quorvane_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
}

TEST(AlgorithmFileTest, WritesTheThreeParameterExampleByteForByte) {
  AlgorithmData data = ThreeParameters();
  const std::string path = TempFile("three.alg");
  ASSERT_EQ(WriteAlgorithmFile(data, path, ParameterLineLabel::MainMenu), std::nullopt);
  EXPECT_EQ(Slurp(path), kThreeParameterFile);
  // The example shipped with the application is that same file.
  EXPECT_EQ(Slurp(std::string(QUORVANE_SOURCE_DIR) + "/examples/three_parameters.alg"),
            kThreeParameterFile);

  // The ranking window's writer differs only in the parameter label.
  const auto ranking = AlgorithmFileLines(data, ParameterLineLabel::Ranking);
  EXPECT_EQ(ranking[3],
            " 1.2000000E+01   1.5000000E+00  AB  Value, step then link for: Description of "
            "parameter 3");
}

TEST(AlgorithmFileTest, ShortensTheLogFileNameInPlace) {
  const struct {
    std::string name, written;
  } cases[] = {
      {"minimize.qvl", "minimize.qvl"},
      {"/home/ana/fits/minimize.qvl", "minimize.qvl"},
      {"C:\\fits\\run\\minimize.qvl", "minimize.qvl"},
      {"abcdefghijklmnopqrst", "ghijklmnopqrst"},  // 20 characters, no folder
      {"/a/b/fourteen_chars", "fourteen_chars"},   // the folder lies before the last 14
      {"/data/a_very_long_log_name.qvl", "g_log_name.qvl"},
  };
  for (const auto& c : cases) {
    AlgorithmData data = ThreeParameters();
    data.LogFileName = c.name;
    ASSERT_EQ(WriteAlgorithmFile(data, TempFile("log.alg"), ParameterLineLabel::MainMenu),
              std::nullopt);
    EXPECT_EQ(data.LogFileName, c.written) << c.name;
    EXPECT_EQ(AlgorithmFileLines(data, ParameterLineLabel::MainMenu)[8],
              std::string(14 - c.written.size(), ' ') + c.written + "  Name of output file");
  }
}

TEST(AlgorithmFileTest, WideRenderingsKeepEveryCharacterAndOrdinaryColumnsStay) {
  AlgorithmData data = ThreeParameters();
  data.Values[1] = -1.2345678e+100;  // 15 characters: -1.2345678E+100
  data.Steps[2] = -2.5e-123;
  data.Values[3] = 1e-300;           // 14 characters: fits
  data.Tolerance = -3e-200;
  const auto lines = AlgorithmFileLines(data, ParameterLineLabel::MainMenu);
  EXPECT_EQ(lines[1].substr(0, 35), "-1.2345678E+100   5.0000000E-02  ~~");
  EXPECT_EQ(lines[2].substr(0, 34), "-1.2500000E-03 -2.5000000E-123  ~~");
  EXPECT_EQ(lines[3].substr(0, 34), "1.0000000E-300   1.5000000E+00  AB");
  EXPECT_EQ(lines[4].substr(0, 17), "-3.0000000E-200  ");

  AlgorithmData read;
  read.ParameterCount = 3;
  ASSERT_EQ(ParseAlgorithmFile(lines, 3, read).Problem, AlgorithmFileProblem::None);
  EXPECT_EQ(read.Values, (OneBased<double>{-1.2345678e+100, -1.25e-3, 1e-300}));
  EXPECT_EQ(read.Steps, (OneBased<double>{0.05, -2.5e-123, 1.5}));
  EXPECT_EQ(read.FuseCodes, (OneBased<std::string>{"~~", "~~", "AB"}));
  EXPECT_EQ(read.Tolerance, -3e-200);

  // Values a run may leave behind that are no numbers at all, and a
  // description with a line break, still give a file of the right shape;
  // reading it refuses the numbers rather than letting them into a fit.
  data.Values = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                 std::nan("")};
  data.Descriptions[2] = "two\r\nlines";
  const auto odd = AlgorithmFileLines(data, ParameterLineLabel::MainMenu);
  ASSERT_EQ(odd.size(), 10u);
  const AlgorithmData before = read;
  EXPECT_EQ(ParseAlgorithmFile(odd, 3, read).Problem, AlgorithmFileProblem::NotFinite);
  EXPECT_EQ(read.Values, before.Values);
}

// Each of the reader's four messages, for the case that must produce it.
TEST(AlgorithmFileTest, ReaderNamesEachProblem) {
  const std::vector<std::string> good = AlgorithmFileLines(ThreeParameters(), ParameterLineLabel::MainMenu);
  auto without = [&](std::size_t index) {
    auto lines = good;
    lines.erase(lines.begin() + static_cast<long>(index));
    return lines;
  };
  auto with = [&](std::size_t index, std::string line) {
    auto lines = good;
    lines[index] = std::move(line);
    return lines;
  };
  auto appended = [&](std::vector<std::string> extra) {
    auto lines = good;
    lines.insert(lines.end(), extra.begin(), extra.end());
    return lines;
  };
  const struct {
    const char* what;
    std::vector<std::string> lines;
    AlgorithmFileProblem problem;
  } cases[] = {
      {"as written", good, AlgorithmFileProblem::None},
      {"empty lines after the settings", appended({"", ""}), AlgorithmFileProblem::None},
      {"count says n + 1", with(0, "             4  Number of parameters"),
       AlgorithmFileProblem::CountMismatch},
      {"n - 1 parameter lines", without(3), AlgorithmFileProblem::TooFewLines},
      {"an empty file", {}, AlgorithmFileProblem::TooFewLines},
      {"the settings cut short", std::vector<std::string>(good.begin(), good.begin() + 7),
       AlgorithmFileProblem::TooFewLines},
      {"a line of blanks after the settings", appended({"   "}), AlgorithmFileProblem::TooManyLines},
      {"a label line after the settings", appended({"", "extra"}), AlgorithmFileProblem::TooManyLines},
      {"a value that is not a number", with(2, " 1.2.3000E+00   1.0000000E+00  ~~  x"),
       AlgorithmFileProblem::BadlyFormatted},
      {"a count that is not a number", with(0, "         three  Number of parameters"),
       AlgorithmFileProblem::BadlyFormatted},
      {"a parameter line that stops before column 33",
       with(1, " 5.0000000E-01   5.0000000E-02"), AlgorithmFileProblem::BadlyFormatted},
      {"an empty fuse field", with(1, " 5.0000000E-01   5.0000000E-02      x"),
       AlgorithmFileProblem::BadlyFormatted},
      {"a bad reduction fraction on the last line", with(9, "      fraction  Step size"),
       AlgorithmFileProblem::TooFewLines},
      {"a frequency beyond 16 bits", with(6, "         40000  Terminal output frequency"),
       AlgorithmFileProblem::BadlyFormatted},
      {"a value of NaN", with(2, "           nan   1.0000000E+00  ~~  x"),
       AlgorithmFileProblem::NotFinite},
      {"a step of Inf", with(1, " 5.0000000E-01             inf  ~~  x"),
       AlgorithmFileProblem::NotFinite},
      {"an infinite tolerance", with(4, "          -inf  Simplex limit (+ for ABS, - for REL)"),
       AlgorithmFileProblem::NotFinite},
  };
  for (const auto& c : cases) {
    AlgorithmData data = ThreeParameters();
    data.Values = {7, 8, 9};
    data.FileFrequency = 5;
    const AlgorithmData before = data;
    const AlgorithmFileReading reading = ParseAlgorithmFile(c.lines, 3, data);
    EXPECT_EQ(reading.Problem, c.problem) << c.what;
    if (c.problem != AlgorithmFileProblem::None) {
      // Whatever went wrong, the parameter set is exactly as it was.
      EXPECT_EQ(data.Values, before.Values) << c.what;
      EXPECT_EQ(data.FileFrequency, 5) << c.what;
    }
  }

  // A last parameter line that stops before column 33 is "too few lines"
  // when nothing follows it.
  const std::vector<std::string> cut(good.begin(), good.begin() + 3);
  auto lastCut = cut;
  lastCut.push_back(" 1.2000000E+01   1.5000000E+00");
  AlgorithmData data = ThreeParameters();
  EXPECT_EQ(ParseAlgorithmFile(lastCut, 3, data).Problem, AlgorithmFileProblem::TooFewLines);

  // A non-finite number is named with its line and field.
  AlgorithmData nan = ThreeParameters();
  const AlgorithmFileReading notFinite =
      ParseAlgorithmFile(with(2, "           nan   1.0000000E+00  ~~  x"), 3, nan);
  EXPECT_EQ(AlgorithmFileProblemText(notFinite, "/data/m.alg", 3),
            "Algorithm file  /data/m.alg  has a number that is not finite on line 3: nan - better "
            "check it!");

  AlgorithmFileReading mismatch;
  mismatch.Problem = AlgorithmFileProblem::CountMismatch;
  mismatch.Count = 4;
  EXPECT_EQ(AlgorithmFileProblemText(mismatch, "/data/m.alg", 3),
            "Algorithm file  /data/m.alg  has 4 parameters, but your model specifies 3");
  const struct {
    AlgorithmFileProblem problem;
    const char* text;
  } texts[] = {
      {AlgorithmFileProblem::TooFewLines,
       "Algorithm file seems to have too few lines of information - better check it!"},
      {AlgorithmFileProblem::TooManyLines,
       "Algorithm file seems to have too many lines of information - better check it!"},
      {AlgorithmFileProblem::BadlyFormatted,
       "Algorithm file seems to have inappropriate, badly formatted, or missing, information - "
       "better check it!"},
  };
  for (const auto& t : texts) {
    AlgorithmFileReading reading;
    reading.Problem = t.problem;
    EXPECT_EQ(AlgorithmFileProblemText(reading, "x.alg", 3), t.text);
  }
}

TEST(AlgorithmFileTest, FuseCodesReadFromTheirTwoColumns) {
  const struct {
    const char* field;  // columns 33-34
    const char* code;
  } cases[] = {
      {" a", "A"}, {"a ", "A"}, {" A", "A"}, {"ab", "AB"}, {"Zq", "ZQ"},
      {"1A", "~~"}, {"A1", "~~"}, {" ~", "~~"}, {"~~", "~~"}, {"-B", "~~"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = AlgorithmFileLines(ThreeParameters(), ParameterLineLabel::MainMenu);
    lines[1].replace(32, 2, c.field);
    AlgorithmData data = ThreeParameters();
    ASSERT_EQ(ParseAlgorithmFile(lines, 3, data).Problem, AlgorithmFileProblem::None) << c.field;
    EXPECT_EQ(data.FuseCodes[1], c.code) << c.field;
  }
}

TEST(AlgorithmFileTest, WholeNumberFieldsRoundHalvesToEvenAndNumbersMayBePlain) {
  std::vector<std::string> lines = AlgorithmFileLines(ThreeParameters(), ParameterLineLabel::MainMenu);
  lines[1] = "           0.5             0.1  b   a hand-written line";
  lines[5] = "         100.5  Maximum";
  lines[6] = "           3.5  Terminal";
  lines[8] = " run1.qvl       Name";  // blanks around the name are not part of it
  AlgorithmData data = ThreeParameters();
  ASSERT_EQ(ParseAlgorithmFile(lines, 3, data).Problem, AlgorithmFileProblem::None);
  EXPECT_EQ(data.Values[1], 0.5);
  EXPECT_EQ(data.Steps[1], 0.1);
  EXPECT_EQ(data.FuseCodes[1], "B");
  EXPECT_EQ(data.MaxFunctionCalls, 100);
  EXPECT_EQ(data.TerminalFrequency, 4);
  EXPECT_EQ(data.LogFileName, "run1.qvl");

  // A stray CR ends the name like a blank, as the writer would make it one,
  // so that the name is written back the same way.
  lines[8] = "     run1.qvl\r  Name";
  ASSERT_EQ(ParseAlgorithmFile(lines, 3, data).Problem, AlgorithmFileProblem::None);
  EXPECT_EQ(data.LogFileName, "run1.qvl");
}

// Files from either writer read back to the same values (to the eight
// significant digits written), steps, codes and settings, except that the
// file output frequency reads back as 0; and writing what was read gives the
// same file again.
TEST(AlgorithmFileTest, RandomParameterSetsReadBackFromEitherWriter) {
  std::mt19937_64 random(20240517);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-150, 150);
  std::uniform_int_distribution<int> coin(0, 5);
  std::uniform_int_distribution<int> letter(0, 25);
  auto number = [&] {
    switch (coin(random)) {
      case 0: return 0.0;
      case 1: return -mantissa(random) * std::pow(10.0, exponent(random));
      default: return (coin(random) < 3 ? 1 : -1) * mantissa(random) * std::pow(10.0, exponent(random) / 10);
    }
  };
  auto code = [&]() -> std::string {
    switch (coin(random)) {
      case 0: return std::string(1, static_cast<char>('A' + letter(random)));
      case 1: return {static_cast<char>('A' + letter(random)), static_cast<char>('A' + letter(random))};
      default: return "~~";
    }
  };
  for (int trial = 0; trial < 300; ++trial) {
    AlgorithmData data;
    data.ParameterCount = static_cast<std::int16_t>(1 + trial % 40);
    DefaultAlgorithmData(data);
    for (int i = 1; i <= data.ParameterCount; ++i) {
      data.Values[i] = number();
      data.Steps[i] = number();
      data.FuseCodes[i] = code();
      data.Descriptions[i] = "parameter " + std::to_string(i);
    }
    data.Tolerance = number();
    data.MaxFunctionCalls = static_cast<std::int32_t>(random() % 2000000000);
    data.TerminalFrequency = static_cast<std::int16_t>(random() % 32768);
    data.FileFrequency = static_cast<std::int16_t>(1 + random() % 100);
    data.LogFileName = trial % 2 ? "/home/ana/runs/log" + std::to_string(trial) + ".qvl" : "m.qvl";
    data.ReductionFraction = std::fabs(number());
    const auto label = trial % 2 ? ParameterLineLabel::Ranking : ParameterLineLabel::MainMenu;

    const std::string path = TempFile("random.alg");
    ASSERT_EQ(WriteAlgorithmFile(data, path, label), std::nullopt);
    std::string error;
    const auto lines = ReadTextLines(path, error);
    ASSERT_TRUE(lines) << error;
    AlgorithmData read;
    read.ParameterCount = data.ParameterCount;
    read.Descriptions = data.Descriptions;
    ASSERT_EQ(ParseAlgorithmFile(*lines, data.ParameterCount, read).Problem,
              AlgorithmFileProblem::None)
        << "trial " << trial;

    // What was written is the value rounded to eight significant digits;
    // that rounding is at most half a unit in the eighth digit.
    auto same = [](double written, double read_back) {
      return read_back == *ParseFileNumber(FormatPicture(written, "0.0000000E+00")) &&
             std::fabs(read_back - written) <= 5.0000001e-8 * std::fabs(written);
    };
    for (int i = 1; i <= data.ParameterCount; ++i) {
      EXPECT_TRUE(same(data.Values[i], read.Values[i])) << trial << " value " << i;
      EXPECT_TRUE(same(data.Steps[i], read.Steps[i])) << trial << " step " << i;
      EXPECT_EQ(read.FuseCodes[i], data.FuseCodes[i]) << trial << " code " << i;
    }
    EXPECT_TRUE(same(data.Tolerance, read.Tolerance)) << trial;
    EXPECT_TRUE(same(data.ReductionFraction, read.ReductionFraction)) << trial;
    EXPECT_EQ(read.MaxFunctionCalls, data.MaxFunctionCalls);
    EXPECT_EQ(read.TerminalFrequency, data.TerminalFrequency);
    EXPECT_EQ(read.FileFrequency, 0);
    EXPECT_EQ(read.LogFileName, data.LogFileName);  // already shortened by the writer

    read.FileFrequency = data.FileFrequency;
    EXPECT_EQ(AlgorithmFileLines(read, label), *lines) << "trial " << trial;
  }
}

TEST(AlgorithmFileTest, FailedWriteLeavesTheOldFileAndSaysWhy) {
  AlgorithmData data = ThreeParameters();
  const auto error = WriteAlgorithmFile(data, "/nonexistent-folder/model.alg", ParameterLineLabel::MainMenu);
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("/nonexistent-folder/model.alg"), std::string::npos);

  // Arrays that do not match the count are refused rather than half written.
  const std::string path = TempFile("old.alg");
  ASSERT_EQ(WriteAlgorithmFile(data, path, ParameterLineLabel::MainMenu), std::nullopt);
  data.Values.resize(2);
  EXPECT_TRUE(WriteAlgorithmFile(data, path, ParameterLineLabel::MainMenu));
  EXPECT_EQ(Slurp(path), kThreeParameterFile);
}

}  // namespace
}  // namespace quorvane
