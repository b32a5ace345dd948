#include "minimize/limit_note.h"

#include <vector>

#include "core/model.h"

namespace quorvane {

std::string LimitNoteText(const Model& model, const OneBased<double>& P) {
  const std::vector<std::string> notes = model.LimitNotes(P);
  if (notes.empty()) return "";
  std::string text =
      "Note: this minimum lies on a limit of the parameter space, where a penalty holds the "
      "model inside it; the true minimum may lie beyond it:";
  for (const std::string& note : notes) text += "\r\n   " + note;
  return text;
}

}  // namespace quorvane
