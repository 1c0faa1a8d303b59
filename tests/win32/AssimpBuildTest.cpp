// The Windows build compiles assimp itself, with a chosen set of importers:
// this checks that each offered format made it in and that a file is read
// through it, zlib and the static link included.

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(AssimpBuild, HasAnImporterForEachOfferedFormat)
{
    const Assimp::Importer importer;
    for (const char* extension :
         {".obj", ".stl", ".ply", ".off", ".gltf", ".glb", ".fbx", ".dae", ".3ds", ".lwo", ".ac", ".ms3d"})
        EXPECT_TRUE(importer.IsExtensionSupported(extension)) << extension;
    EXPECT_FALSE(importer.IsExtensionSupported(".blend"));
}

TEST(AssimpBuild, ReadsAQuadFromAnObjFileAsTwoTriangles)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / L"assimp-build-\u00e9.obj";
    std::ofstream(path) << "v 0 0 0\nv 2 0 0\nv 2 3 0\nv 0 3 0\nf 1 2 3 4\n";

    // assimp takes paths as UTF-8 and opens them wide on Windows.
    const std::u8string utf8Path = path.u8string();
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(reinterpret_cast<const char*>(utf8Path.c_str()), aiProcess_Triangulate);
    std::filesystem::remove(path);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh& mesh = *scene->mMeshes[0];
    EXPECT_EQ(mesh.mNumFaces, 2u);
    aiVector3D highest(0, 0, 0);
    for (unsigned int i = 0; i < mesh.mNumVertices; ++i)
        highest =
            aiVector3D(std::max(highest.x, mesh.mVertices[i].x), std::max(highest.y, mesh.mVertices[i].y), 0);
    EXPECT_EQ(highest, aiVector3D(2, 3, 0));
}

} // namespace
