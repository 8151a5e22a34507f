// Headless harness: runs the game core frame by frame with scripted time and keys, recording draws and clip starts.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/loop.h"
#include "host/input_script.h"
#include "shell/state/platform.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct DrawCall {
    Picture picture;
    Vec2 position;
    Color color;
};

// What one frame showed and played.
struct FrameRecord {
    std::vector<Color> clears;
    std::vector<DrawCall> draws;
    std::vector<Clip> clips;
    int displays = 0;
};

class Harness final : public Platform {
public:
    static constexpr double Frame = 1.0 / 60.0;

    explicit Harness(unsigned seed = 1, double frameSeconds = Frame);
    ~Harness() override;

    // Seeds rand, creates the game and builds its scene; false if a load failed.
    bool start();

    // Files that fail to load (by manifest name).
    void failLoading(const std::string& file) { missing_.push_back(file); }

    // Queues an event for the next poll, or for the poll of frame `frame` (1-based).
    void queue(const Event& e);
    void at(int frame, const Event& e) { script_[frame].push_back(e); }
    // Schedules every key event of a recording (its seed is the harness's own).
    void schedule(const InputScript& recording);
    void press(Key k) { queue(key(Event::KeyPressed, k)); }
    void release(Key k) { queue(key(Event::KeyReleased, k)); }
    void repeat(Key k) { press(k); }  // a key repeat is one more press event
    void requestClose() { queue(closed()); }
    static Event key(Event::Type type, Key k);
    static Event closed();

    // Runs one frame (time advances by the frame duration first); false if the
    // window was already closed, in which case nothing runs.
    bool frame();
    void frames(int n);
    // Runs frames while `keepGoing` holds, at most `limit`; returns frames run.
    int framesWhile(const std::function<bool()>& keepGoing, int limit);

    // Time control: jump ahead without running a frame.
    void advance(double seconds) { time_ += seconds; }
    void setFrameSeconds(double s) { frameSeconds_ = s; }

    Game& game() { return *game_; }
    const FrameRecord& last() const { return last_; }
    const FrameRecord& current() const { return current_; }  // since the last frame ended
    int frameCount() const { return frameCount_; }
    const std::vector<std::string>& loadAttempts() const { return loads_; }
    std::vector<Picture> lastPictures() const;  // the last frame's draws, pictures only

    // Platform
    double now() const override { return time_; }
    bool windowOpen() const override { return open_; }
    bool pollEvent(Event& event) override;
    void closeWindow() override { open_ = false; }
    bool loadClipBuffer(Clip clip) override { return load(fileOf(clip)); }
    void buildClips() override { clipsBuilt_ = true; }
    bool loadPicture(Picture picture) override { return load(fileOf(picture)); }
    void play(Clip clip) override { current_.clips.push_back(clip); }
    void clear(Color color) override { current_.clears.push_back(color); }
    void draw(const Sprite& s) override { current_.draws.push_back({s.picture, s.position, s.color}); }
    void display() override {
        ++current_.displays;
        ++totalDisplays_;
    }

    bool clipsBuilt() const { return clipsBuilt_; }
    int totalDisplays() const { return totalDisplays_; }

private:
    bool load(const char* file);

    unsigned seed_;
    double frameSeconds_;
    double time_ = 0.0;
    bool open_ = true;
    bool clipsBuilt_ = false;
    int frameCount_ = 0;
    int totalDisplays_ = 0;
    std::vector<std::string> missing_;
    std::vector<std::string> loads_;
    std::vector<Event> pending_;
    std::map<int, std::vector<Event>> script_;
    FrameRecord current_;
    FrameRecord last_;
    std::unique_ptr<Game> game_;
};

// Reads a committed recording, tests/inputs/NAME; false, with `error` set,
// when it is missing or malformed.
bool loadRecording(const std::string& name, InputScript& script, std::string& error);
