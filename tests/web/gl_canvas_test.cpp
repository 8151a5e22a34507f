// The browser's drawing over a WebGL that keeps only what it was sent: pictures go in bands, whole before drawn.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/gl_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

// Each texture's size and which of its rows were sent; a draw of a texture with a row missing (or of none) is counted.
struct Texture {
    GLsizei width = 0, height = 0;
    std::vector<bool> rows;
};
struct FakeGl {
    std::map<GLuint, Texture> textures;
    GLuint next = 1, bound = 0;
    GLsizei refusedWidth = -1;  // a texture of this width is refused (GL_OUT_OF_MEMORY)
    std::vector<GLenum> errors;
    int rowsSent = 0, partialDraws = 0, draws = 0;
} gl;

}  // namespace

extern "C" {
void glGenTextures(GLsizei, GLuint* id) { *id = gl.next++; }
void glBindTexture(GLenum, GLuint id) { gl.bound = id; }
void glTexImage2D(GLenum, GLint, GLint, GLsizei w, GLsizei h, GLint, GLenum, GLenum, const void* pixels) {
    gl.textures[gl.bound] = {w, h, std::vector<bool>(static_cast<std::size_t>(h), pixels != nullptr)};
    if (w == gl.refusedWidth) gl.errors.push_back(GL_OUT_OF_MEMORY);
}
void glTexSubImage2D(GLenum, GLint, GLint, GLint y, GLsizei, GLsizei h, GLenum, GLenum, const void*) {
    for (GLint row = y; row < y + h; ++row) gl.textures[gl.bound].rows.at(static_cast<std::size_t>(row)) = true;
    gl.rowsSent += h;
}
void glDrawArrays(GLenum, GLint, GLsizei) {
    ++gl.draws;
    const auto& rows = gl.textures[gl.bound].rows;
    if (rows.empty() || std::find(rows.begin(), rows.end(), false) != rows.end()) ++gl.partialDraws;
}
GLenum glGetError() {
    if (gl.errors.empty()) return GL_NO_ERROR;
    const GLenum error = gl.errors.back();
    gl.errors.pop_back();
    return error;
}
void glGetIntegerv(GLenum, GLint* value) { *value = 8192; }
void glGetProgramiv(GLuint, GLenum, GLint* value) { *value = GL_TRUE; }
void glGetShaderiv(GLuint, GLenum, GLint* value) { *value = GL_TRUE; }
GLenum glCheckFramebufferStatus(GLenum) { return GL_FRAMEBUFFER_COMPLETE; }
GLuint glCreateProgram() { return gl.next++; }
GLuint glCreateShader(GLenum) { return gl.next++; }
void glGenBuffers(GLsizei, GLuint* id) { *id = gl.next++; }
void glGenFramebuffers(GLsizei, GLuint* id) { *id = gl.next++; }
// The rest change nothing these tests read.
void glActiveTexture(GLenum) {}
void glAttachShader(GLuint, GLuint) {}
void glBindAttribLocation(GLuint, GLuint, const GLchar*) {}
void glBindBuffer(GLenum, GLuint) {}
void glBindFramebuffer(GLenum, GLuint) {}
void glBlendEquation(GLenum) {}
void glBlendFuncSeparate(GLenum, GLenum, GLenum, GLenum) {}
void glBufferData(GLenum, GLsizeiptr, const void*, GLenum) {}
void glBufferSubData(GLenum, GLintptr, GLsizeiptr, const void*) {}
void glClear(GLbitfield) {}
void glClearColor(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glCompileShader(GLuint) {}
void glDeleteBuffers(GLsizei, const GLuint*) {}
void glDeleteFramebuffers(GLsizei, const GLuint*) {}
void glDeleteProgram(GLuint) {}
void glDeleteShader(GLuint) {}
void glDeleteTextures(GLsizei, const GLuint*) {}
void glDisable(GLenum) {}
void glEnable(GLenum) {}
void glEnableVertexAttribArray(GLuint) {}
void glFramebufferTexture2D(GLenum, GLenum, GLenum, GLuint, GLint) {}
void glGetProgramInfoLog(GLuint, GLsizei, GLsizei*, GLchar*) {}
void glGetShaderInfoLog(GLuint, GLsizei, GLsizei*, GLchar*) {}
void glLinkProgram(GLuint) {}
void glPixelStorei(GLenum, GLint) {}
void glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*) {}
void glTexParameteri(GLenum, GLenum, GLint) {}
void glUseProgram(GLuint) {}
void glVertexAttrib4fv(GLuint, const GLfloat*) {}
void glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
}

