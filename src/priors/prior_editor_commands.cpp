// The edit commands of the prior editor: each asks for the terms of the
// selected parameter's prior, checks them by the priors file's own rule and
// stores the row.
#include <cmath>

#include "app/session.h"
#include "base/format/format_picture.h"
#include "base/format/leading_number.h"
#include "base/format/plain_number_text.h"
#include "base/ui/finite_answer.h"
#include "priors/prior_windows.h"
#include "priors/priors_file.h"

namespace quorvane {

namespace {

// The Greek beta of the Beta messages, in UTF-8.
constexpr const char* kBeta = "\xC3\x9F";

std::string Number(long long p) { return PlainNumberText(p); }

PriorRow MakeRow(char type, double first, double second, std::string third = kUnusedTerm,
                 std::string fourth = kUnusedTerm) {
  PriorRow row;
  row.Type = std::string(1, type);
  row.FirstTerm = first;
  row.SecondTerm = second;
  row.SetThirdTerm(std::move(third));
  row.SetFourthTerm(std::move(fourth));
  return row;
}

}  // namespace

bool PriorWindows::Ask(const std::string& prompt, const std::string& title, std::string& answer) {
  // A number beyond the range of a double is refused and asked for again.
  do {
    answer = session_.ui().AskValue(prompt, title, "");
    if (answer.empty()) return false;
  } while (RefuseNotFinite(session_.ui(), answer, title));
  return true;
}

void PriorWindows::Refuse(int p, const std::string& title, const std::string& reason) {
  session_.ui().ShowMessage("The prior of parameter #" + Number(p) + " cannot be used: " + reason +
                                ".\r\nThe prior of parameter #" + Number(p) +
                                " has not been changed.",
                            title, Icon::Exclamation);
}

bool PriorWindows::Store(int p, const std::string& title, PriorRow row) {
  // The rule of the priors file's reader, so that every prior the editor
  // accepts is one that loads again and that the objective can evaluate.
  if (const std::string fault = PriorRowFault(row); !fault.empty()) {
    Refuse(p, title, fault);
    return false;
  }
  session_.Priors.Rows[static_cast<std::size_t>(p - 1)] = std::move(row);
  ShowRow(p);
  return true;
}

void PriorWindows::EditNormal() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Gaussian (i.e., Normal)";
  std::string mean, sd;
  if (!Ask("Choose mean of parameter #" + Number(p), title, mean)) return;
  if (!Ask("Choose SD of parameter #" + Number(p), title, sd)) return;
  Store(p, title, MakeRow('N', LeadingNumber(mean), std::fabs(LeadingNumber(sd))));
}

void PriorWindows::EditGamma() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Gamma";
  std::string meanText, sdText;
  if (!Ask("Choose mean (> 0) of parameter #" + Number(p), title, meanText)) return;
  if (!Ask("Choose SD (0 < SD < Mean) of parameter #" + Number(p), title, sdText)) return;
  const double mean = LeadingNumber(meanText), sd = LeadingNumber(sdText);
  // As typed first: an SD typed below a negative mean (-3 and -4) is
  // refused although the absolute values would pass.
  if (mean == 0.0 || sd == 0.0 || !(sd < mean)) {
    Refuse(p, title, UndefinedPriorTerms(MakeRow('G', mean, sd)));
    return;
  }
  Store(p, title, MakeRow('G', std::fabs(mean), std::fabs(sd)));
}

void PriorWindows::EditExponential() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Exponential";
  std::string meanText;
  if (!Ask("For the exponential distribution the instantaneous decay rate "
           "is equal to the reciprocal of both the mean and the SD\r\n\r\n"
           "Choose the mean (and thus SD) of parameter #" +
               Number(p),
           title, meanText))
    return;
  const double mean = std::fabs(LeadingNumber(meanText));
  Store(p, title, MakeRow('E', mean, mean));
}

