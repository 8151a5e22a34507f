// Painting a frame's draws with WebGL: one vertex buffer a frame, one draw call a run of the same picture.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/gl_canvas.h"

#include "shell/state/game.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {
constexpr std::size_t MostDrawsInAFrame = 512;  // a busy frame draws about 180

// Positions stay in scene pixels; the projection maps the 800x600 view onto
// the canvas with the same numbers the desktop's default view uses. Each pixel
// picks its texel as the desktop's software GL (Mesa's llvmpipe) picks it: a
// texture coordinate from 0 to 1 across the picture, as a line in float along
// each screen axis, evaluated at the pixel with one rounding and scaled by the
// picture's size. Mostly that is the nearest texel; where a pixel centre falls
// exactly on a boundary between texels (a picture at a half-pixel position) the
// rounding decides, row by row, and the web decides it the same way (not yet
// for a picture reaching past the canvas's bottom edge, where llvmpipe's lines differ).
const char* const VertexShader = R"(
attribute vec2 position;
attribute vec4 across;
attribute vec4 down;
attribute vec4 tint;
attribute mat4 projection;  // the same at every vertex
varying vec4 acrossLine;
varying vec4 downLine;
varying vec4 colour;
void main() {
    acrossLine = across;
    downLine = down;
    colour = tint;
    gl_Position = projection * vec4(position, 0.0, 1.0);
}
)";

// start + slope * pixel, rounded once: the high half's product and its sum
// with the start are exact, so only the last addition rounds.
const char* const FragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
varying vec4 acrossLine;
varying vec4 downLine;
varying vec4 colour;
float along(vec4 line, float pixel) {
    float exactPart = line.x + line.y * pixel;
    return exactPart + line.z * pixel;
}
void main() {
    vec2 pixel = gl_FragCoord.xy - 0.5;
    vec2 size = vec2(acrossLine.w, downLine.w);
    vec2 coordinate = vec2(along(acrossLine, pixel.x), along(downLine, pixel.y));
    vec2 texel = clamp(floor(coordinate * size), vec2(0.0), size - 1.0);
    gl_FragColor = texture2D(picture, (texel + 0.5) / size) * colour;
}
)";

// Scales the scene's 800x600 texture onto a canvas of any size: each canvas
// pixel takes the scene pixel under its centre (`scale` is scene pixels a
// canvas pixel, written in for each size: see scaleShader), the same rule as
// nearest sampling without its rounding.
const char* const ScaleVertexShader = R"(
attribute vec2 position;
void main() {
    gl_Position = vec4(position.x / 400.0 - 1.0, 1.0 - position.y / 300.0, 0.0, 1.0);
}
)";

const char* const ScaleFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D scene;
const vec2 scale = vec2(%#.9g, %#.9g);
void main() {
    vec2 texel = floor(gl_FragCoord.xy * scale);
    gl_FragColor = texture2D(scene, (texel + 0.5) / vec2(800.0, 600.0));
}
)";

// The scale program's fragment shader for a canvas of `width` by `height`: the same floats a uniform would
// hold, written so that they read back exactly.
std::string scaleShader(int width, int height) {
    char source[640];
    std::snprintf(source, sizeof source, ScaleFragmentShader,
                  static_cast<double>(static_cast<float>(ScreenWidth) / static_cast<float>(width)),
                  static_cast<double>(static_cast<float>(ScreenHeight) / static_cast<float>(height)));
    return source;
}

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// WebGL's error for a call made while the context is lost: not the call's fault.
constexpr GLenum ContextLost = 0x9242;

// The projection takes four places from its own, one a column, each a constant the vertices share.
enum Attribute : GLuint { Position, Across, Down, Tint, ProjectionColumns };

// The desktop's default view of 800x600 pixels, computed as it computes it.
struct Projection {
    float a = 2.f / static_cast<float>(ScreenWidth);
    float b = -2.f / static_cast<float>(ScreenHeight);
    float c = -a * static_cast<float>(ScreenWidth) / 2.f;
    float d = -b * static_cast<float>(ScreenHeight) / 2.f;
};

