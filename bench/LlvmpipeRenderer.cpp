#include "bench/LlvmpipeRenderer.h"

#include "math/Geometry.h"
#include "math/Matrix.h"
#include "render/FaceCorners.h"
#include "render/FrameSurface.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>

#include <cstddef>

namespace Quorvane {

namespace {

constexpr int size = FrameSurface::width;

// Position, corner normal and face normal of one corner, as the shaders read them.
struct Corner {
    Vector3 position;
    Vector3 normal;
    Vector3 faceNormal;
};

constexpr const char* vertexShader = R"(#version 130
uniform mat4 view;
uniform mat4 projection;
uniform vec3 diffuseDirection;
in vec3 position;
in vec3 normal;
in vec3 faceNormal;
flat out vec3 flatColor;
noperspective out vec3 cornerColor;
noperspective out vec3 pixelNormal;
noperspective out vec3 pixelPosition;

float cosAngle(vec3 a, vec3 b) { return dot(a, b) / (length(a) * length(b)); }

void main()
{
    gl_Position = projection * (view * vec4(position, 1.0));
    flatColor = vec3(max(cosAngle(faceNormal, -diffuseDirection), 0.0));
    cornerColor = vec3(max(cosAngle(normal, -diffuseDirection), 0.0));
    pixelNormal = normal;
    pixelPosition = position;
}
)";

// The three views differ only in where the colour before the ambient term
// comes from; the ambient term and the overflow to white are shared.
constexpr const char* fragmentHead = R"(#version 130
uniform vec3 diffuseDirection;
uniform vec3 specularDirection;
uniform vec3 eye;
flat in vec3 flatColor;
noperspective in vec3 cornerColor;
noperspective in vec3 pixelNormal;
noperspective in vec3 pixelPosition;
out vec4 fragColor;

float cosAngle(vec3 a, vec3 b) { return dot(a, b) / (length(a) * length(b)); }

vec3 phong()
{
    float diffuse = max(-cosAngle(pixelNormal, diffuseDirection), 0.0);
    vec3 reflectLight = reflect(specularDirection, normalize(pixelNormal));
    float specular = max(cosAngle(reflectLight, eye - pixelPosition), 0.0);
    return vec3(diffuse + pow(specular, 5.0));
}

void main()
{
    vec3 color = )";

constexpr const char* fragmentTail = R"( + vec3(0.1);
    fragColor = any(greaterThan(color, vec3(1.0))) ? vec4(1.0) : vec4(color, 1.0);
}
)";

const char* colorExpression(ShadingMode mode)
{
    switch (mode) {
    case shadingModeFlat:
        return "flatColor";
    case shadingModeGouraud:
        return "cornerColor";
    default:
        return "phong()";
    }
}

GLuint compile(GLenum kind, const std::string& source, std::string& error)
{
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string("shader: ") + log;
    }
    return shader;
}

// Our matrices are rows combined with a row vector; handed over unchanged,
// GL reads them as columns, so `matrix * vector` in GLSL is our transform.
void setMatrix(GLuint program, const char* name, const Matrix4& m)
{
    float values[16];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            values[i * 4 + j] = m.rows[i][j];
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, values);
}

void setVector(GLuint program, const char* name, const Vector3& v)
{
    glUniform3f(glGetUniformLocation(program, name), v.x, v.y, v.z);
}

} // namespace

struct LlvmpipeRenderer::State {
    OSMesaContext context = nullptr;
    std::vector<std::uint32_t> colorBuffer = std::vector<std::uint32_t>(size * size);
    GLuint programs[3] = {};
    GLuint buffer = 0;
    GLsizei cornerCount = 0;
    std::string error;
};

