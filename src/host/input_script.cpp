// Reading and writing recorded inputs: seed, end and one key event per line.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/input_script.h"

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
    bool endGiven = false;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        std::string first, second, third, extra;
        if (!(words >> first)) continue;  // blank or comment
        words >> second >> third >> extra;
        if (!extra.empty()) return fail(error, line, "too many words");
        if (first == "seed" || first == "end") {
            long long n = -1;
            std::istringstream number(second);
            if (!(number >> n) || !number.eof() || !third.empty() || n < 0 || n > 2147483647)
                return fail(error, line, first + " takes one number");
            if (first == "seed") {
                script.seed = static_cast<unsigned>(n);
            } else {
                script.end = static_cast<int>(n);
                endGiven = true;
            }
            continue;
        }
        InputEvent e;
        std::istringstream number(first);
        long long frame = 0;
        if (!(number >> frame) || !number.eof() || frame < 1 || frame > 2147483647)
            return fail(error, line, "expected a frame number from 1, seed or end, got '" + first + "'");
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
    if (!endGiven && !script.events.empty()) script.end = script.events.back().frame;
    return true;
}

void writeInputScript(std::ostream& out, const InputScript& script) {
    out << "seed " << script.seed << '\n';
    for (const InputEvent& e : script.events)
        out << e.frame << (e.type == Event::KeyPressed ? " press " : " release ") << keyName(e.key)
            << '\n';
    out << "end " << script.end << '\n';
}
