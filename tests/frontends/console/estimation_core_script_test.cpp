// The estimation core end to end: the console program with its built-in
// demonstration model loads default algorithm data, edits a value and a
// step, makes one function call and saves the data.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "core/algorithm_file.h"
#include "core/quadratic_fit_model.h"
#include "base/files/text_file.h"
#include "base/format/format_picture.h"
#include "support/console_run.h"

namespace quorvane {
namespace {

using testing::ProgramRun;
using testing::RunConsoleScript;

std::string TempName(const std::string& what) { return testing::TestTempPath(what); }

ProgramRun RunConsole(const std::string& scriptPath, const std::string& workingDirectory = ".") {
  return RunConsoleScript(scriptPath, "--test-model", workingDirectory);
}

TEST(EstimationCoreScriptTest, LoadEditOneFunctionCallAndSave) {
  const std::string saved = TempName("saved.alg");
  std::remove(saved.c_str());
  const std::string script = TempName("script.txt");
  {
    std::ofstream(script) << "click cmdLoadAlg\n"
                             "no\n"                     // default values
                             "click cmdEditAlg\n"
                             "dblclick grdVS 1 1\n"     // the value of parameter 1...
                             "set txtCell 2\n"
                             "dblclick grdVS 2 2\n"     // ...and the step of parameter 2
                             "set txtCell 0.5\n"
                             "click cmdFinish\n"
                             "click cmdOneFunction\n"
                             "close\n"
                             "click cmdSaveAlg\n"
                          << saved << "\n"
                          << "click cmdQuit\n"
                             "yes\n"
                             "no\n";
  }
  const ProgramRun run = RunConsole(script);
  std::remove(script.c_str());
  ASSERT_EQ(run.status, 0) << run.output;

  // F at (2, 0, 0) is (N/2) ln(SS/N) with the demonstration data.
  const double F = 4.0 * std::log(QuadraticFitModel::SumOfSquares(2, 0, 0) / 8.0);
  EXPECT_NE(run.output.find("Current minimum of " + FormatPicture(F, "####0.#####") +
                            " found at the following parameter values: "),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("    001)  2.0000000E+00  ~~  Intercept a"), std::string::npos);
  // The report ends with the duration line (the pane is printed, then the
  // script's next command is echoed).
  const auto note = run.output.find("\nNote: One function call requires about ");
  ASSERT_NE(note, std::string::npos) << run.output;
  const auto lineEnd = run.output.find('\n', note + 1);
  EXPECT_EQ(run.output.substr(lineEnd - 8, 8), " seconds");
  EXPECT_EQ(run.output.compare(lineEnd + 1, 7, "> close"), 0) << run.output.substr(note, 80);

  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error;
  AlgorithmData read;
  read.ParameterCount = 3;
  ASSERT_EQ(ParseAlgorithmFile(*lines, 3, read).Problem, AlgorithmFileProblem::None);
  EXPECT_EQ(read.Values, (OneBased<double>{2, 0, 0}));
  EXPECT_EQ(read.Steps, (OneBased<double>{0.2, 0.5, 0}));
  EXPECT_EQ(read.FuseCodes, (OneBased<std::string>{"~~", "~~", "~~"}));
  EXPECT_EQ(read.MaxFunctionCalls, 9999);
  std::remove(saved.c_str());
}

// The example script a user can run from the source folder stays valid.
TEST(EstimationCoreScriptTest, ExampleScriptRuns) {
  const ProgramRun run = RunConsole(std::string(QUORVANE_SOURCE_DIR) + "/examples/one_function_call.txt",
                                    QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Note: One function call requires about "), std::string::npos);
  EXPECT_EQ(run.output.find("information input failed"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace quorvane
