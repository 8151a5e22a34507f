// Live pacing run: the real game window plays a recording in real time and logs when each frame was shown.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/input_script.h"
#include "sfml/display_check.h"
#include "sfml/sfml_platform.h"
#include "shell/loop.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The real window, with the recording's keys fed to each frame's poll (the
// window's own events still come through) and the time of every shown frame
// kept; it closes itself after `frames` frames.
class LiveRun final : public Platform {
public:
    LiveRun(SfmlPlatform& window, const InputScript& recording, int frames)
        : window_(window), pending_(recording.events.begin(), recording.events.end()), frames_(frames) {
        shown_.reserve(static_cast<std::size_t>(frames));
    }
    const std::vector<double>& shown() const { return shown_; }

    double now() const override { return window_.now(); }
    bool windowOpen() const override { return window_.windowOpen() && shownCount() < frames_; }
    bool pollEvent(Event& event) override {
        if (!pending_.empty() && pending_.front().frame <= shownCount() + 1) {
            event = toEvent(pending_.front());
            pending_.pop_front();
            return true;
        }
        return window_.pollEvent(event);
    }
    void closeWindow() override { window_.closeWindow(); }
    bool loadClipBuffer(Clip clip) override { return window_.loadClipBuffer(clip); }
    void buildClips() override { window_.buildClips(); }
    bool loadPicture(Picture picture) override { return window_.loadPicture(picture); }
    void play(Clip clip) override { window_.play(clip); }
    void clear(Color color) override { window_.clear(color); }
    void draw(const Sprite& sprite) override { window_.draw(sprite); }
    void display() override {
        window_.display();
        shown_.push_back(window_.now());
    }

private:
    int shownCount() const { return static_cast<int>(shown_.size()); }

    SfmlPlatform& window_;
    std::deque<InputEvent> pending_;
    int frames_;
    std::vector<double> shown_;
};

int usage() {
    std::cerr << "usage: live_pacing [--sfml-limiter] SECONDS LOG RECORDING\n"
                 "Run in the folder holding the game's files, inside an X display. Plays RECORDING in\n"
                 "the real window for SECONDS at 60 frames a second, paced by the game's deadlines (or\n"
                 "SFML's own limiter), and writes the time each frame was shown, one per line, to LOG.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto pacing = SfmlPlatform::Pacing::Deadlines;
    if (!args.empty() && args[0] == "--sfml-limiter") {
        pacing = SfmlPlatform::Pacing::SfmlLimiter;
        args.erase(args.begin());
    }
    if (args.size() != 3) return usage();
    const int frames = 60 * std::atoi(args[0].c_str());
    InputScript recording;
    std::ifstream file(args[2]);
    std::string error;
    if (frames <= 0 || !file || !parseInputScript(file, recording, error)) return usage();
    std::string problem;
    if (!displayAvailable(problem)) {
        std::cerr << "live_pacing: " << problem << '\n';
        return 3;
    }
    SfmlPlatform window(false, pacing);
    LiveRun run(window, recording, frames);
    std::srand(recording.seed);
    Game game(run);
    if (!buildScene(game)) return 1;
    runGame(game);
    std::FILE* log = std::fopen(args[1].c_str(), "w");
    if (log == nullptr) return 4;
    for (double t : run.shown()) std::fprintf(log, "%.6f\n", t);
    return std::fclose(log) == 0 ? 0 : 4;
}
