// Loading, time, keys and frames of the browser's two hosts.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/page_platform.h"

#include "host/frame_schedule.h"
#include "shell/state/game.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5_webgl.h>

#include <algorithm>
#include <utility>
#include <vector>

bool PagePlatform::fail(std::size_t index) {
    failedFile_ = index;
    failedFetched_ = files_.fetched(index);
    return false;
}

bool PagePlatform::loadClipBuffer(Clip clip) {
    const std::size_t i = assetIndex(clip);
    if (!files_.decode(i)) return fail(i);
    if (voice_ != nullptr) voice_->load(clip, files_.takeClip(clip));
    return true;
}

bool PagePlatform::loadPicture(Picture picture) {
    if (canvas_.has(picture)) return true;  // taken as its file came
    const std::size_t i = assetIndex(picture);
    if (!files_.decode(i)) return fail(i);
    return canvas_.loadPicture(picture, files_.picture(picture)) || fail(i);  // more than the browser's WebGL takes
}

bool PagePlatform::showCaptions(bool on) {
    if (on && !captions_.begun()) {
        std::vector<DecodedPicture> pictures;
        if (!captions_.decode(pictures)) return false;
        for (DecodedPicture& p : pictures) canvas_.loadOverlay(std::move(p));
        captions_.begin();
    }
    captions_.show(on);
    return true;
}

void PagePlatform::layCaptions(double now) {
    for (const CaptionSprite& s : captions_.showing(now)) canvas_.drawOverlay(s.caption, s.position);
}

void LivePlatform::press(Event event) {
    waiting_.push(event, emscripten_get_now() / 1000.0);
}

void LivePlatform::play(Clip clip) {
    voice_.play(clip);
    captions_.started(clip, now());
    clipStarted_(clip);
}

// The page's canvas brought to the size the page wants it (its box on the screen in the screen's own pixels)
// just before a frame is painted into it, so that no frame shows the buffer a resize clears.
EM_JS(void, pageFitCanvas, (), { if (Module.fitCanvas) Module.fitCanvas(); });

void LivePlatform::display() {
    if (!paintNext_) {
        canvas_.drop();
        return;
    }
    layCaptions(now());
    pageFitCanvas();
    int width = ScreenWidth, height = ScreenHeight;
    emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), &width, &height);
    canvas_.paintChanged(width, height);
    canvas_.sendSome();  // the pictures this frame did not draw go on to the GPU a band a frame
}

double LivePlatform::now() const { return time_.at(emscripten_get_now() / 1000.0); }

bool LivePlatform::pollEvent(Event& event) {
    return waiting_.pop(event, keysUntil_);
}

ReplayPlatform::ReplayPlatform(AssetFiles& files, PageCaptions& captions, GlCanvas& canvas,
                               const InputScript& recording, FramePainted done, ClipStarted clipStarted)
    : PagePlatform(files, captions, nullptr, canvas),
      input_(recording, FrameSeconds),
      done_(std::move(done)),
      clipStarted_(std::move(clipStarted)) {}

void ReplayPlatform::want(int frame) {
    const auto at = std::lower_bound(wanted_.begin(), wanted_.end(), frame);
    if (at == wanted_.end() || *at != frame) wanted_.insert(at, frame);
}

void ReplayPlatform::play(Clip clip) {
    captions_.started(clip, now());
    clipStarted_(frame(), clip);
}

void ReplayPlatform::display() {
    while (!wanted_.empty() && wanted_.front() < frame()) wanted_.pop_front();
    if (wanted_.empty() || wanted_.front() != frame()) {
        canvas_.drop();
        return;
    }
    layCaptions(now());
    canvas_.paint(ScreenWidth, ScreenHeight);  // the replay's canvas stays 800x600: its frames are the goldens
    done_(frame());
}
