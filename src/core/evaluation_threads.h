#pragma once

namespace quorvane {

// The number of worker threads a grid evaluates on: QUORVANE_THREADS when it
// holds a whole number from 1 to 256, otherwise the number of cores the
// machine reports (1 when it reports none). 1 keeps every evaluation on the
// calling thread.
int EvaluationThreadCount();

// The same rule applied to a text (null: the variable is not set).
int EvaluationThreadCount(const char* text, unsigned cores);

}  // namespace quorvane
