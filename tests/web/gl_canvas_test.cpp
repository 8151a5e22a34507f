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
    int rowsSentAgain = 0, partialDraws = 0, draws = 0;
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
    for (GLint row = y; row < y + h; ++row) {
        auto sent = gl.textures[gl.bound].rows.at(static_cast<std::size_t>(row));
        gl.rowsSentAgain += sent ? 1 : 0;
        sent = true;
    }
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
void glActiveTexture(GLenum) {} void glAttachShader(GLuint, GLuint) {} void glBindBuffer(GLenum, GLuint) {}
void glBindAttribLocation(GLuint, GLuint, const GLchar*) {} void glBindFramebuffer(GLenum, GLuint) {}
void glBlendEquation(GLenum) {} void glBlendFuncSeparate(GLenum, GLenum, GLenum, GLenum) {}
void glBufferData(GLenum, GLsizeiptr, const void*, GLenum) {} void glBufferSubData(GLenum, GLintptr, GLsizeiptr, const void*) {}
void glClear(GLbitfield) {} void glClearColor(GLfloat, GLfloat, GLfloat, GLfloat) {} void glCompileShader(GLuint) {}
void glDeleteBuffers(GLsizei, const GLuint*) {} void glDeleteFramebuffers(GLsizei, const GLuint*) {}
void glDeleteProgram(GLuint) {} void glDeleteShader(GLuint) {} void glDeleteTextures(GLsizei, const GLuint*) {}
void glDisable(GLenum) {} void glEnable(GLenum) {} void glEnableVertexAttribArray(GLuint) {} void glLinkProgram(GLuint) {}
void glFramebufferTexture2D(GLenum, GLenum, GLenum, GLuint, GLint) {} void glPixelStorei(GLenum, GLint) {}
void glGetProgramInfoLog(GLuint, GLsizei, GLsizei*, GLchar*) {} void glGetShaderInfoLog(GLuint, GLsizei, GLsizei*, GLchar*) {}
void glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*) {} void glTexParameteri(GLenum, GLenum, GLint) {}
void glUseProgram(GLuint) {} void glVertexAttrib4fv(GLuint, const GLfloat*) {} void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) {}
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

// Nothing reaches the GPU while the files come; then a band a frame, except that a picture a frame draws goes
// whole before it is drawn, and a flash as its one texel. Every row goes once.
TEST_F(GlCanvasSending, PicturesGoABandAFrameAndWholeBeforeDrawn) {
    offerAll();
    EXPECT_TRUE(gl.textures.empty());
    canvas.sendSome();  // the flash
    canvas.sendSome();  // the background's first band
    for (Picture drawn : {Picture::Void, Picture::Kestra}) canvas.draw(Sprite(drawn));
    canvas.paint(ScreenWidth, ScreenHeight);
    EXPECT_EQ(gl.partialDraws, 0);
    EXPECT_EQ(canvas.painted(), 2u);
    EXPECT_FALSE(canvas.sendSome());  // the drawn two went whole: nothing is left
    EXPECT_EQ(gl.rowsSentAgain, 0);
    for (const auto& [id, texture] : gl.textures) {
        EXPECT_EQ(std::count(texture.rows.begin(), texture.rows.end(), false), 0) << id;
        EXPECT_TRUE(texture.width == 1 || texture.width == 64 || texture.width == 800) << id;
    }
    EXPECT_EQ(canvas.settle(), PictureCount);
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
    enum Before { Nothing, Shown, Restored };
    const struct { Before before; float x; int width; bool painted; } frames[] = {
        {Nothing, 10.f, 800, true},  {Nothing, 10.f, 800, false}, {Nothing, 10.5f, 800, true},
        {Nothing, 10.5f, 1600, true}, {Shown, 10.5f, 1600, true},  {Restored, 10.5f, 1600, true},
    };
    for (const auto& frame : frames) {
        if (frame.before == Shown) canvas.forgetShown();
        if (frame.before == Restored) {
            canvas.lose();
            ASSERT_TRUE(canvas.restore());
        }
        gl.draws = 0;
        canvas.clear(Color(0, 0, 0, 255));
        Sprite kestra(Picture::Kestra);
        kestra.position = Vec2(frame.x, 20.f);
        canvas.draw(kestra);
        canvas.paintChanged(frame.width, frame.width * 3 / 4);
        EXPECT_EQ(gl.draws > 0, frame.painted) << frame.x << " " << frame.width << " " << frame.before;
    }
}

}  // namespace
