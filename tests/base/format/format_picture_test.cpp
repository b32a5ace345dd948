#include "base/format/format_picture.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quorvane {
namespace {

struct PictureCase {
  double value;
  const char* picture;
  const char* expected;
};

void ExpectAll(std::initializer_list<PictureCase> cases) {
  for (const PictureCase& c : cases) {
    EXPECT_EQ(FormatPicture(c.value, c.picture), c.expected)
        << "value " << c.value << " picture \"" << c.picture << '"';
  }
}

TEST(FormatPictureTest, ScientificForm) {
  ExpectAll({
      {0.00123456789, "0.0000000E+00", "1.2345679E-03"},
      {-12345.678, "0.0000000E+00", "-1.2345678E+04"},
      {12345.678, "0.0000000E+00", "1.2345678E+04"},
      {0, "0.0000000E+00", "0.0000000E+00"},
      {1.0, "0.0000000E+00", "1.0000000E+00"},
      {1E100, "0.0000000E+00", "1.0000000E+100"},
      {-1E-100, "0.0000000E+00", "-1.0000000E-100"},
      {0.5, "0.0000E+00", "5.0000E-01"},
      {0.5, "0.000E+00", "5.000E-01"},
      {0.5, "0.00000E+00", "5.00000E-01"},
      {0.5, "0.0E+00", "5.0E-01"},
      {-0.5, "0.0E+00", "-5.0E-01"},
      {0.5, "0.000E+000", "5.000E-001"},
      {1.5e-7, "0.000E+000", "1.500E-007"},
      {-1.5e-7, "0.000E+000", "-1.500E-007"},
      {0.5, " 0.000E+000", " 5.000E-001"},
      {-0.5, " 0.000E+000", " -5.000E-001"},
      {0.5, "0.0000E+000   ", "5.0000E-001   "},
      {0.5, "    0.0000E+000", "    5.0000E-001"},
      {0.5, "     0.0000E+000", "     5.0000E-001"},
      {0.5, " 0.00000E+00", " 5.00000E-01"},
      {-123.456, " 0.00000E+00", " -1.23456E+02"},
  });
}

TEST(FormatPictureTest, ScientificRoundingCarriesIntoExponent) {
  ExpectAll({
      {9.99999999, "0.0000000E+00", "1.0000000E+01"},
      {-9.99999999, "0.0000000E+00", "-1.0000000E+01"},
      {9.96, "0.0E+00", "1.0E+01"},
      {0.0999999999, "0.000E+000", "1.000E-001"},
      {9.95e99, "0.0E+00", "1.0E+100"},
      {1.25, "0.0E+00", "1.3E+00"},     // half, exact in binary
      {-1.25, "0.0E+00", "-1.3E+00"},
      {1.24999, "0.0E+00", "1.2E+00"},
  });
}

TEST(FormatPictureTest, ScientificLengthDependsOnlyOnSign) {
  for (double value : {1.0, 0.00123, 98765.4321, 1e-99, 9.99999999e98}) {
    EXPECT_EQ(FormatPicture(value, "0.0000000E+00").size(), 13u) << value;
    EXPECT_EQ(FormatPicture(-value, "0.0000000E+00").size(), 14u) << value;
  }
}

TEST(FormatPictureTest, OptionalDecimalsAndAlwaysWrittenPoint) {
  ExpectAll({
      {1234.5, "####0.#####", "1234.5"},
      {12, "####0.#####", "12."},
      {3.14159265, "####0.#####", "3.14159"},
      {0.000001, "####0.#####", "0."},
      {0.000005, "####0.#####", "0.00001"},
      {-3.14159265, "####0.#####", "-3.14159"},
      {123456789.25, "####0.#####", "123456789.25"},
      {12, "####0.#####     ", "12.     "},
      {-1234.5, "####0.#####     ", "-1234.5     "},
      {2.71828, "####0.####", "2.7183"},
      {3, "0.####", "3."},
      {-0.25, "0.####", "-0.25"},
      {2, "#0.0###", "2.0"},
      {-2.12345, "#0.0###", "-2.1235"},
      {2.1, "#0.0##", "2.1"},
      {2.1, "#0.0000#", "2.1000"},
      {2.123456, "#0.0000#", "2.12346"},
  });
}

TEST(FormatPictureTest, FixedDecimals) {
  ExpectAll({
      {2, "#0.0000", "2.0000"},
      {-2, "#0.0000", "-2.0000"},
      {12.3, "##0.0000", "12.3000"},
      {-1234.5, "###0.0000", "-1234.5000"},
      {98765.4321, "####0.0000", "98765.4321"},
      {1.23456789, "#####0.0000000", "1.2345679"},
      {3.14159, "##0.00", "3.14"},
      {1234.567, "###0.00", "1234.57"},
      {123456.78, "####0.00", "123456.78"},
      {0.5, "0.0000", "0.5000"},
      {0.0625, "0.000", "0.063"},
      {-0.0625, "0.000", "-0.063"},
      {0.12345, "0.00000", "0.12345"},
      {-0.1234567, "0.000000", "-0.123457"},
      {2.25, "   0.0  ", "   2.3  "},
      {-2.25, "   0.0  ", "   -2.3  "},
  });
}

TEST(FormatPictureTest, RoundingCarryLengthensIntegerPart) {
  ExpectAll({
      {9.99996, "0.0000", "10.0000"},
      {-9.99996, "0.0000", "-10.0000"},
      {99.5, "##0", "100"},
      {999.96, "###0.0", "1000.0"},
      {0.9996, "0.000", "1.000"},
  });
}

TEST(FormatPictureTest, WholeNumberPictures) {
  ExpectAll({
      {5, "###0", "5"},
      {5, "####0", "5"},
      {5, "##0", "5"},
      {5, "#0", "5"},
      {5, "####", "5"},
      {5, "0", "5"},
      {0, "####", ""},
      {0.4, "####", ""},
      {0, "0", "0"},
      {123456, "#0", "123456"},
      {-123456, "0", "-123456"},
      {-5, "##0", "-5"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {2.4999, "0", "2"},
      {1e20, "0", "100000000000000000000"},
      {5, "000", "005"},
      {-5, "000", "-005"},
      {1234, "000", "1234"},
  });
}

TEST(FormatPictureTest, LiteralsKeepTheirPlace) {
  ExpectAll({
      {7, "000)", "007)"},
      {7, "##0)", "7)"},
      {7, " 000) ", " 007) "},
      {7, "    000) ", "    007) "},
      {-7, "    000) ", "    -007) "},
      {12345, "    000) ", "    12345) "},
      {0, "####)", ")"},
      // A separator between integer slots needs a digit on its left.
      {1.5, "##,##0.00", "1.50"},
      {-12345.6, "##,##0.00", "-12,345.60"},
  });
}

TEST(FormatPictureTest, ZeroIsNeverNegative) {
  ExpectAll({
      {-0.0, "0.000", "0.000"},
      {-0.0, "0.0000000E+00", "0.0000000E+00"},
      {-0.0, "####", ""},
      {-0.0, "0", "0"},
      // Values that round to zero in the picture are written without "-".
      {-0.0001, "0.000", "0.000"},
      {-0.4, "0", "0"},
      {-0.000001, "####0.#####", "0."},
  });
}

TEST(FormatPictureTest, HalvesRoundAwayFromZeroOnTheDecimalForm) {
  // 2.675 and 1.005 are stored just below the half; their decimal form is
  // the half, and that is what decides. Nor do long pictures show the
  // binary noise beyond that form (0.1 is 0.1000000000000000055... stored).
  ExpectAll({
      {2.675, "0.00", "2.68"},
      {-2.675, "0.00", "-2.68"},
      {1.005, "0.00", "1.01"},
      {0.125, "0.00", "0.13"},
      {0.1 + 0.2, "0.0000000000000000", "0.3000000000000000"},
      {0.30000000000000004, "0.00000000000000000", "0.30000000000000004"},
      {0.1, "0.00000000000000000000", "0.10000000000000000000"},
  });
}

TEST(FormatPictureTest, NonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  ExpectAll({
      {inf, "0.0000000E+00", "Inf"},
      {-inf, "####0.#####", "-Inf"},
      {std::numeric_limits<double>::quiet_NaN(), "0.000", "NaN"},
  });
}

TEST(FormatPictureTest, TextPassesThroughUnchanged) {
  for (const char* picture : {"&", "  ", "", "0.0000", "0.0000000E+00"}) {
    EXPECT_EQ(FormatPicture("ABC12", picture), "ABC12") << picture;
    EXPECT_EQ(FormatPicture(std::string("  fixed "), picture), "  fixed ");
    EXPECT_EQ(FormatPicture(std::string_view(""), picture), "");
  }
}

TEST(FormatPictureTest, PictureWithoutPlaceholdersWritesPlainNumber) {
  EXPECT_EQ(FormatPicture(2.5, "&"), "2.5");
  EXPECT_EQ(FormatPicture(-1e-7, ""), "-1E-07");
}

}  // namespace
}  // namespace quorvane
