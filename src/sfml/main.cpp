// Tumblewing's entry point: the options, the recording's file, the display check, the window, the seed, the game, the loop.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/recorder.h"
#include "sfml/display_check.h"
#include "sfml/options.h"
#include "shell/loop.h"
#include "sfml/sfml_platform.h"

#include <SFML/System/Err.hpp>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>

namespace {

// The recording is written to a file of its own beside FILE and moved onto
// FILE once the game has started: a run that ends before (no display, a
// file that does not load) leaves an earlier recording at FILE as it was.
struct PendingRecording {
    std::string path;  // empty when nothing is recorded
    bool placed = false;
    ~PendingRecording() {
        if (!path.empty() && !placed) std::remove(path.c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    switch (options.action) {
    case Options::Help: std::cout << Usage; return 0;
    case Options::Version: std::cout << "tumblewing " << TUMBLEWING_VERSION << '\n'; return 0;
    case Options::Wrong:
        if (options.why.empty()) std::cerr << "tumblewing: unknown option " << options.wrong << "\n\n" << Usage;
        else std::cerr << "tumblewing: " << options.wrong << ": " << options.why << "\n\n" << Usage;
        return UsageExitCode;
    case Options::Play: break;
    }
    // Without an audio device the game says so in one line of its own: OpenAL
    // Soft's error lines stay off (unless the player set their level), set
    // while no other thread can read the environment.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    const unsigned seed = static_cast<unsigned>(std::time(nullptr));
    const auto cannotWrite = [&options] {
        std::cerr << "tumblewing: cannot write the recording " << options.record << '\n';
        return UsageExitCode;
    };
    std::ofstream recordFile;
    PendingRecording pending;
    if (!options.record.empty()) {  // the seed goes in first, so a file that takes nothing is known now
        pending.path = options.record + ".partial";
        recordFile.open(pending.path);
        recordFile << "seed " << seed << '\n' << std::flush;
        if (!recordFile) return cannotWrite();
    }
    std::string problem;
    if (!displayAvailable(problem)) {  // SFML would abort
        sf::err() << "tumblewing: " << problem << std::endl;
        return NoDisplayExitCode;
    }
    SfmlPlatform platform(options.fullscreen);  // the window comes first
    platform.chooseKeys(options.keys);
    platform.setVolume(options.volume);
    std::srand(seed);  // the only seeding
    std::unique_ptr<RecordingPlatform> recording;
    bool recordingLost = false;
    if (!options.record.empty())
        recording = std::make_unique<RecordingPlatform>(platform, recordFile, [&](RecordingStop why) {
            if (why == RecordingStop::Full) {
                std::cerr << "tumblewing: the recording " << options.record << " has reached its most frames ("
                          << MostFrames << "); it ends there and the game goes on\n";
                return;
            }
            recordingLost = true;
            std::cerr << "tumblewing: cannot write the recording " << options.record
                      << " any more; the game goes on without it\n";
        });
    Game game(recording ? static_cast<Platform&>(*recording) : platform);  // the clocks
    if (!buildScene(game)) return 1;  // the failed file has been named on stderr
    if (options.captions && !platform.showCaptions()) return 1;  // after the game's own files
    if (!recording) {
        runGame(game);
        return 0;
    }
    if (std::rename(pending.path.c_str(), options.record.c_str()) != 0) return cannotWrite();
    pending.placed = true;
    while (recording->windowOpen()) {
        recording->beginFrame();
        runFrame(game);
    }
    recording->finish();
    return recordingLost ? RecordingLostExitCode : 0;
}
