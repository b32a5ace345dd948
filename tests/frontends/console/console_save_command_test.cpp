// The console's `save NAME FILE` command: a surface of the active window
// saved as a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/console_ui.h"

namespace quorvane::console {
namespace {

namespace fs = std::filesystem;

class SaveCommandTest : public ::testing::Test {
 protected:
  SaveCommandTest() : ui_(in_, out_, err_, ConsoleOptions{}), form_("frmPlot", "Plot") {
    form_.Add(ControlKind::Surface, "picPlot");
    form_.Add(ControlKind::Button, "cmdClose", "Close");
    Surface s;
    s.AddRectangle(0.2, 0.8, 0.8, 0.2, 12);
    form_.SetSurface("picPlot", s);
    ui_.ShowForm(form_, false);
    dir_ = fs::temp_directory_path() / ("quorvane_save_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  ~SaveCommandTest() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::istringstream in_;
  std::ostringstream out_, err_;
  ConsoleUi ui_;
  Form form_;
  fs::path dir_;
};

TEST_F(SaveCommandTest, SavesSvgOrPngByTheExtension) {
  ui_.Execute("save picPlot " + (dir_ / "plot.svg").string());
  ui_.Execute("save picPlot " + (dir_ / "my plot.PNG").string());
  EXPECT_EQ(Read(dir_ / "plot.svg").rfind("<?xml", 0), 0u);
  EXPECT_NE(Read(dir_ / "plot.svg").find("fill=\"#FF0000\""), std::string::npos);
  EXPECT_EQ(Read(dir_ / "my plot.PNG").substr(1, 3), "PNG");
  EXPECT_NE(out_.str().find("Picture saved: "), std::string::npos);
}

TEST_F(SaveCommandTest, RefusesWhatItCannotSaveAndKeepsTheOldFile) {
  const fs::path old = dir_ / "plot.bmp";
  std::ofstream(old) << "old";
  EXPECT_THROW(ui_.Execute("save picPlot " + old.string()), std::invalid_argument);
  EXPECT_EQ(Read(old), "old");
  EXPECT_THROW(ui_.Execute("save cmdClose " + (dir_ / "b.svg").string()), std::invalid_argument);
  EXPECT_THROW(ui_.Execute("save picPlot"), std::invalid_argument);
  EXPECT_THROW(ui_.Execute("save picMissing " + (dir_ / "c.svg").string()), FormError);
  EXPECT_THROW(ui_.Execute("save picPlot " + (dir_ / "no" / "d.svg").string()),
               std::invalid_argument);
  EXPECT_FALSE(fs::exists(dir_ / "b.svg"));
}

}  // namespace
}  // namespace quorvane::console
