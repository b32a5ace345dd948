// What PumpEvents costs a calculation that calls it once per objective
// evaluation: the Qt front end processes events only every few tens of
// milliseconds, so most calls only read a clock. Processing events on every
// call is measured beside it for comparison.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "app/session.h"

namespace {

void BM_PumpEvents(benchmark::State& state) {
  quorvane::qt::QtUi ui;
  quorvane::Session session(ui, nullptr);
  ui.AttachMainWindow(session.Main());
  session.Start();
  for (auto _ : state) ui.PumpEvents();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PumpEvents);

void BM_ProcessEventsOnEveryCall(benchmark::State& state) {
  quorvane::qt::QtUi ui;
  quorvane::Session session(ui, nullptr);
  ui.AttachMainWindow(session.Main());
  session.Start();
  for (auto _ : state) QCoreApplication::processEvents();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ProcessEventsOnEveryCall);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
