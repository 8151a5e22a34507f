// The browser's hosts of the core: the live page and its replay mode, sharing the fetched files and the drawing.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/recorded_input.h"
#include "shell/state/platform.h"
#include "web/asset_files.h"
#include "web/clip_voice.h"
#include "web/gl_canvas.h"
#include "web/input_queue.h"
#include "web/page_captions.h"
#include "web/page_time.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

// Loading from the fetched files and drawing into the page's canvas, alike
// for both hosts. The first file that is missing or does not decode ends
// start-up; `failedFile` names it.
class PagePlatform : public Platform {
public:
    // Without `voice` the clips are decoded and checked, never played. The
    // pictures go to `canvas`, which may have taken them as they came.
    PagePlatform(AssetFiles& files, PageCaptions& captions, ClipVoice* voice, GlCanvas& canvas)
        : canvas_(canvas), captions_(captions), files_(files), voice_(voice) {}

    bool loadClipBuffer(Clip clip) override;
    void buildClips() override {}
    bool loadPicture(Picture picture) override;
    void clear(Color color) override { canvas_.clear(color); }
    void draw(const Sprite& sprite) override { canvas_.draw(sprite); }

    // The manifest index of the file that ended start-up, and whether it had
    // been fetched (so it did not decode) or not.
    std::size_t failedFile() const { return failedFile_; }
    bool failedFileFetched() const { return failedFetched_; }
    std::size_t painted() const { return canvas_.painted(); }
    std::size_t captionsPainted() const { return canvas_.overlaysPainted(); }
    GlCanvas& canvas() { return canvas_; }

    // Shows the captions over every frame, or stops showing them. Their
    // pictures are loaded the first time: false when a caption file ends
    // that, named by the captions' failedFile.
    bool showCaptions(bool on);

protected:
    void layCaptions(double now);

    GlCanvas& canvas_;
    PageCaptions& captions_;  // every clip start goes to it

private:
    bool fail(std::size_t index);

    AssetFiles& files_;
    ClipVoice* voice_;
    std::size_t failedFile_ = AssetFileCount;
    bool failedFetched_ = false;
};

// The game in the page: the browser's clock without the hidden time, the
// keys of the page, sound, and every frame painted. Each clip start is also
// told to `clipStarted`, for the page's tests.
class LivePlatform final : public PagePlatform {
public:
    using ClipStarted = std::function<void(Clip clip)>;
    LivePlatform(AssetFiles& files, PageCaptions& captions, ClipVoice& voice, GlCanvas& canvas,
                 const PageTime& time, ClipStarted clipStarted)
        : PagePlatform(files, captions, &voice, canvas), voice_(voice), time_(time), clipStarted_(std::move(clipStarted)) {}

    // A key of the page, stamped with the browser's time, for a coming poll;
    // when many wait, the oldest are kept, and every release.
    void press(Event event);
    // Before each frame: whether it is painted (one run only to catch up is
    // not), and the browser time of the last key it reads. Frames run back
    // to back to catch up each read the keys that came by their own
    // deadlines, so a key held between two late callbacks is held for as many
    // frames as its time spans.
    void beginFrame(bool paint, double keysUntil) {
        paintNext_ = paint;
        keysUntil_ = keysUntil;
    }

    double now() const override;
    bool windowOpen() const override { return true; }  // a page is closed with the tab
    bool pollEvent(Event& event) override;
    void closeWindow() override {}
    void play(Clip clip) override;
    void display() override;

private:
    ClipVoice& voice_;
    const PageTime& time_;
    ClipStarted clipStarted_;
    InputQueue waiting_;  // stamped with the browser's clock
    bool paintNext_ = true;
    double keysUntil_ = std::numeric_limits<double>::infinity();
};

// A recorded input played at a fixed time per frame, as tumblewing-replay
// plays it: only the frames asked for are painted, each handed to `done`
// while it is on the canvas, and every clip start goes to `clipStarted`.
class ReplayPlatform final : public PagePlatform {
public:
    using FramePainted = std::function<void(int frame)>;
    using ClipStarted = std::function<void(int frame, Clip clip)>;

    ReplayPlatform(AssetFiles& files, PageCaptions& captions, GlCanvas& canvas, const InputScript& recording,
                   FramePainted done, ClipStarted clipStarted);

    void want(int frame);
    void beginFrame() { input_.beginFrame(); }  // before each frame: the next frame number and its time
    int frame() const { return input_.frame(); }

    double now() const override { return input_.now(); }
    bool windowOpen() const override { return true; }
    bool pollEvent(Event& event) override { return input_.poll(event); }
    void closeWindow() override {}
    void play(Clip clip) override;
    void display() override;

private:
    RecordedInput input_;
    FramePainted done_;
    ClipStarted clipStarted_;
    std::deque<int> wanted_;  // kept in order
};
