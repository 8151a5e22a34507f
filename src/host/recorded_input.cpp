// A recording's frames stepped one by one, for both replay hosts.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/recorded_input.h"

RecordedInput::RecordedInput(const InputScript& recording, double frameSeconds)
    : pending_(recording.events.begin(), recording.events.end()),
      readings_(recording.clocks.begin(), recording.clocks.end()),
      frameSeconds_(frameSeconds) {}

void RecordedInput::beginFrame() {
    frame_ += 1;
    if (readings_.empty() || readings_.front().frame != frame_) {
        time_ += frameSeconds_;
        return;
    }
    time_ = seconds(readings_.front());
    readings_.pop_front();
}

bool RecordedInput::poll(Event& event) {
    if (pending_.empty() || pending_.front().frame > frame_) return false;
    event = toEvent(pending_.front());
    pending_.pop_front();
    return true;
}
