#include "tools/head/HeadShape.h"

#include <algorithm>
#include <cmath>

namespace Quorvane {

namespace {

// Features are laid out in design units: the model stands from the cut under
// the neck at y = -0.92 to the crown at 0.92, the eyes at y = 0.18 and the
// ears' openings at y = 0.12. Those on both sides are written for +x and
// take side = (|x|, y, z).

// The skull, forehead and the back of the head.
double cranium(const Vector3d& p)
{
    const double vault = ellipsoid(p, {0, 0.36, -0.10}, {0.47, 0.56, 0.58});
    const double forehead = ellipsoid(p, {0, 0.38, 0.12}, {0.40, 0.42, 0.38});
    const double occiput = ellipsoid(p, {0, 0.22, -0.28}, {0.40, 0.40, 0.40});
    return smoothUnion(smoothUnion(vault, forehead, 0.15), occiput, 0.15);
}

// Cheeks, jaw and chin, narrowing toward the front and bottom.
double lowerFace(const Vector3d& p, const Vector3d& side)
{
    const double mass = ellipsoid(p, {0, 0.0, 0.08}, {0.40, 0.42, 0.42});
    const double cheekbone = ellipsoid(side, {0.25, 0.10, 0.30}, {0.13, 0.09, 0.13});
    const double cheek = ellipsoid(side, {0.22, -0.05, 0.28}, {0.15, 0.14, 0.15});
    const double jaw = taperedCapsule(side, {0.34, -0.02, -0.08}, {0.12, -0.38, 0.30}, 0.08, 0.07);
    const double chin = ellipsoid(p, {0, -0.41, 0.33}, {0.15, 0.11, 0.12});
    double d = smoothUnion(mass, cheekbone, 0.10);
    d = smoothUnion(d, cheek, 0.10);
    d = smoothUnion(d, jaw, 0.12);
    return smoothUnion(d, chin, 0.10);
}

double brow(const Vector3d& side)
{
    return ellipsoid(side, {0.16, 0.30, 0.45}, {0.15, 0.045, 0.08});
}

double eyeSocket(const Vector3d& side)
{
    return ellipsoid(side, {0.165, 0.19, 0.51}, {0.105, 0.07, 0.10});
}

double eyeball(const Vector3d& side)
{
    return length(side - Vector3d{0.165, 0.18, 0.375}) - 0.09;
}

// Upper and lower lids: caps of a sphere a little larger than the eyeball,
// above and below an almond-shaped opening.
double eyelids(const Vector3d& side)
{
    const double shell = length(side - Vector3d{0.165, 0.18, 0.365}) - 0.112;
    const double upper = smoothIntersection(shell, 0.212 - side.y, 0.02);
    const double lower = smoothIntersection(shell, side.y - 0.14, 0.02);
    return std::min(upper, lower);
}

double nose(const Vector3d& p, const Vector3d& side)
{
    const double bridge = taperedCapsule(p, {0, 0.22, 0.49}, {0, -0.01, 0.625}, 0.035, 0.045);
    const double tip = ellipsoid(p, {0, -0.04, 0.61}, {0.055, 0.05, 0.055});
    const double wing = ellipsoid(side, {0.06, -0.085, 0.56}, {0.045, 0.04, 0.05});
    // Fills the space between the bridge and the face, which would
    // otherwise leave a tunnel behind the nose.
    const double base = ellipsoid(p, {0, 0.04, 0.53}, {0.055, 0.13, 0.07});
    const double d = smoothUnion(smoothUnion(smoothUnion(bridge, base, 0.04), tip, 0.05), wing, 0.04);
    const double nostril = ellipsoid(side, {0.034, -0.112, 0.575}, {0.022, 0.018, 0.03});
    return smoothSubtraction(d, nostril, 0.03);
}

double lips(const Vector3d& p)
{
    const double upper = ellipsoid(p, {0, -0.195, 0.44}, {0.12, 0.04, 0.06});
    const double lower = ellipsoid(p, {0, -0.27, 0.43}, {0.105, 0.042, 0.055});
    return smoothUnion(upper, lower, 0.03);
}

double mouthLine(const Vector3d& p)
{
    return ellipsoid(p, {0, -0.233, 0.50}, {0.12, 0.018, 0.05});
}

// An ear: a flat plate standing off the side of the head, with a bowl carved
// into its outer face that leaves a rim.
double ear(const Vector3d& side)
{
    const Frame frame = makeFrame({1, 0, 1.2}, {0, 1, 0});
    const Vector3d centre{0.53, 0.12, -0.09};
    const double plate = ellipsoid(side, centre, frame, {0.045, 0.16, 0.10});
    const double bowl = ellipsoid(side, centre + frame.u * 0.05, frame, {0.04, 0.11, 0.065});
    const double lobe = ellipsoid(side, centre + Vector3d{-0.01, -0.12, 0.01}, frame, {0.035, 0.05, 0.045});
    return smoothSubtraction(smoothUnion(plate, lobe, 0.03), bowl, 0.03);
}

double neck(const Vector3d& p)
{
    // An elliptic column leaning forward as it rises and ending inside the
    // head; the cut under it is the whole model's.
    const double lean = (p.y + 0.9) * 0.12;
    const Vector3d q{p.x / 0.31, 0, (p.z + 0.16 - lean) / 0.31};
    const double column = (std::sqrt(q.dot(q)) - 1) * 0.31;
    const double top = p.y - 0.05;
    const double adamsApple = ellipsoid(p, {0, -0.50, 0.17}, {0.05, 0.06, 0.05});
    return smoothUnion(smoothIntersection(column, top, 0.2), adamsApple, 0.06);
}

// Whether p lies within radius of centre. A feature farther away than its
// own size plus its blend width cannot change the field near the surface,
// so it is not evaluated there: most samples of the grid are far from the
// face, and this keeps the generator quick in sanitizer builds.
bool within(const Vector3d& p, const Vector3d& centre, double radius)
{
    const Vector3d offset = p - centre;
    return offset.dot(offset) < radius * radius;
}

double unscaledHead(const Vector3d& p)
{
    // Features are built for +x and mirrored: symmetric by construction.
    const Vector3d side{std::abs(p.x), p.y, p.z};
    const bool nearEye = within(side, {0.165, 0.2, 0.45}, 0.45);
    const bool nearNose = within(p, {0, 0.07, 0.56}, 0.4);
    const bool nearMouth = within(p, {0, -0.235, 0.46}, 0.35);
    const bool nearEar = within(side, {0.53, 0.12, -0.09}, 0.4);

    double d = smoothUnion(cranium(p), lowerFace(p, side), 0.2);
    if (nearEye) {
        d = smoothUnion(d, brow(side), 0.08);
        d = smoothSubtraction(d, eyeSocket(side), 0.05);
    }
    if (nearNose)
        d = smoothUnion(d, nose(p, side), 0.05);
    if (nearMouth) {
        d = smoothUnion(d, lips(p), 0.06);
        d = smoothSubtraction(d, mouthLine(p), 0.02);
    }
    if (nearEye) {
        d = smoothUnion(d, eyelids(side), 0.02);
        d = smoothUnion(d, eyeball(side), 0.015);
    }
    if (nearEar)
        d = smoothUnion(d, ear(side), 0.04);
    d = smoothUnion(d, neck(p), 0.1);
    return smoothIntersection(d, -(p.y + 0.92), 0.04);
}

} // namespace

double headDistance(const Vector3d& point)
{
    // Designed 1.84 units tall, shown a little larger to fill the picture.
    constexpr double scale = 1.05;
    return unscaledHead(point * (1 / scale)) * scale;
}

} // namespace Quorvane
