// Reading and writing recorded inputs: seed, end and one key event per line.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/input_script.h"

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

}  // namespace

const char* keyName(Key key) {
    for (const KeyName& k : keyNames)
        if (k.key == key) return k.name;
    return nullptr;
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
            if (!script.events.empty() && script.end < script.events.back().frame)
                return fail(error, line, "end " + second + " comes before the last event's frame " +
                                             std::to_string(script.events.back().frame));
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
        if (second == "press") {
            e.type = Event::KeyPressed;
        } else if (second == "release") {
            e.type = Event::KeyReleased;
        } else {
            return fail(error, line, "expected press or release, got '" + second + "'");
        }
        if (!keyFromName(third, e.key)) return fail(error, line, "unknown key '" + third + "'");
        if (!script.events.empty() && e.frame < script.events.back().frame)
            return fail(error, line, "frame " + first + " comes before the previous line's");
        script.events.push_back(e);
    }
    if (endLine == 0 && !script.events.empty()) script.end = script.events.back().frame;
    return true;
}

bool writeInputScript(std::ostream& out, const InputScript& script) {
    int previous = 1;
    for (const InputEvent& e : script.events) {
        const bool keyEvent = e.type == Event::KeyPressed || e.type == Event::KeyReleased;
        if (e.frame < previous || e.frame > MostFrames || !keyEvent || keyName(e.key) == nullptr) return false;
        previous = e.frame;
    }
    if (script.end < 0 || script.end > MostFrames || (!script.events.empty() && script.end < previous))
        return false;
    std::ostringstream text;
    text << "seed " << script.seed << '\n';
    for (const InputEvent& e : script.events)
        text << e.frame << (e.type == Event::KeyPressed ? " press " : " release ") << keyName(e.key) << '\n';
    text << "end " << script.end << '\n';
    out << text.str();
    return static_cast<bool>(out);
}
