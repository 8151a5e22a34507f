// Reads the game's command line: --help, --version, --captions, --fullscreen, --keys, --volume, --record.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/options.h"

const char* const Usage = R"(usage: tumblewing [--captions] [--fullscreen] [--keys LIST] [--volume N]
                  [--record FILE]
       tumblewing --help | --version

Steer Kestra through seven waves of obstacles while a narrated story unfolds.

  --captions     show every spoken line as a caption while it is spoken
  --fullscreen   start full screen, the scene as large as fits at 4:3
  --keys LIST    keys of your own as well as the arrows and Return, e.g.
                 left=A,right=D,up=W,down=S,strike=Space (any of the five
                 actions, each once; A-Z, 0-9, Space, Left, Right, Up,
                 Down, Return, LShift, RShift, LControl, RControl, LAlt, RAlt)
  --volume N     the sound's volume, 0 (silent) to 100 (the default)
  --record FILE  write the run to FILE (its seed, every key by frame, the
                 clock where it strays) for tumblewing-replay to play back
  --help         show this and exit
  --version      show the version and exit

Keys: the arrow keys fly (the first press starts the story), Return calls
down the lightning in the closing duel, F11 switches between the window and
full screen. Closing the window ends the game.

Gamepad: the d-pad or the left stick flies, the bottom face button (A, or
button 0) is Return.

Exit status: 0 the window was closed, 1 a data file could not be loaded,
2 no display, 3 the recording could not all be written (the game went on),
64 a wrong option or a FILE that cannot be written.
)";

namespace {

// Reads the value of `name` (from "--name=VALUE" or the next argument) into
// `o`; false with o.why set when it is missing or wrong.
bool readValue(const std::string& name, const std::string& value, Options& o) {
    if (name == "--keys") {
        std::string error;
        if (parseKeyChoice(value, o.keys, error)) return true;
        o.why = error;
    } else if (name == "--volume") {
        if (parseVolume(value, o.volume)) return true;
        o.why = "the volume is a whole number from 0 to 100";
    } else {  // --record
        if (!value.empty()) {
            o.record = value;
            return true;
        }
        o.why = "takes a file's name";
    }
    return false;
}

bool takesValue(const std::string& name) { return name == "--keys" || name == "--volume" || name == "--record"; }

}  // namespace

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
        } else if (takesValue(arg.substr(0, arg.find('=')))) {
            const std::size_t sign = arg.find('=');
            const std::string name = arg.substr(0, sign);
            const bool inline_ = sign != std::string::npos;
            if (!inline_ && i + 1 == argc) {
                o.action = Options::Wrong;
                o.wrong = arg;
                o.why = "needs a value";
                return o;
            }
            const std::string value = inline_ ? arg.substr(sign + 1) : argv[++i];
            if (!readValue(name, value, o)) {
                o.action = Options::Wrong;
                o.wrong = inline_ ? arg : arg + " " + value;
                return o;
            }
        } else {
            o.action = Options::Wrong;
            o.wrong = arg;
            return o;
        }
    }
    return o;
}
