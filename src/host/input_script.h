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
//   seed N              the random seed of the run (the wave and cloud layout), 0 to 4294967295;
//                       at most once; default 1
//   FRAME press KEY     KEY goes down in the event poll of frame FRAME (the first frame is 1)
//   FRAME release KEY   KEY comes up in that poll
//   end FRAME           the recording's last frame, at most once and after every event, no
//                       earlier than the last event's frame; default the last event's frame
//
// KEY is one of the names in keyNames (Left, Right, Up, Down, Return, ...).
// Frames never go backwards and stay within MostFrames. A key event polled
// in frame n moves the flier from frame n + 1 on, exactly as a key pressed
// during frame n does in play. What writeInputScript writes, parseInputScript
// reads back identical.
struct InputEvent {
    int frame = 0;
    Event::Type type = Event::KeyPressed;  // KeyPressed or KeyReleased
    Key key = Key::Unknown;
};

inline bool operator==(const InputEvent& a, const InputEvent& b) {
    return a.frame == b.frame && a.type == b.type && a.key == b.key;
}

struct InputScript {
    unsigned seed = 1;
    int end = 0;
    std::vector<InputEvent> events;
};

// The most frames a recording may run: about 46 hours at 60 frames a
// second, and far from the end of an int frame counter.
constexpr int MostFrames = 10'000'000;

// Reads a recording; on a malformed line returns false with `error` naming it.
bool parseInputScript(std::istream& in, InputScript& script, std::string& error);
// Writes `script` in the format above; false (and nothing written) for a
// script the reader would refuse: frames out of order or beyond MostFrames,
// an end before the last event, an event that is no key press or release.
bool writeInputScript(std::ostream& out, const InputScript& script);

// The key's name in recordings; every Key has one.
const char* keyName(Key key);
// The event a recorded line stands for.
Event toEvent(const InputEvent& e);