// The program of two shaders with the attributes at their places, asked to be built but not whether it
// was: that answer waits for the GPU to compile it (a fifth of a second in a software WebGL), so it is
// asked later (see `linked`). Its shaders stay until then, for their logs.
GlProgram link(const char* vertexSource, const char* fragmentSource) {
    GlProgram made{glCreateProgram(), {compile(GL_VERTEX_SHADER, vertexSource), compile(GL_FRAGMENT_SHADER, fragmentSource)}};
    for (GLuint shader : made.shaders) glAttachShader(made.id, shader);
    glBindAttribLocation(made.id, Position, "position");
    glBindAttribLocation(made.id, Across, "across");
    glBindAttribLocation(made.id, Down, "down");
    glBindAttribLocation(made.id, Tint, "tint");
    glBindAttribLocation(made.id, ProjectionColumns, "projection");
    glLinkProgram(made.id);
    return made;
}

// The shaders go (the program keeps what it needs of them), or the program with them.
void release(GlProgram& program, bool shadersOnly = false) {
    for (GLuint& shader : program.shaders) {
        glDeleteShader(shader);
        shader = 0;
    }
    if (shadersOnly) return;
    glDeleteProgram(program.id);
    program.id = 0;
}

// Whether the browser's WebGL built the program; when not, why goes to the console and the program goes.
bool linked(GlProgram& program) {
    GLint done = GL_FALSE;
    if (program.id != 0) glGetProgramiv(program.id, GL_LINK_STATUS, &done);
    if (done != GL_TRUE) {
        char log[512] = "";
        for (GLuint shader : program.shaders) {
            GLint compiled = GL_TRUE;
            if (shader != 0) glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
            if (compiled == GL_TRUE) continue;
            glGetShaderInfoLog(shader, sizeof log, nullptr, log);
            std::fprintf(stderr, "a shader does not compile: %s\n", log);
        }
        if (program.id != 0) glGetProgramInfoLog(program.id, sizeof log, nullptr, log);
        std::fprintf(stderr, "the shaders do not link: %s\n", log);
    }
    release(program, done == GL_TRUE);
    return done == GL_TRUE;
}
}  // namespace

GlCanvas::GlCanvas(int width, int height) {
    draws_.reserve(MostDrawsInAFrame);
    shownDraws_.reserve(MostDrawsInAFrame);
    vertices_.reserve(6 * MostDrawsInAFrame + 6);  // and the quad a scaled frame is scaled with
    if (width != ScreenWidth || height != ScreenHeight) {
        scaleWidth_ = width;
        scaleHeight_ = height;
    }
    build();
}

void GlCanvas::build() {
    program_ = link(VertexShader, FragmentShader);
    if (scaleWidth_ != 0) scaleProgram_ = link(ScaleVertexShader, scaleShader(scaleWidth_, scaleHeight_).c_str());
    programInUse_ = false;  // see useProgram; the samplers read texture unit 0, as every uniform starts at 0

    const Projection p;
    const GLfloat projection[16] = {p.a, 0.f, 0.f, 0.f, 0.f, p.b, 0.f, 0.f, 0.f, 0.f, 1.f, 0.f, p.c, p.d, 0.f, 1.f};
    for (GLuint column = 0; column < 4; ++column) glVertexAttrib4fv(ProjectionColumns + column, projection + 4 * column);

    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    bufferVertices_ = 6 * MostDrawsInAFrame;
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex) * bufferVertices_), nullptr,
                 GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(Position);
    glEnableVertexAttribArray(Across);
    glEnableVertexAttribArray(Down);
    glEnableVertexAttribArray(Tint);
    glVertexAttribPointer(Position, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, x)));
    glVertexAttribPointer(Across, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, acrossStart)));
    glVertexAttribPointer(Down, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, downStart)));
    glVertexAttribPointer(Tint, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, r)));

    glViewport(0, 0, ScreenWidth, ScreenHeight);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    blending_ = true;
    glBlendEquation(GL_FUNC_ADD);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture_);
}

