// Painting a frame's draws with WebGL: one vertex buffer a frame, one draw call a run of the same picture.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/gl_canvas.h"

#include "shell/state/game.h"

#include <cstddef>

namespace {
constexpr std::size_t MostDrawsInAFrame = 512;  // a busy frame draws about 180

// Positions stay in scene pixels; the projection maps the 800x600 view onto
// the canvas with the same numbers the desktop's default view uses. Each
// corner also carries its picture's place and size, so every pixel picks its
// texel from its own centre: the nearest texel, exactly, wherever the picture
// stands, sub-pixel positions included (the backdrop moves 0.05 px a frame).
const char* const VertexShader = R"(
attribute vec2 position;
attribute vec4 placement;
attribute vec4 tint;
uniform mat4 projection;
varying vec4 place;
varying vec4 colour;
void main() {
    place = placement;
    colour = tint;
    gl_Position = projection * vec4(position, 0.0, 1.0);
}
)";

const char* const FragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
varying vec4 place;
varying vec4 colour;
// A pixel centre exactly on a boundary between texels (a picture at a half-pixel
// position) takes the texel to its right and the one above it, as the desktop's GL does.
const vec2 onBoundary = vec2(1.0 / 1024.0, -1.0 / 1024.0);
void main() {
    vec2 scene = vec2(gl_FragCoord.x, 600.0 - gl_FragCoord.y);
    vec2 texel = floor(scene - place.xy + onBoundary);
    gl_FragColor = texture2D(picture, (texel + 0.5) / place.zw) * colour;
}
)";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

enum Attribute : GLuint { Position, Placement, Tint };
}  // namespace

GlCanvas::GlCanvas() {
    draws_.reserve(MostDrawsInAFrame);
    vertices_.reserve(6 * MostDrawsInAFrame);

    program_ = glCreateProgram();
    const GLuint vertex = compile(GL_VERTEX_SHADER, VertexShader);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, FragmentShader);
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glBindAttribLocation(program_, Position, "position");
    glBindAttribLocation(program_, Placement, "placement");
    glBindAttribLocation(program_, Tint, "tint");
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    glUseProgram(program_);

    // The desktop's default view of 800x600 pixels, computed as it computes it.
    const float a = 2.f / static_cast<float>(ScreenWidth);
    const float b = -2.f / static_cast<float>(ScreenHeight);
    const float c = -a * static_cast<float>(ScreenWidth) / 2.f;
    const float d = -b * static_cast<float>(ScreenHeight) / 2.f;
    const GLfloat projection[16] = {a, 0.f, 0.f, 0.f, 0.f, b, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, c, d, 0.f, 1.f};
    glUniformMatrix4fv(glGetUniformLocation(program_, "projection"), 1, GL_FALSE, projection);
    glUniform1i(glGetUniformLocation(program_, "picture"), 0);

    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    bufferVertices_ = 6 * MostDrawsInAFrame;
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex) * bufferVertices_), nullptr,
                 GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(Position);
    glEnableVertexAttribArray(Placement);
    glEnableVertexAttribArray(Tint);
    glVertexAttribPointer(Position, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, x)));
    glVertexAttribPointer(Placement, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, left)));
    glVertexAttribPointer(Tint, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, r)));

    glViewport(0, 0, ScreenWidth, ScreenHeight);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

GlCanvas::~GlCanvas() {
    for (GLuint texture : overlays_) glDeleteTextures(1, &texture);
    for (std::size_t i = PictureCount; i-- > 0;)
        if (textures_[i] != 0) glDeleteTextures(1, &textures_[i]);
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteProgram(program_);
}

namespace {

GLuint makeTexture(const DecodedPicture& image) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Any size: no mipmaps and no wrapping, which WebGL 1 allows only for powers of two.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return texture;
}

Vec2 sizeOf(const DecodedPicture& image) {
    return Vec2(static_cast<float>(image.width), static_cast<float>(image.height));
}

}  // namespace

