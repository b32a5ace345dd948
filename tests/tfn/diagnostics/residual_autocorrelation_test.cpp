// Sample ACF, PACF and Ljung-Box tests against an independent computation
// on a table of series: one without missing values, the same with five of
// them missing (the first and the last included), and a series with a
// season of 4 tested at the seasonal lags 4 and 8.
//
// The recorded values come from numpy/scipy (double precision, printed with
// repr): the ACF straight from its definition on masked arrays,
//   d = where(present, x - mean(x[present]), 0),  r(k) = sum(d[:-k] d[k:]) / sum(d d);
// the PACF as the last coefficient of the Yule-Walker system of each order
// k solved by numpy.linalg.solve (not by the Durbin-Levinson recursion the
// program uses); Q(h) = n (n + 2) sum r(k)^2 / (n - k) with n the present
// values, and p = scipy.stats.chi2.sf(Q, h - m).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tfn/diagnostics/autocorrelation.h"
#include "tfn/diagnostics/ljung_box.h"
#include "tfn/diagnostics/residual_lags.h"

namespace quorvane {
namespace {

struct LjungBoxReference {
  int lag;
  double q;
  int df;
  double p;
};

struct SeriesCase {
  const char* name;
  std::vector<double> x;
  long n;
  int fitted;  // m: the ARMA coefficients the Ljung-Box degrees of freedom lose
  std::vector<double> acf, pacf;  // lags 0..20
  std::vector<LjungBoxReference> ljungBox;
};

const std::vector<SeriesCase>& Cases() {
  static const std::vector<SeriesCase> cases = {
      {"AR(1)-like, 30 values",
       {0.971, -1.425, -2.538, 0.397, 5.166, -0.873, 4.252, 7.253, 1.789, -0.596,
        -1.936, 1.579, 4.99, 5.89, -1.237, -5.644, -4.057, -0.215, 0.715, -2.294,
        -6.3, -3.144, -5.336, 0.849, 1.022, 0.076, 4.701, 3.397, 5.118, 2.682},
       30, 1,
       {1.0, 0.493682922574149, 0.06464118821969447, -0.06800267108229689, -0.011330966711507955,
        0.16267077993980703, 0.061114687836014, -0.1592975620752982, -0.3327526432171534,
        -0.28839581767724715, -0.19342824500009795, -0.2104446446889274, -0.21107205336242224,
        -0.1510170461379986, -0.045380013105290246, -0.024751601946033167, -0.056319670771774175,
        0.01827084807149063, -0.02362525464360891, 0.11960529405207565, 0.17035900905789458},
       {1.0, 0.493682922574149, -0.23679366039551814, 0.01320887893517207, 0.05563598876764195,
        0.1795807446466029, -0.1790430693095758, -0.14390881358033536, -0.20304366164755908,
        -0.03108825148199996, -0.16103480187475117, -0.17541257819782843, -0.060758405302438506,
        0.031182542928832567, -0.0067674425011709175, -0.12636328865600577, -0.08814913626103565,
        0.06592353325167238, -0.25128753877341564, 0.1099239532424444, -0.10051238168000143},
       {{10, 21.03484097218522, 9, 0.012496617794435404},
        {20, 31.420628927872126, 19, 0.036280793570498265}}},
      {"the same with five values missing",
       {NAN, -1.425, -2.538, 0.397, 5.166, NAN, NAN, 7.253, 1.789, -0.596,
        -1.936, 1.579, 4.99, 5.89, -1.237, -5.644, -4.057, NAN, 0.715, -2.294,
        -6.3, -3.144, -5.336, 0.849, 1.022, 0.076, 4.701, 3.397, 5.118, NAN},
       25, 2,
       {1.0, 0.44368942046827936, -0.006587320910267188, -0.11004438965517958, 0.03018737042190022,
        0.1624182317639085, 0.005296537196529296, -0.19865436405329626, -0.30488806610952446,
        -0.19543797708665894, -0.141552944436745, -0.22941952516811323, -0.23540318558578993,
        -0.10482069540512542, 0.05745725957457224, 0.007782591662928337, -0.03544200400993903,
        -0.03157566414597479, -0.03739075901224807, 0.15439178541504975, 0.1540692262183254},
       {1.0, 0.44368942046827936, -0.25331536121387027, 0.007998969497210068, 0.11490454605067425,
        0.09322725173269739, -0.16528827269558077, -0.1237164003387096, -0.16945176667443712,
        -0.03697650276530612, -0.1715863216553412, -0.19891355593013588, -0.060122427125674685,
        0.02531867073886544, 0.014021131799140042, -0.15002321011089317, -0.0006078903826267385,
        -0.0655159345443772, -0.20436403180339371, 0.09243246019803919, -0.10138795251709987},
       {{10, 14.514003077034513, 8, 0.0693133708294913},
        {20, 26.953020454638725, 18, 0.07988087222424527}}},
      {"a season of 4, 40 values",
       {3.305, -1.237, -2.806, -0.239, 2.712, -0.553, -1.844, 0.432, 3.486, -0.389,
        -3.138, -0.439, 2.645, -1.859, -2.735, 1.486, 3.089, -1.789, -1.908, -0.115,
        3.595, -1.657, -1.817, 0.097, 2.041, -0.402, -2.974, 0.157, 2.551, -0.177,
        -3.321, 0.987, 2.239, -1.109, -1.729, 1.172, 2.259, -0.125, -2.747, 0.773},
       40, 1,
       {1.0, -0.04712801472223212, -0.8304310267095459, -0.015411429658415673, 0.8136251582359997,
        -0.05705485991369709, -0.7580818662424307, 0.02466921504235212, 0.7523707362849072,
        -0.04486895647929184, -0.6666343681326108, 0.03015533525279679, 0.6358792150371836,
        -0.058576452110232984, -0.5695848475656804, 0.020324443298777303, 0.5540438116653053,
        -0.01677543922234003, -0.5119268818099315, 0.014364841231683398, 0.4607509370078613},
       {1.0, -0.04712801472223212, -0.8345055548532598, -0.41771322700030566, 0.2569078370552244,
        -0.1812751466465066, -0.23763697034292378, -0.23036135940867028, -0.054871087795826536,
        -0.07346997605810215, 0.06175341964941808, -0.0024625377824975423, -0.05138523071252536,
        -0.049747163018108456, 0.068553412098821, -0.07566811184616479, 0.0009078527883649176,
        0.08675909342774782, -0.04284226472896623, 0.05212068683468124, -0.07501578407665632},
       {{4, 61.48740818752438, 3, 2.8275513653690945e-13},
        {8, 119.78923679590585, 7, 8.475972551458332e-23},
        {10, 144.78481783125065, 9, 1.0589329507761317e-26},
        {20, 249.6718779141448, 19, 3.606387505131715e-42}}},
  };
  return cases;
}

// 1e-10 absolute for the correlations (they are at most 1 and the sums
// have 40 terms at most); 1e-10 relative for Q and p, which span dozens of
// orders of magnitude.
TEST(ResidualAutocorrelationTest, AcfPacfAndLjungBoxAgreeWithAnIndependentComputation) {
  for (const SeriesCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    const Autocorrelations acf = SampleAutocorrelations(c.x, 20);
    EXPECT_EQ(acf.Count, c.n);
    ASSERT_EQ(acf.R.size(), 21u);
    const std::vector<double> pacf = SamplePartialAutocorrelations(acf.R);
    ASSERT_EQ(pacf.size(), 21u);
    for (size_t k = 0; k <= 20; ++k) {
      EXPECT_NEAR(acf.R[k], c.acf[k], 1e-10) << "ACF at lag " << k;
      EXPECT_NEAR(pacf[k], c.pacf[k], 1e-10) << "PACF at lag " << k;
    }
    for (const LjungBoxReference& expected : c.ljungBox) {
      const auto q = LjungBoxTest(acf.R, acf.Count, expected.lag, c.fitted);
      ASSERT_TRUE(q) << expected.lag;
      EXPECT_EQ(q->Lag, expected.lag);
      EXPECT_NEAR(q->Q, expected.q, 1e-10 * expected.q) << expected.lag;
      EXPECT_EQ(q->Df, expected.df);
      ASSERT_TRUE(q->P);
      EXPECT_NEAR(*q->P, expected.p, 1e-10 * expected.p) << expected.lag;
    }
  }
}

TEST(ResidualAutocorrelationTest, SeriesWithoutVarianceAndTestsWithoutRoom) {
  const double flat[] = {2.0, 2.0, NAN, 2.0};
  EXPECT_TRUE(SampleAutocorrelations(flat, 2).R.empty());
  const double one[] = {NAN, 5.0};
  EXPECT_TRUE(SampleAutocorrelations(one, 1).R.empty());

  const double x[] = {1.0, 3.0, 2.0, 5.0, 4.0, 6.0};
  const Autocorrelations acf = SampleAutocorrelations(x, 5);
  ASSERT_EQ(acf.R.size(), 6u);
  EXPECT_FALSE(LjungBoxTest(acf.R, acf.Count, 6, 0));   // beyond the lags computed
  EXPECT_FALSE(LjungBoxTest(acf.R, 5, 5, 0));           // h must stay below n
  EXPECT_FALSE(LjungBoxTest(acf.R, acf.Count, 0, 0));
  // As many coefficients as lags: Q without degrees of freedom, so no p.
  const auto q = LjungBoxTest(acf.R, acf.Count, 2, 2);
  ASSERT_TRUE(q);
  EXPECT_EQ(q->Df, 0);
  EXPECT_FALSE(q->P);
}

// An exactly alternating series is perfectly predictable at order 1: its
// PACF stops there, and the lags after it have no value.
TEST(ResidualAutocorrelationTest, ThePartialAutocorrelationsOfAPredictableSeriesStop) {
  const double r[] = {1.0, -1.0, 1.0, -1.0};
  const std::vector<double> pacf = SamplePartialAutocorrelations(r);
  EXPECT_EQ(pacf[1], -1.0);
  EXPECT_TRUE(std::isnan(pacf[2]));
  EXPECT_TRUE(std::isnan(pacf[3]));
}

TEST(ResidualLagsTest, LagsByLengthAndSeason) {
  struct Case {
    long n;
    int s;
    int lags;
  };
  // 10 log10 n against n / 4, the seasonal 2s, and n - 1 as the last lag.
  const Case cases[] = {{100, 0, 20}, {98, 0, 19}, {1000, 0, 30}, {40, 0, 10}, {30, 0, 7},
                        {3, 0, 0},    {144, 12, 24}, {20, 12, 19}, {1, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(AutocorrelationLagCount(c.n, c.s), c.lags) << c.n << ", " << c.s;
  EXPECT_EQ(LjungBoxLags(0), (std::vector<int>{10, 20}));
  EXPECT_EQ(LjungBoxLags(12), (std::vector<int>{10, 12, 20, 24}));
  EXPECT_EQ(LjungBoxLags(10), (std::vector<int>{10, 20}));
  EXPECT_EQ(LjungBoxLags(4), (std::vector<int>{4, 8, 10, 20}));
}

}  // namespace
}  // namespace quorvane
