// The Simplex command end to end: the console program with its built-in
// demonstration model (a quadratic fitted to eight points by least
// squares) loads the example algorithm data, runs Simplex and saves the
// estimates, which must be the least-squares solution.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "core/algorithm_file.h"
#include "core/quadratic_fit_model.h"
#include "base/files/text_file.h"
#include "base/format/format_picture.h"

namespace quorvane {
namespace {

std::string TempName(const std::string& what) {
  return ::testing::TempDir() + "quorvane_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + what;
}

int RunConsole(const std::string& scriptPath, std::string& output,
               const std::string& workingDirectory = ".") {
  const std::string command = "cd '" + workingDirectory + "' && " +
                              std::string(QUORVANE_CONSOLE_BINARY) + " --test-model --script '" +
                              scriptPath + "' 2>&1 </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
  const int raw = pclose(pipe);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

double Objective(double a, double b, double c) {
  return 4.0 * std::log(QuadraticFitModel::SumOfSquares(a, b, c) / 8.0);
}

// The least-squares solution and the inverse of X'X, by Gauss-Jordan
// elimination on the 3 x 3 normal equations.
struct LeastSquares {
  std::array<double, 3> b{};
  std::array<std::array<double, 3>, 3> inverse{};
};

LeastSquares SolveNormalEquations() {
  double m[3][7] = {};
  for (int k = 0; k < QuadraticFitModel::kPoints; ++k) {
    const double t = QuadraticFitModel::kT[static_cast<size_t>(k)];
    const double x[3] = {1, t, t * t};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) m[i][j] += x[i] * x[j];
      m[i][3] += x[i] * QuadraticFitModel::kY[static_cast<size_t>(k)];
    }
  }
  for (int i = 0; i < 3; ++i) m[i][4 + i] = 1;
  for (int p = 0; p < 3; ++p) {
    const double pivot = m[p][p];
    for (int j = 0; j < 7; ++j) m[p][j] /= pivot;
    for (int i = 0; i < 3; ++i) {
      if (i == p) continue;
      const double factor = m[i][p];
      for (int j = 0; j < 7; ++j) m[i][j] -= factor * m[p][j];
    }
  }
  LeastSquares out;
  for (int i = 0; i < 3; ++i) {
    out.b[static_cast<size_t>(i)] = m[i][3];
    for (int j = 0; j < 3; ++j) out.inverse[static_cast<size_t>(i)][static_cast<size_t>(j)] = m[i][4 + j];
  }
  return out;
}

TEST(SimplexScriptTest, SimplexFromTheMainMenuReachesTheLeastSquaresFit) {
  const std::string saved = TempName("saved.alg");
  const std::string script = TempName("script.txt");
  std::remove(saved.c_str());
  std::ofstream(script) << "click cmdLoadAlg\n"
                           "yes\n"
                        << QUORVANE_SOURCE_DIR << "/examples/quadratic_fit.alg\n"
                        << "click cmdSimplex\n"
                           "click cmdSaveAlg\n"
                        << saved << "\n"
                        << "click cmdQuit\n"
                           "yes\n"
                           "no\n";
  std::string output;
  const int status = RunConsole(script, output);
  std::remove(script.c_str());
  ASSERT_EQ(status, 0) << output;
  EXPECT_NE(output.find("[Simplex minimum] Minimum found using Simplex!"), std::string::npos)
      << output;

  std::string error;
  const auto lines = ReadTextLines(saved, error);
  std::remove(saved.c_str());
  ASSERT_TRUE(lines) << error;
  AlgorithmData read;
  read.ParameterCount = 3;
  ASSERT_EQ(ParseAlgorithmFile(*lines, 3, read).Problem, AlgorithmFileProblem::None);
  const double a = read.Values[1], b = read.Values[2], c = read.Values[3];

  // The report names the minimum it saved.
  const double F = Objective(a, b, c);
  EXPECT_NE(output.find("Minimum of " + FormatPicture(F, "####0.#####") +
                        " found at these 3 adjusted parameter values:"),
            std::string::npos)
      << output;
  EXPECT_LT(F, Objective(1.0, 0.5, -0.1));  // the example's start values

  // The sum of squares is exactly quadratic, SS = SS* + d' X'X d, so an
  // excess of F = 4 ln(SS/8) of at most ten times the example's absolute
  // limit 1E-06 puts each estimate within sqrt(excess of SS * inverse(X'X)_ii)
  // of the solution (plus the rounding of the saved eight digits).
  const double limit = 1e-6;
  const LeastSquares ls = SolveNormalEquations();
  const double Fstar = Objective(ls.b[0], ls.b[1], ls.b[2]);
  EXPECT_LT(F - Fstar, 10 * limit);
  const double ssExcess = QuadraticFitModel::SumOfSquares(ls.b[0], ls.b[1], ls.b[2]) *
                          std::expm1(10 * limit / 4);
  const std::array<double, 3> estimates = {a, b, c};
  for (size_t i = 0; i < 3; ++i)
    EXPECT_NEAR(estimates[i], ls.b[i],
                std::sqrt(ssExcess * ls.inverse[i][i]) + 1e-7 * std::fabs(ls.b[i]))
        << i;
}

// The example a user can run from the source folder stays valid: its
// second run continues the stored simplex and finds the same minimum.
TEST(SimplexScriptTest, ExampleScriptRuns) {
  std::string output;
  ASSERT_EQ(RunConsole("examples/simplex.txt", output, QUORVANE_SOURCE_DIR), 0) << output;
  const std::string found = "[Simplex minimum] Minimum found using Simplex!";
  const auto first = output.find(found);
  ASSERT_NE(first, std::string::npos) << output;
  EXPECT_NE(output.find(found, first + 1), std::string::npos) << output;
}

}  // namespace
}  // namespace quorvane
