#pragma once

#include "math/Vector.h"

#include <cstdint>

namespace Quorvane {

// A floating-point colour. Alpha travels with every operation (always the left
// operand's) but never reaches a pixel. No operation saturates.
struct Color {
    float r = 1, g = 1, b = 1, a = 1; // default: opaque white

    Color() = default;
    Color(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}

    Color operator*(float s) const { return {r * s, g * s, b * s, a}; }
    Color operator*(const Color& o) const { return {r * o.r, g * o.g, b * o.b, a}; }
    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b, a}; }
};

// (c0 * w.x + c1 * w.y) + c2 * w.z; the alpha is c0's.
Color blend(const Color& c0, const Color& c1, const Color& c2, const Vector3& weights);

// The pixel value 0x00BBGGRR: each channel times 255, truncated toward zero.
// A channel below 0 or NaN gives 0 and one above 1 gives 255, so the value
// never leaves its byte (and no out-of-range float reaches an int conversion).
std::uint32_t toPixel(const Color& c);

} // namespace Quorvane
