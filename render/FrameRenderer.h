#pragma once

#include "math/Color.h"
#include "math/Vector.h"
#include "render/ColumnFill.h"
#include "render/ColumnShade.h"
#include "render/DepthBuffer.h"
#include "render/FaceLighting.h"
#include "render/FaceSetup.h"
#include "render/FastFill.h"
#include "render/FrameSurface.h"
#include "render/RenderContext.h"
#include "render/ScreenTransform.h"
#include "render/TriangleFill.h"
#include "render/WorkerPool.h"
#include "scene/Mesh.h"
#include "scene/Modes.h"

#include <cstdint>
#include <vector>

namespace Quorvane {

// The fast path of a whole frame: the same pixels as the straightforward
// drawing (drawWireframe and drawShadedFaces on a reset depthBuffer), computed
// with each vertex transformed once per frame and the surface split into bands
// of columns that the pool's threads fill at the same time. Each band fills
// every face within its own columns, in the same order as every other band
// (the list's, the faces turned away from the eye last, or nearest first; ties
// in depth go to the first face in the list in every order), and a pixel
// depends only on the faces that cover it, so every thread count gives the
// same frame. Uses none of the renderer's globals: it keeps its own depth
// buffer and shaders.
class FrameRenderer {
public:
    // threadCount below 1 counts as 1. The kernels change the speed only.
    explicit FrameRenderer(int threadCount, PixelKernels kernels = fastestPixelKernels());

    int threadCount() const { return pool_.threadCount(); }

    // Draws mesh with context's camera, view, projection and light (its own
    // mesh lists are not read) into surface, which is all black.
    void render(FrameSurface& surface, RenderMode renderMode, ShadingMode shadingMode,
                const RenderContext& context, const Mesh& mesh);

private:
    void transformVertices(const RenderContext& context, const Mesh& mesh);
    void lightNormals(const RenderContext& context, const Mesh& mesh);
    // Returns the pixels of the boxes of the faces filled column by column.
    std::int64_t setUpFaces(ShadingMode shadingMode, const RenderContext& context, const Mesh& mesh);
    void orderFaces(std::int64_t tallPixels);
    void boundLayeredFaces();
    // The depth that orderFaces sorts drawn face number face by.
    float orderDepth(std::size_t face) const;
    void fillBand(int band, ShadingMode shadingMode, const RenderContext& context, const Mesh& mesh,
                  FrameSurface& surface);
    void shadeBand(const BandBuffers& buffers, int firstColumn, int lastColumn, ShadingMode shadingMode,
                   const RenderContext& context, const Mesh& mesh, FrameSurface& surface);
    void drawEdges(const Mesh& mesh, FrameSurface& surface);
    // Runs work(first, end) over [0, count) in one chunk per thread.
    template <typename Work>
    void forChunks(std::size_t count, const Work& work);

    WorkerPool pool_;
    // Per band: the faces that fillBand fills after the others.
    std::vector<std::vector<std::size_t>> laterFaces_;
    FillKernels fill_;
    ColumnShade shadeColumn_;
    ScreenTransform transform_;
    FaceSetUp setUpFaces_;
    FlatValues flatValues_;
    CornerColors cornerColors_;
    std::vector<Vector3> screen_;     // per vertex: transformVertex of it
    std::vector<Color> normalColors_; // per normal: its Gouraud corner colour
    std::vector<FaceSetup> faces_;
    std::vector<FaceShading> shading_; // per face
    std::vector<FaceEdges> edges_;     // per face, set where it is drawn
    std::vector<FaceBounds> bounds_;   // per face, set where its box is narrowed
    // Where nearestFirst_, the drawn faces in the order they are filled, each
    // its orderDepth's orderedBits above its index (see orderFaces); else
    // faces are filled in list order, those turned away from the eye last
    // (see fillBand).
    bool nearestFirst_ = false;
    std::vector<std::uint64_t> faceOrder_;
    std::vector<std::uint64_t> sortScratch_;
    // Empty between frames (see BandBuffers): the shading empties what the
    // fill wrote.
    std::vector<float> depth_ =
        std::vector<float>(static_cast<std::size_t>(FrameSurface::width) * FrameSurface::height, emptyDepth);
    std::vector<int> coverFace_ = std::vector<int>(depth_.size(), -1);
    std::vector<float> farthest_ =
        std::vector<float>(static_cast<std::size_t>(FrameSurface::width) * depthBlocks, emptyDepth);
    std::vector<std::uint32_t> staleBlocks_ = std::vector<std::uint32_t>(FrameSurface::width);
    std::vector<std::uint32_t> writtenBlocks_ = std::vector<std::uint32_t>(FrameSurface::width);
};

} // namespace Quorvane
