#pragma once

#include "scene/Mesh.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace Quorvane {

// Limits that keep a hostile or enormous file from exhausting memory; the
// file size is our reader's, maxModelFileBytes. Face indices are floats,
// exact only up to 2^24, which bounds the vertices.
constexpr std::size_t maxImportedFaces = 20'000'000;
constexpr std::size_t maxImportedVertices = std::size_t{1} << 24;

struct ImportedModel {
    Mesh mesh;           // empty when problem is set
    std::string problem; // why nothing was imported, as a clause; empty on success
};

// Reads a model file of any format of modelFormats through assimp: every
// polygon triangulated, every mesh of the scene joined with its node
// transforms applied, smooth normals where the file has none, the whole
// centred and scaled uniformly into [-1, 1]^3. The six lists look like our
// reader's: one normal and one texture coordinate per vertex ((0, 0) where the
// file has none), and each face names the same 1-based index in all three
// index lists. Points and lines are dropped. Never throws.
ImportedModel importModel(const std::filesystem::path& path);

// Reads a model from bytes in memory by the same steps as importModel, in the
// format of modelFormats that extension names (lower case, without the dot).
// Only the bytes are read: a file the model names (materials, buffers,
// textures) is never opened. Never throws.
ImportedModel importModelFromMemory(std::span<const std::byte> bytes, std::string_view extension);

} // namespace Quorvane
