// The likelihood profile end to end in the console, as examples/nile-profile.txt
// runs it: the Nile fit, Phi(1) profiled at 21 points with Marquardt, the
// report saved as a .mlc file and plot 2 saved as a picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>
#include <fstream>
#include <sstream>
#include <string>

#include "base/files/text_file.h"
#include "support/console_run.h"
#include "support/svg_texts.h"

namespace quorvane {
namespace {

TEST(ProfileScriptTest, TheNileProfileScriptSavesItsReport) {
  const std::string saved = testing::TestTempPath("nile.mlc");
  std::remove(saved.c_str());
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/nile-profile.txt");
  std::stringstream script;
  script << in.rdbuf();
  std::string text = script.str();
  const std::string picture = testing::TestTempPath("nile-plot2.svg");
  std::remove(picture.c_str());
  for (const auto& [target, path] : {std::pair<std::string, std::string>{"build/nile-profile.mlc", saved},
                                     {"build/nile-profile-plot2.svg", picture}}) {
    const size_t at = text.find(target);
    ASSERT_NE(at, std::string::npos) << target;
    text.replace(at, target.size(), path);
  }

  const testing::ProgramRun run = testing::RunConsole(text, "", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("[A friendly reminder] Your algorithm file may have been automatically edited"),
            std::string::npos);

  std::string error;
  const auto lines = ReadTextLines(saved, error);
  ASSERT_TRUE(lines) << error;
  // The name line, an empty line, the heading, an empty line, the column
  // heads, 21 rows, an empty line and the five closing lines.
  ASSERT_EQ(lines->size(), 2u + 3u + 21u + 6u);
  EXPECT_EQ((*lines)[0], "Originally saved with the file name: " + saved);
  EXPECT_EQ((*lines)[4].substr(0, 21), "  Point       Value  ");
  EXPECT_EQ((*lines)[15].substr(0, 5), "   11");
  EXPECT_EQ((*lines)[27].substr(0, 16), "Max Likelihood: ");
  EXPECT_EQ((*lines)[31].substr(0, 16), "Estimated SE:   ");
  std::remove(saved.c_str());

  // Plot 2 of the distribution plot window, saved as a picture.
  std::string svgError;
  const auto svg = ReadTextLines(picture, svgError);
  ASSERT_TRUE(svg) << svgError;
  std::string all;
  for (const std::string& line : *svg) all += line + "\n";
  EXPECT_NE(all.find("<svg"), std::string::npos);
  EXPECT_NE(all.find("</svg>"), std::string::npos);
  EXPECT_NE(all.find("<path"), std::string::npos) << "the distribution is drawn as a line";
  EXPECT_TRUE(testing::HasSvgText(all, "Parameter Confidence Distribution"));
  EXPECT_TRUE(testing::HasSvgText(all, "Values for parameter # 1"));
  std::remove(picture.c_str());
}

}  // namespace
}  // namespace quorvane
