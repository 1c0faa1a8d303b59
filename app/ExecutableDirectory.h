#pragma once

#include <filesystem>

namespace Quorvane {

// The directory that holds the running program, or an empty path when the
// system cannot tell. Asking it is specific to each operating system, so every
// shell defines it. It runs during static initialisation (the model path needs
// it), so it may use no toolkit object and no global of its own.
std::filesystem::path executableDirectory();

} // namespace Quorvane
