// End to end: the shipped script fits the Nile model, answers Yes to the
// summary plots, plots the flow and its predictions and saves the surface
// as SVG and PNG (1600 x 1000 pixels unless the script says otherwise).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/console_run.h"

namespace quorvane {
namespace {

using testing::ReadAll;
using testing::ReplaceAll;

// Every element opened is closed in order, outside the XML declaration.
bool TagsBalance(const std::string& xml) {
  std::vector<std::string> open;
  for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    const size_t end = xml.find('>', at);
    if (end == std::string::npos) return false;
    const std::string tag = xml.substr(at + 1, end - at - 1);
    if (tag.empty() || tag[0] == '?') continue;
    if (tag[0] == '/') {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
    } else if (tag.back() != '/') {
      open.push_back(tag.substr(0, tag.find_first_of(" \r\n")));
    }
  }
  return open.empty();
}

std::uint32_t BigEndian(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(NilePlotsConsoleTest, SavesTheFitPlotAsSvgAndPng) {
  const std::string source = QUORVANE_SOURCE_DIR;
  std::string script = ReadAll(source + "/examples/nile-plots.txt");
  ASSERT_FALSE(script.empty());
  const std::string svg = testing::TestTempPath("fit.svg"), png = testing::TestTempPath("fit.png");
  std::remove(svg.c_str());
  std::remove(png.c_str());
  ReplaceAll(script, "examples/", source + "/examples/");
  ReplaceAll(script, "build/nile-fit.svg", svg);
  ReplaceAll(script, "build/nile-fit.png", png);

  const testing::ProgramRun run = testing::RunConsole(script, "--quiet");
  ASSERT_EQ(run.status, 0) << run.output;

  const std::string picture = ReadAll(svg);
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
  EXPECT_TRUE(TagsBalance(picture));
  EXPECT_NE(picture.find("<path"), std::string::npos);
  EXPECT_NE(picture.find(">1900</text>"), std::string::npos);  // a round tick label of the time axis

  const std::string image = ReadAll(png);
  ASSERT_GT(image.size(), 33u);
  EXPECT_EQ(image.substr(1, 3), "PNG");
  EXPECT_EQ(image.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(image, 16), 1600u);
  EXPECT_EQ(BigEndian(image, 20), 1000u);
  std::remove(svg.c_str());
  std::remove(png.c_str());
}

}  // namespace
}  // namespace quorvane
