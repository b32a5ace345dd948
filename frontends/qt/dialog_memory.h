#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/ui/figure_options.h"

class QFileDialog;
class QWidget;

namespace quorvane {
struct FileDialogRequest;
}

namespace quorvane::qt {

// What the desktop's dialogs remember during one session, and only then:
// the folder each kind of file was last chosen in, and the choices of the
// last saved figure. A file chooser of a kind not used yet opens in the
// folder of the session's data file (before there is one, in the working
// folder). The proposed names stay as the application gives them; a name
// with a folder of its own opens in that folder.
class DialogMemory {
 public:
  // The kind of file a chooser's filter asks for: its first pattern with an
  // extension of its own ("*.alg" in "All files (*.*)|*.*|Algorithm files
  // (*.alg)|*.alg"), or "" when it lists only all files.
  static std::string KindOf(const std::string& filter);
  // The kind under which saved figures are remembered, whatever their format.
  static constexpr const char* kFigures = "figures";

  // The folder a chooser of `kind` opens in, as an absolute path.
  std::string FolderFor(const std::string& kind) const;
  // The user chose `path` in a chooser of `kind`.
  void Chose(const std::string& kind, const std::string& path);
  // The folders chosen in this session, the latest last.
  const std::vector<std::string>& History() const { return history_; }

  // Opens `dialog` in the folder for `kind` with the proposed name selected;
  // its list of recent folders is this session's.
  void Prepare(QFileDialog& dialog, const std::string& kind, const std::string& proposedName) const;

  // The path of the session's data file, or "" before there is one.
  std::function<std::string()> dataFile;

  // The name proposed for the next saved figure: the data file's name and
  // the figure's number, "nile-plot1.png", numbered on from the figures
  // saved in this session and past the names already taken in `folder`.
  std::string FigureName(const std::string& folder, const std::string& extension) const;
  void FigureSaved() { ++figuresSaved_; }

  // The size, resolution, title choice and format of the last saved figure.
  FigureOptions figureOptions;
  int figureFormat = 0;

 private:
  std::map<std::string, std::string> folders_;
  std::vector<std::string> history_;
  int figuresSaved_ = 0;
};

// The memory of the session `widget` belongs to: the main window's. A
// widget outside the main window uses one of its own for the process.
DialogMemory& DialogMemoryOf(QWidget* widget);

}  // namespace quorvane::qt
