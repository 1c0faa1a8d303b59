#include "render/FastFill.h"

#include "math/Geometry.h"

#include <algorithm>
#include <cmath>

namespace Quorvane {

Vector3 pixelWeights(const FaceEdges& face, float x, float y)
{
    const float pxa = x - face.a.x;
    const float pya = y - face.a.y;
    const float u = (pya * face.cax - pxa * face.cay) / face.denominatorU;
    const float v = (pya * face.bax - pxa * face.bay) / face.denominatorV;
    const float w0 = (1 - u) - v;
    return {w0, u, v};
}

std::uint32_t hiddenBlocksPortable(const DepthBound& bound, int x, int firstBlock, int lastBlock,
                                   const BandBuffers& buffers)
{
    return hiddenBlocks(bound, x, firstBlock, lastBlock, buffers);
}

void sampleFaceColumn(const FaceEdges& face, float x, int first, int count, const float* stored,
                      ColumnSamples& samples)
{
    // Local copies so that the compiler keeps them in registers: it cannot
    // tell that face does not share memory with samples.
    const float ax = face.a.x, ay = face.a.y, az = face.a.z;
    const float by = face.b.y, bz = face.b.z;
    const float cy = face.c.y, cz = face.c.z;
    const float cax = face.cax, cay = face.cay, bax = face.bax, bay = face.bay;
    const float denominatorU = face.denominatorU, denominatorV = face.denominatorV;
    const float pax = ax - x;
    const float pbx = face.b.x - x;
    const float pcx = face.c.x - x;
    const float pxa = x - ax;
    for (int i = 0; i < count; ++i) {
        const float y = static_cast<float>(first + i);
        const float pay = ay - y;
        const float pby = by - y;
        const float pcy = cy - y;
        const float c1 = pax * pby - pbx * pay;
        const float c2 = pbx * pcy - pcx * pby;
        const float c3 = pcx * pay - pax * pcy;
        const bool inside = (c1 * c2 >= 0.0f) & (c2 * c3 >= 0.0f) & (c3 * c1 >= 0.0f);
        const float pya = y - ay;
        const float u = (pya * cax - pxa * cay) / denominatorU;
        const float v = (pya * bax - pxa * bay) / denominatorV;
        const float w0 = (1 - u) - v;
        const float depth = (az * w0 + bz * u) + cz * v;
        samples.depth[i] = depth;
        samples.passes[i] = inside & (stored[i] > depth);
    }
}

} // namespace Quorvane
