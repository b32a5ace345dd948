#pragma once

#include <functional>
#include <string>

#include "base/ui/form.h"
#include "priors/prior_table.h"

namespace quorvane {

class Session;

// Palette code of the grid rows whose prior is not uniform-unbounded.
inline constexpr int kPriorSetColor = 9;

// The two windows through which the user reaches the prior table: the
// loader "Load Bayesian priors" (open a file, set priors, reset them all to
// uniform-unbounded, cancel) and the editor "Set prior distributions", a
// grid of the parameters with a menu of the prior types. They also switch
// PriorsActive and fix ObjectiveScale when the editor closes. Constructing
// them gives the session's objective its prior term.
class PriorWindows {
 public:
  explicit PriorWindows(Session& session);

  Form& Loader() { return loader_; }
  Form& Editor() { return editor_; }

  // Opens the loader. The caller sets PriorsOpenedFromMenu or
  // PriorsOpenedFromRanking first, so the closing windows know where to return.
  void OpenLoader();
  // Closing the editor (mnuFinish or the close box).
  void FinishEditor();

  // The parameter whose row the edit commands act on, 0 for none.
  int SelectedParameter() const { return selected_ > 1 ? selected_ - 1 : 0; }

  // Hides and shows the ranking window for a loader opened from it; the
  // ranking window sets these.
  std::function<void()> onHideRanking;
  std::function<void()> onReturnToRanking;

 private:
  // prior_loader.cpp
  void BuildLoader();
  void OnLoaderClosed();
  void CloseLoaderQuietly();
  void Open();
  void Set();
  void SetAllUniform();
  void ResetToUniform();
  void ReturnToOpener();

  // prior_editor.cpp
  void BuildEditor();
  void BuildEditorMenus();
  void ShowEditor();
  void FillGrid();
  void ShowRow(int p);
  void SelectRow(int row);
  void FixObjectiveScale();

  // prior_editor_commands.cpp
  void EditNormal();
  void EditGamma();
  void EditExponential();
  void EditLnNormal();
  void EditBeta();
  void EditCliff(char type);
  void EditBoundedUniform();
  void EditUniform();
  // The answer to one question of an edit command, or false when it was
  // empty. A number that is not finite is refused and asked for again.
  bool Ask(const std::string& prompt, const std::string& title, std::string& answer);
  // Tells the user why parameter p's prior is left as it was.
  void Refuse(int p, const std::string& title, const std::string& reason);
  // Stores parameter p's row and shows it, or refuses it with the reason the
  // priors file's reader would give. True when stored.
  bool Store(int p, const std::string& title, PriorRow row);

  Session& session_;
  Form loader_;
  Form editor_;
  bool closing_quietly_ = false;  // the loader closes to hand over to the editor
  int selected_ = 0;              // SelectedPriorRow: the grid row, 0 for none
};

}  // namespace quorvane
