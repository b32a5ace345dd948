#include "multimodel/covariance_file_name.h"

#include <fstream>

#include "multimodel/ranked_model.h"

namespace quorvane {

void CheckCovFileName(std::string& name, int mode) {
  std::ifstream file(name, std::ios::binary);
  if (file.is_open()) return;
  if (mode == 1) name = kNoCovarianceFileFound;
  if (mode == 2) name = kNoSuchFileExists;
}

}  // namespace quorvane
