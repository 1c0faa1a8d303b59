#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Quorvane {

// The bytes of a binary glTF header that glbHeaderProblem reads.
constexpr std::size_t glbHeaderBytes = 16;

// What is wrong with the header of a binary glTF file of fileSize bytes whose
// first bytes (at least glbHeaderBytes of them, or the whole file) are start;
// empty when its lengths fit the file. assimp allocates the length of the
// first chunk (glTF 2) or of the content (glTF 1), both the little-endian word
// at byte 12, before it reads it, so a small file claiming 4 GB would take
// 4 GB. A start that is not a glTF header is left to assimp.
std::string glbHeaderProblem(std::string_view start, std::uintmax_t fileSize);

} // namespace Quorvane
