#include "render/FrameRenderer.h"

#include "math/Geometry.h"
#include "render/CoveredDepth.h"
#include "render/DepthBuffer.h"
#include "render/FaceCorners.h"
#include "render/FastFill.h"
#include "render/KeySort.h"
#include "render/LineWalker.h"
#include "render/Shaders.h"
#include "render/Transform.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace Quorvane {

namespace {

constexpr int firstFilledColumn = 1;
constexpr int lastFilledColumn = 499;

// Columns of band band of bandCount, inclusive: columns 1 to 499 in nearly
// equal parts (column 0 is never filled).
void bandColumns(int band, int bandCount, int& first, int& last)
{
    const int columns = lastFilledColumn - firstFilledColumn + 1;
    first = firstFilledColumn + columns * band / bandCount;
    last = firstFilledColumn + columns * (band + 1) / bandCount - 1;
}

} // namespace

FrameRenderer::FrameRenderer(int threadCount, PixelKernels kernels)
    : pool_(std::max(threadCount, 1)), laterFaces_(static_cast<std::size_t>(pool_.threadCount())),
      fill_(fillKernels(kernels)), shadeColumn_(columnShade(kernels)), transform_(screenTransform(kernels)),
      setUpFaces_(faceSetUp(kernels)), flatValues_(flatValues(kernels)), cornerColors_(cornerColors(kernels))
{
}

template <typename Work>
void FrameRenderer::forChunks(std::size_t count, const Work& work)
{
    const std::size_t chunks = static_cast<std::size_t>(threadCount());
    pool_.run(threadCount(), [&](int chunk) {
        const std::size_t index = static_cast<std::size_t>(chunk);
        work(count * index / chunks, count * (index + 1) / chunks);
    });
}

void FrameRenderer::render(FrameSurface& surface, RenderMode renderMode, ShadingMode shadingMode,
                           const RenderContext& context, const Mesh& mesh)
{
    const bool shaded = renderMode == renderModeShaded
                     && (shadingMode == shadingModeFlat || shadingMode == shadingModeGouraud
                         || shadingMode == shadingModePhong);
    if (renderMode != renderModeWireframe && !shaded)
        return;
    transformVertices(context, mesh);
    if (renderMode == renderModeWireframe) {
        drawEdges(mesh, surface);
        return;
    }
    if (shadingMode == shadingModeGouraud)
        lightNormals(context, mesh);
    orderFaces(setUpFaces(shadingMode, context, mesh));
    pool_.run(threadCount(), [&](int band) { fillBand(band, shadingMode, context, mesh, surface); });
}

void FrameRenderer::transformVertices(const RenderContext& context, const Mesh& mesh)
{
    screen_.resize(mesh.vertices.size());
    forChunks(mesh.vertices.size(), [&](std::size_t first, std::size_t end) {
        transform_(mesh.vertices.data() + first, end - first, context, screen_.data() + first);
    });
}

void FrameRenderer::lightNormals(const RenderContext& context, const Mesh& mesh)
{
    normalColors_.resize(mesh.normals.size());
    forChunks(mesh.normals.size(), [&](std::size_t first, std::size_t end) {
        cornerColors_(mesh.normals.data() + first, end - first, context.light.diffuse,
                      normalColors_.data() + first);
    });
}

std::int64_t FrameRenderer::setUpFaces(ShadingMode shadingMode, const RenderContext& context,
                                       const Mesh& mesh)
{
    const std::size_t faceCount = mesh.faceVertexIndices.size();
    faces_.resize(faceCount);
    shading_.resize(faceCount);
    edges_.resize(faceCount);
    bounds_.resize(faceCount);
    FaceSetupInputs inputs;
    inputs.vertexIndices = mesh.faceVertexIndices.data();
    inputs.normalIndices = mesh.faceNormalIndices.data();
    inputs.normalFaceCount = mesh.faceNormalIndices.size();
    inputs.vertexCount = mesh.vertices.size();
    inputs.normalCount = mesh.normals.size();
    inputs.screen = screen_.data();
    inputs.lit = shadingMode != shadingModeFlat;
    const FaceSetupOutputs outputs{faces_.data(), shading_.data(), edges_.data(), bounds_.data()};
    std::atomic<std::int64_t> tallPixels = 0;
    forChunks(faceCount, [&](std::size_t first, std::size_t end) {
        tallPixels += setUpFaces_(inputs, first, end, outputs);
        // Every face has entries of the vertices in its shading, drawn or not.
        if (!inputs.lit && !mesh.vertices.empty())
            flatValues_(mesh.vertices.data(), shading_.data() + first, end - first, context);
    });
    return tallPixels;
}

