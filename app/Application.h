#pragma once

namespace vux {

// The program: single instance, the state, the platform backends, the window.
// Returns the process exit status.
int runApplication(int argc, char** argv);

} // namespace vux
