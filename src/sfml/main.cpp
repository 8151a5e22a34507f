// Tumblewing's entry point: the display check, the window, the seed, the game, the loop.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/display_check.h"
#include "shell/loop.h"
#include "sfml/sfml_platform.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <ctime>
#include <ostream>
#include <string>

int main() {
    std::string problem;
    if (!displayAvailable(problem)) {  // SFML would abort
        sf::err() << "tumblewing: " << problem << std::endl;
        return NoDisplayExitCode;
    }
    SfmlPlatform platform;                                    // the window comes first
    std::srand(static_cast<unsigned>(std::time(nullptr)));  // the only seeding
    Game game(platform);  // the clocks
    if (!buildScene(game)) return 1;  // the failed file has been named on stderr
    runGame(game);
    return 0;
}