namespace {

// Tall faces whose boxes add up to this many surfaces lie many deep.
constexpr std::int64_t layeredSurfaces = 8;

// The bits of a float as an integer of the same order (NaN last).
std::uint32_t orderedBits(float value)
{
    if (std::isnan(value))
        return ~0u;
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

} // namespace

// A face's depth near the middle of what it covers: a tall face (which has
// the bounds) its meanCoveredDepth, a smaller one the mean of its corners'
// depths.
float FrameRenderer::orderDepth(std::size_t face) const
{
    const PixelBox& box = faces_[face].box;
    const FaceBounds& bounds = bounds_[face];
    const FaceEdges& edges = edges_[face];
    if (box.ymax - box.ymin + 1 >= shortestLayeredColumn && bounds.depthBounded)
        return meanCoveredDepth(edges, bounds, box);
    return (edges.a.z + edges.b.z + edges.c.z) / 3;
}

// In list order a pixel is stored again by every later face nearer than the
// ones before it: where tall faces lie dozens deep in random order, that is
// most of them, and every one is sampled. Filled nearest first (by
// orderDepth, ties by index), most are hidden whole blocks at a time. The
// order is the same in every band, and ties in depth still go to the first
// face in the list (see BandBuffers), so the frame is the same. Models of a
// few tall faces keep the list order, which costs no sorting.
void FrameRenderer::orderFaces(std::int64_t tallPixels)
{
    // The index must fit the key's low half.
    nearestFirst_ = tallPixels > layeredSurfaces * FrameSurface::width * FrameSurface::height
                 && faces_.size() <= std::numeric_limits<std::uint32_t>::max();
    if (!nearestFirst_)
        return;
    boundLayeredFaces();
    faceOrder_.clear();
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i].drawn)
            faceOrder_.push_back(static_cast<std::uint64_t>(orderedBits(orderDepth(i))) << 32 | i);
    // The keys come in index order, which a stable sort by depth keeps.
    sortByHighHalf(faceOrder_, sortScratch_);
}

// Set-up bounds the faces of shortestNarrowedColumn rows, which the tall face
// kernel fills in every frame; filled nearest first, those of
// shortestLayeredColumn rows go to it too.
void FrameRenderer::boundLayeredFaces()
{
    forChunks(faces_.size(), [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i) {
            const PixelBox& box = faces_[i].box;
            const int rows = box.ymax - box.ymin + 1;
            if (faces_[i].drawn && rows >= shortestLayeredColumn && rows < shortestNarrowedColumn)
                bounds_[i] = faceBounds(edges_[i], box, rows >= shortestBoundedRun);
        }
    });
}

void FrameRenderer::fillBand(int band, ShadingMode shadingMode, const RenderContext& context,
                             const Mesh& mesh, FrameSurface& surface)
{
    int firstColumn = 0, lastColumn = 0;
    bandColumns(band, threadCount(), firstColumn, lastColumn);
    BandBuffers buffers{depth_.data(),         coverFace_.data(), farthest_.data(), staleBlocks_.data(),
                        writtenBlocks_.data(), nearestFirst_,     nearestFirst_};
    // The buffers are empty: the shading of the previous frame emptied what
    // it wrote.
    const auto inBand = [&](const FaceSetup& face) {
        return face.drawn && face.box.xmax >= firstColumn && face.box.xmin <= lastColumn;
    };
    const auto fill = [&](std::size_t index) {
        fillFaceInBand(edges_[index], bounds_[index], static_cast<int>(index), faces_[index].box, firstColumn,
                       lastColumn, buffers, fill_);
    };
    if (nearestFirst_) {
        for (const std::uint64_t key : faceOrder_)
            if (inBand(faces_[static_cast<std::uint32_t>(key)]))
                fill(static_cast<std::uint32_t>(key));
    } else {
        // Of a closed model seen from outside, the faces turned away from the
        // eye (whose corners go round the other way on the surface: models
        // list them counter-clockwise seen from outside, which gives
        // denominatorU above 0) lie behind those turned to it. Filled after
        // them, most are hidden, which the hidden box test finds for a face
        // at once, where filled before them they would store their depths only
        // for the faces in front to store theirs again. (Smaller faces have no
        // such test, and cost no less filled later: too many of them, as the
        // faces of a large model, would cost more to put aside than they
        // save.)
        std::vector<std::size_t>& later = laterFaces_[static_cast<std::size_t>(band)];
        later.clear();
        // The list's size read once: the compiler cannot tell that the fill
        // leaves it.
        const std::size_t faceCount = faces_.size();
        for (std::size_t i = 0; i < faceCount; ++i) {
            const FaceSetup& face = faces_[i];
            if (!inBand(face))
                continue;
            if (face.box.ymax - face.box.ymin + 1 >= shortestHiddenLaterBox && edges_[i].denominatorU < 0)
                later.push_back(i);
            else
                fill(i);
        }
        buffers.anyOrder = true;
        for (const std::size_t i : later)
            fill(i);
    }
    shadeBand(buffers, firstColumn, lastColumn, shadingMode, context, mesh, surface);
}

