#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/calendar/period_calendar.h"
#include "base/ui/form.h"
#include "tfn/initialize_validation.h"
#include "tfn/tfn_setup.h"

namespace quorvane {

class Session;

// The window frmInitialize, where the user sets up the time-series model:
// the series files, periods, series and groups, differencing,
// transformations, covariates and the lag order. Continue checks the
// entries, then hands the set-up to `runSetUp`.
class InitializeWindow {
 public:
  explicit InitializeWindow(Session& session);

  Form& form() { return form_; }

  // Opens the window with its initial entries; after a set-up, the periods
  // of that set-up are proposed.
  void Open();

  // Performs the set-up: reads and prepares the series and replaces the
  // model's state. Gives the message to show when the data cannot be used,
  // in which case nothing of the previous set-up has changed.
  std::function<std::optional<ValidationMessage>(const TfnSetup&)> runSetUp;

  // Proposals for the next opening, from the last successful set-up, with
  // the calendars that name the periods.
  struct PeriodProposal {
    int responseStart, responseEnd, covariateStart, covariateEnd;
    bool hasCovariates;
    PeriodCalendar responseCalendar{}, covariateCalendar{};
  };
  void ProposePeriods(const PeriodProposal& proposal) { proposal_ = proposal; }

  // The set-up the entries describe (after the checks have passed). The
  // period boxes are read through the calendars of the chosen files: a
  // number for whole periods, a date for a dated file.
  TfnSetup ReadSetup() const;
  InitializeEntries ReadEntries() const;

 private:
  void Build();
  void Reset();
  void ResponseSeriesChanged();
  void GroupEndChanged(int group);
  void ResponseDifferencingChanged();
  void TransformationChanged(const std::string& side);
  void CovariatesChanged();
  void CovariateListsEnabled();
  void SelectFile(bool response);
  void ProposeFilePeriods(bool response);
  void ListSeries(bool response);
  void FillGroupItems();
  // Reads the calendars of the chosen files again and checks that every
  // period box names a period of its file's calendar.
  std::optional<ValidationMessage> ReadPeriodBoxes();
  double PeriodNumber(const std::string& box, const PeriodCalendar& calendar) const;
  void Continue();
  void Cancel();
  std::string Group(int g, char which) const;

  // What the window knows of a chosen file: the calendar of its periods
  // and the names of its series (none until a file has been read).
  struct FileOutline {
    PeriodCalendar calendar;
    std::vector<std::string> names;
  };

  Session& session_;
  Form form_;
  std::optional<PeriodProposal> proposal_;
  FileOutline response_, covariate_;
};

}  // namespace quorvane