bool GlCanvas::confirm() {
    if (lost_) return true;  // asked again once it is given back
    if (confirmed_) return built();
    confirmed_ = true;
    const bool drawing = linked(program_);
    const bool scaling = scaleProgram_.id == 0 || linked(scaleProgram_);
    if (!drawing || !scaling) {
        release(program_);
        release(scaleProgram_);
        return false;
    }
    if (sceneFramebuffer_ != 0) sceneTaken();
    return true;
}

// WebGL asks whether a program linked when it is first put to use, which waits for the GPU to have built
// it: that is left to the first picture sent, which comes long after the programs were asked for and
// before the GPU has pictures to take in (else the first frame painted). The scaling is put to use then
// too, for the same reason.
void GlCanvas::useProgram() {
    if (programInUse_ || lost_) return;
    if (scaleProgram_.id != 0) glUseProgram(scaleProgram_.id);
    glUseProgram(program_.id);
    programInUse_ = true;
}

void GlCanvas::scaleTo(int width, int height) {
    if (width == scaleWidth_ && height == scaleHeight_ && scaleProgram_.id != 0) return;
    release(scaleProgram_);
    scaleWidth_ = width;
    scaleHeight_ = height;
    scaleProgram_ = link(ScaleVertexShader, scaleShader(width, height).c_str());
    if (confirmed_ && !linked(scaleProgram_)) sceneRefused_ = true;  // a resize after start-up: drawn in the corner
}

GlCanvas::~GlCanvas() {
    for (GLuint texture : overlays_) glDeleteTextures(1, &texture);
    for (std::size_t i = PictureCount; i-- > 0;)
        if (textures_[i] != 0) glDeleteTextures(1, &textures_[i]);
    glDeleteFramebuffers(1, &sceneFramebuffer_);
    glDeleteTextures(1, &sceneTexture_);
    glDeleteBuffers(1, &vertexBuffer_);
    release(scaleProgram_);
    release(program_);
}

namespace {

// A new texture, bound, of any size and sampled nearest: no mipmaps and no wrapping, which WebGL 1
// allows only for powers of two.
GLuint nearestTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

}  // namespace

void GlCanvas::buildScene() {
    sceneTexture_ = nearestTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, ScreenWidth, ScreenHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &sceneFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sceneTexture_, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (confirmed_) sceneTaken();
}

bool GlCanvas::sceneTaken() {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer_);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (complete || lost_) return true;
    glDeleteFramebuffers(1, &sceneFramebuffer_);
    glDeleteTextures(1, &sceneTexture_);
    sceneFramebuffer_ = sceneTexture_ = 0;
    sceneRefused_ = true;
    return false;
}

namespace {

Vec2 sizeOf(const DecodedPicture& image) {
    return Vec2(static_cast<float>(image.width), static_cast<float>(image.height));
}

}  // namespace

bool GlCanvas::fits(const DecodedPicture& image) {
    if (image.width <= largestTexture_ && image.height <= largestTexture_) return true;
    problem_ = "it is " + std::to_string(image.width) + " by " + std::to_string(image.height) +
               " pixels, larger than this browser's WebGL takes (" + std::to_string(largestTexture_) +
               " at most)";
    return false;
}

GLuint GlCanvas::texture(const DecodedPicture& image, const std::uint8_t* pixels) {
    const GLuint texture = nearestTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return texture;
}

