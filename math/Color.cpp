#include "math/Color.h"

namespace Quorvane {

namespace {

std::uint32_t channelByte(float channel)
{
    const float scaled = channel * 255.0f;
    if (!(scaled > 0.0f)) // also catches NaN
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(scaled));
}

} // namespace

Color blend(const Color& c0, const Color& c1, const Color& c2, const Vector3& weights)
{
    return (c0 * weights.x + c1 * weights.y) + c2 * weights.z;
}

std::uint32_t toPixel(const Color& c)
{
    return (channelByte(c.b) << 16) | (channelByte(c.g) << 8) | channelByte(c.r);
}

} // namespace Quorvane
