#include "qt/dialogs.h"

#include <gtest/gtest.h>

namespace quorvane::qt {
namespace {

TEST(QtNameFilters, TurnsDescriptionPatternPairsIntoQtFilters) {
  const struct {
    const char* filter;
    QStringList expected;
  } cases[] = {
      {"All files (*.*)|*.*|Algorithm files (*.alg)|*.alg",
       {"All files (*)", "Algorithm files (*.alg)"}},
      {"All files (*.*)|*.*|Series data (*.dat;*.txt)|*.dat;*.txt",
       {"All files (*)", "Series data (*.dat *.txt)"}},
      {"Priors|*.pri", {"Priors (*.pri)"}},
      {"All files (*.*)|*.*|Half a pair", {"All files (*)"}},
      {"", {"All files (*)"}},
      {"|*.cov", {"Files (*.cov)"}},
  };
  for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
}

}  // namespace
}  // namespace quorvane::qt
