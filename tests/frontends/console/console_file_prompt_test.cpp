// The console's file prompts given paths that cannot be used: the reason,
// then the question again; nothing a user types there ends the program.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/session.h"
#include "base/files/text_file.h"
#include "console/console_ui.h"
#include "core/model.h"
#include "core/model_set_up.h"
#include "support/test_model_setup.h"

namespace quorvane::console {
namespace {

namespace fs = std::filesystem;

class ConsoleFilePromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvane_prompt_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string At(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(ConsoleFilePromptTest, AnUnusablePathIsAnsweredWithTheReasonAndTheQuestionAgain) {
  const std::string tooLong = At(std::string(300, 'n') + ".alg");
  fs::create_symlink("loop", dir_ / "loop");
  const std::string locked = At("locked.alg");
  std::ofstream(locked) << "x";
  ::chmod(locked.c_str(), 0444);
  struct Case {
    bool forSaving;
    std::string path;
    std::string reason;
  };
  for (const Case& c : {
           Case{false, tooLong, "Cannot look up " + tooLong + ": File name too long"},
           Case{true, tooLong, "Cannot look up " + tooLong + ": File name too long"},
           Case{false, At("loop"), "Cannot look up " + At("loop") + ": Too many levels of symbolic links"},
           Case{true, At("loop"), "Cannot look up " + At("loop") + ": Too many levels of symbolic links"},
           Case{false, "/dev/null", "/dev/null is a device, not a file"},
           Case{false, dir_.string(), dir_.string() + " is a folder"},
           Case{true, locked, locked + " is read-only, so it is not replaced"},
           Case{true, At("none/a.alg"), "There is no folder " + At("none")},
       }) {
    SCOPED_TRACE(c.path);
    std::istringstream in(c.path + "\n\n");
    std::ostringstream out, err;
    ConsoleOptions options;
    options.interactive = true;
    ConsoleUi ui(in, out, err, options);
    const FileDialogRequest request{"Algorithm file", "All files (*.*)|*.*|", 1, "a.alg"};
    EXPECT_EQ(c.forSaving ? ui.ChooseFileToSave(request) : ui.ChooseFileToOpen(request),
              std::nullopt);
    EXPECT_NE(out.str().find("Error: " + c.reason + "\n"), std::string::npos) << out.str();
    EXPECT_EQ(Count(out.str(), c.forSaving ? "File to save" : "File to open"), 2u);
    EXPECT_EQ(out.str().find("already exists"), std::string::npos);
  }
}

// Two parameters of a quadratic bowl.
class BowlModel : public Model {
 public:
  std::string Name() const override { return "Bowl"; }
  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t&) override {
    if (NF == 0) {
      testing::SetUpTestParameters(2, "Parameter", P, STP, DESC, FUSE, NP);
      NOBS = 10;
      return;
    }
    F = (P[1] - 1) * (P[1] - 1) + (P[2] - 2) * (P[2] - 2);
  }
};

TEST_F(ConsoleFilePromptTest, AtQuitAPathThatCannotBeLookedUpStillLetsTheEstimatesBeSaved) {
  const std::string tooLong = At(std::string(300, 'n') + ".alg");
  const std::string good = At("kept.alg");
  std::istringstream in("click cmdQuit\nyes\nyes\n" + tooLong + "\n" + good + "\n");
  std::ostringstream out, err;
  ConsoleOptions options;
  options.interactive = true;
  ConsoleUi ui(in, out, err, options);
  BowlModel model;
  Session session(ui, &model);
  const int status = ui.Run([&] {
    session.Start();
    SetUpModel(session);
    session.Algorithm.Values[1] = 0.75;
    session.State.AlgorithmFileName = "bowl.alg";
    session.CloseMainMenu();
    session.ShowMainMenu();
  });
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_NE(out.str().find("Error: Cannot look up " + tooLong + ": File name too long"),
            std::string::npos);
  std::string error;
  const auto lines = ReadTextLines(good, error);
  ASSERT_TRUE(lines) << error << "\n" << out.str();
  EXPECT_FALSE(lines->empty());
}

}  // namespace
}  // namespace quorvane::console
