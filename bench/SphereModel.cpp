#include "bench/SphereModel.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

namespace Quorvane {

std::string sphereObjText(int rings, int segments)
{
    std::ostringstream out;
    out.precision(7);
    for (int ring = 0; ring <= rings; ++ring) {
        const double polar = std::numbers::pi * ring / rings;
        for (int segment = 0; segment <= segments; ++segment) {
            const double azimuth = 2 * std::numbers::pi * segment / segments;
            const double x = std::sin(polar) * std::sin(azimuth);
            const double y = std::cos(polar);
            const double z = std::sin(polar) * std::cos(azimuth);
            out << "v " << x << ' ' << y << ' ' << z << '\n';
            out << "vn " << x << ' ' << y << ' ' << z << '\n';
            out << "vt " << double(segment) / segments << ' ' << double(ring) / rings << '\n';
        }
    }
    const int stride = segments + 1;
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            const int a = ring * stride + segment + 1; // OBJ indices are 1-based
            const int b = a + stride;
            const int c = b + 1;
            const int d = a + 1;
            out << "f " << a << '/' << a << '/' << a << ' ' << b << '/' << b << '/' << b << ' ' << c << '/'
                << c << '/' << c << '\n';
            out << "f " << a << '/' << a << '/' << a << ' ' << c << '/' << c << '/' << c << ' ' << d << '/'
                << d << '/' << d << '\n';
        }
    }
    return out.str();
}

std::string writeSphereObj(int rings, int segments)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path()
        / ("quorvane-sphere-" + std::to_string(rings) + "x" + std::to_string(segments) + ".obj");
    std::ofstream(path, std::ios::binary) << sphereObjText(rings, segments);
    return path.string();
}

} // namespace Quorvane