namespace {

// Whether every pixel of a picture is the colour of its first: its first row against that pixel, then
// every row against the first.
bool oneColour(const DecodedPicture& image) {
    const std::size_t row = std::size_t{4} * static_cast<std::size_t>(image.width);
    const std::uint8_t* const first = image.rgba.data();
    for (std::size_t x = 4; x < row; x += 4)
        if (std::memcmp(first, first + x, 4) != 0) return false;
    for (int y = 1; y < image.height; ++y)
        if (std::memcmp(first, first + row * static_cast<std::size_t>(y), row) != 0) return false;
    return true;
}

// A picture of one colour (the flashes: 1.9 MB each) goes as its one texel: sampled anywhere, at the
// nearest texel or not, it gives that colour, so it draws as the whole picture would.
GLuint oneTexel(const DecodedPicture& image) {
    const GLuint texture = nearestTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    return texture;
}

}  // namespace

GLuint GlCanvas::texture(const DecodedPicture& image) {
    if (image.width == 0 || image.height == 0 || !oneColour(image)) return texture(image, image.rgba.data());
    return oneTexel(image);
}

GLuint GlCanvas::upload(const DecodedPicture& image, bool checked) {
    if (checked)
        while (glGetError() != GL_NO_ERROR) {}  // nothing earlier is blamed on this picture
    const GLuint texture = GlCanvas::texture(image);
    if (!checked) return texture;
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return texture;
    glDeleteTextures(1, &texture);
    if (error == ContextLost) {  // not the picture's fault: it is made again on restore
        lose();
        return 0;
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", error);
    problem_ = std::string("this browser's WebGL refused it as a texture (error ") + code + ")";
    return 0;
}

bool GlCanvas::loadPicture(Picture picture, DecodedPicture& image) {
    const std::size_t i = static_cast<std::size_t>(picture);
    if (!refused_[i].empty()) {
        problem_ = refused_[i];
        return false;
    }
    if (!fits(image)) return false;
    useProgram();
    glDeleteTextures(1, &textures_[i]);
    textures_[i] = lost_ ? 0 : upload(image);
    if (textures_[i] == 0 && !lost_) return false;  // while the context is lost, it is made on restore
    waiting_[i] = false;
    looks_[i] = lookOf(image.rgba.data(), static_cast<std::size_t>(image.width), static_cast<std::size_t>(image.height));
    pictures_[i] = std::move(image);
    return true;
}

void GlCanvas::offerPicture(Picture picture, DecodedPicture& image) {
    const std::size_t i = static_cast<std::size_t>(picture);
    if (has(picture) || !refused_[i].empty() || !fits(image)) return;  // loadPicture names one that does not fit
    looks_[i] = lookOf(image.rgba.data(), static_cast<std::size_t>(image.width), static_cast<std::size_t>(image.height));
    pictures_[i] = std::move(image);
    waiting_[i] = unchecked_[i] = true;
    rowsSent_[i] = 0;
}

void GlCanvas::send(std::size_t i, std::size_t bytes) {
    if (!waiting_[i] || lost_) return;
    useProgram();
    const DecodedPicture& image = pictures_[i];
    if (rowsSent_[i] == 0) {
        if (oneColour(image)) {
            textures_[i] = oneTexel(image);
            waiting_[i] = false;
            return;
        }
        textures_[i] = texture(image, nullptr);  // room for every row
    } else {
        glBindTexture(GL_TEXTURE_2D, textures_[i]);
    }
    const std::size_t row = std::size_t{4} * static_cast<std::size_t>(image.width);
    const int from = rowsSent_[i];
    const int rows = static_cast<int>(std::min<std::size_t>(std::max<std::size_t>(bytes / row, 1),
                                                            static_cast<std::size_t>(image.height - from)));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, from, image.width, rows, GL_RGBA, GL_UNSIGNED_BYTE,
                    image.rgba.data() + row * static_cast<std::size_t>(from));
    rowsSent_[i] = from + rows;
    waiting_[i] = rowsSent_[i] < image.height;
}

bool GlCanvas::sendSome(std::size_t bytes) {
    const auto next = std::find(waiting_.begin(), waiting_.end(), true);
    if (next == waiting_.end()) return false;
    send(static_cast<std::size_t>(next - waiting_.begin()), bytes);
    return true;
}

