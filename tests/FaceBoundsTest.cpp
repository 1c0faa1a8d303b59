#include "render/FaceBounds.h"

#include "math/Geometry.h"
#include "render/FastFill.h"
#include "render/ProcessorFeatures.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace Quorvane {
namespace {

struct Corners {
    Vector3 a, b, c;
};

// Faces whose float edge values and depths stray far from the exact ones:
// corners far off the surface with long, nearly vertical or horizontal edges,
// slivers and corners on pixel centres.
const std::vector<Corners> hostileFaces = {
    {{250.3f, -1e6f, 0.4f}, {250.7f, 1e6f, 0.6f}, {300, 250, 0.5f}},
    {{-1e6f, 250.3f, 0.1f}, {1e6f, 250.6f, 0.9f}, {250, 300, 0.5f}},
    {{10, 10, 1}, {490, 490, 2}, {490.001f, 490, 3}},
    {{10, 10, 1}, {490.001f, 490, 3}, {490, 490, 2}}, // the same sliver, wound the other way
    {{100, 100, 5}, {400, 100, 5}, {100, 400, 5}},
    {{-3e8f, 7e8f, 1e-3f}, {250.5f, 250.5f, 1e3f}, {9e8f, -2e9f, -7}},
    {{1.5f, 498.5f, 0.25f}, {498.5f, 1.5f, 0.75f}, {1.5f, 1.5f, 300}},
    // A steep edge through (250, about 250) from corners far away: the
    // float edge value in column 250 has the wrong sign in dozens of rows.
    {{-999750, -1999999744, 1}, {1000250, 2000000256, 2}, {1e9f, 250, 3}},
    {{-999750, -1999999744, 1}, {1000250, 2000000256, 2}, {-1e9f, 250, 3}},
    // The same across the diagonal, for the columns of a row: the inside test
    // of a face mirrored so is the same float computation, negated.
    {{-1999999744, -999750, 1}, {2000000256, 1000250, 2}, {250, 1e9f, 3}},
    {{-1999999744, -999750, 1}, {2000000256, 1000250, 2}, {250, -1e9f, 3}},
};

// Random faces at every scale.
std::vector<Corners> randomFaces()
{
    std::vector<Corners> faces;
    std::mt19937_64 random(11);
    const auto uniform = [&random](double low, double high) {
        return static_cast<float>(low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53);
    };
    for (const double reach : {30.0, 300.0, 3e3, 1e6, 1e9}) {
        for (int i = 0; i < 40; ++i) {
            const auto corner = [&] {
                return Vector3(uniform(250 - reach, 250 + reach), uniform(250 - reach, 250 + reach),
                               uniform(-2, 600));
            };
            faces.push_back({corner(), corner(), corner()});
        }
    }
    return faces;
}

struct Counts {
    int insideRows = 0, boundedFaces = 0, narrowedStrips = 0, facesInFloats = 0;
};

// Each span kernel keeps the rows of firstRow..lastRow that candidateRows
// keeps in every columnStep-th column of the box: the same ones, or, where
// the AVX2 kernel finds them in floats, at most one more at either end.
void checkSpans(const FaceBounds& bounds, const PixelBox& box, int columnStep, int firstRow, int lastRow)
{
    std::vector<RowSpan> spans(static_cast<std::size_t>(box.xmax - box.xmin + 1 + spanPadding));
    FloatEdges edges;
    const bool inFloats = floatEdges(bounds, edges);
    std::vector<std::pair<SpanNarrowing, bool>> kernels{{spanNarrowing(PixelKernels::portable), false}};
    if (processorHasAvx2())
        kernels.emplace_back(spanNarrowing(PixelKernels::avx2), inFloats);
    for (const auto& [narrowSpans, wider] : kernels) {
        narrowSpans(bounds, box.xmin, box.xmax, firstRow, lastRow, spans.data());
        for (int x = box.xmin; x <= box.xmax; x += columnStep) {
            int first = firstRow, last = lastRow;
            const bool any = candidateRows(bounds, x, first, last);
            const RowSpan& span = spans[static_cast<std::size_t>(x - box.xmin)];
            const auto where = [&] {
                return testing::Message() << "column " << x << " rows " << firstRow << ".." << lastRow
                                          << (wider ? " in floats" : "");
            };
            if (!wider) {
                ASSERT_EQ(any, span.first <= span.last) << where();
                ASSERT_TRUE(!any || (first == span.first && last == span.last)) << where();
            } else if (any) {
                ASSERT_TRUE(span.first <= first && first - span.first <= 1) << where() << " first " << first;
                ASSERT_TRUE(span.last >= last && span.last - last <= 1) << where() << " last " << last;
            } else {
                ASSERT_LE(span.last - span.first, 1) << where();
            }
        }
    }
}

// Checks every columnStep-th column of the face's box and every row.
void checkBounds(const Corners& corners, int columnStep, Counts& counts)
{
    PixelBox box;
    if (!pixelBox(corners.a, corners.b, corners.c, box))
        return;
    const FaceEdges face = faceEdges(corners.a, corners.b, corners.c);
    const FaceBounds bounds = faceBounds(face, box, true);
    counts.boundedFaces += bounds.depthBounded;
    FloatEdges edges;
    counts.facesInFloats += floatEdges(bounds, edges);
    // Both bound the depth from the same corners, and a floor of minus
    // infinity would pass every check below.
    const float boxFloor = boxDepthFloor(face, box);
    ASSERT_EQ(bounds.depthBounded, boxFloor > -std::numeric_limits<float>::infinity());
    if (processorHasAvx2()) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(boxDepthFloorAvx2(face, box)),
                  std::bit_cast<std::uint32_t>(boxFloor));
    }
    // The box's rows, and one row, where low and high can meet exactly.
    checkSpans(bounds, box, columnStep, box.ymin, box.ymax);
    checkSpans(bounds, box, columnStep, (box.ymin + box.ymax) / 2, (box.ymin + box.ymax) / 2);
    std::vector<ColumnSpan> strips(static_cast<std::size_t>((box.ymax - box.ymin) / stripRows + 1));
    stripColumns(face, box, box.xmin, box.xmax, strips.data());
    for (const ColumnSpan& strip : strips)
        counts.narrowedStrips += strip.first > box.xmin || strip.last < box.xmax;
    for (int x = box.xmin; x <= box.xmax; x += columnStep) {
        int first = box.ymin, last = box.ymax;
        const bool any = candidateRows(bounds, x, first, last);
        const DepthBound bound = bounds.depthBounded ? columnDepthBound(bounds, x) : DepthBound();
        for (int y = box.ymin; y <= box.ymax; ++y) {
            const Vector2 point(static_cast<float>(x), static_cast<float>(y));
            if (insideTriangle(point, Vector2(corners.a), Vector2(corners.b), Vector2(corners.c))) {
                ++counts.insideRows;
                ASSERT_TRUE(any && first <= y && y <= last) << "column " << x << " row " << y;
                const ColumnSpan& strip = strips[static_cast<std::size_t>((y - box.ymin) / stripRows)];
                ASSERT_TRUE(strip.first <= x && x <= strip.last) << "strip of column " << x << " row " << y;
            }
            const float depth = interpolateDepth(corners.a, corners.b, corners.c,
                                                 barycentric(corners.a, corners.b, corners.c, point));
            if (bounds.depthBounded && !std::isnan(depth)) {
                ASSERT_GE(depth, bound.atRowZero + bound.slope * y) << "column " << x << " row " << y;
                ASSERT_GE(depth,
                          depthFloorAt(bounds.depthFloor, static_cast<float>(x), static_cast<float>(y)))
                    << "column " << x << " row " << y;
                ASSERT_GE(depth, boxFloor) << "column " << x << " row " << y;
            }
        }
    }
}

