#include "priors/prior_report_windows.h"

#include <optional>

#include "app/session.h"
#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "evaluate/saved_report_text.h"

namespace quorvane {

namespace {

constexpr const char* kSaveToolTip = "Saves the (possibly edited) output appearing in the textbox below";

}  // namespace

PriorReportWindows::PriorReportWindows(Session& session)
    : session_(session),
      prior_dists_("frmPriorDists", "Prior distribution statistics"),
      review_("frmReviewPriors", "Review priors ") {
  prior_dists_.BeginColumn();
  Control& saveDists = prior_dists_.Add(ControlKind::Button, "cmdSavePriorDists",
                                        "&Save Bayesian prior distribution data as...");
  saveDists.toolTip = kSaveToolTip;
  saveDists.onClick = [this] { SavePriorDists(); };
  prior_dists_.Add(ControlKind::TextPane, "rtbPriorDists").readOnly = false;
  prior_dists_.End();
  prior_dists_.onClosed = [this] {
    session_.ui().SetStatusPanel(5, 1, "");
    session_.ui().PumpEvents();
  };

  review_.BeginColumn();
  Control& saveReview = review_.Add(ControlKind::Button, "cmdSaveReview",
                                    "Save review of prior distribution likelihoods as...");
  saveReview.toolTip = kSaveToolTip;
  saveReview.onClick = [this] { SaveReview(); };
  review_.Add(ControlKind::TextPane, "rtbReviewPriors").readOnly = false;
  review_.End();
  review_.onClosed = [this] { review_.SetText("rtbReviewPriors", ""); };
}

void PriorReportWindows::ShowPriorDists(const std::string& report) {
  Ui& ui = session_.ui();
  if (prior_dists_.IsOpen()) ui.BringToFront(prior_dists_);
  else ui.ShowForm(prior_dists_);
  prior_dists_.SetText("rtbPriorDists", report);
}

void PriorReportWindows::ShowReview(const std::string& review) {
  Ui& ui = session_.ui();
  if (review_.IsOpen()) ui.BringToFront(review_);
  else ui.ShowForm(review_);
  review_.SetText("rtbReviewPriors", review);
}

void PriorReportWindows::SavePriorDists() {
  Save(prior_dists_, "rtbPriorDists", "Save Bayesian prior values in...",
       "All files (*.*)|*.*|Bayesian prior distribution files (*.pdp)|*.pdp", ".pdp",
       "The Bayesian prior distribution data");
}

void PriorReportWindows::SaveReview() {
  Save(review_, "rtbReviewPriors", "Save review in...",
       "All files (*.*)|*.*|Review priors files (*.rvp)|*.rvp", ".rvp", "The review of priors");
}

void PriorReportWindows::Save(Form& form, const char* pane, const char* title, const char* filter,
                              const char* extension, const char* what) {
  Ui& ui = session_.ui();
  const FileDialogRequest request{title, filter, 2, DateTimeFileName(extension)};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  std::string text = SavedReportText(*path, form.Text(pane));
  if (auto error = WriteTextFileAtomically(*path, text)) {
    // The pane keeps its text: it was not saved under that name.
    ui.ShowMessage(std::string(what) + " could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Not saved", Icon::Exclamation);
    return;
  }
  form.SetText(pane, std::move(text));
}

}  // namespace quorvane
