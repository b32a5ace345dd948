#include "base/ui/export_csv.h"

#include "base/files/text_file.h"

namespace quorvane {

void ExportCsv(Ui& ui, const CsvExport& table) {
  const FileDialogRequest request{"Export the " + table.What + " as CSV",
                                  "All files (*.*)|*.*|CSV files (*.csv)|*.csv", 2, table.ProposedName};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  if (auto error = WriteTextFileAtomically(*path, table.Text))
    ui.ShowMessage("The " + table.What + " could not be exported to " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Not exported", Icon::Exclamation);
}

}  // namespace quorvane
