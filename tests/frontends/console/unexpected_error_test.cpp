// A fault inside a command (here a model that throws in the middle of a
// minimisation) must not end the program: the user is told, the main menu
// comes back, and the estimates can still be saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "app/session.h"
#include "console/console_ui.h"
#include "core/model.h"
#include "core/model_set_up.h"
#include "support/test_model_setup.h"

namespace quorvane::console {
namespace {

// Two parameters; the minimisation's third call throws.
class FailingModel : public Model {
 public:
  std::string Name() const override { return "Failing model"; }
  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    if (NF == 0) {
      testing::SetUpTestParameters(2, "Parameter", P, STP, DESC, FUSE, NP);
      NOBS = 10;
      return;
    }
    if (NF >= 3) throw std::runtime_error("the model's work space is exhausted");
    F = (P[1] - 1) * (P[1] - 1) + (P[2] - 2) * (P[2] - 2);
  }
};

TEST(UnexpectedErrorTest, AThrowingModelReturnsToTheMainMenuAndTheDataCanBeSaved) {
  const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) /
                                     ("quorvane_unexpected_" + std::to_string(::getpid()) + ".alg");
  std::filesystem::remove(file);
  std::istringstream in("click cmdSimplex\nclick cmdSaveAlg\n" + file.string() +
                        "\nclick cmdQuit\nyes\nno\n");
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, ConsoleOptions{});
  FailingModel model;
  Session session(ui, &model);
  const int status = ui.Run([&] {
    session.Start();
    SetUpModel(session);
    session.Algorithm.Values[1] = 0.5;
    session.Algorithm.Steps[1] = 0.1;
    session.Algorithm.Steps[2] = 0.1;
    session.State.AlgorithmFileName = "failing.alg";
    session.CloseMainMenu();
    session.ShowMainMenu();
  });
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_NE(out.str().find("[Unexpected error] The action stopped because of an unexpected "
                           "error:\nthe model's work space is exhausted"),
            std::string::npos)
      << out.str();
  EXPECT_FALSE(session.State.SimplexBusy);
  ASSERT_TRUE(std::filesystem::exists(file)) << out.str();
  std::ifstream saved(file);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("Parameter 1"), std::string::npos);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace quorvane::console
