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
//   FRAME clock S       the game's clocks read S seconds (a whole number of
//                       microseconds, at most six decimals) all through frame
//                       FRAME; at most one a frame, before its key events.
//                       A frame without one reads the previous frame's time
//                       and one frame more (0 before the first frame)
//   end FRAME           the recording's last frame, at most once and after every other line, no
//                       earlier than the last line's frame; default the last line's frame
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

// A frame whose clock reading is not the one a steady 60 frames a second
// would give it: the live game was late, or stalled.
struct ClockReading {
    int frame = 0;
    long long microseconds = 0;
};

// The reading as the game's clocks see it: the double nearest the decimal.
inline double seconds(const ClockReading& reading) { return static_cast<double>(reading.microseconds) / 1e6; }

inline bool operator==(const ClockReading& a, const ClockReading& b) {
    return a.frame == b.frame && a.microseconds == b.microseconds;
}

struct InputScript {
    unsigned seed = 1;
    int end = 0;
    std::vector<InputEvent> events;
    std::vector<ClockReading> clocks;  // one frame at most once, frames in order
};

// The most frames a recording may run: about 46 hours at 60 frames a
// second, and far from the end of an int frame counter.
constexpr int MostFrames = 10'000'000;
// The latest clock reading a recording holds: 10,000,000 seconds (116 days).
constexpr long long MostMicroseconds = 10'000'000'000'000LL;

// Reads a recording; on a malformed line returns false with `error` naming it.
bool parseInputScript(std::istream& in, InputScript& script, std::string& error);
// Writes `script` in the format above; false (and nothing written) for a
// script the reader would refuse: frames out of order or beyond MostFrames,
// an end before the last event or reading, an event that is no key press or
// release, two readings in one frame, a reading outside 0..MostMicroseconds.
bool writeInputScript(std::ostream& out, const InputScript& script);

// One line of the format, for a writer that writes as the game goes. The
// caller keeps the order the reader asks for.
void writeLine(std::ostream& out, const InputEvent& e);
void writeLine(std::ostream& out, const ClockReading& reading);
bool writable(const InputEvent& e);
bool writable(const ClockReading& reading);

// The key's name in recordings; every Key has one.
const char* keyName(Key key);
// The event a recorded line stands for.
Event toEvent(const InputEvent& e);
