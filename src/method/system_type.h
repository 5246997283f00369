#pragma once

// The kind of system being estimated, as chosen on the system type screen.

namespace method {

// A system with neither batch nor on-line chosen counts as mixed, as it always has.
enum class SystemType { Batch, OnLine, Mixed };

} // namespace method
