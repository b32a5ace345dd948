// The priors file: its fixed columns, the reader's checks and the round trip.
#include "priors/priors_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "app/session.h"
#include "base/files/text_file.h"
#include "priors/priors_file_commands.h"
#include "support/console_run.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(PriorsFileTest, WritesFixedColumnsWithNegativeTermsInTheirField) {
  PriorTable table;
  table.Reset(2);
  PriorRow& normal = table.Rows[1];
  normal.Type = "N";
  normal.FirstTerm = -25.0;
  normal.SecondTerm = 0.5;
  const std::string text = PriorsFileText(table);
  EXPECT_EQ(text,
            "2\r\n"
            "  1   U 1.000E-100 1.000E-100     Unused     Unused   Uniform - unbounded\r\n"
            "  2   N-2.500E+001 5.000E-001     Unused     Unused   Gaussian or Normal\r\n");
}

// The property: any table of usable rows, written and read again, gives
// every term rounded to four significant digits, "Unused" and UnsetTerm kept.
TEST(PriorsFileTest, ReadsBackWhatItWroteAtFourSignificantDigits) {
  std::mt19937 random(20261210);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-6, 6), kind(0, 6), sign(0, 1);
  const auto number = [&](bool negativeAllowed) {
    const double v = mantissa(random) * std::pow(10.0, exponent(random));
    return negativeAllowed && sign(random) ? -v : v;
  };
  // What the file keeps of a number: four significant digits.
  const auto rounded = [](double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", v);
    return std::strtod(text, nullptr);
  };
  for (int trial = 0; trial < 200; ++trial) {
    PriorTable table;
    table.Reset(1 + trial % 12);
    for (PriorRow& row : table.Rows) {
      switch (kind(random)) {
        case 0: break;  // the reset row
        case 1: row.Type = "N"; row.FirstTerm = number(true); row.SecondTerm = number(false); break;
        case 2: row.Type = "E"; row.FirstTerm = row.SecondTerm = number(false); break;
        case 3: row.Type = "S"; row.FirstTerm = number(true); row.SecondTerm = number(false); break;
        case 4: row.Type = "D"; row.FirstTerm = number(true); row.SecondTerm = 0.0; break;
        case 5:
          row.Type = "L";
          row.FirstTerm = number(false);
          row.SecondTerm = number(false);
          break;
        default: {
          row.Type = "T";
          row.FirstTerm = -number(false);
          row.SecondTerm = number(false);
          row.SetThirdTerm(std::to_string(number(false)));
          row.SetFourthTerm("0");
        }
      }
    }
    const auto read = ParsePriorsFile(Lines(PriorsFileText(table)),
                                      static_cast<int>(table.Rows.size()));
    ASSERT_TRUE(std::holds_alternative<std::vector<PriorRow>>(read)) << PriorsFileText(table);
    const auto& rows = std::get<std::vector<PriorRow>>(read);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const PriorRow& in = table.Rows[i];
      const PriorRow& out = rows[i];
      SCOPED_TRACE(PriorsFileText(table));
      EXPECT_EQ(out.Type, in.Type);
      // Exact: the reader sees the same digits the rounding keeps.
      EXPECT_EQ(out.FirstTerm, rounded(in.FirstTerm));
      EXPECT_EQ(out.SecondTerm, rounded(in.SecondTerm));
      if (in.ThirdTerm == "Unused") {
        EXPECT_EQ(out.ThirdTerm, "Unused");
      } else {
        EXPECT_EQ(out.ThirdValue, rounded(in.ThirdValue));
      }
      EXPECT_EQ(in.FourthTerm == "Unused", out.FourthTerm == "Unused");
      if (in.Type == "U") {
        EXPECT_EQ(out.FirstTerm, UnsetTerm);
      }
    }
  }
}

TEST(PriorsFileTest, ReadsLowerCaseTypesAndNeedsNoUnusedColumns) {
  const auto read = ParsePriorsFile({"2", "  1   n 1.000E+000 2.000E+000", "  2   x 0.000E+000"}, 2);
  ASSERT_TRUE(std::holds_alternative<std::vector<PriorRow>>(read));
  const auto& rows = std::get<std::vector<PriorRow>>(read);
  EXPECT_EQ(rows[0].Type, "N");
  EXPECT_EQ(rows[0].SecondTerm, 2.0);
  EXPECT_EQ(rows[0].ThirdTerm, "Unused");
  EXPECT_EQ(rows[1].Type, "X");  // a letter outside the nine is kept and adds nothing
}

class PriorsFileReadTest : public ::testing::Test {
 protected:
  PriorsFileReadTest() : session_(ui_, nullptr) {
    session_.Start();
    session_.Algorithm.ParameterCount = 2;
    session_.Priors.Reset(2);
    session_.Priors.Rows[0].Type = "S";
    session_.Priors.Rows[0].FirstTerm = 0.0;
    session_.Priors.Rows[0].SecondTerm = 1.0;
    session_.State.PriorsActive = true;
    path_ = testing::TestTempPath("priors.pri");
    session_.State.PriorsFileName = path_;
  }
  ~PriorsFileReadTest() override { std::remove(path_.c_str()); }
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  testing::ScriptedUi ui_;
  Session session_;
  std::string path_;
};

