#include "app/ExecutableDirectory.h"

#include <system_error>

namespace Quorvane {

// Linux names the running program in /proc. QCoreApplication::applicationDirPath
// would say the same, but the model loads during static initialisation, before
// any QCoreApplication exists.
std::filesystem::path executableDirectory()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return executable.parent_path();
}

} // namespace Quorvane
