// Reading and writing recorded inputs: seed, end and one key event per line.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/input_script.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <istream>
#include <ostream>
#include <sstream>

namespace {

struct KeyName {
    Key key;
    const char* name;
};

using K = Key;
constexpr KeyName keyNames[] = {
    {K::Left, "Left"},     {K::Right, "Right"},   {K::Up, "Up"},         {K::Down, "Down"},
    {K::Return, "Return"}, {K::Space, "Space"},   {K::Escape, "Escape"}, {K::LShift, "LShift"},
    {K::A, "A"},           {K::S, "S"},           {K::W, "W"},           {K::D, "D"},
    {K::F, "F"},           {K::F1, "F1"},         {K::Num1, "Num1"},     {K::Unknown, "Unknown"},
};

bool keyFromName(const std::string& name, Key& key) {
    for (const KeyName& k : keyNames)
        if (name == k.name) {
            key = k.key;
            return true;
        }
    return false;
}

bool fail(std::string& error, int line, const std::string& what) {
    error = "line " + std::to_string(line) + ": " + what;
    return false;
}

// `word` is a whole decimal number from 0 to `most`: no sign, nothing after it.
bool readNumber(const std::string& word, unsigned long long most, unsigned long long& n) {
    const char* last = word.data() + word.size();
    const auto [stop, problem] = std::from_chars(word.data(), last, n);
    return !word.empty() && problem == std::errc() && stop == last && n <= most;
}

const std::string Frames = std::to_string(MostFrames);

// `word` is seconds as "S" or "S.F" with one to six decimals, no later than MostMicroseconds.
bool readSeconds(const std::string& word, long long& microseconds) {
    const std::size_t dot = word.find('.');
    const std::string whole = word.substr(0, dot);
    const std::string part = dot == std::string::npos ? "" : word.substr(dot + 1);
    unsigned long long seconds = 0, fraction = 0;
    const unsigned long long mostSeconds = static_cast<unsigned long long>(MostMicroseconds / 1'000'000);
    if (!readNumber(whole, mostSeconds, seconds)) return false;
    if (dot != std::string::npos && (part.empty() || part.size() > 6 || !readNumber(part, 999'999, fraction)))
        return false;
    for (std::size_t digits = part.size(); digits < 6; ++digits) fraction *= 10;
    microseconds = static_cast<long long>(seconds * 1'000'000 + fraction);
    return microseconds <= MostMicroseconds;
}

}  // namespace

const char* keyName(Key key) {
    for (const KeyName& k : keyNames)
        if (k.key == key) return k.name;
    return nullptr;
}

bool writable(const InputEvent& e) {
    const bool keyEvent = e.type == Event::KeyPressed || e.type == Event::KeyReleased;
    return e.frame >= 1 && e.frame <= MostFrames && keyEvent && keyName(e.key) != nullptr;
}

bool writable(const ClockReading& reading) {
    return reading.frame >= 1 && reading.frame <= MostFrames && reading.microseconds >= 0 &&
           reading.microseconds <= MostMicroseconds;
}

void writeLine(std::ostream& out, const InputEvent& e) {
    out << e.frame << (e.type == Event::KeyPressed ? " press " : " release ") << keyName(e.key) << '\n';
}

void writeLine(std::ostream& out, const ClockReading& reading) {
    const std::string fraction = std::to_string(reading.microseconds % 1'000'000);
    out << reading.frame << " clock " << reading.microseconds / 1'000'000 << '.'
        << std::string(6 - fraction.size(), '0') << fraction << '\n';
}

Event toEvent(const InputEvent& e) {
    Event event{};
    event.type = e.type;
    event.key = e.key;
    return event;
}

bool parseInputScript(std::istream& in, InputScript& script, std::string& error) {
    script = InputScript{};
    int seedLine = 0, endLine = 0;  // where each was given, or 0
    int lastFrame = 0;              // of the last event or reading
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        std::string first, second, third, extra;
        if (!(words >> first)) continue;  // blank or comment
        words >> second >> third >> extra;
        if (!extra.empty()) return fail(error, line, "too many words");
        if (first == "seed" || first == "end") {
            const bool seed = first == "seed";
            unsigned long long n = 0;
            if (!third.empty() || !readNumber(second, seed ? UINT_MAX : MostFrames, n))
                return fail(error, line, seed ? "seed takes one number from 0 to " + std::to_string(UINT_MAX)
                                              : "end takes one number from 0 to " + Frames);
            int& given = seed ? seedLine : endLine;
            if (given != 0) return fail(error, line, "a second " + first + " (the first is on line " +
                                                         std::to_string(given) + ")");
            given = line;
            if (seed) {
                script.seed = static_cast<unsigned>(n);
                continue;
            }
            script.end = static_cast<int>(n);
            if (script.end < lastFrame)
                return fail(error, line, "end " + second + " comes before the last line's frame " +
                                             std::to_string(lastFrame));
            continue;
        }
        // Nothing after the end would ever be played.
        if (endLine != 0)
            return fail(error, line, "an event after the end (line " + std::to_string(endLine) + ")");
        InputEvent e;
        unsigned long long frame = 0;
        if (!readNumber(first, MostFrames, frame) || frame < 1)
            return fail(error, line, "expected a frame number from 1 to " + Frames + ", seed or end, got '" +
                                         first + "'");
        e.frame = static_cast<int>(frame);
        if (e.frame < lastFrame) return fail(error, line, "frame " + first + " comes before the previous line's");
        if (second == "clock") {
            ClockReading reading{e.frame, 0};
            if (!readSeconds(third, reading.microseconds))
                return fail(error, line, "clock takes seconds from 0 to " +
                                             std::to_string(MostMicroseconds / 1'000'000) + ", at most six decimals");
            if (!script.clocks.empty() && script.clocks.back().frame == e.frame)
                return fail(error, line, "a second clock reading for frame " + first);
            if (!script.events.empty() && script.events.back().frame == e.frame)
                return fail(error, line, "a clock reading after a key event of its frame");
            script.clocks.push_back(reading);
            lastFrame = e.frame;
            continue;
        }
        if (second == "press") {
            e.type = Event::KeyPressed;
        } else if (second == "release") {
            e.type = Event::KeyReleased;
        } else {
            return fail(error, line, "expected press, release or clock, got '" + second + "'");
        }
        if (!keyFromName(third, e.key)) return fail(error, line, "unknown key '" + third + "'");
        script.events.push_back(e);
        lastFrame = e.frame;
    }
    if (endLine == 0) script.end = lastFrame;
    return true;
}

bool writeInputScript(std::ostream& out, const InputScript& script) {
    int previous = 1;
    for (const InputEvent& e : script.events) {
        if (e.frame < previous || !writable(e)) return false;
        previous = e.frame;
    }
    int last = previous;
    previous = 0;
    for (const ClockReading& reading : script.clocks) {
        if (reading.frame <= previous || !writable(reading)) return false;
        previous = reading.frame;
    }
    last = std::max(last, previous);
    const bool anyLine = !script.events.empty() || !script.clocks.empty();
    if (script.end < 0 || script.end > MostFrames || (anyLine && script.end < last)) return false;
    std::ostringstream text;
    text << "seed " << script.seed << '\n';
    auto clock = script.clocks.begin();
    for (const InputEvent& e : script.events) {
        for (; clock != script.clocks.end() && clock->frame <= e.frame; ++clock) writeLine(text, *clock);
        writeLine(text, e);
    }
    for (; clock != script.clocks.end(); ++clock) writeLine(text, *clock);
    text << "end " << script.end << '\n';
    out << text.str();
    return static_cast<bool>(out);
}