LlvmpipeRenderer::LlvmpipeRenderer() : state_(std::make_unique<State>())
{
    // clang-format off
    const int attributes[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24,
                              OSMESA_PROFILE, OSMESA_COMPAT_PROFILE,
                              OSMESA_CONTEXT_MAJOR_VERSION, 3, OSMESA_CONTEXT_MINOR_VERSION, 0, 0};
    // clang-format on
    state_->context = OSMesaCreateContextAttribs(attributes, nullptr);
    if (!state_->context
        || !OSMesaMakeCurrent(state_->context, state_->colorBuffer.data(), GL_UNSIGNED_BYTE, size, size)) {
        state_->error = "OSMesa could not create a GL 3.0 context";
        return;
    }
    const ShadingMode modes[3] = {shadingModeFlat, shadingModeGouraud, shadingModePhong};
    for (int i = 0; i < 3 && state_->error.empty(); ++i) {
        const GLuint program = glCreateProgram();
        glAttachShader(program, compile(GL_VERTEX_SHADER, vertexShader, state_->error));
        glAttachShader(program, compile(GL_FRAGMENT_SHADER,
                                        std::string(fragmentHead) + colorExpression(modes[i]) + fragmentTail,
                                        state_->error));
        glBindAttribLocation(program, 0, "position");
        glBindAttribLocation(program, 1, "normal");
        glBindAttribLocation(program, 2, "faceNormal");
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok && state_->error.empty())
            state_->error = "a shader program does not link";
        state_->programs[i] = program;
    }
    glViewport(0, 0, size, size);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS); // a later face wins only when strictly nearer, as in ours
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glGenBuffers(1, &state_->buffer);
}

LlvmpipeRenderer::~LlvmpipeRenderer()
{
    if (state_->context)
        OSMesaDestroyContext(state_->context);
}

const std::string& LlvmpipeRenderer::error() const
{
    return state_->error;
}

std::string LlvmpipeRenderer::rendererName() const
{
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

void LlvmpipeRenderer::setMesh(const Mesh& mesh)
{
    std::vector<Corner> corners;
    corners.reserve(mesh.faceVertexIndices.size() * 3);
    for (std::size_t face = 0; face < mesh.faceVertexIndices.size(); ++face) {
        int positions[3];
        int normals[3];
        if (face >= mesh.faceNormalIndices.size()
            || !faceCorners(mesh.faceVertexIndices[face], mesh.vertices.size(), positions)
            || !faceCorners(mesh.faceNormalIndices[face], mesh.normals.size(), normals))
            continue;
        const Vector3& a = mesh.vertices[static_cast<std::size_t>(positions[0])];
        const Vector3& b = mesh.vertices[static_cast<std::size_t>(positions[1])];
        const Vector3& c = mesh.vertices[static_cast<std::size_t>(positions[2])];
        const Vector3 faceNormal = triangleNormal(a, b, c);
        for (int j = 0; j < 3; ++j)
            corners.push_back({mesh.vertices[static_cast<std::size_t>(positions[j])],
                               mesh.normals[static_cast<std::size_t>(normals[j])], faceNormal});
    }
    state_->cornerCount = static_cast<GLsizei>(corners.size());
    glBindBuffer(GL_ARRAY_BUFFER, state_->buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(Corner)), corners.data(),
                 GL_STATIC_DRAW);
    for (GLuint attribute = 0; attribute < 3; ++attribute) {
        glVertexAttribPointer(attribute, 3, GL_FLOAT, GL_FALSE, sizeof(Corner),
                              reinterpret_cast<const void*>(attribute * sizeof(Vector3)));
        glEnableVertexAttribArray(attribute);
    }
}

void LlvmpipeRenderer::setScene(const Camera& camera, const Light& light)
{
    const Matrix4 view = viewMatrix(camera.rotation, camera.position);
    // x, y and w are the frame driver's (field of view 1.5708, aspect 1, near
    // 1, far 10), so every pixel lands where ours does. Only the depth row
    // comes from a near plane of 0.01: GL clips at the near plane and our
    // pipeline does not, and the front of the head is nearer than 1 to the eye.
    Matrix4 projection = perspective(1.5708f, 1.0f, 1.0f, 10.0f);
    const Matrix4 unclipped = perspective(1.5708f, 1.0f, 0.01f, 10.0f);
    projection.rows[2].z = unclipped.rows[2].z;
    projection.rows[3].z = unclipped.rows[3].z;
    for (const GLuint program : state_->programs) {
        glUseProgram(program);
        setMatrix(program, "view", view);
        setMatrix(program, "projection", projection);
        setVector(program, "diffuseDirection", light.diffuse.direction);
        setVector(program, "specularDirection", light.specular.direction);
        setVector(program, "eye", camera.position);
    }
}

void LlvmpipeRenderer::renderFrame(ShadingMode mode, std::vector<std::uint32_t>& pixels)
{
    glUseProgram(state_->programs[mode == shadingModeFlat ? 0 : mode == shadingModeGouraud ? 1 : 2]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, state_->cornerCount);
    glFinish();
    pixels.resize(size * size);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

} // namespace Quorvane
