// Tumblewing's entry point: the options, the display check, the window, the seed, the game, the loop.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/display_check.h"
#include "sfml/options.h"
#include "shell/loop.h"
#include "sfml/sfml_platform.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <ostream>
#include <string>

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    switch (options.action) {
    case Options::Help: std::cout << Usage; return 0;
    case Options::Version: std::cout << "tumblewing " << TUMBLEWING_VERSION << '\n'; return 0;
    case Options::Wrong:
        std::cerr << "tumblewing: unknown option " << options.wrong << "\n\n" << Usage;
        return UsageExitCode;
    case Options::Play: break;
    }
    // Without an audio device the game says so in one line of its own: OpenAL
    // Soft's error lines stay off (unless the player set their level), set
    // while no other thread can read the environment.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    std::string problem;
    if (!displayAvailable(problem)) {  // SFML would abort
        sf::err() << "tumblewing: " << problem << std::endl;
        return NoDisplayExitCode;
    }
    SfmlPlatform platform(options.fullscreen);               // the window comes first
    std::srand(static_cast<unsigned>(std::time(nullptr)));  // the only seeding
    Game game(platform);  // the clocks
    if (!buildScene(game)) return 1;  // the failed file has been named on stderr
    if (options.captions && !platform.showCaptions()) return 1;  // after the game's own files
    runGame(game);
    return 0;
}