std::size_t GlCanvas::settle() {
    std::size_t first = PictureCount;
    for (std::size_t i = 0; i < PictureCount; ++i) send(i, SIZE_MAX);  // what is still waiting, first
    if (std::find(unchecked_.begin(), unchecked_.end(), true) == unchecked_.end()) return first;
    bool refused = false;
    for (GLenum error; (error = glGetError()) != GL_NO_ERROR;) refused = refused || error != ContextLost;
    // Refused somewhere: each offered picture is made again and asked about on its own.
    for (std::size_t i = 0; refused && !lost_ && i < PictureCount; ++i) {
        if (!unchecked_[i]) continue;
        glDeleteTextures(1, &textures_[i]);
        if ((textures_[i] = upload(pictures_[i])) != 0 || lost_) continue;
        refused_[i] = problem_;
        pictures_[i] = DecodedPicture{};
        first = std::min(first, i);
    }
    unchecked_.fill(false);
    return first;
}

bool GlCanvas::loadOverlay(DecodedPicture image) {
    const bool fit = fits(image);
    const GLuint texture = fit && !lost_ ? upload(image) : 0;
    const bool taken = fit && (texture != 0 || lost_);
    // A refused overlay keeps its number, so that the later ones keep theirs; it is never painted.
    overlays_.push_back(texture);
    overlaySizes_.push_back(sizeOf(image));
    overlayPictures_.push_back(taken ? std::move(image) : DecodedPicture{});
    overlayDraws_.reserve(overlays_.size());
    return taken;
}

void GlCanvas::lose() {
    lost_ = true;
    shown_ = false;
    // Every name is gone with the context; deleting them now only clears the names' table.
    for (GLuint& texture : overlays_) glDeleteTextures(1, &texture);
    for (GLuint& texture : textures_) glDeleteTextures(1, &texture);
    glDeleteFramebuffers(1, &sceneFramebuffer_);
    glDeleteTextures(1, &sceneTexture_);
    glDeleteBuffers(1, &vertexBuffer_);
    release(scaleProgram_);
    release(program_);
    textures_.fill(0);
    rowsSent_.fill(0);
    overlays_.assign(overlays_.size(), 0);
    sceneFramebuffer_ = sceneTexture_ = 0;
    vertexBuffer_ = 0;
    drop();
}

bool GlCanvas::restore() {
    lost_ = false;
    confirmed_ = false;
    waiting_.fill(false);  // every picture goes whole, below
    build();
    if (!confirm()) return false;
    for (std::size_t i = 0; i < PictureCount; ++i)
        if (!pictures_[i].rgba.empty() && (textures_[i] = upload(pictures_[i])) == 0) return false;
    for (std::size_t k = 0; k < overlays_.size(); ++k)
        if (!overlayPictures_[k].rgba.empty() && (overlays_[k] = upload(overlayPictures_[k])) == 0) return false;
    return true;
}

void GlCanvas::clear(Color color) {
    clearColor_ = color;
    cleared_ = true;
}

void GlCanvas::draw(const Sprite& sprite) { draws_.push_back(sprite); }

void GlCanvas::drawOverlay(std::size_t overlay, Vec2 position) { overlayDraws_.emplace_back(overlay, position); }

