#pragma once

namespace quorvane {

// The explanatory texts of the Initialize window. Line breaks are CR LF.
extern const char* const kInitializeWhatIDoText;
extern const char* const kInitializeDataFormatText;
extern const char* const kInitializeLimitsText;

}  // namespace quorvane
