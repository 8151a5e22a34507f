// The browser's drawing: the pictures as WebGL textures and one frame's draws painted as the desktop paints them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/hidden_draws.h"
#include "shell/state/game.h"
#include "shell/state/sprite.h"
#include "web/asset_files.h"

#include <GLES2/gl2.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A program asked of the browser's WebGL, and its shaders until it is known to be built.
struct GlProgram {
    GLuint id = 0;
    std::array<GLuint, 2> shaders{};
};

// Collects a frame's clear and draws as the core makes them, then paints them
// into the current WebGL context's 800x600 canvas: every picture whole at its
// own size, its top-left corner on the sprite's position (fractions kept, as
// the desktop keeps them), tinted by the sprite's colour, sampled at the
// nearest texel, blended as the desktop blends (colour: source alpha, one
// minus source alpha; alpha: one, one minus source alpha). The draws a later
// full-window opaque picture hides are left out (see visibleDraws).
//
// A canvas whose drawing buffer is not 800x600 (the live page keeps it at
// the screen's own pixels) gets the scene drawn as above into an 800x600
// texture, then scaled onto it: each canvas pixel shows the scene pixel under
// its centre, so every engine shows the same whole, unsmoothed pixels (each
// scene pixel exactly two by two on a canvas of 1600x1200, and so on).
//
// Every picture is kept as decoded, so that a context the browser takes away
// (a GPU reset, a driver update, a laptop switching graphics) can be built
// again as it was when the browser gives it back.
class GlCanvas {
public:
    // Needs the current WebGL context, whose drawing buffer is `width` by
    // `height` (the scaling for it is made with the rest); see built().
    explicit GlCanvas(int width = ScreenWidth, int height = ScreenHeight);
    ~GlCanvas();
    GlCanvas(const GlCanvas&) = delete;
    GlCanvas& operator=(const GlCanvas&) = delete;

    // Whether the shaders are made, and once `confirm` has asked, built;
    // nothing is drawn without them.
    bool built() const { return program_.id != 0; }
    // Asks, once, whether the browser's WebGL compiled and linked the shaders
    // and can draw into the scaled scene's texture: both answers wait for the
    // GPU to catch up, which the page would feel at start-up, so they are
    // asked once it has long had them. False when it did not build them (why
    // on the console).
    bool confirm();

    // False when the browser cannot take the picture as a texture: larger
    // than its MAX_TEXTURE_SIZE, or refused on upload; `problem` says which.
    // Taken, its pixels move in from `image`.
    bool loadPicture(Picture picture, DecodedPicture& image);
    // Keeps a picture as its file comes and sends it nowhere yet, so that no
    // start-up task waits on the GPU taking in the game's pictures: they go
    // to WebGL a band of rows at a time by `sendSome` (the page sends a band
    // a frame once the start screen shows), and any picture a frame draws
    // goes whole before it is drawn. `settle` sends what is left, then asks
    // whether the browser's WebGL took each picture offered (the answer
    // waits for the GPU to finish); one refused is not had, and loadPicture
    // refuses it again. It answers the first picture refused, or
    // PictureCount for none.
    void offerPicture(Picture picture, DecodedPicture& image);
    std::size_t settle();
    const std::string& refusal(std::size_t picture) const { return refused_[picture]; }
    // Sends about `bytes` more of the pictures offered: false once all are
    // sent. A band a frame, half a megabyte, sends the game's pictures in
    // about half a second of frames.
    static constexpr std::size_t Band = 512 * 1024;
    bool sendSome(std::size_t bytes = Band);
    bool has(Picture picture) const { return !pictures_[static_cast<std::size_t>(picture)].rgba.empty(); }
    // Pictures laid over every frame after its draws (the captions), outside
    // the game's manifest: the first loaded is overlay 0. Drawn untinted and
    // never hidden; one the browser refuses (false, as loadPicture) keeps its
    // number and is left out.
    bool loadOverlay(DecodedPicture image);
    const std::string& problem() const { return problem_; }

    // The browser took the context away: nothing is painted until `restore`,
    // which builds the shaders, the vertex buffer and every texture again in
    // the context it gave back; false when that fails.
    void lose();
    bool restore();
    bool lost() const { return lost_; }

