#include "app/ModelFormats.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace Quorvane {

namespace {

constexpr std::array<std::string_view, 1> objExtensions = {"obj"};
constexpr std::array<std::string_view, 1> stlExtensions = {"stl"};
constexpr std::array<std::string_view, 1> plyExtensions = {"ply"};
constexpr std::array<std::string_view, 1> offExtensions = {"off"};
constexpr std::array<std::string_view, 2> gltfExtensions = {"gltf", "glb"};
constexpr std::array<std::string_view, 1> fbxExtensions = {"fbx"};
constexpr std::array<std::string_view, 1> colladaExtensions = {"dae"};
constexpr std::array<std::string_view, 1> studioExtensions = {"3ds"};
constexpr std::array<std::string_view, 1> lightwaveExtensions = {"lwo"};
constexpr std::array<std::string_view, 1> ac3dExtensions = {"ac"};
constexpr std::array<std::string_view, 1> milkshapeExtensions = {"ms3d"};

// Formats people export meshes in and that assimp reads without any library
// beyond zlib, so that the Windows build of the importer stays small.
constexpr std::array<ModelFormat, 11> formats = {{
    {"Wavefront OBJ", objExtensions},
    {"STL", stlExtensions},
    {"Stanford PLY", plyExtensions},
    {"Object File Format", offExtensions},
    {"glTF 2.0", gltfExtensions},
    {"Autodesk FBX", fbxExtensions},
    {"Collada", colladaExtensions},
    {"3D Studio", studioExtensions},
    {"LightWave", lightwaveExtensions},
    {"AC3D", ac3dExtensions},
    {"Milkshape 3D", milkshapeExtensions},
}};

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void appendPatterns(std::string& patterns, const ModelFormat& format, std::string_view separator)
{
    for (const std::string_view extension : format.extensions) {
        if (!patterns.empty())
            patterns += separator;
        patterns += "*.";
        patterns += extension;
    }
}

} // namespace

std::span<const ModelFormat> modelFormats()
{
    return formats;
}

bool hasModelExtension(const std::filesystem::path& path)
{
    const std::u8string extension = path.extension().u8string();
    if (extension.size() < 2)
        return false;
    const std::string wanted = lowerCase(std::string(extension.begin() + 1, extension.end()));
    return std::any_of(formats.begin(), formats.end(), [&](const ModelFormat& format) {
        return std::find(format.extensions.begin(), format.extensions.end(), wanted)
            != format.extensions.end();
    });
}

std::string modelFilePatterns(std::string_view separator)
{
    std::string patterns;
    for (const ModelFormat& format : formats)
        appendPatterns(patterns, format, separator);
    return patterns;
}

std::string modelFilePatterns(const ModelFormat& format, std::string_view separator)
{
    std::string patterns;
    appendPatterns(patterns, format, separator);
    return patterns;
}

} // namespace Quorvane
