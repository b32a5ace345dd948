#pragma once

#include <string>

#include "base/ui/ui.h"

namespace quorvane {

// What "Export as CSV..." saves: the comma-separated text of a table, what
// the messages call it ("summary table", "forecasts", ...) and the file
// name the chooser proposes.
struct CsvExport {
  std::string Text;
  std::string What;
  std::string ProposedName;
};

// "Export as CSV...": asks where to save the table (title "Export ... as
// CSV", filter "All files (*.*)|*.*|CSV files (*.csv)|*.csv", the second
// preselected) and writes it atomically; when it cannot, the message says
// why and that any earlier file of that name is unchanged. Cancelling does
// nothing.
void ExportCsv(Ui& ui, const CsvExport& table);

}  // namespace quorvane
