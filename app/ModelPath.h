#pragma once

#include <filesystem>

namespace Quorvane {

// Where the program reads its model: relativePath as it stands (relative to
// the working directory) when a file is there; otherwise the same path under
// executableDirectory when a file is there, so that the program also starts
// from another directory; otherwise relativePath again, whose load then fails
// and names the path the user expects.
std::filesystem::path findModelPath(const std::filesystem::path& relativePath,
                                    const std::filesystem::path& executableDirectory);

} // namespace Quorvane
