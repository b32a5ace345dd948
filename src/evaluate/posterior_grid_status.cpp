#include "evaluate/posterior_grid_status.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/ui/ui.h"

namespace quorvane {

namespace {

double Seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// How often the time-left panels of a grid change while it runs, in seconds.
constexpr double kStatusInterval = 0.015;

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

std::string MinutesSecondsText(std::int64_t seconds) {
  const std::int64_t minutes = seconds / 60;
  const auto rest = static_cast<int>(seconds - 60 * minutes);
  return std::to_string(minutes) + ":" + TwoDigits(rest);
}

std::string TimeOfDayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TwoDigits(local.tm_hour) + ":" + TwoDigits(local.tm_min) + ":" + TwoDigits(local.tm_sec);
}

PosteriorGridStatus::PosteriorGridStatus(Ui& ui, bool& interruptFlag, const PosteriorGridSpec& spec)
    : ui_(ui),
      interrupt_(interruptFlag),
      spec_(spec),
      start_(Seconds()),
      total_(static_cast<std::int64_t>(spec.EvaluationTotal())) {}

void PosteriorGridStatus::PointStarted(int p, double value) {
  if (spec_.GridParameterCount == 0) {
    ui_.SetStatusPanel(5, 1, "Calculating profile point " + FormatPicture(p, "###0") + " of " +
                                 FormatPicture(spec_.PointCount, "###0") + "," +
                                 " Value of parameter # " + PlainNumberText(spec_.EvaluatedParameter) +
                                 " which is being profiled is: " + FormatPicture(value, "0.0000E+00"));
    ui_.PumpEvents();
    return;
  }
  ui_.SetStatusPanel(5, 1, "Value of parameter being profiled: " + FormatPicture(value, "0.0000E+00") +
                               " (point " + FormatPicture(p, "##0") + " of " +
                               FormatPicture(spec_.PointCount, "##0)"));
  ui_.PumpEvents();
  if (p != 1) return;
  ui_.SetStatusPanel(2, 1, PlainNumberText(total_) + " function calls required");
  ui_.SetStatusPanel(2, 2, "Started at " + TimeOfDayText());
  ui_.SetStatusPanel(2, 3, "Integrating probabilities for profile parameter #" +
                               PlainNumberText(spec_.EvaluatedParameter));
  ui_.ShowStatusBar(3, true);
}

bool PosteriorGridStatus::LevelEntered(int level, int j) {
  // An inner level may be entered every few microseconds: its panel is set
  // on its first entry and then about every kStatusInterval.
  double& shownAt = levelShownAt_[static_cast<std::size_t>(level - 1)];
  const double now = Seconds();
  if (shownAt == 0.0 || now - shownAt >= kStatusInterval) {
    ShowLevel(level, j);
    shownAt = now;
  }
  ui_.PumpEvents();
  return GoOn();
}

void PosteriorGridStatus::ShowLevel(int level, int j) {
  const int parameter = spec_.GridParameter[static_cast<std::size_t>(level - 1)];
  std::string text = "Parameter #" + FormatPicture(parameter, "#0") + " (point " +
                     FormatPicture(j, "##0") + " of " + FormatPicture(spec_.GridPointCount, "##0") +
                     ")";
  if (level < 5) {
    ui_.SetStatusPanel(3, level, text);
  } else if (level == 5) {
    levelFive_ = text;
    ui_.SetStatusPanel(3, 5, text);
  } else {
    ui_.SetStatusPanel(3, 5, levelFive_ + "  " + text);
  }
}

void PosteriorGridStatus::Evaluated(std::int64_t count) {
  if (spec_.GridParameterCount == 0) {
    if (!interrupt_) ShowTimeLeft(spec_.PointCount - count, count);
    return;
  }
  // A grid node may take a few microseconds, far less than the eye can
  // follow and less than the panels' texts take to build: they are shown
  // for the first and the last node and otherwise every kStatusInterval.
  const double now = Seconds();
  if (count == 1 || count == total_ || now - shownAt_ >= kStatusInterval) {
    ShowTimeLeft(total_ - count, count);
    shownAt_ = now;
  }
  ui_.PumpEvents();
}

bool PosteriorGridStatus::PointFinished(int) { return GoOn(); }

void PosteriorGridStatus::Waiting() { ui_.PumpEvents(); }

bool PosteriorGridStatus::GoOn() {
  if (!interrupt_) return true;
  interrupt_ = false;
  if (BeforeQuestion) BeforeQuestion();
  return ui_.AskYesNo("Interrupt received.  Quit calculations?", "Bayesian calculations",
                      Icon::Question) != Answer::Yes;
}

void PosteriorGridStatus::ShowTimeLeft(std::int64_t remaining, std::int64_t done) {
  // Remaining seconds = elapsed / evaluations done x evaluations left,
  // rounded to the nearest whole second, halves to even.
  const double elapsed = Seconds() - start_;
  const auto seconds =
      static_cast<std::int64_t>(std::nearbyint(elapsed / static_cast<double>(done) * static_cast<double>(remaining)));
  ui_.SetStatusPanel(4, 1, "Function calls remaining: " + std::string(" ") + PlainNumberText(remaining));
  ui_.SetStatusPanel(4, 2, "Estimated time remaining (m:s): " + MinutesSecondsText(seconds));
  ui_.SetProgress(static_cast<double>(done) / static_cast<double>(done + remaining));
}

}  // namespace quorvane
