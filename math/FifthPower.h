#pragma once

namespace Quorvane {

// static_cast<float>(power(base, 5)), the Phong specular factor, without the
// general double-precision power function. Equal bit for bit for every float
// (a NaN gives a NaN): quorvane-check-fifth-power compares all 2^32 of them
// with power, and FifthPowerTest a sample. base * base is exact in double (48
// bits); the two rounded products that follow stay so close to the true fifth
// power that the final rounding to float never differs. Inline: a fill calls
// it for every pixel.
inline float fifthPower(float base)
{
    const double b = base;
    const double square = b * b;
    return static_cast<float>((square * square) * b);
}

} // namespace Quorvane
