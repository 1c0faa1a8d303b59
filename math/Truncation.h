#pragma once

namespace Quorvane {

// True when converting value to int by truncation is defined: value lies in
// (-2^31 - 1, 2^31). False for NaN and the infinities. Every float-to-int
// conversion of a screen position or stored index asks this first.
inline bool truncatesToInt(float value)
{
    return value >= -2147483648.0f && value < 2147483648.0f;
}

} // namespace Quorvane
