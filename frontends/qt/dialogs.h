#pragma once

#include <QMessageBox>
#include <QStringList>
#include <string>

#include "base/ui/ui.h"

class QFileDialog;
class QInputDialog;

namespace quorvane::qt {

class DialogMemory;

// Turns a filter of "description|pattern" pairs ("All files (*.*)|*.*|
// Algorithm files (*.alg)|*.alg") into Qt's name filters ("All files (*)",
// "Algorithm files (*.alg)"). Patterns separated by ";" are separated by
// blanks; "*.*" becomes "*", so files without an extension are listed too;
// a pattern already shown in the description is not repeated. A filter
// without a complete pair gives "All files (*)".
QStringList QtNameFilters(const std::string& filter);

QMessageBox::Icon QtIcon(Icon icon);

// A message box with the title, icon and text (CR LF line breaks), the
// buttons, the default button (what Return presses) and the escape button
// (what Escape and the close box give).
void SetUpMessageBox(QMessageBox& box, const std::string& text, const std::string& title, Icon icon,
                     QMessageBox::StandardButtons buttons,
                     QMessageBox::StandardButton defaultButton,
                     QMessageBox::StandardButton escapeButton);

// An input dialog showing the default text, all of it selected so typing
// replaces it.
void SetUpInputDialog(QInputDialog& dialog, const std::string& prompt, const std::string& title,
                      const std::string& defaultText);

// A file dialog with the request's title, filters (the 1-based filterIndex
// pair chosen first; out of range gives the first) and proposed name, open
// in the folder `memory` keeps for files of `kind`. A dialog for saving
// asks before it replaces a file and adds the chosen filter's extension to
// a name typed without one.
void SetUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool forSaving,
                     const DialogMemory& memory, const std::string& kind);

}  // namespace quorvane::qt