namespace {

// A scene point in the canvas's pixels (y up), through the view as the
// desktop's GL takes it: the projection rounded step by step, the viewport fused.
Vec2 onCanvas(float x, float y) {
    const Projection p;
    const float clipX = p.a * x + p.c, clipY = p.b * y + p.d;
    return Vec2(std::fma(clipX, ScreenWidth / 2.f, ScreenWidth / 2.f),
                std::fma(clipY, ScreenHeight / 2.f, ScreenHeight / 2.f));
}

struct Line {
    float start, high, low;
};

// A slope split so that each half times a pixel index below 1024 is exact.
Line splitLine(float start, float slope) {
    int exponent = 0;
    const float fraction = std::frexp(slope, &exponent);
    const float high = std::ldexp(std::trunc(std::ldexp(fraction, 12)), exponent - 12);
    return {start, high, slope - high};
}

// The texture coordinate's lines across and down a picture of `size` with its
// top-left corner at `position`, worked out from the triangle of its
// bottom-left, top-right and top-left corners in the order and float steps of
// the desktop's GL. Across the screen it runs 0 to 1 over the picture's width,
// down the canvas 1 to 0 over its height (the canvas counts rows up).
std::pair<Line, Line> textureLines(Vec2 position, Vec2 size) {
    const Vec2 v0 = onCanvas(position.x, size.y + position.y), v1 = onCanvas(size.x + position.x, position.y),
               v2 = onCanvas(position.x, position.y);
    const float u0 = 0.f, u1 = size.x * (1.f / size.x), u2 = 0.f;
    const float t0 = size.y * (1.f / size.y), t1 = 0.f, t2 = 0.f;
    const float dx01 = v0.x - v1.x, dy01 = v0.y - v1.y, dx20 = v2.x - v0.x, dy20 = v2.y - v0.y;
    const float ooa = 1.f / (dx01 * dy20 - dx20 * dy01);
    const float dy20o = dy20 * ooa, dy01o = dy01 * ooa, dx20o = dx20 * ooa, dx01o = dx01 * ooa;
    const float x0 = v0.x - 0.5f, y0 = v0.y - 0.5f;
    const float dudx = (u0 - u1) * dy20o - (u2 - u0) * dy01o, dudy = (u2 - u0) * dx01o - (u0 - u1) * dx20o;
    const float dtdx = (t0 - t1) * dy20o - (t2 - t0) * dy01o, dtdy = (t2 - t0) * dx01o - (t0 - t1) * dx20o;
    const float uStart = u0 - (dudx * x0 + dudy * y0), tStart = t0 - (dtdx * x0 + dtdy * y0);
    return {splitLine(uStart, dudx), splitLine(tStart, dtdy)};
}

}  // namespace

void GlCanvas::addQuad(Vec2 position, Vec2 size, Color c) {
    const float left = position.x, top = position.y;
    const float right = size.x + position.x, bottom = size.y + position.y;
    const std::pair<Line, Line> lines = textureLines(position, size);
    const Line& u = lines.first;
    const Line& t = lines.second;
    const auto corner = [&](float x, float y) {
        return Vertex{x, y, u.start, u.high, u.low, size.x, t.start, t.high, t.low, size.y, c.r, c.g, c.b, c.a};
    };
    const Vertex corners[4] = {corner(left, top), corner(left, bottom), corner(right, top), corner(right, bottom)};
    for (int k : {0, 1, 2, 2, 1, 3}) vertices_.push_back(corners[k]);
}

bool GlCanvas::covers(const Sprite& sprite) const {
    return looks_[static_cast<std::size_t>(sprite.picture)].opaque && sprite.color.a == 255;
}

void GlCanvas::paintRun(GLuint texture, std::size_t first, std::size_t count, bool blend) {
    if (blend != blending_) {
        if (blend) glEnable(GL_BLEND);
        else glDisable(GL_BLEND);
        blending_ = blend;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(6 * first), static_cast<GLsizei>(6 * count));
}

void GlCanvas::paintChanged(int width, int height) {
    const auto sameSprite = [](const Sprite& a, const Sprite& b) {
        return a.picture == b.picture && a.position == b.position && a.color == b.color;
    };
    const bool same = shown_ && width == shownWidth_ && height == shownHeight_ && cleared_ == shownCleared_ &&
                      (!cleared_ || clearColor_ == shownClear_) &&
                      std::equal(draws_.begin(), draws_.end(), shownDraws_.begin(), shownDraws_.end(), sameSprite) &&
                      overlayDraws_ == shownOverlays_;
    if (same) drop();
    else paint(width, height);
}

