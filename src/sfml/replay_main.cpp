// tumblewing-replay: plays a recorded input through the real game and writes the frames asked for as PNGs.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/display_check.h"
#include "shell/loop.h"
#include "sfml/replay_platform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <system_error>

namespace {

const char* const Usage = R"(usage: tumblewing-replay [options] RECORDING

Plays RECORDING (a recorded input, see src/host/input_script.h) through the
game at a fixed time per frame and writes the frames asked for as
OUT/frame-NNNNN.png, and every clip start as "FRAME FILE" to OUT/clips.txt.

  --frames LIST        frames to write: numbers and ranges, e.g. 1,300,600-1200/4;
                       every one of them no later than the last frame played
  --every N            write every Nth frame
  --until N            stop after frame N, at most 10000000 (default: the
                       recording's end)
  --out DIR            where the frames and clips.txt go, made if need be
                       (default: .)
  --assets DIR         the folder holding the game's 47 files (default: .)
  --frame-seconds S    time per frame, from 0.001 to 1 (default: 1/60)
  --no-cull            also paint the draws a full-window picture hides
  --captions           draw the captions too (ASSETS/captions/), as the game does

Exit status: 0 done, 1 a game file could not be loaded, 2 bad arguments or
recording (a frame asked for after the last frame played included), 3 no
display for drawing, 4 the output folder, a frame or clips.txt could not be
written.
)";

struct Options {
    std::string recording;
    std::set<int> frames;
    int every = 0;
    int until = 0;
    std::string out = ".";
    std::string assets = ".";
    double frameSeconds = 1.0 / 60.0;
    bool cull = true;
    bool captions = false;
};

bool toInt(const std::string& text, int& n) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > MostFrames) return false;
    n = static_cast<int>(value);
    return true;
}

// "1,300,600-1200/4": single frames, and ranges with an optional step.
bool parseFrames(const std::string& list, std::set<int>& frames) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string item = list.substr(start, comma - start);
        int step = 1, first = 0, last = 0;
        const std::size_t slash = item.find('/');
        if (slash != std::string::npos) {
            if (!toInt(item.substr(slash + 1), step)) return false;
            item.resize(slash);
        }
        const std::size_t dash = item.find('-');
        if (dash == std::string::npos) {
            if (!toInt(item, first)) return false;
            last = first;
        } else if (!toInt(item.substr(0, dash), first) || !toInt(item.substr(dash + 1), last) || last < first) {
            return false;
        }
        for (int f = first; f <= last; f += step) frames.insert(f);
        start = comma + 1;
    }
    return true;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue) {
            if (!parseFrames(argv[++i], o.frames)) return false;
        } else if (arg == "--every" && hasValue) {
            if (!toInt(argv[++i], o.every)) return false;
        } else if (arg == "--until" && hasValue) {
            if (!toInt(argv[++i], o.until)) return false;
        } else if (arg == "--out" && hasValue) {
            o.out = argv[++i];
        } else if (arg == "--assets" && hasValue) {
            o.assets = argv[++i];
        } else if (arg == "--frame-seconds" && hasValue) {
            char* end = nullptr;
            o.frameSeconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(o.frameSeconds >= 0.001 && o.frameSeconds <= 1.0)) return false;
        } else if (arg == "--no-cull") {
            o.cull = false;
        } else if (arg == "--captions") {
            o.captions = true;
        } else if (!arg.empty() && arg[0] != '-' && o.recording.empty()) {
            o.recording = arg;
        } else {
            return false;
        }
    }
    return !o.recording.empty();
}

// The path of a file in `folder`; "" stays the working directory.
std::string inFolder(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

int failed(const std::string& what, int status) {
    std::cerr << "tumblewing-replay: " << what << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::cerr << Usage;
        return 2;
    }
    InputScript recording;
    std::ifstream file(o.recording);
    std::string error;
    if (!file) error = "cannot be read";
    if (!file || !parseInputScript(file, recording, error)) {
        std::cerr << "tumblewing-replay: " << o.recording << ": " << error << '\n';
        return 2;
    }
    const int last = o.until > 0 ? o.until : recording.end;
    if (!o.frames.empty() && *o.frames.rbegin() > last)
        return failed("frame " + std::to_string(*o.frames.rbegin()) + " comes after the last frame played, " +
                          std::to_string(last) + " (see --until)", 2);
    std::error_code problemWith;
    if (!std::filesystem::is_directory(o.assets, problemWith)) return failed("no folder " + o.assets, 2);
    const std::string out = inFolder(o.out);
    if (!o.out.empty() && !std::filesystem::is_directory(o.out, problemWith) &&
        !std::filesystem::create_directories(o.out, problemWith))
        return failed("cannot make the folder " + o.out + ": " + problemWith.message(), 4);
    std::ofstream clipLog(out + "clips.txt");
    if (!clipLog) return failed("cannot write " + out + "clips.txt", 4);

    auto wanted = [&](int frame) {
        return o.frames.count(frame) > 0 || (o.every > 0 && frame % o.every == 0);
    };
    std::string unwritten;
    auto save = [&](int frame, const sf::Image& picture) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%05d.png", frame);
        if (!picture.saveToFile(out + name)) unwritten = out + name;
        return unwritten.empty();
    };
    std::string problem;
    if (!displayAvailable(problem)) {  // SFML would abort making the GL context
        std::cerr << "tumblewing-replay: " << problem << '\n';
        return 3;
    }
    ReplayPlatform platform(recording, inFolder(o.assets), o.frameSeconds, wanted, save, clipLog);
    if (!platform.ready()) {
        std::cerr << "tumblewing-replay: cannot draw off screen (is there an X display?)\n";
        return 3;
    }
    if (!o.cull) platform.paintEverything();
    std::srand(recording.seed);  // the layout the recording was made with
    Game game(platform);
    if (!buildScene(game)) return 1;  // SFML has already named the file
    if (o.captions && !platform.showCaptions()) return 1;
    for (int frame = 1; frame <= last && platform.windowOpen() && !platform.failed(); ++frame) {
        platform.beginFrame();
        runFrame(game);
    }
    if (!unwritten.empty()) return failed("cannot write " + unwritten, 4);
    clipLog.close();  // a full disk shows here at the latest
    if (!clipLog) return failed("cannot write " + out + "clips.txt", 4);
    return 0;
}
