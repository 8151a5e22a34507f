// The game's command line: what each option asks for, the usage text, and the exit code of a bad one.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/player_settings.h"

#include <string>

// An option the game does not know, or an argument it does not take.
constexpr int UsageExitCode = 64;
// The game was played to its end, but its recording could not all be written.
constexpr int RecordingLostExitCode = 3;

struct Options {
    enum Action { Play, Help, Version, Wrong };
    Action action = Play;
    bool captions = false;
    bool fullscreen = false;
    KeyChoice keys;          // added to the arrows and Return
    int volume = 100;        // percent
    std::string record;      // where to write the recording, or ""
    std::string wrong;       // the argument that was not understood
    std::string why;         // what is wrong with it; "" for an unknown option
};

Options parseOptions(int argc, const char* const* argv);

// The options and keys, for --help and after a wrong argument.
extern const char* const Usage;
