#include "math/Color.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Quorvane;

TEST(ColorToPixel, PutsRedInTheLowByte)
{
    EXPECT_EQ(toPixel(Color()), 0xFFFFFFu);
    EXPECT_EQ(toPixel(Color(1, 0, 0, 1)), 0x0000FFu);
    EXPECT_EQ(toPixel(Color(0, 0, 1, 1)), 0xFF0000u);
    EXPECT_EQ(toPixel(Color(0, 0, 0, 0)), 0u);
}

TEST(ColorToPixel, TruncatesTowardZero)
{
    EXPECT_EQ(toPixel(Color(0.5f, 0.5f, 0.5f, 1)), 0x7F7F7Fu);
    EXPECT_EQ(toPixel(Color(0.1f, 0.1f, 0.1f, 1)), 0x191919u);
    EXPECT_EQ(toPixel(Color(0.999f, 0, 0, 1)), 254u);
}

TEST(ColorToPixel, IgnoresAlpha)
{
    EXPECT_EQ(toPixel(Color(1, 1, 1, 0)), toPixel(Color(1, 1, 1, 1)));
}

TEST(ColorToPixel, KeepsOutOfRangeChannelsInTheirByte)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(toPixel(Color(nan, nan, nan, 1)), 0u);
    EXPECT_EQ(toPixel(Color(-0.5f, 2, -infinity, 1)), 0x00FF00u);
    EXPECT_EQ(toPixel(Color(infinity, 1e30f, 0, 1)), 0x00FFFFu);
}

TEST(ColorArithmetic, KeepsTheLeftAlpha)
{
    const Color scaled = Color(0.2f, 0.3f, 0.4f, 0.5f) * 2;
    EXPECT_EQ(scaled.r, 0.4f);
    EXPECT_EQ(scaled.g, 0.6f);
    EXPECT_EQ(scaled.b, 0.8f);
    EXPECT_EQ(scaled.a, 0.5f);

    EXPECT_EQ((Color(0.1f, 0.1f, 0.1f, 1) + Color(0.2f, 0.2f, 0.2f, 0)).a, 1.0f);

    const Color modulated = Color(1, 0.5f, 0.25f, 1) * Color(0.5f, 0.5f, 0.5f, 0);
    EXPECT_EQ(modulated.r, 0.5f);
    EXPECT_EQ(modulated.g, 0.25f);
    EXPECT_EQ(modulated.b, 0.125f);
    EXPECT_EQ(modulated.a, 1.0f);
}

TEST(ColorBlend, WeightsTheThreeColoursWithTheFirstAlpha)
{
    const Color c0(0.1f, 0.2f, 0.3f, 0.4f);
    const Color c1(0.5f, 0.6f, 0.7f, 0.8f);
    const Color c2(0.9f, 0.25f, 0.125f, 0.0f);

    const Color first = blend(c0, c1, c2, Vector3(1, 0, 0));
    EXPECT_EQ(first.r, c0.r);
    EXPECT_EQ(first.b, c0.b);
    EXPECT_EQ(first.a, c0.a);

    const Color last = blend(c0, c1, c2, Vector3(0, 0, 1));
    EXPECT_EQ(last.r, c2.r);
    EXPECT_EQ(last.g, c2.g);
    EXPECT_EQ(last.a, c0.a);

    const Color mixed = blend(c0, c1, c2, Vector3(0.5f, 0.25f, 0.25f));
    EXPECT_EQ(mixed.r, (0.1f * 0.5f + 0.5f * 0.25f) + 0.9f * 0.25f);
}
