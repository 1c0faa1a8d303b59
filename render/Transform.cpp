#include "render/Transform.h"

namespace Quorvane {

Vector3 transformVertex(const Vector3& position, const RenderContext& context)
{
    const Vector4 vtx_Camera = context.view.transform(Vector4(position, 1.0f));
    Vector4 vtx_Projected = context.projection.transform(vtx_Camera);
    vtx_Projected /= vtx_Projected.w;
    const Vector3 vtx_View((vtx_Projected.x + 1.0f) * 250.0f, (-vtx_Projected.y + 1.0f) * 250.0f,
                           (vtx_Projected.z + 1.0f) * 250.0f);
    return vtx_View;
}

} // namespace Quorvane
