#include "app/ExecutableDirectory.h"

#include <windows.h>

#include <string>

namespace Quorvane {

std::filesystem::path executableDirectory()
{
    // GetModuleFileNameW cuts a path that does not fit and then returns the
    // buffer size: grow until it fits, up to the longest path Windows has.
    constexpr std::size_t longestPath = 32768;
    std::wstring buffer(MAX_PATH, L'\0');
    while (buffer.size() <= longestPath) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

} // namespace Quorvane
