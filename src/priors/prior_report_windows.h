#pragma once

#include <string>

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The two report windows of the priors: "Prior distribution statistics"
// (frmPriorDists), which shows a prior profile and saves it as a .pdp file,
// and "Review priors " (frmReviewPriors), which shows the review of the
// current values against the priors and saves it as a .rvp file. Both panes
// are editable fixed-pitch text; a save writes what the user left there.
class PriorReportWindows {
 public:
  explicit PriorReportWindows(Session& session);

  Form& PriorDists() { return prior_dists_; }
  Form& Review() { return review_; }

  // Save_PriorDists: shows frmPriorDists with the report text.
  void ShowPriorDists(const std::string& report);
  // cmdSavePriorDists.
  void SavePriorDists();
  // Shows frmReviewPriors with the review text.
  void ShowReview(const std::string& review);
  // cmdSaveReview.
  void SaveReview();

 private:
  void Save(Form& form, const char* pane, const char* title, const char* filter,
            const char* extension, const char* what);

  Session& session_;
  Form prior_dists_;
  Form review_;
};

}  // namespace quorvane
