#pragma once

#include "math/Color.h"
#include "math/Vector.h"

namespace Quorvane {

// direction is where the light travels, stored unnormalised. The shading models
// read the diffuse and specular directions and colours; the intensities and the
// ambient component travel with every copy but change no pixel.
struct DiffuseLight {
    Vector3 direction;
    Color color;
    float intensity = 1.0f;
};

struct AmbientLight {
    Color color;
    float intensity = 1.0f;
};

struct SpecularLight {
    Vector3 direction;
    Color color;
    float intensity = 1.0f;
};

struct Light {
    DiffuseLight diffuse;
    AmbientLight ambient;
    SpecularLight specular;
};

} // namespace Quorvane
