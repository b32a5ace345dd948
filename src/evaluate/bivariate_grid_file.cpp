#include "evaluate/bivariate_grid_file.h"

#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/ui/ui.h"

namespace quorvane {

namespace {

// A number as a plain print writes it: a blank (or the minus sign) in
// front, a blank after.
std::string PrintedNumber(int value) {
  return (value < 0 ? "" : " ") + PlainNumberText(value) + " ";
}

}  // namespace

std::string BivariateGridText(const BivariateGrid& grid) {
  std::string text = "Bivariate plot data for parameters" + PrintedNumber(grid.XParameter) +
                     "and" + PrintedNumber(grid.YParameter) + "\r\n";
  text += "        X_Coord,        Y_Coord,  Prob_Density\r\n";
  const int n = grid.PointCount();
  const int m = grid.GridPointCount();
  text.reserve(text.size() + static_cast<std::size_t>(n) * static_cast<std::size_t>(m) * 48);
  for (int p = 1; p <= n; ++p)
    for (int j = 1; j <= m; ++j) {
      text += FormatPicture(grid.X[p], "    0.0000E+000");
      text += FormatPicture(grid.Y[j], "     0.0000E+000");
      text += FormatPicture(grid.Density(p, j), "    0.0000E+000");
      text += "\r\n";
    }
  return text;
}

void SaveBivariateGrid(Ui& ui, const BivariateGrid& grid) {
  FileDialogRequest request;
  request.title = "Save grid values in...";
  request.filter = "All files (*.*)|*.*|Grid files (*.grd)|*.grd";
  request.filterIndex = 2;
  request.proposedName = DateTimeFileName(".grd");
  const auto path = ui.ChooseFileToSave(request);
  if (!path) return;
  if (const auto error = WriteTextFileAtomically(*path, BivariateGridText(grid)))
    ui.ShowMessage("The grid values could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Grid values not saved", Icon::Exclamation);
}

}  // namespace quorvane
