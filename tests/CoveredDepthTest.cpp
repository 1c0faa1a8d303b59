#include "render/CoveredDepth.h"

#include <gtest/gtest.h>

#include <limits>

namespace Quorvane {
namespace {

// The centroid of a triangle within a box of pixels 0 to 100 (or 0 to 150
// wide): inside it whole, cut off at one side or a corner, covering it, wound
// either way; none where it misses the box, has no area or is not finite.
TEST(CoveredDepth, CentroidInBoxIsTheCentroidOfTheTrianglesPartWithinIt)
{
    constexpr float infinity = std::numeric_limits<float>::infinity();
    struct Case {
        Vector3 a, b, c;
        int xmax;
        bool found;
        double x, y;
    };
    const Case cases[] = {
        {{0, 0, 0}, {90, 0, 0}, {0, 60, 0}, 100, true, 30, 20},                  // inside whole
        {{0, 60, 0}, {90, 0, 0}, {0, 0, 0}, 100, true, 30, 20},                  // wound the other way
        {{0, 0, 0}, {200, 0, 0}, {0, 200, 0}, 100, true, 50, 50},                // covers the box
        {{-50, 0, 0}, {50, 0, 0}, {-50, 100, 0}, 100, true, 50 / 3.0, 50 / 3.0}, // cut at x = 0
        {{0, -50, 0}, {0, 50, 0}, {100, -50, 0}, 100, true, 50 / 3.0, 50 / 3.0}, // cut at y = 0
        // Covers the box of 150 by 100 but for the corner beyond x + y = 200.
        {{0, 0, 0},
         {200, 0, 0},
         {0, 200, 0},
         150,
         true,
         (15000 * 75 - 1250 * 400 / 3.0) / 13750,
         (15000 * 50 - 1250 * 250 / 3.0) / 13750},
        {{120, 0, 0}, {200, 0, 0}, {120, 50, 0}, 100, false, 0, 0},  // beyond the box
        {{0, 0, 0}, {50, 50, 0}, {100, 100, 0}, 100, false, 0, 0},   // no area
        {{0, 0, 0}, {infinity, 0, 0}, {0, 50, 0}, 100, false, 0, 0}, // not finite
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.b.x << ", " << c.b.y << " to " << c.xmax);
        double x = 0, y = 0;
        ASSERT_EQ(centroidInBox(faceEdges(c.a, c.b, c.c), PixelBox{0, c.xmax, 0, 100}, x, y), c.found);
        if (c.found) {
            EXPECT_NEAR(x, c.x, 1e-9);
            EXPECT_NEAR(y, c.y, 1e-9);
        }
    }
}

} // namespace
} // namespace Quorvane
