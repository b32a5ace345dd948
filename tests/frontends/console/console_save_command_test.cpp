// The console's `save NAME FILE [WIDTHxHEIGHT] [DPI] [notitle]` command: a
// surface of the active window saved as a figure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/console_ui.h"
#include "support/png_chunks.h"

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

TEST_F(SaveCommandTest, SavesByTheExtensionAtTheSizeAndResolutionGiven) {
  ui_.Execute("save picPlot " + (dir_ / "plot.svg").string());
  ui_.Execute("save picPlot " + (dir_ / "my plot.PNG").string() + " 400x300 150");
  ui_.Execute("save picPlot " + (dir_ / "plot.pdf").string() + "   800x500");
  const std::string svg = Read(dir_ / "plot.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("fill:rgb(100%,0%,0%)"), std::string::npos) << "the red block";
  // The default: 1600 x 1000 pixels at 300 dpi, a page of 384 x 240 points.
  EXPECT_NE(svg.find("width=\"384pt\" height=\"240pt\""), std::string::npos);

  const std::string png = Read(dir_ / "my plot.PNG");
  const auto header = testing::PngChunk(png, "IHDR");
  ASSERT_TRUE(header);
  EXPECT_EQ(testing::BigEndian32(*header, 0), 400u);
  EXPECT_EQ(testing::BigEndian32(*header, 4), 300u);
  const auto resolution = testing::PngChunk(png, "pHYs");
  ASSERT_TRUE(resolution);
  EXPECT_EQ(testing::BigEndian32(*resolution, 0), 5906u);  // 150 / 0.0254, rounded

  // 800 x 500 pixels at the default 300 dpi: 192 x 120 points.
  const std::string pdf = Read(dir_ / "plot.pdf");
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 192 120 ]"), std::string::npos);
  EXPECT_NE(out_.str().find("Picture saved: "), std::string::npos);
}

TEST_F(SaveCommandTest, RefusesWhatItCannotSaveAndKeepsTheOldFile) {
  const fs::path old = dir_ / "plot.bmp";
  std::ofstream(old) << "old";
  EXPECT_THROW(ui_.Execute("save picPlot " + old.string()), std::invalid_argument);
  EXPECT_EQ(Read(old), "old");
  const fs::path png = dir_ / "plot.png";
  std::ofstream(png) << "old";
  for (const char* size : {" 99x1000", " 1600x10001", " 1600x1000 49", " 1600x1000 2401",
                           " 1234567890x5"}) {
    EXPECT_THROW(ui_.Execute("save picPlot " + png.string() + size), std::invalid_argument) << size;
    EXPECT_EQ(Read(png), "old") << size;
  }
  EXPECT_THROW(ui_.Execute("save cmdClose " + (dir_ / "b.svg").string()), std::invalid_argument);
  EXPECT_THROW(ui_.Execute("save picPlot"), std::invalid_argument);
  EXPECT_THROW(ui_.Execute("save picMissing " + (dir_ / "c.svg").string()), FormError);
  EXPECT_THROW(ui_.Execute("save picPlot " + (dir_ / "no" / "d.svg").string()),
               std::invalid_argument);
  EXPECT_FALSE(fs::exists(dir_ / "b.svg"));
}

}  // namespace
}  // namespace quorvane::console
