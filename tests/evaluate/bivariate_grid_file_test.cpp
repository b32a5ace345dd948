#include "evaluate/bivariate_grid_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/files/text_file.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

// Parameters 3 and 5 on a 5 x 3 grid.
BivariateGrid FiveByThree() {
  BivariateGrid g;
  g.XParameter = 3;
  g.YParameter = 5;
  g.X = {0.1, 0.2, 0.3, 0.4, 0.5};
  g.Y = {-10.0, 0.0, 1250.5};
  g.Density.assign(5, 3, 0.0);
  for (int p = 1; p <= 5; ++p)
    for (int j = 1; j <= 3; ++j) g.Density(p, j) = 0.01 * p * j;
  return g;
}

TEST(BivariateGridFileTest, LayoutOfTheGrdText) {
  const std::string text = BivariateGridText(FiveByThree());
  // Lines end in CR LF; the heading, the column line, then 5 x 3 rows.
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size());
  ASSERT_EQ(lines.size(), 2u + 15u);
  EXPECT_EQ(lines[0], "Bivariate plot data for parameters 3 and 5 ");
  EXPECT_EQ(lines[1], "        X_Coord,        Y_Coord,  Prob_Density");
  EXPECT_EQ(lines[2], "    1.0000E-001     -1.0000E+001    1.0000E-002");
  EXPECT_EQ(lines[3], "    1.0000E-001     0.0000E+000    2.0000E-002");
  EXPECT_EQ(lines[4], "    1.0000E-001     1.2505E+003    3.0000E-002");
  EXPECT_EQ(lines[16], "    5.0000E-001     1.2505E+003    1.5000E-001");
  // Non-negative values make rows of 46 characters; within each group of
  // three lines the Y coordinate runs through the grid values.
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (i % 3 != 2) {
      EXPECT_EQ(lines[i].size(), 46u) << lines[i];
    }
    EXPECT_EQ(lines[i].substr(15, lines[i].size() - 30), lines[2 + (i - 2) % 3].substr(15, lines[2 + (i - 2) % 3].size() - 30));
  }
}

TEST(BivariateGridFileTest, SavesWhereTheUserChoseAndCancelWritesNothing) {
  const std::string path = ::testing::TempDir() + "quorvane_bivariate_grid.grd";
  testing::ScriptedUi ui;
  ui.File(std::nullopt).File(path);
  SaveBivariateGrid(ui, FiveByThree());  // cancelled
  EXPECT_TRUE(ui.Messages().empty());
  SaveBivariateGrid(ui, FiveByThree());
  ASSERT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ui.FileRequests[1].title, "Save grid values in...");
  EXPECT_EQ(ui.FileRequests[1].filter, "All files (*.*)|*.*|Grid files (*.grd)|*.grd");
  EXPECT_EQ(ui.FileRequests[1].filterIndex, 2);
  EXPECT_TRUE(ui.FileRequests[1].proposedName.ends_with(".grd"));
  std::string error;
  const auto lines = ReadTextLines(path, error);
  ASSERT_TRUE(lines) << error;
  EXPECT_EQ(lines->size(), 17u);
  EXPECT_EQ(lines->front(), "Bivariate plot data for parameters 3 and 5 ");
}

}  // namespace
}  // namespace quorvane
