// The replay host's time, input, silent clips and off-screen frames.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/replay_platform.h"

#include "shell/state/game.h"

ReplayPlatform::ReplayPlatform(const InputScript& recording, const std::string& assets, double frameSeconds,
                               FrameWanted wanted, FrameDone done, std::ostream& clipLog)
    : wanted_(std::move(wanted)),
      done_(std::move(done)),
      clipLog_(clipLog),
      input_(recording, frameSeconds) {
    clips_.setFolder(assets);
    canvas_.setFolder(assets);
    ready_ = target_.create(ScreenWidth, ScreenHeight);
}


void ReplayPlatform::play(Clip clip) {
    clipLog_ << input_.frame() << ' ' << fileOf(clip) << '\n';
    captions_.started(clip, now());
}

void ReplayPlatform::display() {
    if (!wanted_(input_.frame())) {
        canvas_.drop();
        return;
    }
    captions_.lay(canvas_, now());
    canvas_.paint(target_);
    target_.display();
    if (!done_(input_.frame(), target_.getTexture().copyToImage())) failed_ = true;
}
