// Recorded input: the key presses and releases of a play-through, frame by frame, as a small text file.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <iosfwd>
#include <string>
#include <vector>

// The format, one item per line; '#' starts a comment, blank lines are skipped:
//
//   seed N              the random seed of the run (the wave and cloud layout); default 1
//   FRAME press KEY     KEY goes down in the event poll of frame FRAME (the first frame is 1)
//   FRAME release KEY   KEY comes up in that poll
//   end FRAME           the recording's last frame; default the last event's frame
//
// KEY is one of the names in keyNames (Left, Right, Up, Down, Return, ...).
// Frames never go backwards. A key event polled in frame n moves the flier
// from frame n + 1 on, exactly as a key pressed during frame n does in play.
struct InputEvent {
    int frame = 0;
    Event::Type type = Event::KeyPressed;  // KeyPressed or KeyReleased
    Key key = Key::Unknown;
};

struct InputScript {
    unsigned seed = 1;
    int end = 0;
    std::vector<InputEvent> events;
};

// Reads a recording; on a malformed line returns false with `error` naming it.
bool parseInputScript(std::istream& in, InputScript& script, std::string& error);
void writeInputScript(std::ostream& out, const InputScript& script);

// The key's name in recordings, or nullptr for a key that has none.
const char* keyName(Key key);
// The event a recorded line stands for.
Event toEvent(const InputEvent& e);
