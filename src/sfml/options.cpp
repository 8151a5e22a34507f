// Reads the game's command line: --help, --version, --captions, --fullscreen.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/options.h"

const char* const Usage = R"(usage: tumblewing [--captions] [--fullscreen]
       tumblewing --help | --version

Steer Kestra through seven waves of obstacles while a narrated story unfolds.

  --captions     show every spoken line as a caption while it is spoken
  --fullscreen   start full screen, the scene as large as fits at 4:3
  --help         show this and exit
  --version      show the version and exit

Keys: the arrow keys fly (the first press starts the story), Return calls
down the lightning in the closing duel, F11 switches between the window and
full screen. Closing the window ends the game.

Gamepad: the d-pad or the left stick flies, the bottom face button (A, or
button 0) is Return.

Exit status: 0 the window was closed, 1 a data file could not be loaded,
2 no display, 64 a wrong option.
)";

Options parseOptions(int argc, const char* const* argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--captions") {
            o.captions = true;
        } else if (arg == "--fullscreen") {
            o.fullscreen = true;
        } else if (arg == "--help" || arg == "-h") {
            if (o.action == Options::Play) o.action = Options::Help;
        } else if (arg == "--version") {
            if (o.action == Options::Play) o.action = Options::Version;
        } else {
            o.action = Options::Wrong;
            o.wrong = arg;
            return o;
        }
    }
    return o;
}
