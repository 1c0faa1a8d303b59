#include "app/ModelPath.h"

#include <system_error>

namespace Quorvane {

namespace {

// The error_code overload: an unreadable directory is "not there", not an
// exception during static initialisation.
bool isFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::filesystem::path findModelPath(const std::filesystem::path& relativePath,
                                    const std::filesystem::path& executableDirectory)
{
    if (isFile(relativePath))
        return relativePath;
    if (!executableDirectory.empty()) {
        std::filesystem::path besideExecutable = executableDirectory / relativePath;
        if (isFile(besideExecutable))
            return besideExecutable;
    }
    return relativePath;
}

} // namespace Quorvane