void PriorWindows::EditLnNormal() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Ln-normal";
  std::string meanText, sdText;
  if (!Ask("Choose mean (> 0) of parameter #" + Number(p), title, meanText)) return;
  if (!Ask("Choose SD (> 0) of parameter #" + Number(p), title, sdText)) return;
  Store(p, title,
        MakeRow('L', std::fabs(LeadingNumber(meanText)), std::fabs(LeadingNumber(sdText))));
}

void PriorWindows::EditBeta() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Beta";
  std::string meanText, sdText;
  if (!Ask("Choose mean (0 < mean < 1) of parameter #" + Number(p), title, meanText)) return;
  if (!Ask("Choose SD (> 0) of parameter #" + Number(p), title, sdText)) return;
  double m = LeadingNumber(meanText), s = LeadingNumber(sdText);
  if (!(m > 0.0 && m < 1.0) || s == 0.0) {
    Refuse(p, title, UndefinedPriorTerms(MakeRow('B', m, s)));
    return;
  }
  m = std::fabs(m);
  s = std::fabs(s);
  // The shapes of the Beta(a, b) with mean m = a/(a+b) and variance
  // s^2 = m(1-m)/(a+b+1).
  const double a = m * (m - m * m - s * s) / (s * s);
  const double b = (1.0 - m) * (m - m * m - s * s) / (s * s);
  Ui& ui = session_.ui();
  const auto shown = [](double v) { return FormatPicture(v, "####0.####"); };
  if (a > 0.0 && b > 0.0) {
    PriorRow row = MakeRow('B', m, s);
    if (const std::string fault = PriorRowFault(row); !fault.empty()) {
      Refuse(p, title, fault);
      return;
    }
    ui.ShowMessage(std::string("The corresponding values for 'a' & 'b' of ") + kBeta +
                       " (a,b) are: " + shown(a) + " & " + shown(b),
                   title, Icon::Information);
    Store(p, title, std::move(row));
  } else if (a > 0.0) {
    ui.ShowMessage(std::string("An unacceptable (< 0) value for 'b' of ") + kBeta +
                       " (a,b) is: " + shown(b),
                   title, Icon::Information);
  } else {
    ui.ShowMessage(std::string("An unacceptable (< 0) value for 'a' of ") + kBeta +
                       " (a,b) is: " + shown(a),
                   title, Icon::Information);
  }
}

void PriorWindows::EditCliff(char type) {
  const int p = SelectedParameter();
  if (!p) return;
  const bool left = type == 'S';
  const char* title = left ? "Left-side cliff" : "Right-side cliff";
  const std::string side = left ? "left" : "right";
  std::string footText, sdText;
  if (!Ask("Choose " + side + " foot of parameter #" + Number(p), title, footText)) return;
  if (!Ask("Choose SD @ the " + side + " foot of parameter #" + Number(p), title, sdText)) return;
  Store(p, title, MakeRow(type, LeadingNumber(footText), std::fabs(LeadingNumber(sdText))));
}

void PriorWindows::EditBoundedUniform() {
  const int p = SelectedParameter();
  if (!p) return;
  const char* title = "Uniform-bounded";
  // All four questions again until the left foot lies below the right one.
  for (;;) {
    std::string leftText, leftSd, rightText, rightSd;
    if (!Ask("Choose left foot of parameter #" + Number(p), title, leftText)) return;
    if (!Ask("Choose SD @ the left foot of parameter #" + Number(p), title, leftSd)) return;
    if (!Ask("Choose right foot of parameter #" + Number(p) + ", it must exceed left foot.",
             title, rightText))
      return;
    if (!Ask("Choose SD @ the right foot of parameter #" + Number(p), title, rightSd)) return;
    const double leftFoot = LeadingNumber(leftText);
    if (leftFoot < LeadingNumber(rightText)) {
      Store(p, title,
            MakeRow('T', leftFoot, std::fabs(LeadingNumber(leftSd)), rightText,
                    PlainNumberText(std::fabs(LeadingNumber(rightSd)))));
      return;
    }
  }
}

void PriorWindows::EditUniform() {
  const int p = SelectedParameter();
  if (!p) return;
  session_.Priors.Rows[static_cast<std::size_t>(p - 1)] = PriorRow{};
  ShowRow(p);
}

}  // namespace quorvane
