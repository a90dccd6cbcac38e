// The pictures compiled into the program (skin and icon), under ":/".
#pragma once

namespace plinvor {

// Makes the compiled-in pictures readable. A static library's resources are
// not registered by themselves; safe to call any number of times, from any
// thread.
void LoadResources();

}  // namespace plinvor