namespace {

// A picture of `width` x `height`, of one colour unless `striped`.
DecodedPicture picture(int width, int height, bool striped = true) {
    DecodedPicture image;
    image.width = width;
    image.height = height;
    image.rgba.assign(std::size_t{4} * static_cast<std::size_t>(width * height), 255);
    if (striped)
        for (std::size_t i = 0; i < image.rgba.size(); i += 8) image.rgba[i] = 0;
    return image;
}

class GlCanvasSending : public ::testing::Test {
protected:
    // Offers each picture in turn as the files come: an 800x600 background, a sprite, a one-colour flash.
    void offerAll() {
        for (auto [which, image] : {std::pair{Picture::Void, picture(800, 600)}, {Picture::Kestra, picture(64, 64)},
                                    {Picture::White, picture(800, 600, false)}})
            canvas.offerPicture(which, image);
    }
    bool fresh_ = (gl = FakeGl{}, true);  // before the canvas is made
    GlCanvas canvas;
};

TEST_F(GlCanvasSending, OfferedPicturesGoABandAFrameEveryRowOnce) {
    offerAll();
    EXPECT_EQ(gl.rowsSent, 0);  // nothing reaches the GPU while the files come
    int frames = 0;
    while (canvas.sendSome()) ++frames;
    EXPECT_EQ(frames, 4 + 1 + 1);  // 1.92 MB in half-megabyte bands; the sprite; the flash as one texel
    EXPECT_EQ(gl.rowsSent, 600 + 64);
    for (const auto& [id, texture] : gl.textures) {
        EXPECT_EQ(std::count(texture.rows.begin(), texture.rows.end(), false), 0) << id;
        EXPECT_TRUE(texture.width == 1 || texture.width == 64 || texture.width == 800);
    }
    EXPECT_EQ(canvas.settle(), PictureCount);
}

TEST_F(GlCanvasSending, APictureDrawnIsSentWholeFirst) {
    offerAll();
    canvas.sendSome();  // the flash
    canvas.sendSome();  // the background's first band
    for (Picture drawn : {Picture::Void, Picture::Kestra}) canvas.draw(Sprite(drawn));
    canvas.paint(ScreenWidth, ScreenHeight);
    EXPECT_EQ(gl.partialDraws, 0);
    EXPECT_EQ(canvas.painted(), 2u);
}

TEST_F(GlCanvasSending, SettleSendsTheRestAndNamesTheFirstRefused) {
    gl.refusedWidth = 64;
    offerAll();
    DecodedPicture earlier = picture(64, 32);  // before Kestra in load order
    canvas.offerPicture(Picture::Nightdart, earlier);
    EXPECT_EQ(canvas.settle(), static_cast<std::size_t>(Picture::Nightdart));
    EXPECT_FALSE(canvas.refusal(static_cast<std::size_t>(Picture::Kestra)).empty());
    EXPECT_TRUE(canvas.refusal(static_cast<std::size_t>(Picture::Void)).empty());
    DecodedPicture again = picture(64, 64);
    EXPECT_FALSE(canvas.loadPicture(Picture::Kestra, again));
}

// The start screen waiting for a press is painted once; a frame that moved, a resized canvas, a page shown
// again and a context given back are painted again.
TEST_F(GlCanvasSending, AFrameTheSameAsTheLastIsNotPaintedAgain) {
    offerAll();
    const auto paint = [&](Vec2 at, int width) {
        gl.draws = 0;
        canvas.clear(Color(0, 0, 0, 255));
        Sprite kestra(Picture::Kestra);
        kestra.position = at;
        canvas.draw(kestra);
        canvas.paintChanged(width, width * 3 / 4);
        return gl.draws;
    };
    EXPECT_GT(paint(Vec2(10.f, 20.f), 800), 0);
    EXPECT_EQ(paint(Vec2(10.f, 20.f), 800), 0);
    EXPECT_GT(paint(Vec2(10.5f, 20.f), 800), 0);
    EXPECT_GT(paint(Vec2(10.5f, 20.f), 1600), 0);
    canvas.forgetShown();  // the page was hidden
    EXPECT_GT(paint(Vec2(10.5f, 20.f), 1600), 0);
    canvas.lose();
    ASSERT_TRUE(canvas.restore());
    EXPECT_GT(paint(Vec2(10.5f, 20.f), 1600), 0);
}

}  // namespace
