#include "render/ScreenTransform.h"

#include "render/Transform.h"

namespace Quorvane {

void transformVerticesPortable(const Vector3* positions, std::size_t count, const RenderContext& context,
                               Vector3* screen)
{
    for (std::size_t i = 0; i < count; ++i)
        screen[i] = transformVertex(positions[i], context);
}

ScreenTransform screenTransform(PixelKernels kernels)
{
    return kernels == PixelKernels::avx2 ? transformVerticesAvx2 : transformVerticesPortable;
}

} // namespace Quorvane
