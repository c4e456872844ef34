#pragma once
// Opaque handles of the platform layer; each backend decides what stands behind them.

namespace quorvel::platform {

struct Window;
using WindowHandle = Window*;

struct Module;
using InstanceHandle = Module*;

}  // namespace quorvel::platform