// Every row where insideTriangle holds is a candidate, and its column one of
// its strip's; the span kernels keep the rows of candidateRows, and no
// row's float depth lies below the depth bounds (the plane and the box floor):
// a margin or an error term too small for the rounding of the fill would leave
// out rows that it stores.
TEST(FaceBounds, KeepEveryRowTheFillCanStoreAndBoundItsDepth)
{
    Counts counts;
    for (const Corners& corners : hostileFaces)
        checkBounds(corners, 1, counts);
    for (const Corners& corners : randomFaces())
        checkBounds(corners, 7, counts);
    EXPECT_GT(counts.insideRows, 100000);
    EXPECT_GT(counts.boundedFaces, 100);
    EXPECT_GT(counts.narrowedStrips, 1000);
    EXPECT_GT(counts.facesInFloats, 100);
}

// Faces with an edge through the surface nearly along a column, from 2^4 to
// 2^40 times as tall as wide, whose float rows stray by up to hundreds of rows
// in the column where the edge crosses the rows; and each of them with its
// edges' values scaled by 2^110, too large for floats (the same rows, but a
// face in the surface never has them). The AVX2 kernel must find the rows of
// those it takes in floats and leave the others to doubles.
TEST(FaceBounds, FloatSpansKeepTheRowsOfSteepEdges)
{
    std::mt19937_64 random(3);
    const auto uniform = [&random](double low, double high) {
        return static_cast<float>(low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53);
    };
    int inFloats = 0, inDoubles = 0;
    for (double tallness = 0x1p4; tallness <= 0x1p40; tallness *= 1.02) {
        const float x = uniform(0, 500), width = uniform(0.01, 2),
                    height = width * static_cast<float>(tallness);
        const Corners corners{
            {x, 250 - height, 1}, {x + width, 250 + height, 2}, {x + uniform(-300, 300), 250, 3}};
        PixelBox box;
        if (!pixelBox(corners.a, corners.b, corners.c, box))
            continue;
        FaceBounds bounds = faceBounds(faceEdges(corners.a, corners.b, corners.c), box, false);
        FloatEdges edges;
        (floatEdges(bounds, edges) ? inFloats : inDoubles) += 1;
        checkSpans(bounds, box, 1, box.ymin, box.ymax);
        for (int i = 0; i < 3; ++i) {
            for (double* value :
                 {&bounds.alphaAtZero[i], &bounds.alphaPerColumn[i], &bounds.beta[i], &bounds.margin[i]})
                *value *= 0x1p110;
            bounds.inverseBeta[i] *= 0x1p-110;
        }
        ASSERT_FALSE(floatEdges(bounds, edges));
    }
    EXPECT_GT(inFloats, 100);
    EXPECT_GT(inDoubles, 100);
}

