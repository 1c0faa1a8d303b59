#pragma once

#include <cstdint>
#include <string_view>

namespace Quorvane {

// The count written at the front of text, read as assimp's readers read the
// counts in a header: decimal digits up to the first other character, in an
// unsigned int that wraps.
inline unsigned int declaredCount(std::string_view text)
{
    unsigned int count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        count = count * 10u + static_cast<unsigned int>(c - '0');
    }
    return count;
}

// assimp allocates what a header declares before it reads a byte of the
// data, so a small file declaring billions of vertices would take gigabytes.
// Every element takes at least one byte of the file, which bounds a count
// that can be real.
inline bool countFitsFile(unsigned int count, std::uintmax_t fileSize)
{
    return count <= fileSize;
}

} // namespace Quorvane
