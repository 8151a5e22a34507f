// The replay host's time, input, silent clips and off-screen frames.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/replay_platform.h"

#include "shell/state/game.h"

ReplayPlatform::ReplayPlatform(const InputScript& recording, const std::string& assets, double frameSeconds,
                               FrameWanted wanted, FrameDone done, std::ostream& clipLog)
    : frameSeconds_(frameSeconds),
      wanted_(std::move(wanted)),
      done_(std::move(done)),
      clipLog_(clipLog),
      pending_(recording.events.begin(), recording.events.end()) {
    clips_.setFolder(assets);
    canvas_.setFolder(assets);
    ready_ = target_.create(ScreenWidth, ScreenHeight);
}

void ReplayPlatform::beginFrame() {
    frame_ += 1;
    time_ += frameSeconds_;  // summed frame by frame, as the headless harness does
}

bool ReplayPlatform::pollEvent(Event& event) {
    if (pending_.empty() || pending_.front().frame > frame_) return false;
    event = toEvent(pending_.front());
    pending_.pop_front();
    return true;
}


void ReplayPlatform::play(Clip clip) {
    clipLog_ << frame_ << ' ' << fileOf(clip) << '\n';
    captions_.started(clip, time_);
}

void ReplayPlatform::display() {
    if (!wanted_(frame_)) {
        canvas_.drop();
        return;
    }
    captions_.lay(canvas_, time_);
    canvas_.paint(target_);
    target_.display();
    if (!done_(frame_, target_.getTexture().copyToImage())) failed_ = true;
}
