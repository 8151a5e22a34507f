// Tumblewing's entry point: the window, the seed, the frame limit, the game, the loop.
#include "shell/game.h"
#include "shell/sfml_platform.h"

#include <cstdlib>
#include <ctime>

int main() {
    SfmlPlatform platform;                                    // the window comes first
    std::srand(static_cast<unsigned>(std::time(nullptr)));  // the only seeding
    platform.limitFrameRate(60);
    Game game(platform);  // the clocks
    if (!buildScene(game)) return 1;  // SFML has already named the file
    runGame(game);
    return 0;
}
