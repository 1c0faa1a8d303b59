// Fuzz target: the product's model reader against the reference reader. Any
// difference in the six lists (bit for bit) or in the status is a finding.

#include "fuzz/ReferenceObjParser.h"
#include "scene/ObjParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace Quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Mesh fast, reference;
    const MeshLoadStatus fastStatus = parseObjText(text, fast);
    const MeshLoadStatus referenceStatus = referenceParseObjText(text, reference);
    if (fastStatus != referenceStatus || !sameMeshBits(fast, reference)) {
        std::fprintf(stderr, "reader differs from the reference reader (status %d, reference %d)\n",
                     static_cast<int>(fastStatus), static_cast<int>(referenceStatus));
        std::abort();
    }
    return 0;
}
