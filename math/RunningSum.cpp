#include "math/RunningSum.h"

#include <cmath>

namespace Quorvane {

namespace {

constexpr std::int64_t unlimited = INT64_MAX;

// How many additions of step to a (a > 0, normal) can be made at once, and
// the value after them. Within the binade [2^e, 2^(e+1)) every float is a
// multiple of u = 2^(e-23), so while the exact sum a + step stays inside the
// closed binade, rounding it is rounding step to a multiple of u: the same
// increment D = round(step / u) at every addition. A tie (step / u half an
// odd integer) rounds to the even multiple: from an even a it always gives
// the same D, from an odd one not, so an odd a is stepped once first.
struct Bulk {
    std::int64_t additions = 0; // 0: step the next addition one at a time
    double unitsPerAddition = 0;
    double unit = 0;
    double units = 0; // a / unit
};

Bulk bulkWithinBinade(float a, float step)
{
    Bulk bulk;
    int exponent = 0;
    std::frexp(a, &exponent); // a in [2^(exponent - 1), 2^exponent)
    if (exponent < -100)
        return bulk; // never for a line's running value; stepped
    bulk.unit = std::ldexp(1.0, exponent - 24);
    bulk.units = a / bulk.unit;                             // an integer in [2^23, 2^24)
    const double s = static_cast<double>(step) / bulk.unit; // exact: a power of two apart
    const double whole = std::floor(s);
    const bool tie = s - whole == 0.5;
    if (tie && std::fmod(bulk.units, 2.0) != 0.0)
        return bulk;
    // Round half to even on the multiple: for a tie the even one of whole and
    // whole + 1 keeps an even a even.
    bulk.unitsPerAddition = tie ? (std::fmod(whole, 2.0) == 0.0 ? whole : whole + 1) : std::nearbyint(s);
    const double d = bulk.unitsPerAddition;
    constexpr double top = 16777216.0;   // 2^24: the binade's upper end in units
    constexpr double bottom = 8388608.0; // 2^23
    // The number of additions j (from 0) whose exact sum units + j d + s stays
    // in [2^23, 2^24]. s, top - s and s - bottom are exact in double here.
    double room = 0;
    if (s > 0)
        room = (top - s) - bulk.units;
    else
        room = bulk.units - (bottom - s);
    if (room < 0)
        return bulk;
    if (d == 0) {
        bulk.additions = unlimited; // the value never moves again
        return bulk;
    }
    const double perAddition = std::fabs(d);
    double fit = std::floor(room / perAddition);
    // The quotient is rounded; fit * perAddition is exact (below 2^50).
    while (fit * perAddition > room)
        fit -= 1;
    while ((fit + 1) * perAddition <= room)
        fit += 1;
    bulk.additions = static_cast<std::int64_t>(fit) + 1;
    return bulk;
}

} // namespace

float advanceRunningSum(float value, float step, std::int64_t count)
{
    while (count > 0) {
        if (!std::isfinite(value) || !std::isfinite(step) || step == 0) {
            // Infinities, NaN and a zero step leave the value fixed after two
            // additions at most.
            for (int i = 0; i < 2 && count > 0; ++i, --count)
                value = value + step;
            return value;
        }
        if (value == 0) {
            value = value + step;
            --count;
            continue;
        }
        // Rounding to nearest even is symmetric, so a negative value is
        // advanced as its mirror image.
        const bool negative = value < 0;
        const float a = negative ? -value : value;
        const float s = negative ? -step : step;
        const Bulk bulk = bulkWithinBinade(a, s);
        if (bulk.additions == 0) {
            value = value + step;
            --count;
            continue;
        }
        const std::int64_t additions = bulk.additions < count ? bulk.additions : count;
        const double units = bulk.units + static_cast<double>(additions) * bulk.unitsPerAddition;
        const float advanced = static_cast<float>(units * bulk.unit); // exact: a float of the binade
        value = negative ? -advanced : advanced;
        count -= additions;
    }
    return value;
}

} // namespace Quorvane
