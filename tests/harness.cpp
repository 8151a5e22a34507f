// Headless harness: a scripted platform for driving the game core in tests and benchmarks.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

Harness::Harness(unsigned seed, double frameSeconds) : seed_(seed), frameSeconds_(frameSeconds) {}
Harness::~Harness() = default;

bool Harness::start() {
    std::srand(seed_);
    game_ = std::make_unique<Game>(*this);
    return buildScene(*game_);
}

bool Harness::load(const char* file) {
    loads_.emplace_back(file);
    return std::find(missing_.begin(), missing_.end(), file) == missing_.end();
}

Event Harness::key(Event::Type type, Key k) {
    Event e{};
    e.type = type;
    e.key = k;
    return e;
}

Event Harness::closed() {
    Event e{};
    e.type = Event::Closed;
    return e;
}

void Harness::schedule(const InputScript& recording) {
    for (const InputEvent& e : recording.events) at(e.frame, toEvent(e));
}

void Harness::queue(const Event& e) { pending_.push_back(e); }

bool Harness::pollEvent(Event& event) {
    if (pending_.empty()) return false;
    event = pending_.front();
    pending_.erase(pending_.begin());
    return true;
}

bool Harness::frame() {
    if (!open_) return false;
    time_ += frameSeconds_;
    ++frameCount_;
    auto scripted = script_.find(frameCount_);
    if (scripted != script_.end()) {
        pending_.insert(pending_.end(), scripted->second.begin(), scripted->second.end());
        script_.erase(scripted);
    }
    current_ = FrameRecord{};
    runFrame(*game_);
    last_ = current_;
    return true;
}

void Harness::frames(int n) {
    for (int i = 0; i < n; ++i) frame();
}

int Harness::framesWhile(const std::function<bool()>& keepGoing, int limit) {
    int run = 0;
    while (run < limit && keepGoing() && frame()) ++run;
    return run;
}

std::vector<Picture> Harness::lastPictures() const {
    std::vector<Picture> pictures;
    for (const DrawCall& d : last_.draws) pictures.push_back(d.picture);
    return pictures;
}

bool loadRecording(const std::string& name, InputScript& script, std::string& error) {
    std::ifstream file(std::string(TUMBLEWING_INPUTS_DIR) + "/" + name);
    error = "cannot be read";
    return file && parseInputScript(file, script, error);
}
