#pragma once

namespace quorvane {

// The texts of the informational windows. Line breaks are CR LF.
extern const char* const kDefaultsText;
extern const char* const kWisdomText;
extern const char* const kCreditsText;

}  // namespace quorvane