// The float floor lies below the double plane it stands for, lowered by the
// error, everywhere in the surface: planes of every scale, tiny ones where
// float results underflow and ones too large for floats. A margin too small
// for the floor's roundings lets half of these rows through.
TEST(FaceBounds, DepthFloorStaysBelowTheDepthBound)
{
    std::mt19937_64 random(5);
    const auto uniform = [&random](double low, double high) {
        return low + (high - low) * static_cast<double>(random() >> 11) * 0x1p-53;
    };
    int floors = 0;
    for (const double scale : {1e-42, 1e-30, 1e-3, 1.0, 1e3, 1e20, 1e34, 1e37, 1e39}) {
        for (int i = 0; i < 50; ++i) {
            FaceBounds bounds;
            bounds.depthAtOrigin = uniform(-scale, scale);
            bounds.depthPerColumn = uniform(-scale, scale) / 500;
            bounds.depthPerRow = uniform(-scale, scale) / 500;
            bounds.depthError = uniform(0, scale) * 0x1p-22;
            const DepthFloor floor = depthFloor(bounds);
            floors += floor.atOrigin > -std::numeric_limits<float>::infinity();
            for (int x = 0; x < 512; x += 37) {
                for (int y = 0; y < 512; ++y) {
                    const double plane = bounds.depthAtOrigin + bounds.depthPerColumn * x
                                       + bounds.depthPerRow * y - bounds.depthError;
                    ASSERT_LE(depthFloorAt(floor, static_cast<float>(x), static_cast<float>(y)), plane)
                        << "scale " << scale << " column " << x << " row " << y;
                }
            }
        }
    }
    EXPECT_GT(floors, 300);
}

} // namespace
} // namespace Quorvane