void GlCanvas::loadPicture(Picture picture, const DecodedPicture& image) {
    const std::size_t i = static_cast<std::size_t>(picture);
    textures_[i] = makeTexture(image);
    looks_[i].size = sizeOf(image);
    looks_[i].opaque = true;
    for (std::size_t p = 3; p < image.rgba.size(); p += 4) looks_[i].opaque = looks_[i].opaque && image.rgba[p] == 255;
}

void GlCanvas::loadOverlay(const DecodedPicture& image) {
    overlays_.push_back(makeTexture(image));
    overlaySizes_.push_back(sizeOf(image));
    overlayDraws_.reserve(overlays_.size());
}

void GlCanvas::clear(Color color) {
    clearColor_ = color;
    cleared_ = true;
}

void GlCanvas::draw(const Sprite& sprite) { draws_.push_back(sprite); }

void GlCanvas::drawOverlay(std::size_t overlay, Vec2 position) { overlayDraws_.emplace_back(overlay, position); }

void GlCanvas::addQuad(Vec2 position, Vec2 size, Color c) {
    const float left = position.x, top = position.y;
    const float right = size.x + position.x, bottom = size.y + position.y;
    const Vertex corners[4] = {{left, top, left, top, size.x, size.y, c.r, c.g, c.b, c.a},
                               {left, bottom, left, top, size.x, size.y, c.r, c.g, c.b, c.a},
                               {right, top, left, top, size.x, size.y, c.r, c.g, c.b, c.a},
                               {right, bottom, left, top, size.x, size.y, c.r, c.g, c.b, c.a}};
    for (int k : {0, 1, 2, 2, 1, 3}) vertices_.push_back(corners[k]);
}

void GlCanvas::paintRun(GLuint texture, std::size_t first, std::size_t count) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(6 * first), static_cast<GLsizei>(6 * count));
}

void GlCanvas::paint() {
    const ViewRect view{0.f, 0.f, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)};
    const VisibleDraws seen = visibleDraws(draws_.data(), draws_.size(), looks_, view);
    if (cleared_ && !seen.covered) {
        glClearColor(clearColor_.r / 255.f, clearColor_.g / 255.f, clearColor_.b / 255.f, clearColor_.a / 255.f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    vertices_.clear();
    for (std::size_t i = seen.first; i < draws_.size(); ++i)
        addQuad(draws_[i].position, looks_[static_cast<std::size_t>(draws_[i].picture)].size, draws_[i].color);
    for (const auto& [overlay, position] : overlayDraws_) addQuad(position, overlaySizes_[overlay], Color(255, 255, 255));
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(sizeof(Vertex) * vertices_.size());
    if (vertices_.size() > bufferVertices_) {  // a frame busier than any the story makes
        bufferVertices_ = vertices_.size();
        glBufferData(GL_ARRAY_BUFFER, bytes, vertices_.data(), GL_DYNAMIC_DRAW);
    } else if (bytes > 0) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices_.data());
    }
    // One call for each run of draws showing the same picture, then one for each overlay.
    std::size_t runStart = seen.first;
    for (std::size_t i = seen.first; i < draws_.size(); ++i) {
        const bool runEnds = i + 1 == draws_.size() || draws_[i + 1].picture != draws_[i].picture;
        if (!runEnds) continue;
        paintRun(textures_[static_cast<std::size_t>(draws_[i].picture)], runStart - seen.first, i + 1 - runStart);
        runStart = i + 1;
    }
    const std::size_t drawn = draws_.size() - seen.first;
    for (std::size_t k = 0; k < overlayDraws_.size(); ++k) paintRun(overlays_[overlayDraws_[k].first], drawn + k, 1);
    painted_ = drawn;
    overlaysPainted_ = overlayDraws_.size();
    drop();
}

void GlCanvas::drop() {
    draws_.clear();
    overlayDraws_.clear();
    cleared_ = false;
}