TEST_F(PriorsFileReadTest, ACountMismatchNamesBothCountsAndSwitchesPriorsOff) {
  session_.Algorithm.ParameterCount = 11;
  Write("12\r\n");
  const PriorTable before = session_.Priors;
  EXPECT_FALSE(ReadPriorsFile(session_));
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0], "Bayesian priors file  " + path_ +
                                   "  has 12 parameters, but your model specifies 11.\r\n"
                                   "Therefore default (uniform-unbounded) priors have been loaded "
                                   "instead.");
  EXPECT_EQ(ui_.Log.back().icon, Icon::Critical);
  EXPECT_FALSE(session_.State.PriorsActive);
  EXPECT_EQ(session_.Priors.Rows, before.Rows);
}

TEST_F(PriorsFileReadTest, BadFilesChangeNothingAndNameTheLine) {
  struct Bad {
    const char* text;
    const char* line;
  };
  const Bad cases[] = {
      {"", "line 1"},
      {"two\r\n", "line 1"},
      {"2\r\n  1   N 1.000E+000 1.000E+000     Unused     Unused\r\n", "line 3"},
      {"2\r\n  1   G 2.000E+000 3.000E+000\r\n  2   U\r\n", "line 2"},
      {"2\r\n  1   U\r\n  2   L-1.000E+000 1.000E+000\r\n", "line 3"},
      {"2\r\n  1   B 1.500E+000 1.000E-001\r\n  2   U\r\n", "line 2"},
      {"2\r\n  1   N 1.000E+000 1.000E-100\r\n  2   U\r\n", "line 2"},
      {"2\r\n  1   T 5.000E+000 0.000E+000 5.000E+000 0.000E+000\r\n  2   U\r\n", "line 2"},
      // An infinite term, even in a type that does not use it, would be
      // saved as a text that reads back as another number.
      {"2\r\n  1   U 1.000E+999 1.000E-100\r\n  2   U\r\n", "line 2"},
      {"2\r\n  1   U\r\n  2   x 0.000E+000-1.000E+999\r\n", "line 3"},
  };
  for (const Bad& bad : cases) {
    SCOPED_TRACE(bad.text);
    Write(bad.text);
    const PriorTable before = session_.Priors;
    ui_.Log.clear();
    EXPECT_FALSE(ReadPriorsFile(session_));
    EXPECT_EQ(session_.Priors.Rows, before.Rows);
    EXPECT_TRUE(session_.State.PriorsActive);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find(path_), std::string::npos) << ui_.Messages()[0];
    EXPECT_NE(ui_.Messages()[0].find(bad.line), std::string::npos) << ui_.Messages()[0];
  }
}

TEST_F(PriorsFileReadTest, SavedPriorsLoadAgainIntoTheSameTable) {
  const PriorTable saved = session_.Priors;
  ui_.File(path_);
  ASSERT_TRUE(Save_Priors(session_, PriorsSaveFrom::MainMenu));
  EXPECT_EQ(ui_.FileRequests.back().title, "Save Bayesian priors file in...");
  EXPECT_EQ(ui_.FileRequests.back().filterIndex, 2);
  EXPECT_EQ((ui_.StatusPanels[{1, 2}]), "Bayesian priors file: " + path_);
  session_.Priors.Reset(2);
  ASSERT_TRUE(ReadPriorsFile(session_));
  EXPECT_EQ(session_.Priors.Rows, saved.Rows);
  EXPECT_EQ(ui_.Messages().back(), "Bayesian Priors file " + path_ + " has been loaded");
}

// Terms usable at full precision whose four significant digits are not:
// such a file would be refused on loading, so it is not written, and the
// file already there stays as it was.
TEST_F(PriorsFileReadTest, PriorsThatWouldNotReadBackAreNotSaved) {
  struct Case {
    char type;
    double mean, sd;
    const char* reason;
  };
  const Case cases[] = {
      {'G', 1.00001, 1.0, "a Gamma prior needs 0 < SD < mean"},
      {'N', 1.0, 1e-100 * 1.0001, "a term of this prior is unset"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    Write("earlier file");
    session_.Priors.Rows[1].Type = std::string(1, c.type);
    session_.Priors.Rows[1].FirstTerm = c.mean;
    session_.Priors.Rows[1].SecondTerm = c.sd;
    ASSERT_TRUE(UndefinedPriorTerms(session_.Priors.Rows[1]).empty());
    ui_.Log.clear();
    ui_.FileRequests.clear();
    EXPECT_FALSE(Save_Priors(session_, PriorsSaveFrom::PriorEditor));
    EXPECT_TRUE(ui_.FileRequests.empty());
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0],
              std::string("The Bayesian priors cannot be saved: the file keeps four significant "
                          "digits, and rounded to them the prior of parameter #2 would not read "
                          "back (") + c.reason +
                  ").\r\n\r\nChange that prior's terms so that they stay usable at four "
                  "significant digits, then save again.");
    EXPECT_EQ(testing::ReadAll(path_), "earlier file");
  }
}

TEST_F(PriorsFileReadTest, ACancelledSaveWritesNothingAndKeepsTheProposedName) {
  session_.State.PriorsFileName.clear();
  ui_.File(std::nullopt);
  EXPECT_FALSE(Save_Priors(session_, PriorsSaveFrom::PriorEditor));
  EXPECT_EQ(session_.State.PriorsFileName.size(), 12u);  // mmddhhmm.pri
  EXPECT_TRUE(ui_.Messages().empty());
}

}  // namespace
}  // namespace quorvane
