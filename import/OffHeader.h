#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Quorvane {

// The most of an OFF file read to find its counts.
constexpr std::size_t maxOffHeaderBytes = 4096;

// What is wrong with the header of an OFF file of fileSize bytes whose first
// bytes are start: a vertex or face count larger than the file could hold,
// which assimp would allocate before reading anything. Empty otherwise; the
// rest is left to assimp.
std::string offHeaderProblem(std::string_view start, std::uintmax_t fileSize);

} // namespace Quorvane
