#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/algorithm_data.h"

namespace quorvane {

// The algorithm data file (".alg"): n + 7 lines ended by CR LF, each
// beginning with a field of fixed columns followed by a label the reader
// ignores.
//
//   line 1        cols 1-14 parameter count ("###0"), "  Number of parameters"
//   line 1 + i    cols 1-14 value i, cols 15-30 step i right-aligned in 16,
//                 cols 31-34 fuse code right-aligned in 4, then the label and
//                 description i (values and steps as "0.0000000E+00")
//   line n + 2    tolerance; n + 3 maximum function calls; n + 4 terminal
//                 output frequency; n + 5 file output frequency; n + 6 log
//                 file name; n + 7 step size reduction fraction; each in
//                 cols 1-14 followed by its label
//
// A rendering wider than its field (a negative number with a three-digit
// exponent takes 15 characters) is written whole: a wide value fills column
// 15 and moves the fields after it one column right, a wide step fills column
// 16. Ordinary lines have blanks in both columns, so the reader takes a line
// with a character there field by field (value, step, then the code two
// columns after the step's end) instead of by columns. Ordinary values keep
// the exact columns.

// Which label the parameter lines carry: the main menu's save writes
// "  Value, step then link for ", the ranking window's "  Value, step then link for: ".
enum class ParameterLineLabel { MainMenu, Ranking };

// The log file name as the writer stores it: names of at most 14 characters
// stay; a longer one keeps what follows the last "\" or "/" among its last
// 14 characters, or else its last 14 characters.
std::string ShortenLogFileName(const std::string& name);

// The lines of the file for these data, without line ends. The data must
// hold their parameter arrays (HasParameterArrays).
std::vector<std::string> AlgorithmFileLines(const AlgorithmData& data, ParameterLineLabel label);

// Shortens data.LogFileName in place, then replaces the file at `path`
// atomically. Gives the reason when nothing could be written; an existing
// file is then left as it was.
std::optional<std::string> WriteAlgorithmFile(AlgorithmData& data, const std::string& path,
                                              ParameterLineLabel label);

// What reading a file found.
enum class AlgorithmFileProblem {
  None,
  CountMismatch,   // the count line disagrees with the model's parameter count
  TooFewLines,     // the file ended, or its last line was unusable, or it has
                   // fewer than n + 7 lines and one could not be read
  TooManyLines,    // a line that is not empty follows the settings
  BadlyFormatted,  // a field that cannot be read, before the file's last line
  NotFinite,       // a number field that reads as Inf or NaN
};

struct AlgorithmFileReading {
  AlgorithmFileProblem Problem = AlgorithmFileProblem::None;
  std::int64_t Count = 0;  // the count line's number, for the mismatch message
  std::size_t Line = 0;    // NotFinite: the 1-based line and the field read there
  std::string Field;
};

// Reads the lines of a file for a model with `parameterCount` parameters.
// On success replaces the values, steps, fuse codes and settings of `data`
// (FileFrequency becomes 0: a newly loaded parameter set writes nothing to a
// log until the user sets a frequency); on any problem leaves `data` exactly
// as it was. Descriptions are the model's and are never read.
AlgorithmFileReading ParseAlgorithmFile(const std::vector<std::string>& lines,
                                        std::int16_t parameterCount, AlgorithmData& data);

// The message the user is shown for a problem.
std::string AlgorithmFileProblemText(const AlgorithmFileReading& reading, const std::string& path,
                                     std::int16_t parameterCount);

}  // namespace quorvane
