#include "tfn/summary/summary_notes.h"

namespace quorvane {

const std::vector<std::string_view>& ComparisonNote() {
  static const std::vector<std::string_view> note = {
      "Note on comparing these results with those of other time series software:",
      "     Estimates can differ a little from those of other programs.  Such discrepancies come",
      "     from the convergence tolerances of the minimizers, mostly in over-parameterized models",
      "     and in TFN models whose Delta terms are poorly determined.  Here any TFN Omega or Delta",
      "     value can be fixed at zero to remove such terms.  Differences in the calculation of",
      "     AIC are reported below.",
  };
  return note;
}

const std::vector<std::string_view>& CriteriaNotes() {
  static const std::vector<std::string_view> notes = {
      "Note: some time series programs calculate AIC and BIC for differenced series from the",
      "     likelihood of the differenced values alone, as below; others correct 2 x -ln[L] for the",
      "     values lost to differencing, as the corrected criteria further below do.",
      "Note: for TFN series some programs count in n only the periods after the longest transfer",
      "     function lag, so their AIC and BIC can differ from those below.",
  };
  return notes;
}

}  // namespace quorvane
