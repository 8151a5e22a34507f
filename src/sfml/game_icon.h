// The game's window icon, built into the program from the menu icon in dist/, so no file is read for it.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

extern const unsigned char GameIconPng[];  // a PNG file's bytes
extern const std::size_t GameIconPngSize;
