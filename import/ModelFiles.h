#pragma once

#include <assimp/IOSystem.hpp>

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace Quorvane {

// The files assimp may open while it imports one model. Every file is read
// through a guard: some of assimp's readers ask for more again and again at
// the end of a broken file (a PLY header that never ends, for one) and would
// never return; past a bound, a read at the end throws, which assimp reports
// as a failed import. Nothing is ever written.

// A reader that stops at the end does so after a handful of reads there.
constexpr int maxReadsAtEnd = 1000;

// Regular files only, the model's own and those it names (materials, buffers,
// textures): a directory, device, FIFO or socket is refused unopened, as for
// the model itself, so that no name in a file can block the program.
std::unique_ptr<Assimp::IOSystem> regularFiles();

// One file only, called name, whose content is bytes; every other name is
// refused. bytes must outlive the importer that reads them.
std::unique_ptr<Assimp::IOSystem> bufferFile(std::span<const std::byte> bytes, const std::string& name);

} // namespace Quorvane