    void clear(Color color);
    void draw(const Sprite& sprite);
    void drawOverlay(std::size_t overlay, Vec2 position);
    // Paints and forgets the collected frame, onto a drawing buffer of
    // `width` by `height` pixels.
    void paint(int width, int height);
    // As paint, but a frame the same as the one painted last (the same
    // clear, draws, overlays and size) is only forgotten: the canvas goes on
    // showing it, and the GPU has nothing to draw while the start screen
    // waits for the player. Not for a canvas read back after each frame.
    void paintChanged(int width, int height);
    // The next frame is painted whatever it shows: the browser may have let
    // the canvas's picture go while the page was hidden.
    void forgetShown() { shown_ = false; }
    void drop();   // forgets it unpainted
    std::size_t painted() const { return painted_; }  // the game's draws, overlays left out
    std::size_t overlaysPainted() const { return overlaysPainted_; }

private:
    struct Vertex {
        float x, y;
        // The texture coordinate's line across and down the screen, the same at
        // every corner: its value at pixel 0, its slope split into high and low
        // halves (each times a pixel index is exact), the picture's size.
        float acrossStart, acrossHigh, acrossLow, width;
        float downStart, downHigh, downLow, height;
        std::uint8_t r, g, b, a;
    };

    void build();  // the programs, the vertex buffer and the drawing state
    void buildScene();  // the 800x600 texture a scaled frame is drawn into
    bool sceneTaken();  // whether the browser can draw into it; the texture goes when not
    void scaleTo(int width, int height);  // the scale program for a canvas of this size
    void useProgram();  // program_, once
    bool fits(const DecodedPicture& image);  // within MAX_TEXTURE_SIZE (else problem_ says not)
    // 0 when refused (problem_ says why); unchecked, never refused.
    GLuint upload(const DecodedPicture& image, bool checked = true);
    // The pixels' texture, of their size, each sent with glTexImage2D.
    GLuint texture(const DecodedPicture& image, const std::uint8_t* pixels);
    GLuint texture(const DecodedPicture& image);  // its pixels', or for one colour its one texel
    void send(std::size_t picture, std::size_t bytes);  // an offered picture's next rows, about `bytes` of them
    void addQuad(Vec2 position, Vec2 size, Color color);
    bool covers(const Sprite& sprite) const;  // an opaque picture, drawn untranslucent
    // `count` quads from quad `first`, blended or not.
    void paintRun(GLuint texture, std::size_t first, std::size_t count, bool blend);

    std::array<GLuint, PictureCount> textures_{};
    std::array<DecodedPicture, PictureCount> pictures_;  // kept for a restored context
    std::array<bool, PictureCount> unchecked_{};          // offered, not yet settled
    std::array<bool, PictureCount> waiting_{};            // offered, its texture not yet whole
    std::array<int, PictureCount> rowsSent_{};            // of a waiting picture, from the top
    std::array<std::string, PictureCount> refused_;       // why, for a picture offered and refused
    std::vector<GLuint> overlays_;
    std::vector<DecodedPicture> overlayPictures_;
    std::vector<Vec2> overlaySizes_;
    GLint largestTexture_ = 0;  // the browser's MAX_TEXTURE_SIZE
    bool lost_ = false;
    bool blending_ = true;
    std::string problem_;
    PictureLooks looks_{};
    GlProgram program_;
    GLuint vertexBuffer_ = 0;
    GlProgram scaleProgram_;  // scales the scene's texture onto a canvas of scaleWidth_ by scaleHeight_
    int scaleWidth_ = 0, scaleHeight_ = 0;
    bool confirmed_ = false;
    bool programInUse_ = false;
    GLuint sceneTexture_ = 0;
    GLuint sceneFramebuffer_ = 0;
    bool sceneRefused_ = false;
    std::size_t bufferVertices_ = 0;  // the vertex buffer's room
    Color clearColor_{0, 0, 0, 255};
    bool cleared_ = false;
    std::size_t painted_ = 0;
    std::size_t overlaysPainted_ = 0;
    std::vector<Sprite> draws_;     // reserved once: a frame never allocates
    // The frame painted last, as collected; `shown_` false once the context went.
    std::vector<Sprite> shownDraws_;
    std::vector<std::pair<std::size_t, Vec2>> shownOverlays_;
    Color shownClear_{0, 0, 0, 255};
    bool shownCleared_ = false;
    int shownWidth_ = 0, shownHeight_ = 0;
    bool shown_ = false;
    std::vector<std::pair<std::size_t, Vec2>> overlayDraws_;
    std::vector<Vertex> vertices_;  // six a draw
};
