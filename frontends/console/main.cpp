// quorvane-console: the terminal and script front end.
#include <csignal>
#include <cstring>
#include <fstream>
#include <iostream>
#include <unistd.h>

#include "console/console_ui.h"
#include "console/model_factory.h"
#include "quorvane_version.h"
#include "app/session.h"
#include "tfn/tfn_application.h"

namespace {

void OnInterruptSignal(int) {
  // A second Ctrl+C before the first was handled ends the program, so a
  // user is never stuck.
  if (quorvane::console::InterruptSignal().exchange(true)) _exit(130);
  const char note[] = "\nInterrupt requested\n";
  ssize_t ignored = write(STDERR_FILENO, note, sizeof note - 1);
  (void)ignored;
}

int Usage(std::ostream& out, int status) {
  out << "Usage: quorvane-console [--script FILE] [--quiet]\n"
         "       quorvane-console --version | --help\n"
         "Shows as text what the desktop application quorvane shows, and reads commands\n"
         "and answers from the terminal, or from FILE.\n"
         "\n"
         "  --script FILE  read the commands and answers from FILE, echoing each line\n"
         "  --quiet        print only messages and questions, not the windows\n"
         "  --version      print the version and exit\n"
         "  --help         print this text and exit\n"
         "\n"
         "Environment:\n"
         "  QUORVANE_THREADS  the number of threads the covariance and posterior grids\n"
         "                    evaluate on, 1 to 256 (otherwise one per core)\n"
         "\n"
         "Type help at the prompt for the commands; the manual page: man quorvane-console.\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  quorvane::console::ConsoleOptions options;
  const char* script = nullptr;
  bool testModel = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
      script = argv[++i];
    } else if (std::strcmp(argv[i], "--quiet") == 0) {
      options.quiet = true;
    } else if (std::strcmp(argv[i], "--test-model") == 0) {
      // Not in the usage text: the end-to-end tests run a small built-in
      // demonstration model, already set up.
      testModel = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      return Usage(std::cout, 0);
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "quorvane-console " QUORVANE_VERSION "\n";
      return 0;
    } else {
      std::cerr << "Unknown argument: " << argv[i] << "\n";
      return Usage(std::cerr, 64);
    }
  }

  std::ifstream scriptFile;
  std::istream* input = &std::cin;
  if (script) {
    scriptFile.open(script);
    if (!scriptFile) {
      std::cerr << "Cannot open the script " << script << ": " << std::strerror(errno) << "\n";
      return 66;
    }
    input = &scriptFile;
    options.echo = true;
  } else {
    options.interactive = isatty(STDIN_FILENO) != 0;
  }

  struct sigaction action {};
  action.sa_handler = OnInterruptSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);

  quorvane::console::ConsoleUi ui(*input, std::cout, std::cerr, options);
  // The application carries the time-series model; the hidden test option
  // swaps in the small demonstration model instead.
  quorvane::TfnApplication timeSeries;
  auto demonstration = testModel ? quorvane::console::MakeTestModel() : nullptr;
  quorvane::Session session(ui, testModel ? demonstration.get() : &timeSeries.Model());
  if (!testModel) timeSeries.Attach(session);
  return ui.Run([&session, testModel] {
    session.Start();
    if (testModel) quorvane::console::SetUpTestModel(session);
  });
}
