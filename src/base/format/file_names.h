#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace quorvane {

// An 8-digit name MMDDhhmm (month, day, 24-hour clock hour, minute, each
// two digits) followed by `extension` as given, dot included:
// 4 February 15:07 with ".alg" gives "02041507.alg". Names made within the
// same minute are equal.
std::string DateTimeFileName(std::string_view extension, const std::tm& when);

// The same for the current local time.
std::string DateTimeFileName(std::string_view extension);

// The file name after the last "/" or "\", less its last four characters
// (a three-letter extension and its dot): "C:\data\model1.alg" gives
// "model1". A name of four characters or fewer gives "".
std::string FileTitle(std::string_view path);

}  // namespace quorvane
