#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/ui/form.h"
#include "multimodel/ranked_model.h"

namespace quorvane {

class Session;

// The ranking window frmRank: competing models, one grid row each, with
// their -ln[L], K and AICc (QAICc with C-hat above 1); their ranking with
// differences and Akaike weights; the averaging of their estimates read
// from their covariance files; and the multi-model statistics file.
class RankWindow {
 public:
  explicit RankWindow(Session& session);

  Form& form() { return form_; }
  const std::vector<RankedModel>& Models() const { return models_; }
  double CHat() const { return cHat_; }
  bool Averaged() const { return averaged_; }

  // The main menu's "&Multi-model statistics": opens the window with the
  // current model as its first row.
  void Open();

  void RankAddModel();
  void RankQAICc();
  void RankModels();
  void AverageModels();
  // Asks for a file and writes the table (and the averaging text after an
  // averaging). False when nothing was written.
  bool Save_Ranks();

  // Shows the window again after the editor or the priors loader hid it.
  void ShowAgain();

  // Asked once, for the first model: sets ObjectiveScale from the user's
  // covariance constant, proposed from this model's objective F, NOBS and K.
  // Empty: the model's own constant, else the fixed sum-of-squares scale.
  std::function<void(double F, std::int32_t NOBS, int K)> AskCovarianceConstant;
  // Shows the priors loader, which returns here through ShowAgain. Empty:
  // priors cannot be set from this window.
  std::function<void()> OpenPriorsLoader;

 private:
  void Build();
  void SetUpGrid();
  void Redraw();
  void DrawRow(int row);
  void SetHeader(bool ranked);
  void ApplyStaleRanking();
  void ForgetAveraging();
  void SetObjectiveScaleForFirstModel(double F, int K);
  void DoubleClicked(int row, int col);
  void LoadClicked();
  void EditClicked();
  void SaveAlgClicked();
  void PriorsClicked();
  void Hide();
  void Closed();

  Session& session_;
  Form form_;
  std::vector<RankedModel> models_;
  double cHat_ = 1.0;
  bool averaged_ = false;
  bool ranked_ = false;
  bool hiding_ = false;
};

}  // namespace quorvane