void FrameRenderer::shadeBand(const BandBuffers& buffers, int firstColumn, int lastColumn,
                              ShadingMode shadingMode, const RenderContext& context, const Mesh& mesh,
                              FrameSurface& surface)
{
    ShadingInputs inputs;
    inputs.shadingMode = shadingMode;
    inputs.faces = shading_.data();
    inputs.edges = edges_.data();
    inputs.positions = mesh.vertices.data();
    inputs.normals = mesh.normals.data();
    inputs.cornerColors = normalColors_.data();
    inputs.context = &context;
    inputs.grayChannels = grayChannels(shadingMode, context.light);
    inputs.diffuseLength = length(context.light.diffuse.direction);
    // Four columns at a time, so that the surface is written in runs of four
    // pixels of a row rather than in 500 scattered pixels per column. Rows
    // where none of the four has a stored depth stay as they are: black.
    constexpr int group = 4;
    std::uint32_t values[group * columnValueRows];
    for (int x = firstColumn; x <= lastColumn; x += group) {
        const int count = std::min(group, lastColumn - x + 1);
        PassedRows stored[group], anyStored;
        for (int i = 0; i < count; ++i) {
            stored[i] = buffers.storedRows(x + i);
            anyStored.first = std::min(anyStored.first, stored[i].first);
            anyStored.last = std::max(anyStored.last, stored[i].last);
        }
        if (anyStored.first > anyStored.last)
            continue;
        for (int i = 0; i < count; ++i)
            shadeColumn_(buffers.column(x + i), stored[i], x + i, inputs, values + i * columnValueRows);
        // Emptied while their covers are still in the cache from the shading,
        // rather than at the next frame's start: only what this frame wrote,
        // as most of a small model's surface stays empty from one frame to
        // the next.
        emptyColumns(buffers, x, x + count - 1);
        surface.setColumns(x, count, values, columnValueRows, anyStored.first, anyStored.last);
    }
}

// With several threads, each walks the edges of a share of the faces over the
// whole surface. Every line sets its pixels to the same white, so the frame is
// the union of the lines' pixels in any order, and two threads may set one
// pixel at once with atomic stores. (Bands of columns, each looking at every
// edge, spent more on finding the edges in their columns than a second thread
// saved.)
void FrameRenderer::drawEdges(const Mesh& mesh, FrameSurface& surface)
{
    const std::uint32_t white = toPixel(Color(1, 1, 1, 1));
    const bool shared = threadCount() > 1;
    forChunks(mesh.faceVertexIndices.size(), [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i) {
            int corners[3];
            if (!faceCorners(mesh.faceVertexIndices[i], mesh.vertices.size(), corners))
                continue;
            for (int j = 0; j < 3; ++j) {
                const Vector3& e0 = screen_[static_cast<std::size_t>(corners[j])];
                const Vector3& e1 = screen_[static_cast<std::size_t>(corners[(j + 1) % 3])];
                const Vector2 p0(e0.x, e0.y), p1(e1.x, e1.y);
                if (shared)
                    walkLineShared(p0, p1, white, surface);
                else
                    walkLine(p0, p1, white, surface);
            }
        }
    });
}

} // namespace Quorvane
