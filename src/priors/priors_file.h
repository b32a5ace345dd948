#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "priors/prior_table.h"

namespace quorvane {

// The priors file (.pri), in fixed columns, lines ended by CR LF:
//   line 1      the parameter count;
//   line 1 + i  cols 1-3 the ordinal, 4-6 blanks, 7 the type letter,
//               8-18, 19-29, 30-40 and 41-51 the four terms, 52-54 blanks,
//               55- the type's name.
// A term is written as "d.dddE+ddd" after a blank, or after "-" when it is
// negative, so that every term fills its 11 columns and reads back; a text
// term that is not a number ("Unused") is written as it is, right-justified.
std::string PriorsFileText(const PriorTable& table);

// Why the table, once written, would not read back although every row is
// usable as it stands: rounded to the file's four significant digits a
// row's terms can leave its distribution undefined (a Gamma SD of 1 below a
// mean of 1.00001 becomes equal to it). Empty when the file reads back, and
// when some row is unusable already (such a table is saved as it is).
std::string PriorsRoundingFault(const PriorTable& table);

// The first value of the file was a parameter count other than the model's.
struct PriorsCountMismatch {
  long long count = 0;
};
// The file cannot be used: it ends early, its first value is not a number,
// or a row holds terms its type leaves undefined. `line` is 1-based.
struct PriorsFileFault {
  int line = 0;
  std::string reason;
};
// What a priors file gives for a model of `parameterCount` parameters:
// the rows, a count mismatch, or a fault. Lines after the last row are not read.
using PriorsFileContent = std::variant<std::vector<PriorRow>, PriorsCountMismatch, PriorsFileFault>;
PriorsFileContent ParsePriorsFile(const std::vector<std::string>& lines, int parameterCount);

// Why a row's terms are undefined for its type, or empty when they are
// usable: every term the type uses is set, SDs are positive where the
// distribution needs them, a Gamma SD is below its mean, Ln-normal and Gamma
// means are positive, a Beta mean lies in (0, 1) with both shapes positive,
// and a bounded uniform's right foot exceeds its left foot.
std::string UndefinedPriorTerms(const PriorRow& row);

// Why a row could not be saved and loaded again: its terms are undefined for
// its type (UndefinedPriorTerms), or they become so once rounded to the
// file's four significant digits. Empty when the row reads back. The prior
// editor refuses such rows with this reason, the reader's own, so that
// every prior it accepts loads again.
std::string PriorRowFault(const PriorRow& row);

// True when the whole text, blanks aside, is one number (a term's text that
// is written and shown as a number rather than as it stands).
bool IsNumberText(std::string_view text);

}  // namespace quorvane
