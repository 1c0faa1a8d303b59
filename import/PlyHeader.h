#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Quorvane {

// The longest PLY header read; real ones are a few hundred bytes.
constexpr std::size_t maxPlyHeaderBytes = std::size_t{1} << 20;

// What is wrong with the header of a PLY file of fileSize bytes whose first
// bytes (at least maxPlyHeaderBytes of them, or the whole file) are start;
// empty when it is well formed. assimp's PLY reader crashes or never returns
// on a header that lacks its end line or holds control characters, so the
// importer hands it only headers of printable lines, each a known keyword,
// from "ply" to "end_header", whose element counts the file could hold.
std::string plyHeaderProblem(std::string_view start, std::uintmax_t fileSize);

} // namespace Quorvane
