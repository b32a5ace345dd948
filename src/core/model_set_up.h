#pragma once

namespace quorvane {

class Session;

// The model's set-up call (NF = 0) and what the estimation core keeps from
// it: the model counts its parameters and writes their descriptions; the
// algorithm data are discarded (defaults sized to the new count, no file
// name), as are the fuse groups, the free list and the stored simplex; the
// model counts as initialized. The model set-up window ends with this call.
void SetUpModel(Session& session);

}  // namespace quorvane