void GlCanvas::paint(int width, int height) {
    if (lost_ || !built()) {
        drop();
        return;
    }
    shownDraws_.assign(draws_.begin(), draws_.end());  // within its reserve: no allocation
    shownOverlays_.assign(overlayDraws_.begin(), overlayDraws_.end());
    shownClear_ = clearColor_;
    shownCleared_ = cleared_;
    shownWidth_ = width;
    shownHeight_ = height;
    shown_ = true;
    // A scaled frame is drawn into the scene's texture exactly as it would be into an 800x600 canvas (where
    // the browser would have cleared what the last frame left), then scaled onto the canvas. Without the
    // texture (refused) the scene is drawn into the canvas's corner.
    bool scaled = (width != ScreenWidth || height != ScreenHeight) && !sceneRefused_;
    if (scaled && sceneFramebuffer_ == 0) buildScene();
    if (scaled) scaleTo(width, height);
    scaled = scaled && !sceneRefused_;
    glBindFramebuffer(GL_FRAMEBUFFER, scaled ? sceneFramebuffer_ : 0);
    glViewport(0, 0, ScreenWidth, ScreenHeight);
    useProgram();
    const ViewRect view{0.f, 0.f, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)};
    const VisibleDraws seen = visibleDraws(draws_.data(), draws_.size(), looks_, view);
    for (std::size_t i = seen.first; i < draws_.size(); ++i) send(static_cast<std::size_t>(draws_[i].picture), SIZE_MAX);
    if ((cleared_ || scaled) && !seen.covered) {
        const Color c = cleared_ ? clearColor_ : Color(0, 0, 0, 0);
        glClearColor(c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    vertices_.clear();
    for (std::size_t i = seen.first; i < draws_.size(); ++i)
        addQuad(draws_[i].position, looks_[static_cast<std::size_t>(draws_[i].picture)].size, draws_[i].color);
    for (const auto& [overlay, position] : overlayDraws_) addQuad(position, overlaySizes_[overlay], Color(255, 255, 255));
    const std::size_t sceneQuad = vertices_.size() / 6;
    if (scaled) addQuad(Vec2(0.f, 0.f), Vec2(view.width, view.height), Color(255, 255, 255));
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(sizeof(Vertex) * vertices_.size());
    if (vertices_.size() > bufferVertices_) {  // a frame busier than any the story makes
        bufferVertices_ = vertices_.size();
        glBufferData(GL_ARRAY_BUFFER, bytes, vertices_.data(), GL_DYNAMIC_DRAW);
    } else if (bytes > 0) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices_.data());
    }
    // One call for each run of draws showing the same picture, then one for each overlay. An opaque
    // picture drawn untranslucent leaves exactly what blending it would (its colour times one, the
    // canvas's times zero), so it is drawn without blending: one read of the canvas a pixel less for
    // a software WebGL.
    std::size_t runStart = seen.first;
    for (std::size_t i = seen.first; i < draws_.size(); ++i) {
        const bool runEnds = i + 1 == draws_.size() || draws_[i + 1].picture != draws_[i].picture ||
                             covers(draws_[i + 1]) != covers(draws_[i]);
        if (!runEnds) continue;
        paintRun(textures_[static_cast<std::size_t>(draws_[i].picture)], runStart - seen.first, i + 1 - runStart,
                 !covers(draws_[i]));
        runStart = i + 1;
    }
    const std::size_t drawn = draws_.size() - seen.first;
    for (std::size_t k = 0; k < overlayDraws_.size(); ++k)
        if (overlays_[overlayDraws_[k].first] != 0) paintRun(overlays_[overlayDraws_[k].first], drawn + k, 1, true);
    if (scaled) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, width, height);
        glUseProgram(scaleProgram_.id);
        paintRun(sceneTexture_, sceneQuad, 1, false);
        glUseProgram(program_.id);
    }
    painted_ = drawn;
    overlaysPainted_ = overlayDraws_.size();
    drop();
}

void GlCanvas::drop() {
    draws_.clear();
    overlayDraws_.clear();
    cleared_ = false;
}
