// Loading, time, keys and frames of the browser's two hosts.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/page_platform.h"

#include "host/frame_schedule.h"

#include <emscripten/emscripten.h>

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
    const std::size_t i = assetIndex(picture);
    if (!files_.decode(i)) return fail(i);
    return canvas_.loadPicture(picture, files_.takePicture(picture)) || fail(i);  // more than the browser's WebGL takes
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
    if (count_ == waiting_.size()) return;
    waiting_[(first_ + count_) % waiting_.size()] = {event, emscripten_get_now() / 1000.0};
    count_ += 1;
}

void LivePlatform::play(Clip clip) {
    voice_.play(clip);
    captions_.started(clip, now());
    clipStarted_(clip);
}

void LivePlatform::display() {
    if (!paintNext_) {
        canvas_.drop();
        return;
    }
    layCaptions(now());
    canvas_.paint();
}

double LivePlatform::now() const { return time_.at(emscripten_get_now() / 1000.0); }

bool LivePlatform::pollEvent(Event& event) {
    if (count_ == 0 || waiting_[first_].at > keysUntil_) return false;
    event = waiting_[first_].event;
    first_ = (first_ + 1) % waiting_.size();
    count_ -= 1;
    return true;
}

ReplayPlatform::ReplayPlatform(AssetFiles& files, PageCaptions& captions, const InputScript& recording,
                               FramePainted done, ClipStarted clipStarted)
    : PagePlatform(files, captions, nullptr),
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
    canvas_.paint();
    done_(frame());
}
