#include "render/FastFill.h"

#include "math/Geometry.h"

#include <algorithm>
#include <cmath>

namespace Quorvane {

FaceEdges faceEdges(const Vector3& a, const Vector3& b, const Vector3& c)
{
    FaceEdges face;
    face.a = a;
    face.b = b;
    face.c = c;
    face.cax = c.x - a.x;
    face.cay = c.y - a.y;
    face.bax = b.x - a.x;
    face.bay = b.y - a.y;
    face.denominatorU = face.bay * face.cax - face.bax * face.cay;
    face.denominatorV = face.cay * face.bax - face.cax * face.bay;
    return face;
}

namespace {

// The rows [low, high] of a column, as doubles, where a linear function
// alpha + beta * y of the row can be at least -margin; rows outside certainly
// give less. One row of slack on the open side covers the rounding of the
// division.
void keepAtLeast(double alpha, double beta, double margin, double& low, double& high)
{
    if (beta > 0)
        low = std::max(low, (-margin - alpha) / beta - 1);
    else if (beta < 0)
        high = std::min(high, (-margin - alpha) / beta + 1);
    else if (alpha < -margin)
        high = -1;
}

} // namespace

// The float edge value c1 = pax * pby - pbx * pay of insideTriangle, with
// pax = a.x - x, pbx = b.x - x, pay = fl(a.y - y), pby = fl(b.y - y), differs
// from the exact E1(y) = pax * (b.y - y) - pbx * (a.y - y), a linear function
// of the row y, by at most 3.01 u M + 2^-148, where u = 2^-24 and
// M = |pax| (|b.y| + 500) + |pbx| (|a.y| + 500) for every row in [0, 500]:
// two roundings in each product's factor and product, one in the difference,
// and 2^-150 for each product that underflows. Likewise c2 and c3.
// insideTriangle rejects a row when one edge value is below -2^-74 and another
// above 2^-74: their float product is then at most -2^-148, not zero. So with
// T = 2^-21 M + 2^-73 (slack for the double arithmetic here, which errs by
// about 2^-51 M), a row can only pass when all three E(y) >= -T or all three
// E(y) <= T; each is an interval of rows, and the rows between them are kept
// too.
bool candidateRows(const FaceEdges& face, float x, int& first, int& last)
{
    const double ax = face.a.x - x, bx = face.b.x - x, cx = face.c.x - x;
    const double ay = face.a.y, by = face.b.y, cy = face.c.y;
    // Edge i is alpha + beta * y from corners p and q: px * (qy - y) - qx * (py - y).
    const double alpha[3] = {ax * by - bx * ay, bx * cy - cx * by, cx * ay - ax * cy};
    const double beta[3] = {bx - ax, cx - bx, ax - cx};
    const double margin[3] = {
        (std::fabs(ax) * (std::fabs(by) + 500) + std::fabs(bx) * (std::fabs(ay) + 500)) * 0x1p-21,
        (std::fabs(bx) * (std::fabs(cy) + 500) + std::fabs(cx) * (std::fabs(by) + 500)) * 0x1p-21,
        (std::fabs(cx) * (std::fabs(ay) + 500) + std::fabs(ax) * (std::fabs(cy) + 500)) * 0x1p-21,
    };
    const double floor = 0x1p-73;
    double lowAbove = first, highAbove = last, lowBelow = first, highBelow = last;
    for (int i = 0; i < 3; ++i) {
        keepAtLeast(alpha[i], beta[i], margin[i] + floor, lowAbove, highAbove);
        keepAtLeast(-alpha[i], -beta[i], margin[i] + floor, lowBelow, highBelow);
    }
    const bool above = lowAbove <= highAbove;
    const bool below = lowBelow <= highBelow;
    if (!above && !below)
        return false;
    const double low = above && below ? std::min(lowAbove, lowBelow) : above ? lowAbove : lowBelow;
    const double high = above && below ? std::max(highAbove, highBelow) : above ? highAbove : highBelow;
    // low and high lie within [first, last] here, so the conversions are defined.
    first = static_cast<int>(std::ceil(low));
    last = static_cast<int>(std::floor(high));
    return first <= last;
}

namespace {

// The exact weights and depth of one row and a bound of how far the float
// ones of sampleFaceColumn can lie from them.
struct RowDepth {
    double depth = 0, error = 0;
};

// With u = 2^-24: pya = fl(y - a.y) and each product and difference of the
// numerator nU = pya * cax - pxa * cay round once, so nU errs by at most
// 3.01 u (|y - a.y| |cax| + |pxa| |cay|) plus 2^-149 for underflowing
// products; the division adds u |U| and 2^-150. Likewise v. The weight
// w0 = (1 - u) - v adds two roundings, and the depth (az w0 + bz u) + cz v
// five, each relative to the magnitudes summed, plus underflow. The bounds
// below use 4u and 2^-140 throughout, which also covers the rounding of the
// double arithmetic here (about 2^-50 of the same magnitudes).
RowDepth rowDepth(const FaceEdges& face, double pxa, double y)
{
    constexpr double u4 = 0x1p-22;
    constexpr double tiny = 0x1p-140;
    const double pya = y - face.a.y;
    const double dU = face.denominatorU, dV = face.denominatorV;
    const double exactU = (pya * face.cax - pxa * face.cay) / dU;
    const double exactV = (pya * face.bax - pxa * face.bay) / dV;
    const double errorU =
        (u4 * (std::fabs(pya * face.cax) + std::fabs(pxa * face.cay)) + tiny) / std::fabs(dU)
        + u4 * std::fabs(exactU) + tiny;
    const double errorV =
        (u4 * (std::fabs(pya * face.bax) + std::fabs(pxa * face.bay)) + tiny) / std::fabs(dV)
        + u4 * std::fabs(exactV) + tiny;
    const double exactW = (1 - exactU) - exactV;
    const double errorW = (errorU + errorV) * (1 + u4)
                        + u4 * (1 + std::fabs(exactU) + std::fabs(exactV) + errorU + errorV) + tiny;
    const double az = face.a.z, bz = face.b.z, cz = face.c.z;
    RowDepth row;
    row.depth = (az * exactW + bz * exactU) + cz * exactV;
    row.error =
        std::fabs(az) * errorW + std::fabs(bz) * errorU + std::fabs(cz) * errorV
        + u4
              * (std::fabs(az) * (std::fabs(exactW) + errorW) + std::fabs(bz) * (std::fabs(exactU) + errorU)
                 + std::fabs(cz) * (std::fabs(exactV) + errorV))
        + tiny;
    return row;
}

} // namespace

// The exact depth is linear in the row and the error bound convex (a sum of
// absolute values of linear functions), so the values at the two end rows
// bound every row between them.
bool depthBound(const FaceEdges& face, float x, int first, int last, DepthBound& bound)
{
    // Far beyond any depth that matters, and far below where float overflows.
    constexpr double largest = 1e30;
    const double pxa = x - face.a.x; // rounded to float, as sampleFaceColumn's
    const RowDepth top = rowDepth(face, pxa, first);
    const RowDepth bottom = rowDepth(face, pxa, last);
    if (!(std::fabs(top.depth) < largest && std::fabs(bottom.depth) < largest && top.error < largest
          && bottom.error < largest))
        return false;
    bound.first = first;
    bound.depthAtFirst = top.depth;
    bound.slope = first == last ? 0.0 : (bottom.depth - top.depth) / (last - first);
    // The slope's own rounding moves the line by at most 2^-50 of these.
    bound.error =
        std::max(top.error, bottom.error) + (std::fabs(top.depth) + std::fabs(bottom.depth)) * 0x1p-40;
    return true;
}

Vector3 pixelWeights(const FaceEdges& face, float x, float y)
{
    const float pxa = x - face.a.x;
    const float pya = y - face.a.y;
    const float u = (pya * face.cax - pxa * face.cay) / face.denominatorU;
    const float v = (pya * face.bax - pxa * face.bay) / face.denominatorV;
    const float w0 = (1 - u) - v;
    return {w0, u, v};
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

Color gouraudCornerColor(const Vector3& normal, const Vector3& diffuseDirection, const Color& diffuseColor)
{
    const float cosine = cosAngle(normal, -diffuseDirection);
    const float intensity = cosine < 0.0f ? 0.0f : cosine;
    Color color = Color(1, 1, 1, 1) * diffuseColor;
    color = color * intensity;
    return color;
}

} // namespace Quorvane
