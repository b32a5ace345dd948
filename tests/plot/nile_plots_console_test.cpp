// End to end: the shipped script fits the Nile model, answers Yes to the
// summary plots, plots the flow and its predictions and saves the figure
// as PNG at 1600 x 1000 pixels and 300 dpi, as SVG and as PDF.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/files/text_file.h"
#include "support/console_run.h"
#include "support/png_chunks.h"
#include "support/svg_texts.h"

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

// What a poppler tool prints for the file, or nothing when the tool is not
// installed.
std::optional<std::string> Poppler(const std::string& tool, const std::string& path) {
  if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) return std::nullopt;
  FILE* pipe = popen((tool + " '" + path + "' " + (tool == "pdftotext" ? "- " : "") + "2>&1").c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// Runs of blanks and line breaks as single blanks, as text broken into
// lines reads.
std::string Words(const std::string& text) {
  std::string out;
  for (char ch : text) {
    const bool blank = ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t' || ch == '\f';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : ch;
  }
  return out;
}

const char* const kXTitle = "Time Period in Series";
const char* const kObserved = "Response series (perhaps transformed or differenced)Flow";
const char* const kPredicted = "Predictions for (perhaps transformed or differenced) response series Flow";

class NilePlotsConsoleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string source = QUORVANE_SOURCE_DIR;
    std::string script = ReadAll(source + "/examples/nile-plots.txt");
    ASSERT_FALSE(script.empty());
    for (const std::string* path : {&png_, &svg_, &pdf_}) std::remove(path->c_str());
    ReplaceAll(script, "examples/", source + "/examples/");
    ReplaceAll(script, "build/nile-fit.png", png_);
    ReplaceAll(script, "build/nile-fit.svg", svg_);
    ReplaceAll(script, "build/nile-fit.pdf", pdf_);
    const std::string scriptPath = stem_ + ".txt";
    ASSERT_EQ(WriteTextFileAtomically(scriptPath, script), std::nullopt);
    const testing::ProgramRun run = testing::RunConsoleScript(scriptPath, "--quiet");
    std::remove(scriptPath.c_str());
    ASSERT_EQ(run.status, 0) << run.output;
  }
  static void TearDownTestSuite() {
    for (const std::string* path : {&png_, &svg_, &pdf_}) std::remove(path->c_str());
  }

  // Each test runs in its own process, and ctest runs them side by side:
  // the process id keeps one run's figures from being removed under another.
  static inline const std::string stem_ =
      ::testing::TempDir() + "quorvane_nile_fit_figure_" + std::to_string(getpid());
  static inline const std::string png_ = stem_ + ".png";
  static inline const std::string svg_ = stem_ + ".svg";
  static inline const std::string pdf_ = stem_ + ".pdf";
};

TEST_F(NilePlotsConsoleTest, ThePngHasTheChosenPixelsAndResolution) {
  const std::string image = ReadAll(png_);
  const auto header = testing::PngChunk(image, "IHDR");
  ASSERT_TRUE(header);
  EXPECT_EQ(testing::BigEndian32(*header, 0), 1600u);
  EXPECT_EQ(testing::BigEndian32(*header, 4), 1000u);
  // 300 dpi is 11811 pixels per metre both ways (unit 1, the metre).
  const auto resolution = testing::PngChunk(image, "pHYs");
  ASSERT_TRUE(resolution);
  ASSERT_EQ(resolution->size(), 9u);
  EXPECT_EQ(testing::BigEndian32(*resolution, 0), 11811u);
  EXPECT_EQ(testing::BigEndian32(*resolution, 4), 11811u);
  EXPECT_EQ((*resolution)[8], 1);
  EXPECT_TRUE(testing::PngChunk(image, "IEND"));
}

TEST_F(NilePlotsConsoleTest, TheSvgHoldsTheAxisTitlesAndTheLegendAsTexts) {
  const std::string picture = ReadAll(svg_);
  EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
  EXPECT_TRUE(TagsBalance(picture));
  // The page the pixels make at 300 dpi, in points.
  EXPECT_NE(picture.find("width=\"384pt\" height=\"240pt\""), std::string::npos);
  const std::vector<std::string> texts = testing::SvgTexts(picture);
  // The X variate, the first Y variate on the Y axis and in the legend,
  // the predictions in the legend, a tick label of the time axis and the
  // page title without its final blank.
  EXPECT_EQ(std::count(texts.begin(), texts.end(), kXTitle), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), kObserved), 2);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), kPredicted), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "1900"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(),
                       "Observed, predicted and residuals for possibly differenced, flattened and/or "
                       "transformed time series data"),
            1);
}

TEST_F(NilePlotsConsoleTest, ThePdfIsOnePageOfTheChosenSizeWithItsTitles) {
  const std::string document = ReadAll(pdf_);
  EXPECT_EQ(document.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(document.find("CreationDate"), std::string::npos) << "no date: the same figure gives the same file";
  const std::optional<std::string> info = Poppler("pdfinfo", pdf_);
  if (!info) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
  EXPECT_NE(info->find("Pages:           1\n"), std::string::npos) << *info;
  EXPECT_NE(info->find("Page size:       384 x 240 pts"), std::string::npos) << *info;
  const std::string text = Words(Poppler("pdftotext", pdf_).value_or(""));
  for (const char* title : {kXTitle, kObserved, kPredicted})
    EXPECT_NE(text.find(title), std::string::npos) << title << " in " << text;
}

}  // namespace
}  // namespace quorvane
